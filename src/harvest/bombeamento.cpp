#include "harvest/bombeamento.h"

#include <utility>

namespace {
GanchoBombeamento &gancho()
{
    static GanchoBombeamento g;
    return g;
}
bool gBombearEntreCortes = true;
} // namespace

void definirGanchoBombeamento(GanchoBombeamento novo)
{
    gancho() = std::move(novo);
}

void bombearEventos()
{
    if (const auto &g = gancho())
        g();
}

void definirBombearEntreCortes(bool bombear)
{
    gBombearEntreCortes = bombear;
}

bool bombearEntreCortes()
{
    return gBombearEntreCortes;
}
