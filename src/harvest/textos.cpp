#include "harvest/textos.h"

#include <QtAlgorithms>

#include <array>
#include <climits>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <tmmintrin.h>
#endif

QString aparar(QStringView texto)
{
    qsizetype ini = 0;
    qsizetype fim = texto.size();
    while (ini < fim && texto[ini].unicode() <= 32)
        ++ini;
    while (fim > ini && texto[fim - 1].unicode() <= 32)
        --fim;
    return texto.mid(ini, fim - ini).toString();
}

QString aparar(const QString &texto)
{
    if (texto.isEmpty() || (texto.front().unicode() > 32 && texto.back().unicode() > 32))
        return texto;
    return aparar(QStringView(texto));
}

bool terminaEmExtensaoDaWeb(QStringView texto)
{
    static const std::array<QLatin1StringView, 10> extensoes = {
        QLatin1StringView("png"), QLatin1StringView("jpg"), QLatin1StringView("jpeg"),
        QLatin1StringView("gif"), QLatin1StringView("webp"), QLatin1StringView("svg"),
        QLatin1StringView("bmp"), QLatin1StringView("ico"), QLatin1StringView("css"),
        QLatin1StringView("js"),
    };
    const qsizetype ponto = texto.lastIndexOf(u'.');
    const qsizetype tamanho = ponto < 0 ? 0 : texto.size() - ponto - 1;
    // Every extension has 2 to 4 letters; most endings are ruled out by that.
    if (tamanho < 2 || tamanho > 4)
        return false;
    const QStringView fim = texto.sliced(ponto + 1);
    for (const auto &ext : extensoes) {
        if (ext.size() == tamanho && fim.compare(ext, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool emBranco(QStringView texto)
{
    for (QChar c : texto) {
        if (c.unicode() > 32)
            return false;
    }
    return true;
}

namespace {

#if defined(__x86_64__) && defined(__GNUC__)
// Checks 16 bytes at a time with byte table look-ups (the method of Keiser
// and Lemire, "Validating UTF-8 in less than one instruction per byte"):
// every byte is classified with its predecessors in three 16-entry tables,
// and a wrong sequence leaves a bit set in the error register.
struct EstadoUtf8 {
    __m128i erro;
    __m128i anterior;
    __m128i incompletoAnterior;
};

__attribute__((target("ssse3"))) inline void blocoUtf8(EstadoUtf8 &e, __m128i entrada, __m128i tabela1Alto,
                                                     __m128i tabela1Baixo, __m128i tabela2Alto,
                                                     __m128i maximoNoFim)
{
    const __m128i nibble = _mm_set1_epi8(0x0F);
    if (_mm_movemask_epi8(entrada) == 0) {
        // All ASCII: only a sequence left open by the last block is wrong.
        e.erro = _mm_or_si128(e.erro, e.incompletoAnterior);
    } else {
        const __m128i prev1 = _mm_alignr_epi8(entrada, e.anterior, 15);
        const __m128i b1Alto = _mm_shuffle_epi8(tabela1Alto, _mm_and_si128(_mm_srli_epi16(prev1, 4), nibble));
        const __m128i b1Baixo = _mm_shuffle_epi8(tabela1Baixo, _mm_and_si128(prev1, nibble));
        const __m128i b2Alto = _mm_shuffle_epi8(tabela2Alto, _mm_and_si128(_mm_srli_epi16(entrada, 4), nibble));
        const __m128i especiais = _mm_and_si128(_mm_and_si128(b1Alto, b1Baixo), b2Alto);
        const __m128i prev2 = _mm_alignr_epi8(entrada, e.anterior, 14);
        const __m128i prev3 = _mm_alignr_epi8(entrada, e.anterior, 13);
        const __m128i terceiro = _mm_subs_epu8(prev2, _mm_set1_epi8(char(0xE0 - 0x80)));
        const __m128i quarto = _mm_subs_epu8(prev3, _mm_set1_epi8(char(0xF0 - 0x80)));
        const __m128i deve23 = _mm_and_si128(_mm_or_si128(terceiro, quarto), _mm_set1_epi8(char(0x80)));
        e.erro = _mm_or_si128(e.erro, _mm_xor_si128(deve23, especiais));
        e.incompletoAnterior = _mm_subs_epu8(entrada, maximoNoFim);
    }
    e.anterior = entrada;
}

__attribute__((target("ssse3"))) bool utf8ValidoSsse3(const unsigned char *d, qsizetype n)
{
    constexpr uint8_t TOO_SHORT = 1 << 0;
    constexpr uint8_t TOO_LONG = 1 << 1;
    constexpr uint8_t OVERLONG_3 = 1 << 2;
    constexpr uint8_t TOO_LARGE = 1 << 3;
    constexpr uint8_t SURROGATE = 1 << 4;
    constexpr uint8_t OVERLONG_2 = 1 << 5;
    constexpr uint8_t TOO_LARGE_1000 = 1 << 6;
    constexpr uint8_t OVERLONG_4 = 1 << 6;
    constexpr uint8_t TWO_CONTS = 1 << 7;
    constexpr uint8_t CARRY = TOO_SHORT | TOO_LONG | TWO_CONTS;

    const __m128i tabela1Alto = _mm_setr_epi8(
        TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG,
        TWO_CONTS, TWO_CONTS, TWO_CONTS, TWO_CONTS,
        char(TOO_SHORT | OVERLONG_2), TOO_SHORT, char(TOO_SHORT | OVERLONG_3 | SURROGATE),
        char(TOO_SHORT | TOO_LARGE | TOO_LARGE_1000 | OVERLONG_4));
    const __m128i tabela1Baixo = _mm_setr_epi8(
        char(CARRY | OVERLONG_3 | OVERLONG_2 | OVERLONG_4), char(CARRY | OVERLONG_2), CARRY, CARRY,
        char(CARRY | TOO_LARGE), char(CARRY | TOO_LARGE | TOO_LARGE_1000),
        char(CARRY | TOO_LARGE | TOO_LARGE_1000), char(CARRY | TOO_LARGE | TOO_LARGE_1000),
        char(CARRY | TOO_LARGE | TOO_LARGE_1000), char(CARRY | TOO_LARGE | TOO_LARGE_1000),
        char(CARRY | TOO_LARGE | TOO_LARGE_1000), char(CARRY | TOO_LARGE | TOO_LARGE_1000),
        char(CARRY | TOO_LARGE | TOO_LARGE_1000), char(CARRY | TOO_LARGE | TOO_LARGE_1000 | SURROGATE),
        char(CARRY | TOO_LARGE | TOO_LARGE_1000), char(CARRY | TOO_LARGE | TOO_LARGE_1000));
    const __m128i tabela2Alto = _mm_setr_epi8(
        TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT,
        char(TOO_LONG | OVERLONG_2 | TWO_CONTS | OVERLONG_3 | TOO_LARGE_1000 | OVERLONG_4),
        char(TOO_LONG | OVERLONG_2 | TWO_CONTS | OVERLONG_3 | TOO_LARGE),
        char(TOO_LONG | OVERLONG_2 | TWO_CONTS | SURROGATE | TOO_LARGE),
        char(TOO_LONG | OVERLONG_2 | TWO_CONTS | SURROGATE | TOO_LARGE),
        TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT);
    // A block must not end inside a sequence that the next block completes
    // wrongly; at the very end nothing may be left open.
    const __m128i maximoNoFim = _mm_setr_epi8(char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF),
                                              char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF),
                                              char(0xFF), char(0xFF), char(0xFF), char(0xF0 - 1),
                                              char(0xE0 - 1), char(0xC0 - 1));

    EstadoUtf8 e{_mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128()};
    qsizetype i = 0;
    auto bloco = [&](__m128i entrada) __attribute__((target("ssse3"))) {
        blocoUtf8(e, entrada, tabela1Alto, tabela1Baixo, tabela2Alto, maximoNoFim);
    };
    for (; i + 16 <= n; i += 16)
        bloco(_mm_loadu_si128(reinterpret_cast<const __m128i *>(d + i)));
    if (i < n) {
        // The tail, padded with zeros (ASCII).
        alignas(16) unsigned char resto[16] = {};
        std::memcpy(resto, d + i, static_cast<size_t>(n - i));
        bloco(_mm_load_si128(reinterpret_cast<const __m128i *>(resto)));
    }
    const __m128i erro = _mm_or_si128(e.erro, e.incompletoAnterior);
    return _mm_movemask_epi8(_mm_cmpeq_epi8(erro, _mm_setzero_si128())) == 0xFFFF;
}
#endif

bool utf8ValidoEscalar(const unsigned char *d, qsizetype n);

} // namespace

bool ehUtf8Valido(QByteArrayView bytes)
{
    const auto *d = reinterpret_cast<const unsigned char *>(bytes.data());
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3)
        return utf8ValidoSsse3(d, bytes.size());
#endif
    return utf8ValidoEscalar(d, bytes.size());
}

namespace {

bool utf8ValidoEscalar(const unsigned char *d, qsizetype n)
{
    qsizetype i = 0;
    while (i < n) {
        // Skip the ASCII prefix of the next 16 bytes at once: page texts mix
        // accented words into ASCII every few bytes.
#ifdef __SSE2__
        if (i + 16 <= n) {
            const int mascara = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(d + i)));
            if (mascara == 0) {
                i += 16;
                continue;
            }
            i += qCountTrailingZeroBits(static_cast<quint32>(mascara));
        }
#else
        if (i + 8 <= n) {
            quint64 oito;
            std::memcpy(&oito, d + i, 8);
            if ((oito & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
#endif
        const unsigned char b = d[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        auto continuacao = [&](qsizetype k) { return k < n && (d[k] & 0xC0) == 0x80; };
        if (b >= 0xC2 && b <= 0xDF) {
            // Two bytes: the accented letters of Portuguese.
            if (!continuacao(i + 1))
                return false;
            i += 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            if (i + 1 >= n)
                return false;
            const unsigned char c = d[i + 1];
            // No overlong forms (E0 80..9F), no surrogates (ED A0..BF).
            const bool segundoValido = b == 0xE0 ? (c >= 0xA0 && c <= 0xBF)
                                       : b == 0xED ? (c >= 0x80 && c <= 0x9F)
                                                   : (c & 0xC0) == 0x80;
            if (!segundoValido || !continuacao(i + 2))
                return false;
            i += 3;
        } else if (b >= 0xF0 && b <= 0xF4) {
            if (i + 1 >= n)
                return false;
            const unsigned char c = d[i + 1];
            // No overlong forms (F0 80..8F), nothing above U+10FFFF (F4 90..).
            const bool segundoValido = b == 0xF0 ? (c >= 0x90 && c <= 0xBF)
                                       : b == 0xF4 ? (c >= 0x80 && c <= 0x8F)
                                                   : (c & 0xC0) == 0x80;
            if (!segundoValido || !continuacao(i + 2) || !continuacao(i + 3))
                return false;
            i += 4;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

QString normalizarEspacos(const QString &texto)
{
    constexpr QChar semQuebra(0x00A0);
    if (!texto.contains(semQuebra))
        return texto;
    QString copia = texto;
    copia.replace(semQuebra, QLatin1Char(' '));
    return copia;
}

void normalizarQuebras(QString &texto)
{
    const qsizetype primeiro = texto.indexOf(u'\r');
    if (primeiro < 0)
        return;
    QChar *d = texto.data();
    const qsizetype n = texto.size();
    qsizetype escrito = primeiro;
    for (qsizetype i = primeiro; i < n; ++i) {
        if (d[i] == u'\r') {
            d[escrito++] = u'\n';
            if (i + 1 < n && d[i + 1] == u'\n')
                ++i;
        } else {
            d[escrito++] = d[i];
        }
    }
    texto.truncate(escrito);
}

QStringList dividirLinhas(QStringView texto)
{
    QStringList linhas;
    const qsizetype n = texto.size();
    qsizetype ini = 0;
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = texto[i].unicode();
        if (c == u'\r' || c == u'\n') {
            linhas.append(texto.mid(ini, i - ini).toString());
            if (c == u'\r' && i + 1 < n && texto[i + 1].unicode() == u'\n')
                ++i;
            ++i;
            ini = i;
        } else {
            ++i;
        }
    }
    if (ini < n)
        linhas.append(texto.mid(ini).toString());
    return linhas;
}

QString juntarLinhasCrLf(const QStringList &linhas)
{
    return linhas.join(QStringLiteral("\r\n"));
}

void removerPrimeiro(QString &texto, QStringView alvo, Qt::CaseSensitivity cs)
{
    const qsizetype pos = texto.indexOf(alvo, 0, cs);
    if (pos >= 0)
        texto.remove(pos, alvo.size());
}

int indiceDoNome(const QStringList &linhas, QStringView nome)
{
    for (int i = 0; i < linhas.size(); ++i) {
        const qsizetype igual = linhas[i].indexOf(QLatin1Char('='));
        if (igual >= 0 && QStringView(linhas[i]).left(igual).compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString valorDoNome(const QStringList &linhas, QStringView nome)
{
    const int i = indiceDoNome(linhas, nome);
    return i < 0 ? QString() : linhas[i].mid(linhas[i].indexOf(QLatin1Char('=')) + 1);
}

namespace {

bool inteiro(QStringView parte, int &valor)
{
    qsizetype i = 0;
    while (i < parte.size() && parte[i] == u' ')
        ++i;
    const QStringView resto = parte.mid(i);
    if (resto.isEmpty() || resto.back().unicode() <= 32)
        return false;
    bool ok = false;
    valor = resto.toInt(&ok);
    return ok;
}

} // namespace

bool setPoint(const QString &texto, int &x, int &y)
{
    QString t = texto;
    const qsizetype pontoEVirgula = t.indexOf(u';');
    if (pontoEVirgula >= 0)
        t[pontoEVirgula] = u',';
    const qsizetype virgula = t.indexOf(u',');
    if (virgula < 0)
        return false;
    return inteiro(QStringView(t).left(virgula), x) && inteiro(QStringView(t).mid(virgula + 1), y);
}

int lerContagem(const QString &texto)
{
    qsizetype i = 0;
    while (i < texto.size() && texto[i].unicode() <= 32)
        ++i;
    qsizetype fim = i;
    if (fim < texto.size() && (texto[fim] == u'-' || texto[fim] == u'+'))
        ++fim;
    while (fim < texto.size() && texto[fim] >= u'0' && texto[fim] <= u'9')
        ++fim;
    bool ok = false;
    const qlonglong valor = QStringView(texto).mid(i, fim - i).toLongLong(&ok);
    if (!ok)
        return 0;
    return static_cast<int>(qBound(qlonglong(INT_MIN), valor, qlonglong(INT_MAX)));
}
