#pragma once

#include <QString>

#include <stdexcept>

// The one exception type of the application. Only failures that the design
// sends to the general error report are thrown; it shows `what()` as is.
class ErroVaspira : public std::runtime_error
{
public:
    explicit ErroVaspira(const QString &mensagem)
        : std::runtime_error(mensagem.toStdString())
    {}

    QString mensagem() const { return QString::fromStdString(what()); }
};
