#include "harvest/padroes.h"
#include "support/ambiente.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

class TstPadroes : public QObject
{
    Q_OBJECT

private slots:
    void ocorrencias_data();
    void ocorrencias();
    void mesmoQueOPadraoInteiro();
    void textoEmMemoria();
    void arquivoLinhaALinha();
    void codificacoes_data();
    void codificacoes();
    void linhaMuitoLonga();
    void pararEmails();
    void arquivoVazioEAusente();
    void espacoSemQuebra_data();
    void espacoSemQuebra();
    void listaSemRepetirPeloCollator();

private:
    QString gravar(const QString &nome, const QByteArray &bytes)
    {
        const QString caminho = pastaDeTeste() + nome;
        QFile f(caminho);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return caminho;
    }
};

void TstPadroes::ocorrencias_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("esperado");
    const int email = int(TipoPadrao::Email);
    const int fone = int(TipoPadrao::Telefone);
    QTest::newRow("ponto final fora") << email << "Escreva para ana@x.com.br." << QStringList{"ana@x.com.br"};
    QTest::newRow("caixa preservada") << email << "Ana@X.com e ana@x.com" << QStringList{"Ana@X.com", "ana@x.com"};
    QTest::newRow("imagem recusada") << email << "logo@2x.png e icone@3x.SVG" << QStringList();
    QTest::newRow("como escrito") << fone << "Ligue (11) 91111-2222." << QStringList{"(11) 91111-2222"};
    QTest::newRow("país com espaço fica de fora") << fone << "+55 11 91111-2222" << QStringList{"11 91111-2222"};
    QTest::newRow("país colado fica") << fone << "+5511911112222" << QStringList{"+5511911112222"};
    QTest::newRow("onze dígitos seguidos") << fone << "11911112222" << QStringList{"11911112222"};
    QTest::newRow("sem DDD não casa") << fone << "91111-2222" << QStringList();
}

void TstPadroes::ocorrencias()
{
    QFETCH(int, tipo);
    QFETCH(QString, texto);
    QFETCH(QStringList, esperado);
    QStringList achadas;
    paraCadaOcorrencia(TipoPadrao(tipo), texto, [&](QStringView o) { achadas << o.toString(); });
    QCOMPARE(achadas, esperado);
}

void TstPadroes::mesmoQueOPadraoInteiro()
{
    // The e-mail search jumps from "@" to "@"; it must find exactly what the
    // pattern finds running over the whole text, in the file methods too.
    const QRegularExpression email(QStringLiteral("\\b[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}\\b"));
    const QRegularExpression fone(QStringLiteral(
        "(?:\\+|00)?(?:\\d{2})?(?:\\()?(\\d{2})(?:\\))?(?:[-\\s]?)(?:\\d{4,5})(?:[-\\s]?)(?:\\d{4})"));
    static const char *const pecas[] = {"a", "Z", "9", "@", "@", ".", "_", "-", "+", "%", " ", "\n", "\r\n",
                                        "com", "br", ".c", "x@y", "(", ")", "11", "9111", "2222", "é", "<", "="};
    QRandomGenerator g(7);
    for (int i = 0; i < 3000; ++i) {
        QString t;
        const int n = g.bounded(120);
        for (int k = 0; k < n; ++k)
            t += QString::fromUtf8(pecas[g.bounded(int(std::size(pecas)))]);
        for (auto [tipo, re] : {std::pair{TipoPadrao::Email, &email}, std::pair{TipoPadrao::Telefone, &fone}}) {
            QStringList esperado;
            auto it = re->globalMatch(t);
            while (it.hasNext())
                esperado << it.next().captured(0);
            QStringList achado;
            paraCadaOcorrencia(tipo, t, [&](QStringView o) { achado << o.toString(); });
            QCOMPARE(achado, esperado);

            // Line by line from a file: the same, less what crosses a line.
            QStringList porLinha;
            for (const QString &linha : t.split(QRegularExpression(QStringLiteral("[\r\n]")))) {
                auto itl = re->globalMatch(linha);
                while (itl.hasNext())
                    porLinha << itl.next().captured(0);
            }
            const QString caminho = gravar("aleatorio.txt", t.toUtf8());
            ListaResultados doArquivo;
            QString erro;
            QVERIFY(extrairPadraoDoArquivo(tipo, caminho, "UTF-8", doArquivo, {}, erro));
            ListaResultados esperadoPorLinha;
            for (const QString &x : porLinha)
                esperadoPorLinha.adicionar(x);
            QCOMPARE(doArquivo.ordenadas(), esperadoPorLinha.ordenadas());
        }
    }
}

