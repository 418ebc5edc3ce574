#include "harvest/colheita.h"

#include "harvest/emails.h"
#include "harvest/mesclagem.h"
#include "harvest/telefones.h"
#include "harvest/textos.h"

QString faltaDeTermos(Colheita tipo, const QString &valor1, const QString &valor2)
{
    if (tipo == Colheita::Contendo && emBranco(valor1))
        return QStringLiteral("Faltou definir o texto que deve ser localizado");
    if (tipo == Colheita::Entre && (emBranco(valor1) || emBranco(valor2)))
        return QStringLiteral("Faltou definir os dois termos entre os quais os textos devem ser capturados");
    return QString();
}

QString colherDeTexto(Colheita tipo, const QString &texto, const QString &valor1,
                      const QString &valor2, const AcompanhamentoContendo &acompanhamento, bool *parou)
{
    if (parou)
        *parou = false;
    switch (tipo) {
    case Colheita::Telefones:
        return aparar(getTelefones(texto));
    case Colheita::Emails:
        return aparar(getEmails(texto));
    case Colheita::Contendo:
        return aparar(juntarLinhasCrLf(varrerContendo(texto, valor1, acompanhamento, parou)));
    case Colheita::Entre:
        return aparar(juntarLinhasCrLf(
            mesclarLinhas({}, varrerEntre(texto, valor1, valor2), collatorDeResultados())));
    }
    return QString();
}
