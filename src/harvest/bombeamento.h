#pragma once

#include <functional>

// The scans keep the interface alive by pumping events at fixed points. The
// engine itself knows nothing about an event loop: the application installs a
// hook, a command-line tool leaves it empty and the pumps cost nothing.
using GanchoBombeamento = std::function<void()>;

void definirGanchoBombeamento(GanchoBombeamento gancho);
void bombearEventos();

// A non-blank first command-line argument turns off the pumps that the e-mail
// scan makes between its cutting steps.
void definirBombearEntreCortes(bool bombear);
bool bombearEntreCortes();
