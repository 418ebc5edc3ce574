#include "dialogs/ajudantes.h"
#include "harvest/mesclagem.h"
#include "harvest/textos.h"
#include "storage/arquivoTexto.h"
#include "storage/pastas.h"
#include "support/ambiente.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

class TstTextos : public QObject
{
    Q_OBJECT

private slots:
    void dividirLinhas_data();
    void dividirLinhas();
    void mesclarLinhas_data();
    void mesclarLinhas();
    void mesclarLinhasComoOCollator_data();
    void mesclarLinhasComoOCollator();
    void formatarNumero_data();
    void formatarNumero();
    void tamanhoArquivo();
    void decodificarTexto_data();
    void decodificarTexto();
    void gravarDevolveNaMesmaCodificacao();
    void exeFolderSegueVaspiraHome();
    void setPoint_data();
    void setPoint();
    void lerContagem_data();
    void lerContagem();
};

void TstTextos::dividirLinhas_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("linhas");
    QTest::newRow("vazio") << "" << QStringList();
    QTest::newRow("CR LF") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("CR e LF soltos") << "a\rb\nc" << QStringList{"a", "b", "c"};
    QTest::newRow("quebra final não cria linha") << "a\r\n" << QStringList{"a"};
    QTest::newRow("linha vazia no meio") << "a\n\nb" << QStringList{"a", "", "b"};
    QTest::newRow("só uma quebra") << "\n" << QStringList{""};
}

void TstTextos::dividirLinhas()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, linhas);
    QCOMPARE(::dividirLinhas(texto), linhas);
}

void TstTextos::mesclarLinhas_data()
{
    QTest::addColumn<QStringList>("atuais");
    QTest::addColumn<QStringList>("novas");
    QTest::addColumn<QStringList>("esperado");

    QTest::newRow("caixa da lista atual vence")
        << QStringList{"banana", "Abacaxi"} << QStringList{"abacaxi", "caju"}
        << QStringList{"Abacaxi", "banana", "caju"};
    QTest::newRow("nada colhido ainda ordena e tira repetidos")
        << QStringList{"caju", "Caju", "banana"} << QStringList()
        << QStringList{"banana", "caju"};
    QTest::newRow("no mesmo texto a primeira vence")
        << QStringList() << QStringList{"ANA@X.COM", "ana@x.com"} << QStringList{"ANA@X.COM"};
    QTest::newRow("linhas em branco viram uma vazia no topo")
        << QStringList{"b", "", "a", ""} << QStringList{"", "c"} << QStringList{"", "a", "b", "c"};
    QTest::newRow("acentos distinguem") << QStringList{"é"} << QStringList{"e"}
                                        << QStringList{"e", "é"};
    QTest::newRow("ordem do idioma, não dos códigos")
        << QStringList() << QStringList{"Zé", "ávila", "Bia"} << QStringList{"ávila", "Bia", "Zé"};
    QTest::newRow("tudo vazio") << QStringList() << QStringList() << QStringList();
}

void TstTextos::mesclarLinhas()
{
    QFETCH(QStringList, atuais);
    QFETCH(QStringList, novas);
    QFETCH(QStringList, esperado);
    QCOMPARE(::mesclarLinhas(atuais, novas, collatorDeResultados()), esperado);
}

void TstTextos::mesclarLinhasComoOCollator_data()
{
    QTest::addColumn<QString>("local");
    QTest::addColumn<QString>("extra");
    QTest::newRow("pt-BR, só ASCII") << "pt_BR" << "";
    QTest::newRow("en-US, só ASCII") << "en_US" << "";
    QTest::newRow("pt-BR, uma linha acentuada") << "pt_BR" << "água";
    QTest::newRow("pt-BR, um caractere de controle") << "pt_BR" << "a\x01b";
    // Danish and Czech order some ASCII letter pairs as one letter.
    QTest::newRow("da-DK, só ASCII") << "da_DK" << "";
    QTest::newRow("cs-CZ, só ASCII") << "cs_CZ" << "";
}

