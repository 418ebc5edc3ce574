#pragma once

#include "harvest/palavras.h"

#include <QString>

// The four harvests of a pasted text or a page.
enum class Colheita { Telefones, Emails, Contendo, Entre };

// The message shown when a keyword or a marker is blank; empty when the
// harvest may run.
QString faltaDeTermos(Colheita tipo, const QString &valor1, const QString &valor2);

// One harvest as the workspace runs it: the result lines joined with CR LF,
// without leading or trailing blanks. `valor1` is the keyword or the start
// marker, `valor2` the end marker, both as typed. The keyword scan reports
// through `acompanhamento`.
QString colherDeTexto(Colheita tipo, const QString &texto, const QString &valor1 = {},
                      const QString &valor2 = {}, const AcompanhamentoContendo &acompanhamento = {},
                      bool *parou = nullptr);