void TstPadroes::textoEmMemoria()
{
    ListaResultados lista;
    QStringList status;
    QList<QPair<QString, QString>> contagens;
    QList<QPair<qint64, qint64>> progresso;
    RelatorDeVarredura r;
    r.status = [&](const QString &s) { status << s; };
    r.contagens = [&](const QString &a, const QString &b) { contagens.append({a, b}); };
    r.progresso = [&](qint64 m, qint64 p) { progresso.append({m, p}); };
    QString texto;
    for (int i = 0; i < 12; ++i)
        texto += QStringLiteral("p%1@x.com P%1@X.COM\n").arg(i % 6);
    extrairPadraoDoTexto(TipoPadrao::Email, texto, lista, r);
    QCOMPARE(status, QStringList{"Extraindo e-mails..."});
    QCOMPARE(progresso, (QList<QPair<qint64, qint64>>{{1, 1}}));
    QCOMPARE(contagens.size(), 3);
    QCOMPARE(contagens.last().first, QStringLiteral("Total de emails neste arquivo: 24"));
    QCOMPARE(contagens.last().second, QStringLiteral("Não repetidos: 6"));
    QCOMPARE(lista.ordenadas().first(), QStringLiteral("p0@x.com"));

    // Across lines for phones, as the pattern allows white space.
    ListaResultados fones;
    status.clear();
    extrairPadraoDoTexto(TipoPadrao::Telefone, "(11)\n91111-2222", fones, r);
    QVERIFY(status.isEmpty());
    QCOMPARE(fones.ordenadas(), QStringList{"(11)\n91111-2222"});
}

void TstPadroes::arquivoLinhaALinha()
{
    const QString caminho = gravar("fones.txt", "Loja A (11) 91111-2222\r\nLoja B (21)\n3333-4444\rLoja C 31 98888-7777");
    ListaResultados lista;
    QString ultimaContagem;
    RelatorDeVarredura r;
    r.contagens = [&](const QString &a, const QString &) { ultimaContagem = a; };
    QString erro;
    QVERIFY(extrairPadraoDoArquivo(TipoPadrao::Telefone, caminho, "UTF-8", lista, r, erro));
    QCOMPARE(lista.ordenadas(), (QStringList{"(11) 91111-2222", "31 98888-7777"}));
    QCOMPARE(ultimaContagem, QStringLiteral("Total de telefones neste arquivo: 2"));
}

void TstPadroes::codificacoes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("dada");
    QTest::newRow("Windows-1252") << QByteArray("Jos\xE9: jose@x.com.br\n") << "Windows-1252";
    QTest::newRow("UTF-8 com marca") << QByteArray("\xEF\xBB\xBFjose@x.com.br") << "UTF-8";
    QTest::newRow("UTF-16 LE com marca")
        << QByteArray("\xFF\xFEj\0o\0s\0e\0@\0x\0.\0c\0o\0m\0.\0b\0r\0", 28) << "UTF-16LE";
}

void TstPadroes::codificacoes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, dada);
    const QString caminho = gravar("codificado.txt", bytes);
    QCOMPARE(adivinharCodificacao(caminho), dada);
    for (TipoPadrao tipo : {TipoPadrao::Email, TipoPadrao::Telefone}) {
        ListaResultados lista;
        QString erro;
        QVERIFY(extrairPadraoDoArquivo(tipo, caminho, dada, lista, {}, erro));
        if (tipo == TipoPadrao::Email)
            QCOMPARE(lista.ordenadas(), QStringList{"jose@x.com.br"});
    }
}

void TstPadroes::linhaMuitoLonga()
{
    // One 20 MB line: scanned in overlapping windows, every address exactly once.
    QByteArray linha;
    QString texto;
    int i = 0;
    while (linha.size() < 20 * 1024 * 1024) {
        const QByteArray pedaco = QByteArray(997 + (i % 13), 'x') + ' ' + "pessoa" + QByteArray::number(i) + "@empresa.com.br";
        linha += pedaco;
        ++i;
    }
    const QString caminho = gravar("longa.txt", linha);
    ListaResultados doArquivo;
    QString erro;
    qint64 contagem = 0;
    RelatorDeVarredura r;
    r.contagens = [&](const QString &a, const QString &) {
        contagem = a.mid(a.lastIndexOf(u' ') + 1).toLongLong();
    };
    QVERIFY(extrairPadraoDoArquivo(TipoPadrao::Email, caminho, "UTF-8", doArquivo, r, erro));
    QCOMPARE(contagem, qint64(i));
    QCOMPARE(doArquivo.tamanho(), qsizetype(i));

    ListaResultados naMemoria;
    extrairPadraoDoTexto(TipoPadrao::Email, QString::fromLatin1(linha), naMemoria, {});
    QCOMPARE(doArquivo.ordenadas(), naMemoria.ordenadas());
}

