#pragma once

#include <QString>

// An integer written with the user's thousands separator ("1.234.567" in
// Brazilian Portuguese), no decimals, minus kept; zero gives the empty text.
QString formatarNumero(qint64 n);

// A file's size in bytes, taken from the file system (the file is never
// opened); -1 when no file exists at `caminho`.
qint64 tamanhoArquivo(const QString &caminho);
