#include "harvest/mesclagem.h"

#include <QCollatorSortKey>
#include <QSet>

#include <algorithm>
#include <array>
#include <cstdint>
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

bool soAsciiImprimivel(const QString &linha)
{
    for (QChar c : linha) {
        if (c.unicode() < kPrimeiroImprimivel || c.unicode() > kUltimoImprimivel)
            return false;
    }
    return true;
}

// Sorts the lines with `comparar` (negative, zero or positive, by index)
// and keeps the first of each run of equal lines. Stable: among equal lines
// the earliest stays first and is the one kept.
template <typename Comparar>
QStringList ordenarSemRepetir(const std::vector<const QString *> &linhas, Comparar comparar)
{
    std::vector<qsizetype> ordem(linhas.size());
    std::iota(ordem.begin(), ordem.end(), 0);
    std::stable_sort(ordem.begin(), ordem.end(), [&](qsizetype a, qsizetype b) { return comparar(a, b) < 0; });
    QStringList resultado;
    resultado.reserve(static_cast<qsizetype>(linhas.size()));
    qsizetype anterior = -1;
    for (qsizetype i : ordem) {
        if (anterior >= 0 && comparar(anterior, i) == 0)
            continue;
        resultado.append(*linhas[i]);
        anterior = i;
    }
    return resultado;
}

} // namespace

QStringList mesclarLinhas(const QStringList &atuais, const QStringList &novas,
                          const QCollator &collator)
{
    // Identical lines are repeats under any collation: dropping them first,
    // the first kept, spares their comparisons (harvests repeat a lot).
    std::vector<const QString *> unicas;
    unicas.reserve(atuais.size() + novas.size());
    bool ascii = true;
    {
        QSet<QStringView> vistas;
        vistas.reserve(atuais.size() + novas.size());
        for (const QStringList *lista : {&atuais, &novas}) {
            for (const QString &l : *lista) {
                const qsizetype antes = vistas.size();
                vistas.insert(l);
                if (vistas.size() != antes) {
                    unicas.push_back(&l);
                    ascii = ascii && soAsciiImprimivel(l);
                }
            }
        }
    }

    PostosAscii postos{};
    if (ascii && postosAscii(collator, postos)) {
        return ordenarSemRepetir(unicas, [&](qsizetype a, qsizetype b) {
            const QString &x = *unicas[a];
            const QString &y = *unicas[b];
            const qsizetype n = qMin(x.size(), y.size());
            const char16_t *px = reinterpret_cast<const char16_t *>(x.utf16());
            const char16_t *py = reinterpret_cast<const char16_t *>(y.utf16());
            for (qsizetype i = 0; i < n; ++i) {
                if (postos[px[i]] != postos[py[i]])
                    return postos[px[i]] < postos[py[i]] ? -1 : 1;
            }
            return x.size() < y.size() ? -1 : x.size() > y.size() ? 1 : 0;
        });
    }

    // Sort keys once per line instead of collating on every comparison.
    std::vector<QCollatorSortKey> chaves;
    chaves.reserve(unicas.size());
    for (const QString *l : unicas)
        chaves.push_back(collator.sortKey(*l));
    return ordenarSemRepetir(unicas, [&](qsizetype a, qsizetype b) { return chaves[a].compare(chaves[b]); });
}
