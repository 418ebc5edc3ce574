#include "harvest/listaResultados.h"

#include "harvest/mesclagem.h"

bool ListaResultados::adicionar(const QString &linha)
{
    const QString chave = linha.toCaseFolded();
    if (mChaves.contains(chave))
        return false;
    mChaves.insert(chave);
    mLinhas.append(linha);
    return true;
}

void ListaResultados::limpar()
{
    mChaves.clear();
    mLinhas.clear();
}

QStringList ListaResultados::ordenadas() const
{
    return mesclarLinhas({}, mLinhas, collatorDeResultados());
}
