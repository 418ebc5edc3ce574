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

    // Opens banco.db and creates its tables. Throws ErroVaspira when the
    // database cannot be used; a failed "VACUUM;" alone is reported and the
    // opening goes on.
    void abrirBD();
    QString readConfig(const QString &config) const;
    // Throws ErroVaspira when config.txt cannot be written.
    void setconfig(const QString &config, const QString &value);

    QDateTime gMomento;
    QTimer *tmInicio = nullptr;

private:
    void tmInicioTimer();
};
