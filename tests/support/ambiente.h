#pragma once

#include <QString>

// Points VASPIRA_HOME at a fresh temporary folder (removed at exit) and makes
// Brazilian Portuguese the default locale. Call first thing in main().
void prepararAmbienteDeTeste();

// The temporary folder that VASPIRA_HOME names, with a trailing "/".
QString pastaDeTeste();

// Tests without a display: no application window, the engine alone.
#define VASPIRA_ENGINE_TEST_MAIN(Classe)                                                  \
    int main(int argc, char *argv[])                                                       \
    {                                                                                      \
        prepararAmbienteDeTeste();                                                         \
        QCoreApplication app(argc, argv);                                                  \
        Classe teste;                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                         \
        return QTest::qExec(&teste, argc, argv);                                           \
    }
