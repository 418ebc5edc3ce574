#include "harvest/textos.h"
#include "harvest/utf8Variantes.h"

#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

bool ehUtf8Valido(QByteArrayView bytes)
{
    const auto *d = reinterpret_cast<const unsigned char *>(bytes.data());
#if defined(__x86_64__) && defined(__GNUC__)
    if (utf8::temAvx512())
        return utf8::validoAvx512(d, bytes.size());
    if (utf8::temAvx2())
        return utf8::validoAvx2(d, bytes.size());
    if (utf8::temSsse3())
        return utf8::validoSsse3(d, bytes.size());
#endif
    return utf8::validoEscalar(d, bytes.size());
}

namespace utf8 {

bool validoEscalar(const unsigned char *d, qsizetype n)
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

#if defined(__x86_64__) && defined(__GNUC__)

bool temSsse3()
{
    static const bool tem = __builtin_cpu_supports("ssse3");
    return tem;
}

bool temAvx2()
{
    static const bool tem = __builtin_cpu_supports("avx2");
    return tem;
}

bool temAvx512()
{
    static const bool tem = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    return tem;
}

namespace {

// The vector checks classify every byte with its predecessors in three
// 16-entry tables (the method of Keiser and Lemire, "Validating UTF-8 in
// less than one instruction per byte"); a wrong sequence leaves a bit set
// in the error register.
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

// By the high nibble of the previous byte.
alignas(16) constexpr uint8_t kTabela1Alto[16] = {
    TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG,
    TWO_CONTS, TWO_CONTS, TWO_CONTS, TWO_CONTS,
    TOO_SHORT | OVERLONG_2, TOO_SHORT, TOO_SHORT | OVERLONG_3 | SURROGATE,
    TOO_SHORT | TOO_LARGE | TOO_LARGE_1000 | OVERLONG_4,
};
// By the low nibble of the previous byte.
alignas(16) constexpr uint8_t kTabela1Baixo[16] = {
    CARRY | OVERLONG_3 | OVERLONG_2 | OVERLONG_4, CARRY | OVERLONG_2, CARRY, CARRY,
    CARRY | TOO_LARGE, CARRY | TOO_LARGE | TOO_LARGE_1000,
    CARRY | TOO_LARGE | TOO_LARGE_1000, CARRY | TOO_LARGE | TOO_LARGE_1000,
    CARRY | TOO_LARGE | TOO_LARGE_1000, CARRY | TOO_LARGE | TOO_LARGE_1000,
    CARRY | TOO_LARGE | TOO_LARGE_1000, CARRY | TOO_LARGE | TOO_LARGE_1000,
    CARRY | TOO_LARGE | TOO_LARGE_1000, CARRY | TOO_LARGE | TOO_LARGE_1000 | SURROGATE,
    CARRY | TOO_LARGE | TOO_LARGE_1000, CARRY | TOO_LARGE | TOO_LARGE_1000,
};
// By the high nibble of the byte itself.
alignas(16) constexpr uint8_t kTabela2Alto[16] = {
    TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT,
    TOO_LONG | OVERLONG_2 | TWO_CONTS | OVERLONG_3 | TOO_LARGE_1000 | OVERLONG_4,
    TOO_LONG | OVERLONG_2 | TWO_CONTS | OVERLONG_3 | TOO_LARGE,
    TOO_LONG | OVERLONG_2 | TWO_CONTS | SURROGATE | TOO_LARGE,
    TOO_LONG | OVERLONG_2 | TWO_CONTS | SURROGATE | TOO_LARGE,
    TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT,
};

struct EstadoSsse3 {
    __m128i erro = _mm_setzero_si128();
    __m128i anterior = _mm_setzero_si128();
    // Set when the last block ended inside a sequence.
    __m128i incompleto = _mm_setzero_si128();
};

__attribute__((target("ssse3"))) inline void blocoSsse3(EstadoSsse3 &e, __m128i entrada)
{
    if (_mm_movemask_epi8(entrada) == 0) {
        // All ASCII: only a sequence left open by the last block is wrong.
        e.erro = _mm_or_si128(e.erro, e.incompleto);
        e.anterior = entrada;
        return;
    }
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i t1Alto = _mm_load_si128(reinterpret_cast<const __m128i *>(kTabela1Alto));
    const __m128i t1Baixo = _mm_load_si128(reinterpret_cast<const __m128i *>(kTabela1Baixo));
    const __m128i t2Alto = _mm_load_si128(reinterpret_cast<const __m128i *>(kTabela2Alto));
    const __m128i prev1 = _mm_alignr_epi8(entrada, e.anterior, 15);
    const __m128i b1Alto = _mm_shuffle_epi8(t1Alto, _mm_and_si128(_mm_srli_epi16(prev1, 4), nibble));
    const __m128i b1Baixo = _mm_shuffle_epi8(t1Baixo, _mm_and_si128(prev1, nibble));
    const __m128i b2Alto = _mm_shuffle_epi8(t2Alto, _mm_and_si128(_mm_srli_epi16(entrada, 4), nibble));
    const __m128i especiais = _mm_and_si128(_mm_and_si128(b1Alto, b1Baixo), b2Alto);
    const __m128i prev2 = _mm_alignr_epi8(entrada, e.anterior, 14);
    const __m128i prev3 = _mm_alignr_epi8(entrada, e.anterior, 13);
    const __m128i terceiro = _mm_subs_epu8(prev2, _mm_set1_epi8(char(0xE0 - 0x80)));
    const __m128i quarto = _mm_subs_epu8(prev3, _mm_set1_epi8(char(0xF0 - 0x80)));
    const __m128i deve23 = _mm_and_si128(_mm_or_si128(terceiro, quarto), _mm_set1_epi8(char(0x80)));
    e.erro = _mm_or_si128(e.erro, _mm_xor_si128(deve23, especiais));
    // A block must not end inside a sequence that the next block completes
    // wrongly; at the very end nothing may be left open.
    const __m128i maximoNoFim = _mm_setr_epi8(char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF),
                                              char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF),
                                              char(0xFF), char(0xFF), char(0xFF), char(0xF0 - 1),
                                              char(0xE0 - 1), char(0xC0 - 1));
    e.incompleto = _mm_subs_epu8(entrada, maximoNoFim);
    e.anterior = entrada;
}

