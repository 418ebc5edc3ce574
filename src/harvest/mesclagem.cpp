#include "harvest/mesclagem.h"

#include <QCollatorSortKey>
#include <QSet>

#include <algorithm>
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

QStringList mesclarLinhas(const QStringList &atuais, const QStringList &novas,
                          const QCollator &collator)
{
    // Identical lines are repeats under any collation: dropping them first,
    // the first kept, spares their sort keys (harvests repeat a lot).
    std::vector<const QString *> unicas;
    unicas.reserve(atuais.size() + novas.size());
    {
        QSet<QStringView> vistas;
        vistas.reserve(atuais.size() + novas.size());
        for (const QStringList *lista : {&atuais, &novas}) {
            for (const QString &l : *lista) {
                if (!vistas.contains(l)) {
                    vistas.insert(l);
                    unicas.push_back(&l);
                }
            }
        }
    }
    const qsizetype total = static_cast<qsizetype>(unicas.size());
    auto linha = [&](qsizetype i) -> const QString & { return *unicas[i]; };

    // Sort keys once per line instead of collating on every comparison.
    std::vector<QCollatorSortKey> chaves;
    chaves.reserve(total);
    for (qsizetype i = 0; i < total; ++i)
        chaves.push_back(collator.sortKey(linha(i)));

    std::vector<qsizetype> ordem(total);
    std::iota(ordem.begin(), ordem.end(), 0);
    // Stable: among equal lines the earliest stays first and is the one kept.
    std::stable_sort(ordem.begin(), ordem.end(), [&](qsizetype a, qsizetype b) {
        return chaves[a].compare(chaves[b]) < 0;
    });

    QStringList resultado;
    resultado.reserve(total);
    qsizetype anterior = -1;
    for (qsizetype i : ordem) {
        if (anterior >= 0 && chaves[anterior].compare(chaves[i]) == 0)
            continue;
        resultado.append(linha(i));
        anterior = i;
    }
    return resultado;
}
