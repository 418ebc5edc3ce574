#include "harvest/listaResultados.h"
#include "harvest/palavras.h"
#include "harvest/unDtmExtrator.h"
#include "support/ambiente.h"

#include <QtTest>

class TstPalavras : public QObject
{
    Q_OBJECT

private slots:
    void isolar_data();
    void isolar();
    void contendo_data();
    void contendo();
    void contendoParaQuandoCancelado();
    void entre_data();
    void entre();
    void getTextoEntreOrdenaSemRepetir();
    void variantesDoAssistente();
    void assistentePara();
    void entradasHostis();
};

void TstPalavras::isolar_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("posicao");
    QTest::addColumn<bool>("ignorarEspacos");
    QTest::addColumn<QString>("palavra");
    QTest::addColumn<int>("fim");
    QTest::newRow("meio da palavra") << "um dois;tres" << 5 << false << "dois" << 8;
    QTest::newRow("no delimitador") << "um dois" << 3 << false << "" << 3;
    QTest::newRow("fim do texto") << "um dois" << 8 << false << "dois" << 8;
    QTest::newRow("barra escapada") << "x src=\\/a\\/b y" << 4 << false << "src=/a/b" << 13;
    QTest::newRow("sem espaço como delimitador") << "a b;c" << 2 << true << "a b" << 4;
}

void TstPalavras::isolar()
{
    QFETCH(QString, texto);
    QFETCH(int, posicao);
    QFETCH(bool, ignorarEspacos);
    QFETCH(QString, palavra);
    QFETCH(int, fim);
    qsizetype fimPos = 0;
    QCOMPARE(isolarTextoNaPosicao(texto, posicao, ignorarEspacos, &fimPos), palavra);
    QCOMPARE(fimPos, qsizetype(fim));
}

void TstPalavras::contendo_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("ausente") << "xyz" << "um texto sem ela" << QStringList();
    QTest::newRow("palavra vazia depois do espaço") << "Fone:" << "Fone: 1234" << QStringList();
    QTest::newRow("termo com espaço") << "Fone: " << "Fone: 1234" << QStringList{"1234"};
    QTest::newRow("última palavra inteira") << "pal" << "fim palavra" << QStringList{"palavra"};
    QTest::newRow("barras escapadas") << "src=" << "src=\\/path\\/to x" << QStringList{"src=/path/to"};
    QTest::newRow("registros em linhas com LF") << "Fone: " << "Fone: 1111\nFone: 2222\nFone: 3333"
                                                << QStringList{"1111", "2222", "3333"};
    QTest::newRow("registros em linhas com CR LF") << "Fone: " << "Fone: 1111\r\nFone: 2222\r\nFone: 3333"
                                                   << QStringList{"1111", "2222", "3333"};
    QTest::newRow("endereços limpos") << "@" << "ana@x.com bia@Y.com.b"
                                      << QStringList{"ana@x.com", "bia@y.com.br"};
    QTest::newRow("reticências e ponto finais") << "Site: " << "Site: www.x.com.br... Site: y.com."
                                                << QStringList{"www.x.com.br", "y.com"};
    // The keyword's own characters stay when they are no delimiters.
    QTest::newRow("repetidos ficam") << "a=" << "a=1 a=1" << QStringList{"a=1", "a=1"};
    QTest::newRow("termo vazio") << "" << "qualquer coisa" << QStringList();
    QTest::newRow("palavra com @ no começo não é limpa") << "de " << "de @Fulano. fim"
                                                         << QStringList{"@Fulano"};
    QTest::newRow("quatro pontos no fim") << "Site: " << "Site: abc.... fim" << QStringList{"abc"};
    QTest::newRow("palavra esvaziada ainda entra") << "x: " << "x: ... fim" << QStringList{""};
    QTest::newRow("@ logo depois do espaço que fechou a anterior") << "@" << "ana@x.com @y.com"
                                                                   << QStringList{"ana@x.com", "@y.com"};
    QTest::newRow("termo com espaço sem quebra") << QStringLiteral("Fone:\u00A0") << "Fone: 1234"
                                                 << QStringList{"1234"};
}

void TstPalavras::contendo()
{
    QFETCH(QString, valor);
    QFETCH(QString, texto);
    QFETCH(QStringList, esperado);
    QCOMPARE(varrerContendo(texto, valor), esperado);
}

void TstPalavras::contendoParaQuandoCancelado()
{
    int avancos = 0;
    bool pedido = false;
    AcompanhamentoContendo a;
    a.aoAvancar = [&] { ++avancos; };
    a.cancelado = [&] { return pedido; };
    a.aoAdicionar = [&](const QString &) { pedido = true; };
    bool parou = false;
    QCOMPARE(varrerContendo("x=1 x=2 x=3", "x=", a, &parou), QStringList{"x=1"});
    QVERIFY(parou);
    QCOMPARE(avancos, 2);
}

