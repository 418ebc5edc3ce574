#include "app/janelas.h"
#include "app/unFrmPrincipal.h"
#include "support/mainGui.h"
#include "support/motoristaMensagens.h"
#include "workspace/unFrmExtrairNavegador.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

class TstWorkspace : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void colandoEmailsOrdenadosSemRepetidos();
    void segundaExecucaoMescla();
    void camposEmBrancoMostramErro_data();
    void camposEmBrancoMostramErro();
    void statusVazioEContagem();
    void pararNaoRetomaExecucaoParada();
    void fecharDuranteExecucaoAdiaEFecha();

private:
    TfrmExtrairNavegador *colando();
    void extrair(TfrmExtrairNavegador *frm, const QString &texto);

    TfrmPrincipal *principal = nullptr;
    MotoristaMensagens *m = nullptr;
};

void TstWorkspace::init()
{
    principal = new TfrmPrincipal;
    principal->show();
    m = new MotoristaMensagens;
}

void TstWorkspace::cleanup()
{
    const int abertas = MotoristaMensagens::fecharRestantes();
    const int inesperadas = m->inesperadas();
    delete m;
    // Close without the closing question.
    delete principal;
    QCOMPARE(abertas, 0);
    QCOMPARE(inesperadas, 0);
}

TfrmExtrairNavegador *TstWorkspace::colando()
{
    QTest::mouseClick(principal->findChild<QPushButton *>("btnColando"), Qt::LeftButton);
    auto *frm = janelas().frmExtrairNavegador.data();
    if (!frm)
        return nullptr;
    frm->findChild<QRadioButton *>("rdbEmails2")->setChecked(true);
    return frm;
}

void TstWorkspace::extrair(TfrmExtrairNavegador *frm, const QString &texto)
{
    frm->findChild<QPlainTextEdit *>("mmoExtracao")->setPlainText(texto);
    QTest::mouseClick(frm->findChild<QPushButton *>("btnExtrairDados"), Qt::LeftButton);
}

void TstWorkspace::colandoEmailsOrdenadosSemRepetidos()
{
    TfrmExtrairNavegador *frm = colando();
    QVERIFY(frm);
    auto *pgc = frm->findChild<QTabWidget *>("pgcDados");
    QCOMPARE(pgc->currentIndex(), 1);
    QVERIFY(!pgc->isTabVisible(0));
    QCOMPARE(frm->gModoExtracao, QStringLiteral("texto"));

    extrair(frm, QStringLiteral("Contatos:\nZeca@Loja.com.br; ana@x.com\r\n"
                                "Vendas ana@X.com e bia@y.com.br\n"));
    QCOMPARE(pgc->currentIndex(), 2);
    QCOMPARE(frm->findChild<QPlainTextEdit *>("mmoDados")->toPlainText(),
             QStringLiteral("ana@x.com\nbia@y.com.br\nzeca@loja.com.br\n"));
    QCOMPARE(frm->findChild<QLabel *>("stMemo")->text(), QStringLiteral("Total de registros: 3"));
    QVERIFY(frm->findChild<QFrame *>("pnProgresso")->isHidden());
    QVERIFY(frm->findChild<QPushButton *>("btnExtrairDados")->isEnabled());
}

void TstWorkspace::segundaExecucaoMescla()
{
    TfrmExtrairNavegador *frm = colando();
    auto *dados = frm->findChild<QPlainTextEdit *>("mmoDados");
    dados->setPlainText(QStringLiteral("banana\nAbacaxi\n"));
    // The text run merges what it harvests; here the lines come as if harvested.
    frm->mesclarResultados(QStringLiteral("abacaxi\r\ncaju"));
    QCOMPARE(dados->toPlainText(), QStringLiteral("Abacaxi\nbanana\ncaju\n"));

    extrair(frm, QStringLiteral("ana@x.com"));
    extrair(frm, QStringLiteral("ANA@x.com bia@y.com"));
    QCOMPARE(dados->toPlainText(), QStringLiteral("Abacaxi\nana@x.com\nbanana\nbia@y.com\ncaju\n"));
}

void TstWorkspace::camposEmBrancoMostramErro_data()
{
    QTest::addColumn<QString>("escolha");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("texto contendo só brancos") << "rdbTextoContendo2"
                                               << "Faltou definir o texto que deve ser localizado";
    QTest::newRow("um marcador só")
        << "rdbTextoEntre2" << "Faltou definir os dois termos entre os quais os textos devem ser capturados";
}

