#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The word around a 1-based position: from after the last delimiter at or
// before `aPos` to before the first delimiter at or after it. Delimiters: TAB,
// LF, CR, space (unless `ignorarEspacos`), double quote, ";", "<", ">". Every
// "\/" becomes "/". `fimPos` receives the end position (the delimiter found,
// or the text's length plus one).
QString isolarTextoNaPosicao(QStringView texto, qsizetype aPos, bool ignorarEspacos,
                             qsizetype *fimPos = nullptr);

// What a keyword scan tells its window as it goes. Every member may be empty.
struct AcompanhamentoContendo {
    std::function<void()> aoAvancar;                   // once before each search
    std::function<bool()> cancelado;                   // looked at before each search
    std::function<void(const QString &)> aoAdicionar;  // every word added
};

// "Textos contendo:": the word after every occurrence of `valor` (found with
// case), e-mail words cleaned, repeats kept, in text order. Stops early when
// `cancelado` answers true; `*parou` tells whether it did.
QStringList varrerContendo(const QString &texto, const QString &valor,
                           const AcompanhamentoContendo &acompanhamento = {}, bool *parou = nullptr);

// "Texto contido entre:": every trimmed piece between the start marker
// (matched without regard to case) and the next end marker (with case), in
// text order, repeats kept. `aoAvancar` runs before each character and may
// stop the scan by returning false.
QStringList varrerEntre(const QString &texto, const QString &valori, const QString &valorf,
                        const std::function<bool()> &aoAvancar = {},
                        const std::function<void(const QString &)> &aoAdicionar = {});

class ListaResultados;
struct RelatorDeVarredura;

// The document wizard's variants: results go to the run-wide list, counts
// are reported every tenth result and at the end, and `relator.parar` stops
// the scan with "Interrompido por sua solicitação". `*parou` tells whether it
// did.
void extrairContendoParaLista(const QString &texto, const QString &valor, ListaResultados &lista,
                              const RelatorDeVarredura &relator, bool *parou = nullptr);
void getTextoEntreParaLista(const QString &texto, const QString &valori, const QString &valorf,
                            ListaResultados &lista, const RelatorDeVarredura &relator,
                            bool *parou = nullptr);
