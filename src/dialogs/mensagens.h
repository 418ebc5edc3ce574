#pragma once

#include <QString>

// Each call shows one modal message window of its kind and returns when it
// closes. tempoSeg > 0 closes it by itself after that many seconds; "\n"
// written as backslash + n in `texto` becomes a line break.
void msgInformacao(const QString &texto, int tempoSeg = 0);
void msgErro(const QString &texto, int tempoSeg = 0);
void msgAviso(const QString &texto, int tempoSeg = 0);
// 6 only for "&Sim"; 7 for "&Não" and the auto-close; 2 for Esc and the
// close box. Callers treat anything but 6 as refusal.
int msgPergunta(const QString &texto, int tempoSeg = 0);
void msgAjuda(const QString &texto, int tempoSeg = 0, int altura = 0);
// Shows nothing for a tip the user hid. Throws ErroVaspira when the tips
// file cannot be read.
void msgDica(const QString &id, const QString &texto, int altura);
