#pragma once

#include "harvest/listaResultados.h"

#include <QString>

#include <functional>

// Pattern harvesting for documents: the e-mail and phone patterns, compiled
// with PCRE2 (case-sensitive, empty matches refused).
enum class TipoPadrao { Email, Telefone };

// Every match of the pattern in `texto`, in order, without overlaps. E-mail
// matches that end in an image or web-asset extension are left out.
void paraCadaOcorrencia(TipoPadrao tipo, QStringView texto,
                        const std::function<void(QStringView)> &aoEncontrar);

// The in-memory methods: every match added to `lista`; counts reported every
// tenth match and at the end.
void extrairPadraoDoTexto(TipoPadrao tipo, const QString &texto, ListaResultados &lista,
                          const RelatorDeVarredura &relator);

// The streamed file methods: the file is read a line at a time (a line longer
// than 8 MiB in overlapping windows), never whole. `codificacao` names the
// encoding ("UTF-8", "Windows-1252", "UTF-16LE", ...). The e-mail method
// stops when `relator.parar` answers true and then informs the user, without
// the counts of a file's end. Returns false with `erro` filled when the file
// cannot be read; nothing of that file then stays in `lista`.
bool extrairPadraoDoArquivo(TipoPadrao tipo, const QString &caminho, const QString &codificacao,
                            ListaResultados &lista, const RelatorDeVarredura &relator,
                            QString &erro);

// The encoding a text file is read with: its byte-order mark, else UTF-8 when
// its first 64 KiB are valid UTF-8, else Windows-1252.
QString adivinharCodificacao(const QString &caminho);
