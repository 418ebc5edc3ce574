#include "harvest/unDtmExtrator.h"

#include "harvest/emails.h"

TdtmExtrator::TdtmExtrator(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("dtmExtrator"));
}

QString TdtmExtrator::getEmails(const QString &source) const
{
    return ::getEmails(source);
}
