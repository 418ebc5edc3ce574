#pragma once

#include <QDateTime>
#include <QtGlobal>

#include <functional>

// The waits of the application: sleep in steps and pump events between them.
// The clock, the sleep and the pump are injectable so that the step rules can
// be checked without waiting.
struct RelogioPausa {
    std::function<qint64()> agoraMs;        // a monotonic clock
    std::function<void(int)> dormirMs;      // sleep that many milliseconds
    std::function<void()> bombear;          // pump pending events
    std::function<int(int)> acaso;          // random 0..n-1; empty means no jitter
};

RelogioPausa relogioReal(bool comVariacao);

// s == 0: returns. s == 1 or s < 1: n = trunc(s * 10) steps of sleep 100 ms +
// pump. s > 1: polls (pump, sleep 10 ms) until trunc(s) seconds have passed.
// With jitter each 100 ms step sleeps 0..24 ms more, each poll 0..4 ms more.
void pausar(double segundos, const RelogioPausa &relogio);

// Whole seconds between `momento` and now, fractions cut off (the stopwatch
// behind every momentoSegundos).
int segundosDesde(const QDateTime &momento);
