#include "support/ambiente.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>

namespace {
QTemporaryDir *gPasta = nullptr;
}

void prepararAmbienteDeTeste()
{
    gPasta = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/vaspira-teste-XXXXXX"));
    qputenv("VASPIRA_HOME", gPasta->path().toUtf8());
    std::atexit([] { delete gPasta; });
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QStandardPaths::setTestModeEnabled(true);
}

QString pastaDeTeste()
{
    return gPasta->path() + QLatin1Char('/');
}