void TstPalavras::entre_data()
{
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<QString>("fim");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("início sem caixa") << "Nome:" << ";" << "Nome: Ana; Nome: Bia; nome: Ana;"
                                      << QStringList{"Ana", "Bia", "Ana"};
    QTest::newRow("fim nunca vem") << "Nome:" << "X" << "Nome: Ana; Nome: Bia;" << QStringList();
    QTest::newRow("fim com caixa, tirado do fim") << "Nome:" << "Fim" << "Nome: Serafim Costa Fim"
                                                  << QStringList{"Serafim Costa"};
    QTest::newRow("fim vazio") << "(" << "" << "(a) (b)" << QStringList();
    QTest::newRow("início vazio") << "" << ")" << "abc)def" << QStringList{"bc"};
    QTest::newRow("marcadores maiores que o texto") << "<inicio-longo>" << "</fim>" << "abc" << QStringList();
    QTest::newRow("marcador com espaço sem quebra") << QStringLiteral("Nome:\u00A0") << ";"
                                                    << QStringLiteral("Nome:\u00A0Ana; Nome: Bia;")
                                                    << QStringList{"Ana", "Bia"};
    QTest::newRow("cruza linhas") << "<b>" << "</b>" << "<B>um\ndois</b>" << QStringList{"um\ndois"};
}

void TstPalavras::entre()
{
    QFETCH(QString, inicio);
    QFETCH(QString, fim);
    QFETCH(QString, texto);
    QFETCH(QStringList, esperado);
    QCOMPARE(varrerEntre(texto, inicio, fim), esperado);
}

void TstPalavras::getTextoEntreOrdenaSemRepetir()
{
    TdtmExtrator dtm;
    QCOMPARE(dtm.getTextoEntre("Nome: Bia; Nome: Ana; nome: ana;", "Nome:", ";"),
             QStringLiteral("Ana\r\nBia"));
    QCOMPARE(dtm.getTextoEntre("nada", "Nome:", ";"), QString());
}

void TstPalavras::variantesDoAssistente()
{
    ListaResultados lista;
    QStringList status;
    QList<QPair<QString, QString>> contagens;
    RelatorDeVarredura r;
    r.status = [&](const QString &s) { status << s; };
    r.contagens = [&](const QString &a, const QString &b) { contagens.append({a, b}); };

    QString texto;
    for (int i = 0; i < 25; ++i)
        texto += QStringLiteral("id: %1 ").arg(i % 20);
    extrairContendoParaLista(texto, "id: ", lista, r);
    QCOMPARE(status, QStringList{"Extraindo textos contendo: \"id: \""});
    QCOMPARE(contagens.size(), 3);
    QCOMPARE(contagens[0].first, QStringLiteral("Total de ocorrências neste arquivo: 10"));
    QCOMPARE(contagens[2].first, QStringLiteral("Total de ocorrências neste arquivo: 25"));
    QCOMPARE(contagens[2].second, QStringLiteral("Não repetidos: 20"));

    // A second file counts its own results; the list is run-wide.
    status.clear();
    contagens.clear();
    getTextoEntreParaLista("[a] [B] [b]", "[", "]", lista, r);
    QCOMPARE(status, QStringList{"Localizando textos entre \"[\" e \"]\""});
    QCOMPARE(contagens.size(), 1);
    QCOMPARE(contagens[0].first, QStringLiteral("Total de ocorrências neste arquivo: 3"));
    QCOMPARE(contagens[0].second, QStringLiteral("Não repetidos: 22"));
    QCOMPARE(lista.ordenadas().first(), QStringLiteral("0"));
    QVERIFY(lista.ordenadas().contains("B"));
    QVERIFY(!lista.ordenadas().contains("b"));
}

void TstPalavras::assistentePara()
{
    ListaResultados lista;
    QStringList informados;
    int contagens = 0;
    RelatorDeVarredura r;
    r.parar = [] { return true; };
    r.informar = [&](const QString &s) { informados << s; };
    r.contagens = [&](const QString &, const QString &) { ++contagens; };
    bool parou = false;
    getTextoEntreParaLista("[a]", "[", "]", lista, r, &parou);
    QVERIFY(parou);
    extrairContendoParaLista("x=1", "x=", lista, r, &parou);
    QVERIFY(parou);
    QCOMPARE(informados, (QStringList{"Interrompido por sua solicitação", "Interrompido por sua solicitação"}));
    QCOMPARE(contagens, 0);
    QCOMPARE(lista.tamanho(), 0);
}

void TstPalavras::entradasHostis()
{
    QString texto = QString(3 * 1024 * 1024, u'a');
    texto += QChar(char16_t(0xDC00));
    texto += QStringLiteral("\0k=v;");
    const QStringList palavras = varrerContendo(texto, "k=");
    QCOMPARE(palavras.size(), 1);
    QVERIFY(palavras[0].endsWith(QStringLiteral("k=v")));
    QCOMPARE(varrerEntre(texto, "k=", ";"), QStringList{"v"});
    QCOMPARE(varrerContendo(texto, "a").size(), 1);
    QCOMPARE(varrerEntre(QString(), "a", "b"), QStringList());
}

VASPIRA_ENGINE_TEST_MAIN(TstPalavras)
#include "tst_palavras.moc"