// Set up inside the AVX2 function: the 256-bit registers exist only there.
struct EstadoAvx2 {
    __m256i erro;
    __m256i anterior;
    __m256i incompleto;
};

// The same check over 32 bytes. The byte shuffles work within each 16-byte
// lane, so the tables are repeated in both lanes and the bytes before the
// block are brought in across the lanes first.
__attribute__((target("avx2"))) inline void blocoAvx2(EstadoAvx2 &e, __m256i entrada)
{
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i t1Alto = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i *>(kTabela1Alto)));
    const __m256i t1Baixo = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i *>(kTabela1Baixo)));
    const __m256i t2Alto = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i *>(kTabela2Alto)));
    const __m256i cruzado = _mm256_permute2x128_si256(e.anterior, entrada, 0x21);
    const __m256i prev1 = _mm256_alignr_epi8(entrada, cruzado, 15);
    const __m256i b1Alto = _mm256_shuffle_epi8(t1Alto, _mm256_and_si256(_mm256_srli_epi16(prev1, 4), nibble));
    const __m256i b1Baixo = _mm256_shuffle_epi8(t1Baixo, _mm256_and_si256(prev1, nibble));
    const __m256i b2Alto = _mm256_shuffle_epi8(t2Alto, _mm256_and_si256(_mm256_srli_epi16(entrada, 4), nibble));
    const __m256i especiais = _mm256_and_si256(_mm256_and_si256(b1Alto, b1Baixo), b2Alto);
    const __m256i prev2 = _mm256_alignr_epi8(entrada, cruzado, 14);
    const __m256i prev3 = _mm256_alignr_epi8(entrada, cruzado, 13);
    const __m256i terceiro = _mm256_subs_epu8(prev2, _mm256_set1_epi8(char(0xE0 - 0x80)));
    const __m256i quarto = _mm256_subs_epu8(prev3, _mm256_set1_epi8(char(0xF0 - 0x80)));
    const __m256i deve23 = _mm256_and_si256(_mm256_or_si256(terceiro, quarto), _mm256_set1_epi8(char(0x80)));
    e.erro = _mm256_or_si256(e.erro, _mm256_xor_si256(deve23, especiais));
    const __m256i maximoNoFim = _mm256_setr_epi8(
        char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF),
        char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF),
        char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF),
        char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xF0 - 1), char(0xE0 - 1),
        char(0xC0 - 1));
    e.incompleto = _mm256_subs_epu8(entrada, maximoNoFim);
    e.anterior = entrada;
}

// The three tables repeated in the four 16-byte lanes of a 512-bit register.
struct TabelasAvx512 {
    alignas(64) uint8_t t1Alto[64] = {};
    alignas(64) uint8_t t1Baixo[64] = {};
    alignas(64) uint8_t t2Alto[64] = {};
    constexpr TabelasAvx512()
    {
        for (int i = 0; i < 64; ++i) {
            t1Alto[i] = kTabela1Alto[i % 16];
            t1Baixo[i] = kTabela1Baixo[i % 16];
            t2Alto[i] = kTabela2Alto[i % 16];
        }
    }
};
constexpr TabelasAvx512 tabelas;

