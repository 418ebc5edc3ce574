#include "app/unDtmPrincipal.h"

#include "app/pausa.h"

#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

TdtmPrincipal::TdtmPrincipal(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("dtmPrincipal"));
    tmInicio = new QTimer(this);
    tmInicio->setObjectName(QStringLiteral("tmInicio"));
    tmInicio->setInterval(1000);
    tmInicio->setSingleShot(true);
    connect(tmInicio, &QTimer::timeout, this, &TdtmPrincipal::tmInicioTimer);
    tmInicio->start();
}

void TdtmPrincipal::tmInicioTimer()
{
    tmInicio->stop();
    // TODO: the build and update checks and the usage tips run here once the
    // update window, the settings file and the tips window exist.
}

void TdtmPrincipal::pausarSegundos(double segundos)
{
    try {
        pausar(segundos, relogioReal(true));
    } catch (...) {
    }
}

void TdtmPrincipal::momentoStart()
{
    gMomento = QDateTime::currentDateTime();
}

int TdtmPrincipal::momentoSegundos() const
{
    return static_cast<int>(std::llabs(gMomento.msecsTo(QDateTime::currentDateTime())) / 1000);
}

void TdtmPrincipal::showPopMenu(QWidget *botao, QMenu *menu)
{
    if (!botao || !menu)
        return;
    QFont fonte = menu->font();
    fonte.setPointSize(11);
    menu->setFont(fonte);
    menu->popup(botao->mapToGlobal(QPoint(0, botao->height())));
}
