#include "app/unDtmPrincipal.h"

#include "app/pausa.h"
#include "dialogs/erroVaspira.h"
#include "dialogs/mensagens.h"
#include "storage/banco.h"
#include "storage/configuracao.h"
#include "welcome/unFrmTips.h"

#include <QMenu>
#include <QTimer>
#include <QWidget>


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
    // TODO: the build and update checks run first once the update window exists.
    const bool ocultarDicas = valorVerdadeiro(readConfig(QStringLiteral("showtips")));
    if (!ocultarDicas)
        exibirDicasIniciais();
}

void TdtmPrincipal::abrirBD()
{
    const ResultadoAbertura r = abrirBanco();
    if (!r.ok())
        throw ErroVaspira(r.erro);
    if (!r.avisoVacuum.isEmpty())
        msgErro(r.avisoVacuum);
}

QString TdtmPrincipal::readConfig(const QString &config) const
{
    QString erro;
    const QString valor = lerConfiguracao(config, &erro);
    if (!erro.isEmpty())
        throw ErroVaspira(erro);
    return valor;
}

void TdtmPrincipal::setconfig(const QString &config, const QString &value)
{
    QString erro;
    if (!gravarConfiguracao(config, value, erro))
        throw ErroVaspira(erro);
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
    return segundosDesde(gMomento);
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
