#include "harvest/listaResultados.h"

#include "harvest/mesclagem.h"

ListaResultados::ListaResultados()
    : mCollator(collatorDeResultados())
{
}

bool ListaResultados::adicionar(const QString &linha)
{
    QString dobrada = linha.toCaseFolded();
    if (mDobradas.contains(dobrada))
        return false;
    // Lines that differ after case folding may still be one line to the
    // collation (a decomposed accent, "ß" and "ss"), which also sorts them.
    Entrada entrada{mCollator.sortKey(linha), mLinhas.size()};
    if (mOrdem.find(entrada) != mOrdem.end())
        return false;
    mOrdem.insert(entrada);
    mChaves.push_back(entrada.chave);
    mDobradas.insert(std::move(dobrada));
    mLinhas.append(linha);
    return true;
}

void ListaResultados::limpar()
{
    mDobradas.clear();
    mOrdem.clear();
    mChaves.clear();
    mLinhas.clear();
}

QStringList ListaResultados::ordenadas() const
{
    QStringList resultado;
    resultado.reserve(mLinhas.size());
    for (const Entrada &e : mOrdem)
        resultado.append(mLinhas[e.indice]);
    return resultado;
}

void ListaResultados::voltarA(qsizetype marca)
{
    while (mLinhas.size() > qMax<qsizetype>(marca, 0)) {
        const qsizetype i = mLinhas.size() - 1;
        mOrdem.erase(Entrada{mChaves.back(), i});
        mDobradas.remove(mLinhas.back().toCaseFolded());
        mChaves.pop_back();
        mLinhas.removeLast();
    }
}