void TstTextos::mesclarLinhasComoOCollator()
{
    // Whatever shortcut the merge takes, its order and its choice among
    // equal lines must be the collator's own.
    QFETCH(QString, local);
    QFETCH(QString, extra);
    QCollator collator{QLocale(local)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);

    const QString pecas[] = {"a", "A", "b", "c", "C", "h", "H", "z", "0", "9", " ", "-", "_", ".", "@", ",",
                             "'", "!", "~", "aa", "ch", "x.com", "Ana", "ANA", "(", ")", "+", "/", "#", "%"};
    QRandomGenerator g(7);
    QStringList atuais;
    QStringList novas;
    for (int i = 0; i < 3000; ++i) {
        QString l;
        const int n = g.bounded(1, 6);
        for (int k = 0; k < n; ++k)
            l += pecas[g.bounded(int(std::size(pecas)))];
        (i % 4 == 0 ? atuais : novas).append(l);
    }
    if (!extra.isEmpty())
        novas.insert(novas.size() / 2, extra);

    QStringList esperado = atuais + novas;
    std::stable_sort(esperado.begin(), esperado.end(),
                     [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    esperado.erase(std::unique(esperado.begin(), esperado.end(),
                               [&](const QString &a, const QString &b) { return collator.compare(a, b) == 0; }),
                   esperado.end());
    QCOMPARE(::mesclarLinhas(atuais, novas, collator), esperado);

    // The same lines given as UTF-8 give the same merge.
    QList<QByteArray> utf8;
    for (const QString &l : atuais + novas)
        utf8.append(l.toUtf8());
    const std::vector<QByteArrayView> vistas(utf8.cbegin(), utf8.cend());
    QStringList dosBytes;
    for (size_t i : mesclarLinhasUtf8(vistas, collator))
        dosBytes.append(QString::fromUtf8(vistas[i]));
    QCOMPARE(dosBytes, esperado);
}

void TstTextos::formatarNumero_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<QString>("texto");
    QTest::newRow("zero é vazio") << qint64(0) << "";
    QTest::newRow("sem milhar") << qint64(999) << "999";
    QTest::newRow("milhar") << qint64(1000) << "1.000";
    QTest::newRow("milhões") << qint64(1234567) << "1.234.567";
    QTest::newRow("negativo") << qint64(-1234) << "-1.234";
}

void TstTextos::formatarNumero()
{
    QFETCH(qint64, n);
    QFETCH(QString, texto);
    QCOMPARE(::formatarNumero(n), texto);
}

void TstTextos::tamanhoArquivo()
{
    const QString pasta = pastaDeTeste();
    QCOMPARE(::tamanhoArquivo(pasta + "nao-existe.txt"), qint64(-1));

    QFile vazio(pasta + "vazio.txt");
    QVERIFY(vazio.open(QIODevice::WriteOnly));
    vazio.close();
    QCOMPARE(::tamanhoArquivo(vazio.fileName()), qint64(0));

    // A read-only document still has its real size.
    QFile somenteLeitura(pasta + "somente-leitura.txt");
    QVERIFY(somenteLeitura.open(QIODevice::WriteOnly));
    somenteLeitura.write("12345");
    somenteLeitura.close();
    QVERIFY(somenteLeitura.setPermissions(QFileDevice::ReadOwner));
    QCOMPARE(::tamanhoArquivo(somenteLeitura.fileName()), qint64(5));
}

void TstTextos::decodificarTexto_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("codificacao");

    const QString ola = QStringLiteral("olá “ação”");
    QTest::newRow("UTF-8 sem marca") << ola.toUtf8() << ola << int(Codificacao::Utf8);
    QTest::newRow("UTF-8 com marca") << QByteArray("\xEF\xBB\xBF") + ola.toUtf8() << ola
                                     << int(Codificacao::Utf8Bom);
    QTest::newRow("UTF-16 LE com marca")
        << QByteArray("\xFF\xFE" "o\0l\0\xE1\0", 8) << QStringLiteral("olá") << int(Codificacao::Utf16LeBom);
    QTest::newRow("UTF-16 BE com marca")
        << QByteArray("\xFE\xFF" "\0o\0l\0\xE1", 8) << QStringLiteral("olá") << int(Codificacao::Utf16BeBom);
    QTest::newRow("Windows-1252") << QByteArray("ol\xE1 \x93\x61\xE7\xE3o\x94 \x80")
                                  << QStringLiteral("olá “ação” €") << int(Codificacao::Windows1252);
}

