#include "alvos.h"
#include "support/ambiente.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TstFuzzRegressoes : public QObject
{
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
};

void TstFuzzRegressoes::replay_data()
{
    QTest::addColumn<QString>("alvo");
    QTest::addColumn<QString>("arquivo");
    const QDir raiz(QStringLiteral(VASPIRA_REGRESSOES));
    for (const QString &alvo : raiz.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QString &nome : QDir(raiz.filePath(alvo)).entryList(QDir::Files))
            QTest::newRow(qPrintable(alvo + QLatin1Char('/') + nome)) << alvo << raiz.filePath(alvo + QLatin1Char('/') + nome);
    }
}

void TstFuzzRegressoes::replay()
{
    QFETCH(QString, alvo);
    QFETCH(QString, arquivo);
    QFile f(arquivo);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const auto *dados = reinterpret_cast<const uint8_t *>(bytes.constData());
    const auto tamanho = static_cast<size_t>(bytes.size());
    // Each target aborts on a broken invariant; reaching the end is the check.
    if (alvo == u"emails")
        alvos::emails(dados, tamanho);
    else if (alvo == u"telefones")
        alvos::telefones(dados, tamanho);
    else if (alvo == u"palavras")
        alvos::palavras(dados, tamanho);
    else if (alvo == u"padroes")
        alvos::padroes(dados, tamanho);
    else if (alvo == u"decodificacao")
        alvos::decodificacao(dados, tamanho);
    else
        QFAIL("alvo desconhecido");
}

VASPIRA_ENGINE_TEST_MAIN(TstFuzzRegressoes)
#include "tst_fuzz_regressoes.moc"
