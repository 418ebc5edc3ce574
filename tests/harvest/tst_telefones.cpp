#include "harvest/telefones.h"
#include "support/ambiente.h"

#include <QtTest>

class TstTelefones : public QObject
{
    Q_OBJECT

private slots:
    void getTelefones_data();
    void getTelefones();
    void validaTelefone_data();
    void validaTelefone();
    void entradasHostis();
};

void TstTelefones::getTelefones_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("esperado");
    const QString nbsp(QChar(0x00A0));

    QTest::newRow("em branco") << " \r\n " << QStringList();
    QTest::newRow("com e sem parênteses") << "Ligue (11) 91111-2222 ou 11 3333-4444."
                                          << QStringList{"(11) 91111-2222", "(11) 3333-4444"};
    QTest::newRow("código do país") << " +55 11 91111-2222" << QStringList{"+55 (11) 91111-2222"};
    QTest::newRow("zero de tronco com DDD") << " (011) 91111-2222" << QStringList{"(11) 91111-2222"};
    QTest::newRow("zero de tronco e operadora") << " 0 21 11 3333-4444" << QStringList{"(11) 3333-4444"};
    QTest::newRow("00 segue como código de país") << " 0055 11 91111-2222" << QStringList();
    QTest::newRow("zero inicial removido") << " 0 91111-2222" << QStringList{"91111-2222"};
    QTest::newRow("nove dígitos") << " 91111-2222" << QStringList{"91111-2222"};
    QTest::newRow("oito dígitos são poucos") << " 3333-4444" << QStringList();
    QTest::newRow("0800 recusado") << " 0800 111 2222" << QStringList();
    QTest::newRow("repetido com outra pontuação") << " (11) 91111-2222 ou 11.91111.2222"
                                                  << QStringList{"(11) 91111-2222"};
    QTest::newRow("dois juntos passam de 18 dígitos") << " 11 91111-2222 11 91111-2222" << QStringList();
    QTest::newRow("colado a uma palavra") << "tel91111-2222" << QStringList();
    QTest::newRow("depois de =") << "id=11911112222" << QStringList();
    QTest::newRow("no começo do texto") << "11911112222" << QStringList{"(11) 91111-2222"};
    QTest::newRow("coluna colada") << "11911112222\n21933334444\n"
                                   << QStringList{"(11) 91111-2222", "(21) 93333-4444"};
    QTest::newRow("depois de quebra de linha") << "x\n11911112222" << QStringList{"(11) 91111-2222"};
    // Each allowed predecessor right after a letter, which is none.
    QTest::newRow("depois de CR") << "x\r11911112222" << QStringList{"(11) 91111-2222"};
    QTest::newRow("depois de aspas") << "x\"11911112222\"" << QStringList{"(11) 91111-2222"};
    QTest::newRow("depois de apóstrofo") << "x'11911112222'" << QStringList{"(11) 91111-2222"};
    QTest::newRow("depois de >") << "<td>11911112222</td>" << QStringList{"(11) 91111-2222"};
    QTest::newRow("depois de parêntese") << "x(11911112222)" << QStringList{"(11) 91111-2222"};
    QTest::newRow("depois de +") << "x+5511911112222" << QStringList{"+55 (11) 91111-2222"};
    QTest::newRow("depois de dois-pontos") << "Tel:11911112222" << QStringList{"(11) 91111-2222"};
    QTest::newRow("vários, o último no fim")
        << "a: 11911112222, b: (21) 3333-4444; c: 31 98888-7777"
        << QStringList{"(11) 91111-2222", "(21) 3333-4444", "(31) 98888-7777"};
    QTest::newRow("espaço sem quebra") << "Tel: (11)" + nbsp + "91111-2222" << QStringList{"(11) 91111-2222"};
}

void TstTelefones::getTelefones()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, esperado);
    QString esperadoTexto;
    for (const QString &l : esperado)
        esperadoTexto += l + QStringLiteral("\r\n");
    QCOMPARE(::getTelefones(texto), esperadoTexto);
}

void TstTelefones::validaTelefone_data()
{
    QTest::addColumn<QString>("digitos");
    QTest::addColumn<QString>("formatado");
    QTest::newRow("11 dígitos") << "11911112222" << "(11) 91111-2222";
    QTest::newRow("10 dígitos") << "1133334444" << "(11) 3333-4444";
    QTest::newRow("9 dígitos") << "911112222" << "91111-2222";
    QTest::newRow("país e 11") << "5511911112222" << "+55 (11) 91111-2222";
    QTest::newRow("país e 10") << "551133334444" << "+55 (11) 3333-4444";
    QTest::newRow("país e 9") << "55911112222" << "(55) 91111-2222";
    QTest::newRow("país, zero e 9") << "550911112222" << "+55 91111-2222";
    QTest::newRow("país de 14 dígitos") << "55119111122223" << "";
    QTest::newRow("tronco 0 e 11") << "011911112222" << "(11) 91111-2222";
    QTest::newRow("tronco, operadora e 10") << "0211133334444" << "(11) 3333-4444";
    QTest::newRow("tronco, operadora e 11") << "02111911112222" << "(11) 91111-2222";
    QTest::newRow("00 é código de país") << "00551191111222" << "";
    QTest::newRow("número começando com 0") << "1100111222" << "";
    QTest::newRow("país e número com 0") << "551101112222" << "+55 (11) 0111-2222";
    QTest::newRow("7 dígitos") << "1234567" << "";
}

void TstTelefones::validaTelefone()
{
    QFETCH(QString, digitos);
    QFETCH(QString, formatado);
    QCOMPARE(::validaTelefone(digitos), formatado);
}

void TstTelefones::entradasHostis()
{
    QString texto = QStringLiteral(" (11) 91111-2222 ");
    texto += QChar(char16_t(0xD800));
    texto += QStringLiteral("\0 21 93333-4444");
    texto += QString(5 * 1024 * 1024, u'9');
    texto += QStringLiteral("x 31 98888-7777");
    QCOMPARE(::getTelefones(texto), QStringLiteral("(11) 91111-2222\r\n(31) 98888-7777\r\n"));
    QCOMPARE(GetNumbersFromString(u"a1b2\u0663c3"), QStringLiteral("123"));
}

VASPIRA_ENGINE_TEST_MAIN(TstTelefones)
#include "tst_telefones.moc"
