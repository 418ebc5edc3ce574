#include "app/pausa.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>

#include <cmath>
#include <cstdlib>
#include <memory>

RelogioPausa relogioReal(bool comVariacao)
{
    RelogioPausa r;
    r.agoraMs = [] {
        static QElapsedTimer relogio;
        if (!relogio.isValid())
            relogio.start();
        return relogio.elapsed();
    };
    r.dormirMs = [](int ms) { QThread::msleep(ms); };
    r.bombear = [] { QCoreApplication::processEvents(); };
    if (comVariacao) {
        // A fresh seed from the clock for every wait.
        auto gerador = std::make_shared<QRandomGenerator>(
            static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
        r.acaso = [gerador](int n) { return static_cast<int>(gerador->bounded(n)); };
    }
    return r;
}

void pausar(double segundos, const RelogioPausa &relogio)
{
    if (segundos == 0)
        return;
    auto variacao = [&](int n) { return relogio.acaso ? relogio.acaso(n) : 0; };

    if (segundos <= 1) {
        const int passos = static_cast<int>(std::trunc(segundos * 10));
        for (int i = 0; i < passos; ++i) {
            relogio.dormirMs(100 + variacao(25));
            relogio.bombear();
        }
        return;
    }

    const qint64 fim = relogio.agoraMs() + static_cast<qint64>(std::trunc(segundos)) * 1000;
    while (relogio.agoraMs() <= fim) {
        relogio.bombear();
        relogio.dormirMs(10 + variacao(5));
    }
}

int segundosDesde(const QDateTime &momento)
{
    return static_cast<int>(std::llabs(momento.msecsTo(QDateTime::currentDateTime())) / 1000);
}
