#include "harvest/emails.h"
#include "support/ambiente.h"

#include <QtTest>

class TstEmails : public QObject
{
    Q_OBJECT

private slots:
    void getEmails_data();
    void getEmails();
    void getEmailsJanelaDe200Caracteres();
    void getEmailsEntradasHostis_data();
    void getEmailsEntradasHostis();
    void getEmailsMuitosEnderecos();
    void tratarEmail_data();
    void tratarEmail();
};

void TstEmails::getEmails_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("esperado");

    const QString nbsp(QChar(0x00A0));
    auto linhas = [](std::initializer_list<const char *> l) {
        QStringList r;
        for (const char *s : l)
            r << QString::fromUtf8(s);
        return r;
    };

    QTest::newRow("texto vazio") << QString() << QStringList();
    QTest::newRow("sem arroba") << "Ligue para nós amanhã" << QStringList();
    QTest::newRow("três na mesma frase, vírgula, espaço e parênteses")
        << "Fale com ana@x.com.br, bia@y.com e (caio@z.org) hoje"
        << linhas({"ana@x.com.br", "bia@y.com", "caio@z.org"});
    QTest::newRow("mailto em maiúsculas") << "MAILTO:Ana@Site.com.br" << linhas({"ana@site.com.br"});
    QTest::newRow("prefixo email=") << "email=ana@x.com" << linhas({"ana@x.com"});
    QTest::newRow("caixa baixa") << "Ana.Souza@Empresa.COM.BR" << linhas({"ana.souza@empresa.com.br"});
    QTest::newRow("repetido fica repetido") << "a@x.com b@y.com a@x.com"
                                            << linhas({"a@x.com", "b@y.com", "a@x.com"});
    QTest::newRow("delimitadores ; < > aspas tab") << "<ana@x.com>;\"bia@y.com\"\tcaio@z.com"
                                                  << linhas({"ana@x.com", "bia@y.com", "caio@z.com"});

    // Endings: only real truncations are completed.
    QTest::newRow("co no fim vira com") << "ana@gmail.co" << linhas({"ana@gmail.com"});
    QTest::newRow("com.co fica") << "ana@empresa.com.co" << linhas({"ana@empresa.com.co"});
    QTest::newRow("c vira com") << "ana@gmail.c" << linhas({"ana@gmail.com"});
    QTest::newRow("b vira br") << "ana@x.com.b" << linhas({"ana@x.com.br"});
    QTest::newRow("ne vira net") << "ana@x.ne" << linhas({"ana@x.net"});
    QTest::newRow("io fica") << "ana@startup.io" << linhas({"ana@startup.io"});
    QTest::newRow("info fica") << "ana@site.info" << linhas({"ana@site.info"});
    QTest::newRow("de fica") << "ana@firma.de" << linhas({"ana@firma.de"});
    QTest::newRow("CO maiúsculo fica") << "ana@gmail.CO" << linhas({"ana@gmail.co"});

    // Query, punctuation and entities.
    QTest::newRow("interrogação e palavra") << "ana@x.com?assunto" << linhas({"ana@x.com"});
    QTest::newRow("mailto com consulta") << "mailto:ana@example.com?subject=Contato"
                                         << linhas({"ana@example.com"});
    QTest::newRow("exclamação final") << "Fale conosco: contato@x.com.br!"
                                      << linhas({"contato@x.com.br"});
    QTest::newRow("dois pontos final") << "ana@x.com: respondemos" << linhas({"ana@x.com"});
    QTest::newRow("rótulo colado com dois pontos") << "E-mail:ana@x.com" << linhas({"ana@x.com"});
    QTest::newRow("entidade nbsp") << "<td>ana@x.com&nbsp;</td>" << linhas({"ana@x.com"});
    QTest::newRow("entidades lt gt") << "&lt;ana@x.com&gt;" << linhas({"ana@x.com"});
    QTest::newRow("espaço sem quebra antes") << "E-mail:" + nbsp + "ana@x.com" << linhas({"ana@x.com"});
    QTest::newRow("apóstrofo e ponto finais") << "ana@x.com'." << linhas({"ana@x.com"});

    // Rejections.
    QTest::newRow("sublinhado inicial") << "_ana@x.com" << QStringList();
    QTest::newRow("ponto inicial") << ".ana@x.com" << QStringList();
    QTest::newRow("sem ponto após arroba") << "ana@localhost" << QStringList();
    QTest::newRow("começa com arroba") << "@x.com" << QStringList();
    QTest::newRow("arroba penúltima") << "ana@x" << QStringList();
    QTest::newRow("imagem @2x") << "logo@2x.png" << QStringList();
    QTest::newRow("imagem em maiúsculas") << "LOGO@2X.JPG" << QStringList();
    QTest::newRow("folha de estilo") << "tema@v2.css" << QStringList();
    QTest::newRow("consulta com = sem interrogação") << "ana@x.com=valor" << QStringList();
    QTest::newRow("ip com zero") << "ana@10.0.0.1" << QStringList();
    QTest::newRow("reticências") << "ana@x...com" << QStringList();
    for (const char *c : {"*", "}", "{", "%", "[", "]", "\\", "|", "$", "/", "#"}) {
        const QString proibido = QString::fromLatin1(c);
        QTest::newRow(qPrintable("proibido " + proibido)) << "an" + proibido + "a@x.com" << QStringList();
    }
}

