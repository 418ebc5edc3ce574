#include "storage/configuracao.h"

#include "harvest/textos.h"
#include "storage/arquivoTexto.h"
#include "storage/pastas.h"

#include <QFile>

namespace {
QString caminhoConfig()
{
    return caminhoNaPasta(QStringLiteral("config.txt"));
}
} // namespace

QString valorNoArquivo(const QString &caminho, const QString &nome, QString *erro)
{
    if (!QFile::exists(caminho))
        return QString();
    TextoDecodificado conteudo;
    QString falha;
    if (!lerArquivoTexto(caminho, conteudo, falha)) {
        if (erro)
            *erro = falha;
        return QString();
    }
    return valorDoNome(dividirLinhas(conteudo.texto), nome);
}

QString lerConfiguracao(const QString &config, QString *erro)
{
    return valorNoArquivo(caminhoConfig(), config, erro);
}

bool gravarConfiguracao(const QString &config, const QString &valor, QString &erro)
{
    const QString texto = valor.isEmpty() ? QString() : config + QLatin1Char('=') + valor + QStringLiteral("\r\n");
    return gravarArquivoTexto(caminhoConfig(), texto, Codificacao::Utf8, erro);
}

bool valorVerdadeiro(const QString &valor)
{
    if (valor.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const qlonglong inteiro = valor.toLongLong(&ok);
    if (ok)
        return inteiro != 0;
    const double real = valor.toDouble(&ok);
    return ok && real != 0;
}
