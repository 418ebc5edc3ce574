#pragma once

#include <QDateTime>
#include <QObject>

class QMenu;
class QTimer;
class QWidget;

// The main data module: the start-up timer and small shared operations.
class TdtmPrincipal : public QObject
{
    Q_OBJECT

public:
    explicit TdtmPrincipal(QObject *parent = nullptr);

    // Waits while pumping events, with a random jitter on every step.
    void pausarSegundos(double segundos);
    void momentoStart();
    int momentoSegundos() const;
    void showPopMenu(QWidget *botao, QMenu *menu);

    QDateTime gMomento;
    QTimer *tmInicio = nullptr;

private:
    void tmInicioTimer();
};