void TstEmails::getEmails()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, esperado);
    QString esperadoTexto;
    for (const QString &l : esperado)
        esperadoTexto += l + QStringLiteral("\r\n");
    QCOMPARE(::getEmails(texto), esperadoTexto);
}

void TstEmails::getEmailsJanelaDe200Caracteres()
{
    // 100 characters before the "@" are kept; after it only 99 are looked at.
    const QString texto = QString(150, u'x') + QStringLiteral("@abc.") + QString(120, u'd');
    const QString esperado = QString(100, u'x') + QStringLiteral("@abc.") + QString(95, u'd');
    QCOMPARE(::getEmails(texto), esperado + QStringLiteral("\r\n"));
}

void TstEmails::getEmailsEntradasHostis_data()
{
    QTest::addColumn<QString>("texto");
    QTest::newRow("NUL no meio") << QStringLiteral("ana\0@x.com \0@\0.\0");
    const QChar alto(char16_t(0xD800));
    const QChar baixo(char16_t(0xDC00));
    QTest::newRow("surrogates soltos") << QStringLiteral("a") + alto + QStringLiteral("@x.com ") + baixo
                                              + QStringLiteral("@y.com") + alto;
    QTest::newRow("só arrobas") << QString(5000, u'@');
    QTest::newRow("arrobas e pontos") << QString(3000, u'@') + QString(3000, u'.');
    QTest::newRow("linha única de 5 MB") << QString(5 * 1024 * 1024, u'a') + QStringLiteral("@b.com");
}

void TstEmails::getEmailsEntradasHostis()
{
    QFETCH(QString, texto);
    const QString resultado = ::getEmails(texto);
    const QStringList linhas = resultado.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString &l : linhas)
        QVERIFY2(l.contains(u'@') && l.size() <= 200, qPrintable(l.left(80)));
}

void TstEmails::getEmailsMuitosEnderecos()
{
    // A large page: the scan must walk positions, not copy the rest of the text.
    QString texto;
    const int total = 50000;
    for (int i = 0; i < total; ++i)
        texto += QStringLiteral("<li>Contato %1: pessoa%1@empresa.com.br</li>\n").arg(i);
    const QString resultado = ::getEmails(texto);
    QCOMPARE(resultado.count(QStringLiteral("\r\n")), total);
    QVERIFY(resultado.startsWith(QStringLiteral("pessoa0@empresa.com.br\r\n")));
}

void TstEmails::tratarEmail_data()
{
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("endereço limpo") << "ana@x.com" << "ana@x.com";
    QTest::newRow("caixa baixa") << "ANA@X.COM" << "ana@x.com";
    QTest::newRow("rótulo e-mail:") << "e-mail:ana@x.com" << "ana@x.com";
    QTest::newRow("rótulo E-mail: colado") << "E-mail:ana@x.com" << "ana@x.com";
    QTest::newRow("rótulo E-mail: com espaço") << "E-mail: ana@x.com" << "ana@x.com";
    QTest::newRow("mailto colado") << "mailto:ana@x.com" << "ana@x.com";
    QTest::newRow("MAILTO com consulta") << "MAILTO:ana@x.com?subject=Oi" << "ana@x.com";
    QTest::newRow("pontos espaços traços finais") << "ana@x.com.- " << "ana@x.com";
    QTest::newRow(".b completa br") << "ana@x.com.b" << "ana@x.com.br";
    QTest::newRow(".co completa com") << "ana@gmail.co" << "ana@gmail.com";
    QTest::newRow(".com.co fica") << "ana@empresa.com.co" << "ana@empresa.com.co";
    QTest::newRow("termina em arroba") << "ana@" << "";
    QTest::newRow("começa com arroba") << "@x.com" << "";
    QTest::newRow("sem ponto") << "ana@x" << "";
    QTest::newRow("com espaço") << "ana silva@x.com" << "";
    QTest::newRow("reticências") << "ana@x.com...mais" << "ana@x.com";
    QTest::newRow("vírgula final") << "ana@x.com," << "ana@x.com";
    QTest::newRow("barra e caminho") << "ana@x.com/contato" << "ana@x.com";
    QTest::newRow("palavra colada com ponto") << "ana@x.com.Obrigado" << "ana@x.com";
    QTest::newRow("domínio de topo info fica") << "ana@empresa.info" << "ana@empresa.info";
    QTest::newRow("domínio de topo online fica") << "ana@loja.online" << "ana@loja.online";
    QTest::newRow("sem ponto depois do corte") << "ana@x/y.com" << "";
    QTest::newRow("aspas e dois traços") << "\"ana--silva@x.com.br\"" << "anasilva@x.com.br";
    QTest::newRow("imagem") << "logo@2x.png" << "";
    QTest::newRow("espaço sem quebra") << QString(QChar(0x00A0)) + "ana@x.com" << "ana@x.com";
}

void TstEmails::tratarEmail()
{
    QFETCH(QString, entrada);
    QFETCH(QString, esperado);
    QCOMPARE(::tratarEmail(entrada), esperado);
}

VASPIRA_ENGINE_TEST_MAIN(TstEmails)
#include "tst_emails.moc"