void TstWorkspace::camposEmBrancoMostramErro()
{
    QFETCH(QString, escolha);
    QFETCH(QString, mensagem);
    TfrmExtrairNavegador *frm = colando();
    frm->findChild<QRadioButton *>(escolha)->setChecked(true);
    frm->findChild<QLineEdit *>("edtContendo2")->setText(QStringLiteral("   "));
    frm->findChild<QLineEdit *>("edtEntre12")->setText(QStringLiteral("Nome:"));
    auto *dados = frm->findChild<QPlainTextEdit *>("mmoDados");
    dados->setPlainText(QStringLiteral("b\na\n"));

    m->clicar(QStringLiteral("btnOk"));
    extrair(frm, QStringLiteral("Nome: Ana Fim"));
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].tipo, 2);
    QCOMPARE(m->vistas[0].texto, mensagem);
    QCOMPARE(dados->toPlainText(), QStringLiteral("b\na\n"));
    QCOMPARE(frm->pgcDados->currentIndex(), 2);
    QVERIFY(frm->btnExtrairDados->isEnabled());
    QVERIFY(frm->pnProgresso->isHidden());
}

void TstWorkspace::statusVazioEContagem()
{
    TfrmExtrairNavegador *frm = colando();
    QCOMPARE(frm->stMemo->text(), QStringLiteral("Total de registros: "));
    QString muitas;
    for (int i = 0; i < 1234; ++i)
        muitas += QStringLiteral("linha %1\n").arg(i, 5, 10, QLatin1Char('0'));
    frm->mmoDados->setPlainText(muitas);
    // The status timer picks up manual edits within a second.
    QTRY_COMPARE_WITH_TIMEOUT(frm->stMemo->text(), QStringLiteral("Total de registros: 1.234"), 2500);
    frm->mmoDados->setPlainText(QStringLiteral("\nb\n"));
    frm->atualizarStatus();
    QCOMPARE(frm->stMemo->text(), QStringLiteral("Total de registros: 2"));
}

void TstWorkspace::pararNaoRetomaExecucaoParada()
{
    TfrmExtrairNavegador *frm = colando();
    frm->mmoExtracao->setPlainText(QStringLiteral("ana@x.com"));
    // "Parar" pressed inside the run's first pump, then a new run started
    // from inside the stopped one: the new run has its own stop request.
    bool parou = false;
    bool segundaRodou = false;
    QTimer::singleShot(0, frm, [&] {
        QTest::mouseClick(frm->btnCancelarExtracao, Qt::LeftButton);
        parou = true;
        QVERIFY(frm->btnExtrairDados->isEnabled());
        frm->mmoExtracao->setPlainText(QStringLiteral("bia@y.com"));
        QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
        segundaRodou = true;
        // Were the stopped run to go on, it would harvest this.
        frm->mmoExtracao->setPlainText(QStringLiteral("ana@x.com"));
    });
    QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
    QVERIFY(parou);
    QVERIFY(segundaRodou);
    // The stopped run merged nothing; the second one merged its address.
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("bia@y.com\n"));
    QVERIFY(frm->pnProgresso->isHidden());
}

void TstWorkspace::fecharDuranteExecucaoAdiaEFecha()
{
    TfrmExtrairNavegador *frm = colando();
    QPointer<TfrmExtrairNavegador> ref(frm);
    QString texto;
    for (int i = 0; i < 20000; ++i)
        texto += QStringLiteral("p%1@x.com ").arg(i);
    frm->mmoExtracao->setPlainText(texto);

    bool fechou = false;
    QTimer::singleShot(0, frm, [&] {
        QTest::mouseClick(frm->btnCancelar, Qt::LeftButton);
        fechou = true;
        // Still alive while its run is on the stack, but out of sight.
        QVERIFY(ref);
        QVERIFY(!frm->isVisible());
    });
    QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
    QVERIFY(fechou);
    QTRY_VERIFY(!ref);
    QVERIFY(principal->mdiArea->subWindowList().isEmpty());
}

VASPIRA_GUI_TEST_MAIN(TstWorkspace)
#include "tst_workspace.moc"
