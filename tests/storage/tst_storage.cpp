#include "app/unDtmPrincipal.h"
#include "dialogs/erroVaspira.h"
#include "storage/banco.h"
#include "storage/configuracao.h"
#include "support/mainGui.h"
#include "support/motoristaMensagens.h"
#include "workspace/unFrmExtrairNavegador.h"

#include <QSqlQueryModel>

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

// Runs in order: the first function sees the empty folder of a first start.
class TstStorage : public QObject
{
    Q_OBJECT

private slots:
    void primeiroInicioCriaBanco();
    void consultaAntesDaAberturaUsaOBanco();
    void segundoInicioMantemLinhas();
    void valorVerdadeiro_data();
    void valorVerdadeiro();
    void readConfigIgnoraCaixaDoNome();
    void setconfigDeixaUmaLinha();
    void bancoDanificadoRelataENaoApaga();

private:
    QString arquivo(const QString &nome) const { return pastaDeTeste() + nome; }
};

void TstStorage::primeiroInicioCriaBanco()
{
    TdtmPrincipal dtm;
    QVERIFY(!QFile::exists(arquivo("banco.db")));
    dtm.abrirBD();
    QVERIFY(QFile::exists(arquivo("banco.db")));
    QVERIFY(!QFile::exists(arquivo("config.txt")));
    QStringList tabelas = conexaoBanco().tables();
    tabelas.sort();
    QCOMPARE(tabelas, (QStringList{"tbconfig", "tbmemo", "tbrepo"}));
    QCOMPARE(dtm.readConfig("showtips"), QString());
}

void TstStorage::consultaAntesDaAberturaUsaOBanco()
{
    fecharBanco();
    QString erro;
    QSqlDatabase db = conexaoBanco(&erro);
    QVERIFY2(db.isOpen(), qPrintable(erro));
    QCOMPARE(db.databaseName(), arquivo("banco.db"));
    QSqlQuery q(db);
    QVERIFY(q.exec("insert into tbrepo(categoria, nome, texto) values ('extrair_config', 'Loja', 'a=1')"));
}

void TstStorage::segundoInicioMantemLinhas()
{
    // The start-up opening keeps a connection a workspace is reading from;
    // "VACUUM;" cannot run under that reader, which is reported once, and the
    // opening goes on.
    QSqlQuery leitura(conexaoBanco());
    QVERIFY(leitura.exec("select nome from tbrepo"));
    TdtmPrincipal dtm;
    MotoristaMensagens m;
    m.clicar("btnOk");
    dtm.abrirBD();
    QCOMPARE(m.vistas.size(), 1);
    QCOMPARE(m.vistas[0].tipo, 2);
    QVERIFY(leitura.next());
    QCOMPARE(leitura.value(0).toString(), QStringLiteral("Loja"));
    leitura.finish();

    fecharBanco();
    dtm.abrirBD();
    QSqlQuery q(conexaoBanco());
    QVERIFY(q.exec("select count(*) from tbrepo where categoria = 'extrair_config'"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1);
}

void TstStorage::valorVerdadeiro_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<bool>("verdadeiro");
    QTest::newRow("-1") << "-1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("TRUE") << "TRUE" << true;
    QTest::newRow("True") << "True" << true;
    QTest::newRow("sim") << "sim" << false;
    QTest::newRow("vazio") << "" << false;
    QTest::newRow("7") << "7" << true;
}

void TstStorage::valorVerdadeiro()
{
    QFETCH(QString, valor);
    QFETCH(bool, verdadeiro);
    QCOMPARE(::valorVerdadeiro(valor), verdadeiro);
}

void TstStorage::readConfigIgnoraCaixaDoNome()
{
    QFile f(arquivo("config.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBFoutra\r\nSHOWTIPS=-1\r\nshowtips=0\r\n");
    f.close();
    TdtmPrincipal dtm;
    QCOMPARE(dtm.readConfig("showtips"), QStringLiteral("-1"));
    QVERIFY(::valorVerdadeiro(dtm.readConfig("showtips")));
    QCOMPARE(dtm.readConfig("outra"), QString());
}

void TstStorage::setconfigDeixaUmaLinha()
{
    TdtmPrincipal dtm;
    dtm.setconfig("showtips", "0");
    QFile f(arquivo("config.txt"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("showtips=0\r\n"));
    f.close();
    dtm.setconfig("showtips", "");
    QCOMPARE(QFileInfo(f).size(), qint64(0));
}

void TstStorage::bancoDanificadoRelataENaoApaga()
{
    fecharBanco();
    const QByteArray lixo(4096, 'x');
    {
        QFile f(arquivo("banco.db"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(lixo);
    }
    TdtmPrincipal dtm;
    QString mensagem;
    try {
        dtm.abrirBD();
    } catch (const ErroVaspira &e) {
        mensagem = e.mensagem();
    }
    QVERIFY2(!mensagem.isEmpty(), "o erro deveria chegar ao relatório geral");

    // A workspace still opens, with an empty script list, after the report.
    {
        MotoristaMensagens m;
        m.clicar("btnOk");
        TfrmExtrairNavegador frm;
        QCOMPARE(m.vistas.size(), 1);
        QCOMPARE(m.vistas[0].tipo, 2);
        QCOMPARE(frm.qryRepo->rowCount(), 0);
    }

    QFile f(arquivo("banco.db"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), lixo);
    fecharBanco();
}

VASPIRA_GUI_TEST_MAIN(TstStorage)
#include "tst_storage.moc"