void TstPadroes::pararEmails()
{
    const QString caminho = gravar("parar.txt", "a@x.com\n");
    ListaResultados lista;
    QStringList informados;
    RelatorDeVarredura r;
    r.parar = [] { return true; };
    r.informar = [&](const QString &s) { informados << s; };
    QString erro;
    int contagens = 0;
    r.contagens = [&](const QString &, const QString &) { ++contagens; };
    QVERIFY(extrairPadraoDoArquivo(TipoPadrao::Email, caminho, "UTF-8", lista, r, erro));
    QCOMPARE(informados, QStringList{"Processamento cancelado por sua solicitação"});
    QCOMPARE(lista.tamanho(), 0);
    // The counts of the end of a file are not shown after a cancel.
    QCOMPARE(contagens, 0);
    // The phone method does not look at the stop request.
    QVERIFY(extrairPadraoDoArquivo(TipoPadrao::Telefone, gravar("parar2.txt", "11 91111-2222"), "UTF-8",
                                   lista, r, erro));
    QCOMPARE(lista.tamanho(), 1);
}

void TstPadroes::arquivoVazioEAusente()
{
    ListaResultados lista;
    QString contagem;
    RelatorDeVarredura r;
    r.contagens = [&](const QString &a, const QString &) { contagem = a; };
    QString erro;
    QVERIFY(extrairPadraoDoArquivo(TipoPadrao::Email, gravar("vazio.txt", QByteArray()), "UTF-8", lista, r, erro));
    QCOMPARE(contagem, QStringLiteral("Total de emails neste arquivo: 0"));
    QVERIFY(!extrairPadraoDoArquivo(TipoPadrao::Email, pastaDeTeste() + "nao-existe.txt", "UTF-8", lista, r, erro));
    QVERIFY(!erro.isEmpty());
}

void TstPadroes::espacoSemQuebra_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("codificacao");
    QTest::newRow("UTF-8") << QByteArray("Tel.: (11)\xC2\xA0" "91111-2222\n") << "UTF-8";
    QTest::newRow("Windows-1252") << QByteArray("Tel.: (11)\xA0" "91111-2222\n") << "Windows-1252";
    QTest::newRow("UTF-16 LE") << QByteArray("(\0" "1\0" "1\0" ")\0" "\xA0\0" "9\0" "1\0" "1\0" "1\0" "1\0"
                                             "-\0" "2\0" "2\0" "2\0" "2\0", 30)
                               << "UTF-16LE";
    // The two bytes of the no-break space on either side of a read block.
    QByteArray emDoisBlocos(1024 * 1024 - 5, 'x');
    emDoisBlocos += " (11)\xC2\xA0" "91111-2222";
    QTest::newRow("UTF-8, entre dois blocos") << emDoisBlocos << "UTF-8";
}

void TstPadroes::espacoSemQuebra()
{
    // Read as a plain space, as everywhere else: the phone pattern allows a
    // single white space between its parts.
    QFETCH(QByteArray, bytes);
    QFETCH(QString, codificacao);
    ListaResultados doArquivo;
    QString erro;
    QVERIFY(extrairPadraoDoArquivo(TipoPadrao::Telefone, gravar("nbsp.txt", bytes), codificacao, doArquivo, {},
                                   erro));
    QCOMPARE(doArquivo.ordenadas(), QStringList{"(11) 91111-2222"});

    ListaResultados naMemoria;
    extrairPadraoDoTexto(TipoPadrao::Telefone, QStringLiteral("(11)\u00A091111-2222"), naMemoria, {});
    QCOMPARE(naMemoria.ordenadas(), QStringList{"(11) 91111-2222"});
}

void TstPadroes::listaSemRepetirPeloCollator()
{
    // Repeats are what the results collation finds equal (a soft hyphen, a
    // decomposed accent), the first spelling met kept, so "Não repetidos"
    // counts the lines that come out.
    ListaResultados lista;
    QVERIFY(lista.adicionar(QStringLiteral("con\u00ADtato")));
    QVERIFY(!lista.adicionar(QStringLiteral("CONTATO")));
    QVERIFY(lista.adicionar(QStringLiteral("e\u0301")));
    QVERIFY(!lista.adicionar(QStringLiteral("\u00E9")));
    QVERIFY(!lista.adicionar(QStringLiteral("\u00C9")));
    QCOMPARE(lista.tamanho(), 2);

    // Lines added after a mark can be taken back whole.
    const qsizetype marca = lista.marca();
    QVERIFY(lista.adicionar(QStringLiteral("ana")));
    QVERIFY(lista.adicionar(QStringLiteral("Bia")));
    lista.voltarA(marca);
    QCOMPARE(lista.tamanho(), 2);
    QVERIFY(lista.adicionar(QStringLiteral("ANA")));
    QVERIFY(!lista.adicionar(QStringLiteral("contato")));
    QCOMPARE(lista.ordenadas(), (QStringList{"ANA", QStringLiteral("con\u00ADtato"), QStringLiteral("e\u0301")}));
}

VASPIRA_ENGINE_TEST_MAIN(TstPadroes)
#include "tst_padroes.moc"
