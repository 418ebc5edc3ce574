#include "harvest/emails.h"
#include "harvest/telefones.h"
#include "harvest/textos.h"
#include "harvest/utf8Variantes.h"
#include "support/ambiente.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QtTest>

// The byte scans must give exactly what the text scans give.
class TstUtf8 : public QObject
{
    Q_OBJECT

private slots:
    void mesmasRespostasQueOTexto();
    void partesJuntasDaoOTodo();
    void validacaoAleatoria();
    void validacao_data();
    void validacao();
};

namespace {
QByteArray aleatorio(QRandomGenerator &g)
{
    static const char *const pecas[] = {
        "a", "b", "Z", "0", "1", "9", "@", ".", " ", ",", ";", "(", ")", "<", ">", "\"", "-", "+55 ",
        "\n", "\r\n", "\t", ":", "?", "=", "&nbsp;", "mailto:", ".com", ".br", ".co", "gmail", "x_y",
        "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xC2\xA0", "\xC3\xA0", "11 91111-2222",
        "(11) 3333-4444", "0800", "'", "!", "...", "/", "\xEF\xBB\xBF",
    };
    QByteArray r;
    const int n = g.bounded(400);
    for (int i = 0; i < n; ++i) {
        // Now and then a long run without delimiters, to reach the window's edges.
        if (g.bounded(50) == 0)
            r += QByteArray(g.bounded(250), 'a');
        else
            r += pecas[g.bounded(int(std::size(pecas)))];
    }
    return r;
}

// Every check this machine can run, each held to the decoder's verdict.
void compararVariantes(const QByteArray &b)
{
    QStringDecoder d(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString t = d.decode(b);
    const bool esperado = !d.hasError();
    const auto *u = reinterpret_cast<const unsigned char *>(b.constData());
    QVERIFY2(ehUtf8Valido(b) == esperado, b.toHex().constData());
    QVERIFY2(utf8::validoEscalar(u, b.size()) == esperado, b.toHex().constData());
#if defined(__x86_64__) && defined(__GNUC__)
    if (utf8::temSsse3())
        QVERIFY2(utf8::validoSsse3(u, b.size()) == esperado, b.toHex().constData());
    if (utf8::temAvx2())
        QVERIFY2(utf8::validoAvx2(u, b.size()) == esperado, b.toHex().constData());
    if (utf8::temAvx512())
        QVERIFY2(utf8::validoAvx512(u, b.size()) == esperado, b.toHex().constData());
#endif
}
} // namespace

void TstUtf8::mesmasRespostasQueOTexto()
{
    QRandomGenerator g(20261210);
    for (int i = 0; i < 4000; ++i) {
        QByteArray b = aleatorio(g);
        // Four-byte characters at every offset around the window's edges.
        if (i % 3 == 0)
            b = QByteArray(i % 120, 'x') + "\xF0\x9F\x98\x80" + QByteArray(i % 97, 'y') + "@dom.com"
                + QByteArray(i % 211, 'z') + "\xF0\x9F\x98\x80" + "w.com.br";
        else if (i % 3 == 1)
            // Two-byte characters at every offset around the window's edges.
            b = QByteArray(i % 130, 'x') + "\xC3\xA9" + QByteArray(i % 103, 'y') + "@dom.com"
                + QByteArray(i % 205, 'z') + "\xC3\xA9" + "w.com.br";
        QVERIFY(ehUtf8Valido(b));
        // A U+FEFF is a character here, even at the start: a file that opens
        // with a byte order mark never reaches the byte scan.
        QStringDecoder d(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        const QString t = d.decode(b);
        QCOMPARE(getEmailsUtf8(b), getEmails(t).toUtf8());
        QCOMPARE(getTelefonesUtf8(b), getTelefones(t));
    }
}

void TstUtf8::partesJuntasDaoOTodo()
{
    QRandomGenerator g(42);
    for (int i = 0; i < 2000; ++i) {
        const QByteArray b = aleatorio(g);
        const qsizetype meio = b.isEmpty() ? 0 : g.bounded(int(b.size()));
        const qsizetype arroba = b.indexOf('@', meio);
        if (arroba >= 0) {
            QCOMPARE(getEmailsUtf8(b, 0, arroba + 1) + getEmailsUtf8(b, arroba + 1, b.size()), getEmailsUtf8(b));
        }
        qsizetype letra = meio;
        while (letra < b.size() && !((b[letra] | 0x20) >= 'a' && (b[letra] | 0x20) <= 'z'))
            ++letra;
        if (letra < b.size()) {
            QCOMPARE(juntarTelefones(getTelefonesUtf8(b, 0, letra), getTelefonesUtf8(b, letra, b.size())),
                     getTelefonesUtf8(b));
        }
    }
}

void TstUtf8::validacaoAleatoria()
{
    // Random bytes rich in lead and continuation bytes, against Qt's decoder,
    // at every length around the 16-, 32- and 64-byte blocks.
    QRandomGenerator g(99);
    static const unsigned char especiais[] = {0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF,
                                              0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF, 'a', ' ', 0x00};
    for (int i = 0; i < 30000; ++i) {
        QByteArray b;
        const int n = g.bounded(70);
        for (int k = 0; k < n; ++k) {
            switch (g.bounded(4)) {
            case 0: b += char(especiais[g.bounded(int(std::size(especiais)))]); break;
            case 1: b += char(g.bounded(256)); break;
            case 2: b += "\xC3\xA9"; break;
            default: b += QByteArray(g.bounded(40), 'x'); break;
            }
        }
        compararVariantes(b);
        if (QTest::currentTestFailed())
            return;
    }
}

void TstUtf8::validacao_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ASCII") << QByteArray("abc 123");
    QTest::newRow("acentos e emoji") << QByteArray("ol\xC3\xA1 \xF0\x9F\x98\x80");
    QTest::newRow("Windows-1252") << QByteArray("ol\xE1");
    QTest::newRow("forma longa") << QByteArray("\xC0\xAF");
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80");
    QTest::newRow("acima de U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
    QTest::newRow("cortado no fim") << QByteArray("abc\xE2\x82");
    QTest::newRow("continuação solta") << QByteArray("a\x80z");
}

void TstUtf8::validacao()
{
    QFETCH(QByteArray, bytes);
    // Each case also at every offset from a block's start, and right after
    // a whole block of plain ASCII.
    for (int antes = 0; antes <= 64; ++antes) {
        compararVariantes(QByteArray(antes, 'a') + bytes);
        compararVariantes(QByteArray(antes, 'a') + bytes + QByteArray(64, 'b'));
        if (QTest::currentTestFailed())
            return;
    }
}

VASPIRA_ENGINE_TEST_MAIN(TstUtf8)
#include "tst_utf8.moc"
