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
};