// The same check over 64 bytes. As in AVX2 the shuffles work within each
// 16-byte lane; the lane before each one comes from one shift by 48 bytes
// across the previous block and this one.
__attribute__((target("avx512f,avx512bw"))) inline void blocoAvx512(__m512i &erro, __m512i &anterior,
                                                                    __m512i &incompleto, __m512i entrada)
{
    const __m512i nibble = _mm512_set1_epi8(0x0F);
    const __m512i t1Alto = _mm512_load_si512(tabelas.t1Alto);
    const __m512i t1Baixo = _mm512_load_si512(tabelas.t1Baixo);
    const __m512i t2Alto = _mm512_load_si512(tabelas.t2Alto);
    const __m512i cruzado = _mm512_permutex2var_epi64(anterior, _mm512_setr_epi64(6, 7, 8, 9, 10, 11, 12, 13), entrada);
    const __m512i prev1 = _mm512_alignr_epi8(entrada, cruzado, 15);
    const __m512i b1Alto = _mm512_shuffle_epi8(t1Alto, _mm512_and_si512(_mm512_srli_epi16(prev1, 4), nibble));
    const __m512i b1Baixo = _mm512_shuffle_epi8(t1Baixo, _mm512_and_si512(prev1, nibble));
    const __m512i b2Alto = _mm512_shuffle_epi8(t2Alto, _mm512_and_si512(_mm512_srli_epi16(entrada, 4), nibble));
    const __m512i especiais = _mm512_and_si512(_mm512_and_si512(b1Alto, b1Baixo), b2Alto);
    const __m512i prev2 = _mm512_alignr_epi8(entrada, cruzado, 14);
    const __m512i prev3 = _mm512_alignr_epi8(entrada, cruzado, 13);
    const __m512i terceiro = _mm512_subs_epu8(prev2, _mm512_set1_epi8(char(0xE0 - 0x80)));
    const __m512i quarto = _mm512_subs_epu8(prev3, _mm512_set1_epi8(char(0xF0 - 0x80)));
    const __m512i deve23 = _mm512_and_si512(_mm512_or_si512(terceiro, quarto), _mm512_set1_epi8(char(0x80)));
    erro = _mm512_or_si512(erro, _mm512_xor_si512(deve23, especiais));
    alignas(64) static constexpr uint8_t kMaximoNoFim[64] = {
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0 - 1, 0xE0 - 1, 0xC0 - 1,
    };
    incompleto = _mm512_subs_epu8(entrada, _mm512_load_si512(kMaximoNoFim));
    anterior = entrada;
}

} // namespace

__attribute__((target("avx512f,avx512bw"))) bool validoAvx512(const unsigned char *d, qsizetype n)
{
    __m512i erro = _mm512_setzero_si512();
    __m512i anterior = _mm512_setzero_si512();
    __m512i incompleto = _mm512_setzero_si512();
    qsizetype i = 0;
    for (; i + 64 <= n; i += 64) {
        const __m512i entrada = _mm512_loadu_si512(d + i);
        if (_mm512_movepi8_mask(entrada) == 0) {
            // All ASCII: only a sequence left open before is wrong.
            erro = _mm512_or_si512(erro, incompleto);
            anterior = entrada;
            incompleto = _mm512_setzero_si512();
            continue;
        }
        blocoAvx512(erro, anterior, incompleto, entrada);
    }
    if (i < n) {
        // The tail, padded with zeros (ASCII) by a masked load.
        const __mmask64 mascara = (1ull << (n - i)) - 1;
        blocoAvx512(erro, anterior, incompleto, _mm512_maskz_loadu_epi8(mascara, d + i));
    }
    erro = _mm512_or_si512(erro, incompleto);
    return _mm512_test_epi8_mask(erro, erro) == 0;
}

__attribute__((target("ssse3"))) bool validoSsse3(const unsigned char *d, qsizetype n)
{
    EstadoSsse3 e;
    qsizetype i = 0;
    for (; i + 16 <= n; i += 16)
        blocoSsse3(e, _mm_loadu_si128(reinterpret_cast<const __m128i *>(d + i)));
    if (i < n) {
        // The tail, padded with zeros (ASCII).
        alignas(16) unsigned char resto[16] = {};
        std::memcpy(resto, d + i, static_cast<size_t>(n - i));
        blocoSsse3(e, _mm_load_si128(reinterpret_cast<const __m128i *>(resto)));
    }
    const __m128i erro = _mm_or_si128(e.erro, e.incompleto);
    return _mm_movemask_epi8(_mm_cmpeq_epi8(erro, _mm_setzero_si128())) == 0xFFFF;
}

__attribute__((target("avx2"))) bool validoAvx2(const unsigned char *d, qsizetype n)
{
    EstadoAvx2 e;
    e.erro = e.anterior = e.incompleto = _mm256_setzero_si256();
    qsizetype i = 0;
    for (; i + 64 <= n; i += 64) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(d + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(d + i + 32));
        if (_mm256_movemask_epi8(_mm256_or_si256(a, b)) == 0) {
            // All ASCII: only a sequence left open before is wrong.
            e.erro = _mm256_or_si256(e.erro, e.incompleto);
            e.anterior = b;
            e.incompleto = _mm256_setzero_si256();
            continue;
        }
        blocoAvx2(e, a);
        blocoAvx2(e, b);
    }
    for (; i + 32 <= n; i += 32)
        blocoAvx2(e, _mm256_loadu_si256(reinterpret_cast<const __m256i *>(d + i)));
    if (i < n) {
        alignas(32) unsigned char resto[32] = {};
        std::memcpy(resto, d + i, static_cast<size_t>(n - i));
        blocoAvx2(e, _mm256_load_si256(reinterpret_cast<const __m256i *>(resto)));
    }
    const __m256i erro = _mm256_or_si256(e.erro, e.incompleto);
    return _mm256_testz_si256(erro, erro) != 0;
}

#endif

} // namespace utf8
