#include "app/programa.h"

#include <unistd.h>

#include "app/aplicacao.h"
#include "app/janelas.h"
#include "app/unDtmPrincipal.h"
#include "app/unFrmPrincipal.h"
#include "dialogs/unFrmProgresso.h"
#include "harvest/bombeamento.h"
#include "harvest/unDtmExtrator.h"
#include "welcome/unFrmSplash.h"
#include "welcome/unFrmTips.h"

int executarPrograma(int argc, char *argv[])
{
    // The browser's sandbox cannot run as root (containers, CI); a normal
    // user keeps it.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TAplicacao app(argc, argv);
    app.setApplicationName(QStringLiteral("Vaspira"));
    app.setOrganizationName(QStringLiteral("Vaspira"));

    instalarBombeamento();
    const QStringList argumentos = QCoreApplication::arguments();
    if (argumentos.size() > 1 && !argumentos[1].trimmed().isEmpty())
        definirBombearEntreCortes(false);

    // Only the main window ends the application; message and tip windows
    // left open must not keep it running, nor end it by closing.
    app.setQuitOnLastWindowClosed(false);

    TfrmPrincipal frmPrincipal;
    janelas().frmPrincipal = &frmPrincipal;
    frmPrincipal.showMaximized();

    auto *splash = new TfrmSplash;
    janelas().frmSplash = splash;

    TdtmPrincipal dtmPrincipal;
    janelas().dtmPrincipal = &dtmPrincipal;
    TfrmProgresso frmProgresso;
    janelas().frmProgresso = &frmProgresso;
    TdtmExtrator dtmExtrator;
    janelas().dtmExtrator = &dtmExtrator;
    novaJanelaDeDicas();


    const int codigo = app.exec();
    // Windows without an owner outlive the main window; end them with it.
    delete janelas().frmTips.data();
    delete janelas().frmSplash.data();
    return codigo;
}
