#pragma once

#include <QString>
#include <QStringList>

// The results page's line tools, on plain lines.

// The lines that do not contain `valor` (letter case significant). An empty
// `valor` is contained in no line.
QStringList excluirLinhasContendo(const QStringList &linhas, const QString &valor);

// Deletes from one line every piece that runs from the start marker (matched
// without regard to case) to the end marker (matched with case). A line where
// something was deleted is trimmed; any other comes back unchanged.
QString excluirTextoEntreNaLinha(const QString &linha, const QString &valori,
                                 const QString &valorf);

// Replaces every occurrence of `de` (without regard to case, left to right,
// the inserted text not searched again). An empty `de` changes nothing.
QString substituirSemCaixa(const QString &texto, const QString &de, const QString &por);

// One capture of the clipboard as a result line: trimmed, every line break
// (CR LF, LF or CR) made one ";", every "~" removed. Empty when blank.
QString linhaCapturada(const QString &areaDeTransferencia);
