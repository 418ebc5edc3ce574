#include "dialogs/ajudantes.h"

#include <QFileInfo>
#include <QLocale>

QString formatarNumero(qint64 n)
{
    if (n == 0)
        return QString();
    QLocale local;
    local.setNumberOptions(local.numberOptions() & ~QLocale::OmitGroupSeparator);
    return local.toString(n);
}

qint64 tamanhoArquivo(const QString &caminho)
{
    const QFileInfo info(caminho);
    if (!info.exists() || info.isDir())
        return -1;
    return info.size();
}
