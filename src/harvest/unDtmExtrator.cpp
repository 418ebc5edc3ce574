#include "harvest/unDtmExtrator.h"

#include "harvest/colheita.h"
#include "harvest/emails.h"
#include "harvest/telefones.h"

TdtmExtrator::TdtmExtrator(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("dtmExtrator"));
}

QString TdtmExtrator::getEmails(const QString &source) const
{
    return ::getEmails(source);
}

QString TdtmExtrator::getTelefones(const QString &texto) const
{
    return getTelefones2(texto);
}

QString TdtmExtrator::getTelefones2(const QString &texto) const
{
    return ::getTelefones(texto);
}

QString TdtmExtrator::GetNumbersFromString(const QString &text) const
{
    return ::GetNumbersFromString(text);
}

QString TdtmExtrator::validaTelefone(const QString &telefone) const
{
    return ::validaTelefone(telefone);
}

QString TdtmExtrator::getTextoEntre(const QString &texto, const QString &valori,
                                    const QString &valorf) const
{
    return colherDeTexto(Colheita::Entre, texto, valori, valorf);
}
