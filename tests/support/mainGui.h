#pragma once

#include "app/aplicacao.h"
#include "support/ambiente.h"

#include <QtTest>

// Window tests run inside the application's own application object, so the
// general error report and the event pump are the real ones.
#define VASPIRA_GUI_TEST_MAIN(Classe)                                                     \
    int main(int argc, char *argv[])                                                       \
    {                                                                                      \
        prepararAmbienteDeTeste();                                                         \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                        \
        TAplicacao app(argc, argv);                                                        \
        app.setQuitOnLastWindowClosed(false);                                              \
        instalarBombeamento();                                                             \
        Classe teste;                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                         \
        return QTest::qExec(&teste, argc, argv);                                           \
    }
