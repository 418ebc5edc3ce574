#include "support/ambiente.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

// Drives the real vaspira-extract binary.
class TstExtract : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void modos_data();
    void modos();
    void saidaEmArquivo();

private:
    QString arquivo(const QString &nome) const { return pastaDeTeste() + nome; }
};

void TstExtract::initTestCase()
{
    auto gravar = [this](const QString &nome, const QByteArray &bytes) {
        QFile f(arquivo(nome));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    gravar("pagina.txt", "Fale com Ana@X.com, bia@y.com e ana@x.com\r\nFone: (11) 91111-2222\r\nFone: 21 93333-4444\r\n");
    gravar("windows.txt", "Jos\xE9 <jose@z.com.br> Nome: Jos\xE9;");
    gravar("planilha.xlsx", "PK");
}

void TstExtract::modos_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<QByteArray>("entrada");
    QTest::addColumn<QByteArray>("saida");
    QTest::addColumn<int>("codigo");

    const QString pagina = arquivo("pagina.txt");
    const QString windows = arquivo("windows.txt");
    QTest::newRow("emails juntados") << QStringList{"emails", pagina, windows} << QByteArray()
                                     << QByteArray("ana@x.com\nbia@y.com\njose@z.com.br\n") << 0;
    QTest::newRow("emails --raw mantém repetidos") << QStringList{"emails", "--raw", pagina} << QByteArray()
                                                   << QByteArray("ana@x.com\nbia@y.com\nana@x.com\n") << 0;
    QTest::newRow("telefones da entrada padrão") << QStringList{"telefones"} << QByteArray(" 11 91111-2222 e (21) 3333-4444")
                                                 << QByteArray("(11) 91111-2222\n(21) 3333-4444\n") << 0;
    QTest::newRow("contendo em linhas CR LF") << QStringList{"contendo", "Fone: ", pagina} << QByteArray()
                                              << QByteArray("(11)\n21\n") << 0;
    QTest::newRow("entre, Windows-1252") << QStringList{"entre", "Nome:", ";", windows} << QByteArray()
                                         << QByteArray("Jos\xC3\xA9\n") << 0;
    QTest::newRow("nada encontrado") << QStringList{"emails", "-"} << QByteArray("sem endereços")
                                     << QByteArray() << 0;
    QTest::newRow("termo em branco") << QStringList{"contendo", "  ", pagina} << QByteArray() << QByteArray() << 2;
    QTest::newRow("modo desconhecido") << QStringList{"links"} << QByteArray() << QByteArray() << 2;
    QTest::newRow("arquivo ausente não perde o resto")
        << QStringList{"emails", arquivo("nao-existe.txt"), pagina} << QByteArray()
        << QByteArray("ana@x.com\nbia@y.com\n") << 1;
    QTest::newRow("arquivos por padrão") << QStringList{"arquivos", "--emails", pagina, windows} << QByteArray()
                                         << QByteArray("Ana@X.com\nbia@y.com\njose@z.com.br\n") << 0;
    QTest::newRow("arquivos, planilha ainda não lida")
        << QStringList{"arquivos", "--telefones", arquivo("planilha.xlsx"), pagina} << QByteArray()
        << QByteArray("(11) 91111-2222\n21 93333-4444\n") << 1;
    QTest::newRow("arquivos --entre") << QStringList{"arquivos", "--entre", "<", ">", windows} << QByteArray()
                                      << QByteArray("jose@z.com.br\n") << 0;
}

void TstExtract::modos()
{
    QFETCH(QStringList, argumentos);
    QFETCH(QByteArray, entrada);
    QFETCH(QByteArray, saida);
    QFETCH(int, codigo);
    QProcess p;
    p.start(QStringLiteral(VASPIRA_EXTRACT), argumentos);
    QVERIFY(p.waitForStarted());
    p.write(entrada);
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.readAllStandardOutput(), saida);
    QCOMPARE(p.exitCode(), codigo);
    if (codigo != 0)
        QVERIFY(!p.readAllStandardError().isEmpty());
}

void TstExtract::saidaEmArquivo()
{
    QProcess p;
    p.start(QStringLiteral(VASPIRA_EXTRACT),
            {"arquivos", "--telefones", "-o", arquivo("saida.txt"), arquivo("pagina.txt")});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    QFile f(arquivo("saida.txt"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("(11) 91111-2222\n21 93333-4444\n"));

    p.start(QStringLiteral(VASPIRA_EXTRACT), {"--help"});
    QVERIFY(p.waitForFinished(30000));
    const QByteArray ajuda = p.readAllStandardOutput();
    for (const char *modo : {"emails", "telefones", "contendo", "entre", "arquivos", "--raw"})
        QVERIFY2(ajuda.contains(modo), modo);
}

VASPIRA_ENGINE_TEST_MAIN(TstExtract)
#include "tst_extract.moc"
