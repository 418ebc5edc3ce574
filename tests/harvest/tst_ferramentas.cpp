#include "harvest/ferramentas.h"
#include "support/ambiente.h"

#include <QtTest>

class TstFerramentas : public QObject
{
    Q_OBJECT

private slots:
    void excluirLinhasContendo_data();
    void excluirLinhasContendo();
    void excluirTextoEntre_data();
    void excluirTextoEntre();
    void substituir_data();
    void substituir();
    void linhaCapturada_data();
    void linhaCapturada();
};

void TstFerramentas::excluirLinhasContendo_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QStringList>("esperado");
    const QStringList todas{"axyb", "abc", "cxyd"};
    QTest::newRow("apaga as que contêm") << "xy" << QStringList{"abc"};
    QTest::newRow("campo vazio mantém todas") << "" << todas;
    QTest::newRow("caixa conta") << "XY" << todas;
}

void TstFerramentas::excluirLinhasContendo()
{
    QFETCH(QString, valor);
    QFETCH(QStringList, esperado);
    QCOMPARE(::excluirLinhasContendo({"axyb", "abc", "cxyd"}, valor), esperado);
}

void TstFerramentas::excluirTextoEntre_data()
{
    QTest::addColumn<QString>("linha");
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<QString>("fim");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("duas peças e pontas aparadas")
        << "Ana (11) 9999 (ext) fim" << "(" << ")" << "Ana  9999  fim";
    QTest::newRow("início sem fim fica igual, sem aparar") << " Ana (11 " << "(" << ")" << " Ana (11 ";
    QTest::newRow("início em qualquer caixa") << "a <B>x</b> c" << "<b>" << "</b>" << "a  c";
    QTest::newRow("fim só na caixa digitada") << "a (x fim) b" << "(" << "FIM" << "a (x fim) b";
    QTest::newRow("fim vazio não apaga") << "a (x) b" << "(" << "" << "a (x) b";
    QTest::newRow("início vazio consome um caractere") << "abc)def" << "" << ")" << "adef";
    QTest::newRow("marcadores não cruzam linhas") << "fim) e (começo" << "(" << ")" << "fim) e (começo";
}

void TstFerramentas::excluirTextoEntre()
{
    QFETCH(QString, linha);
    QFETCH(QString, inicio);
    QFETCH(QString, fim);
    QFETCH(QString, esperado);
    QCOMPARE(excluirTextoEntreNaLinha(linha, inicio, fim), esperado);
}

void TstFerramentas::substituir_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("de");
    QTest::addColumn<QString>("por");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("sem caixa") << "Abc\nABC\nabc" << "abc" << "xyz" << "xyz\nxyz\nxyz";
    QTest::newRow("busca vazia não muda") << "abc" << "" << "x" << "abc";
    QTest::newRow("inserido não é buscado de novo") << "aa" << "a" << "aa" << "aaaa";
}

void TstFerramentas::substituir()
{
    QFETCH(QString, texto);
    QFETCH(QString, de);
    QFETCH(QString, por);
    QFETCH(QString, esperado);
    QCOMPARE(substituirSemCaixa(texto, de, por), esperado);
}

void TstFerramentas::linhaCapturada_data()
{
    QTest::addColumn<QString>("copiado");
    QTest::addColumn<QString>("linha");
    QTest::newRow("CR LF") << "  a\r\nb \r\n" << "a;b";
    QTest::newRow("LF do Linux") << "a\nb\nc" << "a;b;c";
    QTest::newRow("CR solto") << "a\rb" << "a;b";
    QTest::newRow("til removido") << "a~b~" << "ab";
    QTest::newRow("só brancos") << " \t\r\n " << "";
}

void TstFerramentas::linhaCapturada()
{
    QFETCH(QString, copiado);
    QFETCH(QString, linha);
    QCOMPARE(::linhaCapturada(copiado), linha);
}

VASPIRA_ENGINE_TEST_MAIN(TstFerramentas)
#include "tst_ferramentas.moc"
