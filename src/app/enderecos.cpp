#include "app/enderecos.h"

#include <QtGlobal>

QString enderecoServidor()
{
    const QString doAmbiente = qEnvironmentVariable("VASPIRA_SERVER_URL").trimmed();
    if (!doAmbiente.isEmpty())
        return doAmbiente;
    return QStringLiteral(VASPIRA_SERVER_URL_PADRAO);
}

QString enderecoTutoriais()
{
    return QStringLiteral(VASPIRA_TUTORIAIS_URL);
}

QString enderecoSite()
{
    return QStringLiteral(VASPIRA_SITE_URL);
}

QString enderecoNoServidor(const QString &caminho)
{
    QString base = enderecoServidor();
    if (base.isEmpty())
        base = enderecoSite();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + caminho;
}
