#pragma once

#include <QCollator>
#include <QStringList>

#include <vector>

// The collation used for the results: the user's locale, letter case ignored.
// One collator serves both sorting and finding repeats, so the two agree.
QCollator collatorDeResultados();

// Merges harvested lines into the lines a results list already holds: sorted
// by `collator`, without repeats. Of lines that compare equal the first one
// met wins, so lines already held win over new ones. Linear-logarithmic in
// the number of lines.
QStringList mesclarLinhas(const QStringList &atuais, const QStringList &novas,
                          const QCollator &collator);

// The same merge over lines given as UTF-8 (all new, none held before): the
// positions in `linhas` of the lines kept, in their order.
std::vector<size_t> mesclarLinhasUtf8(const std::vector<QByteArrayView> &linhas, const QCollator &collator);
