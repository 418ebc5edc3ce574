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
    void arquivoGrandeComoEntradaPadrao_data();
    void arquivoGrandeComoEntradaPadrao();
    void pedacosComoEntradaPadrao_data();
    void pedacosComoEntradaPadrao();

private:
    QByteArray rodar(const QStringList &argumentos, const QByteArray &entrada) const;
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

void TstExtract::arquivoGrandeComoEntradaPadrao_data()
{
    QTest::addColumn<QStringList>("modo");
    QTest::addColumn<qsizetype>("posicaoWindows1252");

    // A file above 16 MB is scanned from its bytes in two halves and in
    // pieces; it must give exactly what its decoded text gives, also when
    // a byte that is no UTF-8 turns up late, after results were found.
    for (const QStringList &modo : {QStringList{"emails", "--raw"}, QStringList{"emails"},
                                    QStringList{"telefones", "--raw"}}) {
        const QString nome = modo.join(u' ');
        QTest::newRow(qPrintable(nome + ", UTF-8")) << modo << qsizetype(-1);
        QTest::newRow(qPrintable(nome + ", Windows-1252 no fim")) << modo << qsizetype(17 * 1024 * 1024);
        QTest::newRow(qPrintable(nome + ", Windows-1252 no meio")) << modo << qsizetype(9 * 1024 * 1024 + 300 * 1024);
    }
}

void TstExtract::arquivoGrandeComoEntradaPadrao()
{
    QFETCH(QStringList, modo);
    QFETCH(qsizetype, posicaoWindows1252);
    QByteArray bytes;
    bytes.reserve(18 * 1024 * 1024);
    for (int i = 0; bytes.size() < 17 * 1024 * 1024 + 1000; ++i) {
        bytes += "<p>Orçamento com Jo\xC3\xA3o: joao" + QByteArray::number(i % 5000) + "@Empresa.com.br"
                 + " ou (11) 9" + QByteArray::number(1000 + i % 9000) + "-2222; logo@2x.png ";
        bytes += QByteArray(i % 300, 'x') + "</p>\n";
    }
    if (posicaoWindows1252 >= 0) {
        const QByteArray jose(" jos\xE9@empresa.com.br (11) 3333-4444 ");
        bytes.replace(posicaoWindows1252, jose.size(), jose);
    }
    const QString nome = arquivo("grande.html");
    {
        QFile f(nome);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    const QByteArray doArquivo = rodar(modo + QStringList{nome}, {});
    const QByteArray daEntrada = rodar(modo + QStringList{"-"}, bytes);
    QVERIFY(doArquivo.count('\n') > 1000);
    QVERIFY(doArquivo == daEntrada);
    QCOMPARE(doArquivo.contains("jos\xC3\xA9@empresa.com.br"), posicaoWindows1252 >= 0 && modo[0] == u"emails");
}

QByteArray TstExtract::rodar(const QStringList &argumentos, const QByteArray &entrada) const
{
    QProcess p;
    p.start(QStringLiteral(VASPIRA_EXTRACT), argumentos);
    p.waitForStarted();
    p.write(entrada);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray("falhou");
}

void TstExtract::pedacosComoEntradaPadrao_data()
{
    QTest::addColumn<QByteArray>("bytes");

    // A file is read in pieces of a few hundred kilobytes that end after an
    // "@" (e-mails) or before a letter (phones). These files have long
    // stretches where no such cut exists.
    const QByteArray normal = "Fale com ana@x.com ou (11) 91111-2222. ";
    QByteArray semArroba;
    for (int i = 0; semArroba.size() < 300 * 1024; ++i)
        semArroba += i % 7 ? "x\xC3\xA9" : "\xE2\x82\xACy";
    // The piece after the last "@" of the first part ends 256 KiB later,
    // 50 bytes before the next "@": that address's 100 characters on the
    // left cross the cut.
    QByteArray colado = normal.repeated(5000);
    const qsizetype cortePrevisto = colado.lastIndexOf('@') + 1 + 256 * 1024;
    QByteArray enchimento = semArroba.first(cortePrevisto - 60 - colado.size());
    // No character cut in half: the file must stay UTF-8.
    const qsizetype lider = enchimento.size() - 3 + QByteArray(enchimento.right(3)).lastIndexOf('\xE2');
    if (lider >= enchimento.size() - 2)
        enchimento.truncate(lider);
    else if (enchimento.endsWith('\xC3'))
        enchimento.chop(1);
    colado += enchimento.leftJustified(cortePrevisto - 60 - colado.size(), 'x');
    colado += QByteArray(110, 'x') + "b@dom.com.br " + normal.repeated(5000);
    QTest::newRow("trecho sem @, endereço colado nele") << colado;
    QTest::newRow("trecho sem @ cortado antes de um caractere de três bytes")
        << QByteArray(256 * 1024 - 1, 'x') + "\xE2\x82\xAC" + semArroba + "c@d.com " + normal.repeated(100);
    QTest::newRow("@ sozinho no começo de um pedaço")
        << normal.repeated(1) + QByteArray(256 * 1024, 'z') + "@q.com.br " + semArroba + normal;
    QTest::newRow("trecho sem letras")
        << normal.repeated(3000) + QByteArray("(11) 91111-2222 ").repeated(20000) + normal.repeated(3000);
}

void TstExtract::pedacosComoEntradaPadrao()
{
    QFETCH(QByteArray, bytes);
    const QString nome = arquivo("pedacos.txt");
    {
        QFile f(nome);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    for (const QStringList &modo : {QStringList{"emails", "--raw"}, QStringList{"emails"},
                                    QStringList{"telefones", "--raw"}}) {
        const QByteArray doArquivo = rodar(modo + QStringList{nome}, {});
        QVERIFY(doArquivo.count('\n') > 0);
        QVERIFY2(doArquivo == rodar(modo + QStringList{"-"}, bytes), qPrintable(modo.join(u' ')));
    }
}

VASPIRA_ENGINE_TEST_MAIN(TstExtract)
#include "tst_extract.moc"
