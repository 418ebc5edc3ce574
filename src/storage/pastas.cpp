#include "storage/pastas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

bool podeGravar(const QString &pasta)
{
    if (!QDir().mkpath(pasta))
        return false;
    // Permission bits lie on some mounts; a real file tells the truth.
    QTemporaryFile teste(pasta + QStringLiteral("/.vaspira-XXXXXX"));
    return teste.open();
}

QString comBarra(QString pasta)
{
    pasta = QDir::cleanPath(QDir(pasta).absolutePath());
    if (!pasta.endsWith(QLatin1Char('/')))
        pasta += QLatin1Char('/');
    return pasta;
}

QString decidirPasta()
{
    const QString home = qEnvironmentVariable("VASPIRA_HOME");
    if (!home.trimmed().isEmpty()) {
        QDir().mkpath(home);
        return comBarra(home);
    }
    const QString doPrograma = QCoreApplication::applicationDirPath();
    if (!doPrograma.isEmpty() && podeGravar(doPrograma))
        return comBarra(doPrograma);
    const QString dados = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dados);
    return comBarra(dados);
}

} // namespace

QString ExeFolder()
{
    static const QString pasta = decidirPasta();
    return pasta;
}

QString caminhoNaPasta(const QString &nome)
{
    return ExeFolder() + nome;
}
