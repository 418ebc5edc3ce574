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
