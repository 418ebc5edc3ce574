#include "harvest/mesclagem.h"

#include "harvest/textos.h"

#include <QCollatorSortKey>
#include <QSet>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <vector>

QCollator collatorDeResultados()
{
    // The C locale's collation compares code points and ignores the case
    // setting in its sort keys; Brazilian Portuguese, the product's own
    // language, stands in for it.
    QLocale local;
    if (local.language() == QLocale::C)
        local = QLocale(QLocale::Portuguese, QLocale::Brazil);
    QCollator collator{local};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

namespace {

constexpr char16_t kPrimeiroImprimivel = 0x20;
constexpr char16_t kUltimoImprimivel = 0x7E;
using PostosAscii = std::array<uint8_t, kUltimoImprimivel + 1>;

// For a collation that does not tailor printable ASCII (Portuguese and
// English use the common Unicode order), lines of printable ASCII only
// compare character by character by each character's place in that order,
// upper and lower case sharing a place: sort keys are not needed for them.
// The places are taken from the collator itself; false when its settings
// or language leave that shortcut unproven.
bool postosAscii(const QCollator &collator, PostosAscii &postos)
{
    const QLocale::Language lingua = collator.locale().language();
    if ((lingua != QLocale::Portuguese && lingua != QLocale::English)
        || collator.caseSensitivity() != Qt::CaseInsensitive || collator.numericMode()
        || collator.ignorePunctuation())
        return false;
    std::vector<char16_t> caracteres;
    for (char16_t c = kPrimeiroImprimivel; c <= kUltimoImprimivel; ++c)
        caracteres.push_back(c);
    auto comparar = [&](char16_t a, char16_t b) {
        return collator.compare(QStringView(&a, 1), QStringView(&b, 1));
    };
    std::stable_sort(caracteres.begin(), caracteres.end(),
                     [&](char16_t a, char16_t b) { return comparar(a, b) < 0; });
    uint8_t posto = 0;
    for (size_t i = 0; i < caracteres.size(); ++i) {
        if (i > 0 && comparar(caracteres[i - 1], caracteres[i]) != 0) {
            ++posto;
        } else if (i > 0) {
            // Only a letter and its other case may share a place; anything
            // else equal (an ignored character) rules the shortcut out.
            const char16_t a = caracteres[i - 1];
            const char16_t b = caracteres[i];
            if ((a | 0x20) != (b | 0x20) || (a | 0x20) < u'a' || (a | 0x20) > u'z')
                return false;
        }
        postos[caracteres[i]] = posto;
    }
    return true;
}

inline QString comoTexto(QStringView linha)
{
    return linha.toString();
}

inline QString comoTexto(QByteArrayView linha)
{
    return QString::fromUtf8(linha);
}

// The merge over `total` lines, each given by `linha(i)` as a QStringView or
// as UTF-8 bytes: the positions of the lines kept, in their order. Of lines
// that compare equal the earliest is kept.
template <typename Linha>
std::vector<size_t> ordemMesclada(size_t total, Linha linha, const QCollator &collator)
{
    bool ascii = true;
    size_t caracteres = 0;
    for (size_t i = 0; i < total && ascii; ++i) {
        for (auto c : linha(i)) {
            const char16_t u = unidade(c);
            if (u < kPrimeiroImprimivel || u > kUltimoImprimivel) {
                ascii = false;
                break;
            }
        }
        caracteres += static_cast<size_t>(linha(i).size());
    }

    std::vector<size_t> ordem;
    PostosAscii postos{};
    if (ascii && postosAscii(collator, postos)) {
        // Every line becomes the bytes of its characters' places, all in one
        // buffer, so that comparing bytes gives the collation's order; the
        // first eight, packed in a number, settle most comparisons. Sorted by
        // places and then by position, the earliest of equal lines (identical
        // ones included) comes first and is the one kept.
        std::vector<uint8_t> postosDasLinhas(caracteres);
        struct Chave {
            uint64_t prefixo;
            size_t inicio;
            size_t tamanho;
            size_t indice;
        };
        std::vector<Chave> chaves(total);
        size_t k = 0;
        for (size_t i = 0; i < total; ++i) {
            Chave &c = chaves[i];
            c.inicio = k;
            c.indice = i;
            c.prefixo = 0;
            int j = 0;
            for (auto ch : linha(i)) {
                const uint8_t posto = postos[unidade(ch)];
                postosDasLinhas[k++] = posto;
                if (j < 8)
                    c.prefixo |= uint64_t(posto) << (56 - 8 * j++);
            }
            c.tamanho = k - c.inicio;
        }
        auto comparar = [&](const Chave &a, const Chave &b) {
            if (a.prefixo != b.prefixo)
                return a.prefixo < b.prefixo ? -1 : 1;
            const size_t n = qMin(a.tamanho, b.tamanho);
            const int r = n ? std::memcmp(postosDasLinhas.data() + a.inicio, postosDasLinhas.data() + b.inicio, n) : 0;
            return r ? r : (a.tamanho < b.tamanho ? -1 : a.tamanho > b.tamanho ? 1 : 0);
        };
        std::sort(chaves.begin(), chaves.end(), [&](const Chave &a, const Chave &b) {
            const int r = comparar(a, b);
            return r ? r < 0 : a.indice < b.indice;
        });
        ordem.reserve(total);
        for (size_t i = 0; i < total; ++i) {
            if (i == 0 || comparar(chaves[i - 1], chaves[i]) != 0)
                ordem.push_back(chaves[i].indice);
        }
        return ordem;
    }

    // Identical lines are repeats under any collation: dropping them first,
    // the first kept, spares their sort keys (harvests repeat a lot).
    std::vector<size_t> unicas;
    unicas.reserve(total);
    {
        QSet<decltype(linha(0))> vistas;
        vistas.reserve(static_cast<qsizetype>(total));
        for (size_t i = 0; i < total; ++i) {
            const qsizetype antes = vistas.size();
            vistas.insert(linha(i));
            if (vistas.size() != antes)
                unicas.push_back(i);
        }
    }
    // Sort keys once per line instead of collating on every comparison;
    // stable, so the earliest of equal lines stays first and is kept.
    std::vector<QCollatorSortKey> chaves;
    chaves.reserve(unicas.size());
    for (size_t i : unicas)
        chaves.push_back(collator.sortKey(comoTexto(linha(i))));
    std::vector<size_t> posicoes(unicas.size());
    std::iota(posicoes.begin(), posicoes.end(), size_t(0));
    std::stable_sort(posicoes.begin(), posicoes.end(),
                     [&](size_t a, size_t b) { return chaves[a].compare(chaves[b]) < 0; });
    ordem.reserve(unicas.size());
    for (size_t j = 0; j < posicoes.size(); ++j) {
        if (j == 0 || chaves[posicoes[j - 1]].compare(chaves[posicoes[j]]) != 0)
            ordem.push_back(unicas[posicoes[j]]);
    }
    return ordem;
}

} // namespace

QStringList mesclarLinhas(const QStringList &atuais, const QStringList &novas,
                          const QCollator &collator)
{
    auto linha = [&](size_t i) -> const QString & {
        const auto j = static_cast<qsizetype>(i);
        return j < atuais.size() ? atuais[j] : novas[j - atuais.size()];
    };
    const std::vector<size_t> ordem = ordemMesclada(
        static_cast<size_t>(atuais.size() + novas.size()), [&](size_t i) { return QStringView(linha(i)); },
        collator);
    QStringList resultado;
    resultado.reserve(static_cast<qsizetype>(ordem.size()));
    for (size_t i : ordem)
        resultado.append(linha(i));
    return resultado;
}

std::vector<size_t> mesclarLinhasUtf8(const std::vector<QByteArrayView> &linhas, const QCollator &collator)
{
    return ordemMesclada(linhas.size(), [&](size_t i) { return linhas[i]; }, collator);
}