void TstTextos::decodificarTexto()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, texto);
    QFETCH(int, codificacao);
    const TextoDecodificado lido = ::decodificarTexto(bytes);
    QCOMPARE(lido.texto, texto);
    QCOMPARE(int(lido.codificacao), codificacao);
}

void TstTextos::gravarDevolveNaMesmaCodificacao()
{
    const QString caminho = pastaDeTeste() + "codificacao.txt";
    for (Codificacao c : {Codificacao::Utf8, Codificacao::Utf8Bom, Codificacao::Utf16LeBom,
                          Codificacao::Utf16BeBom}) {
        QString erro;
        QVERIFY2(gravarArquivoTexto(caminho, QStringLiteral("ação=1\r\n"), c, erro), qPrintable(erro));
        TextoDecodificado lido;
        QVERIFY(lerArquivoTexto(caminho, lido, erro));
        QCOMPARE(lido.texto, QStringLiteral("ação=1\r\n"));
        QCOMPARE(int(lido.codificacao), int(c));
    }
    // A file brought from Windows is written back as UTF-8.
    QCOMPARE(codificarTexto(QStringLiteral("é"), Codificacao::Windows1252), QByteArray("\xC3\xA9"));
}

void TstTextos::exeFolderSegueVaspiraHome()
{
    QCOMPARE(ExeFolder(), pastaDeTeste());
    QCOMPARE(caminhoNaPasta("banco.db"), pastaDeTeste() + "banco.db");
}

void TstTextos::setPoint_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("vírgula") << "800,600" << true << 800 << 600;
    QTest::newRow("ponto e vírgula") << "120;340" << true << 120 << 340;
    QTest::newRow("só o primeiro ; vira vírgula") << "120;340;5" << false << 0 << 0;
    QTest::newRow("sinal e brancos à esquerda") << " -5, +7" << true << -5 << 7;
    QTest::newRow("branco à direita") << "5 ,7" << false << 0 << 0;
    QTest::newRow("sem separador") << "800600" << false << 0 << 0;
    QTest::newRow("vazio") << "" << false << 0 << 0;
    QTest::newRow("parte vazia") << "800," << false << 0 << 0;
    QTest::newRow("não é número") << "a,b" << false << 0 << 0;
}

void TstTextos::setPoint()
{
    QFETCH(QString, texto);
    QFETCH(bool, ok);
    QFETCH(int, x);
    QFETCH(int, y);
    int lx = 0;
    int ly = 0;
    QCOMPARE(::setPoint(texto, lx, ly), ok);
    if (ok) {
        QCOMPARE(lx, x);
        QCOMPARE(ly, y);
    }
}

void TstTextos::lerContagem_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("valor");
    QTest::newRow("3") << "3" << 3;
    QTest::newRow("5x") << "5x" << 5;
    QTest::newRow("abc") << "abc" << 0;
    QTest::newRow("-2") << "-2" << -2;
    QTest::newRow("brancos") << "  7 " << 7;
}

void TstTextos::lerContagem()
{
    QFETCH(QString, texto);
    QFETCH(int, valor);
    QCOMPARE(::lerContagem(texto), valor);
}

VASPIRA_ENGINE_TEST_MAIN(TstTextos)
#include "tst_textos.moc"
