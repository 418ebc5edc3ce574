#pragma once

#include <QObject>
#include <QString>

// The harvesting data module. It holds no state between calls; the
// algorithms live in the engine's free functions so that windows and the
// command line share one implementation.
class TdtmExtrator : public QObject
{
    Q_OBJECT

public:
    explicit TdtmExtrator(QObject *parent = nullptr);

    QString getEmails(const QString &source) const;
    QString getTelefones(const QString &texto) const;
    QString getTelefones2(const QString &texto) const;
    QString GetNumbersFromString(const QString &text) const;
    QString validaTelefone(const QString &telefone) const;
    // The pieces between the markers, sorted, without repeats (case
    // ignored), joined with CR LF. No events, no cancel.
    QString getTextoEntre(const QString &texto, const QString &valori, const QString &valorf) const;
};
