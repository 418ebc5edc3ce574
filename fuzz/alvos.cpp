#include "alvos.h"

#include "harvest/emails.h"
#include "harvest/ferramentas.h"
#include "harvest/padroes.h"
#include "harvest/palavras.h"
#include "harvest/telefones.h"
#include "harvest/textos.h"
#include "storage/arquivoTexto.h"

#include <QDir>
#include <QStringDecoder>
#include <QFile>
#include <QTemporaryFile>

namespace {

// The first byte picks how the rest becomes text: raw UTF-16 units (lone
// surrogates, NULs) or the file decoding rules.
QString texto(const uint8_t *dados, size_t tamanho)
{
    if (tamanho == 0)
        return QString();
    const auto *resto = reinterpret_cast<const char *>(dados + 1);
    const qsizetype n = static_cast<qsizetype>(tamanho - 1);
    if (dados[0] & 1)
        return QString(reinterpret_cast<const QChar *>(resto), n / 2);
    return decodificarTexto(QByteArray(resto, n)).texto;
}

// Splits a text at its first two NULs into up to three parts.
QStringList partes(const QString &t)
{
    QStringList p = t.split(QChar(0));
    while (p.size() < 3)
        p.append(QString());
    return p;
}

} // namespace

namespace alvos {

enum class Varredura { Emails, Telefones };

// The byte scan must agree with the text scan on any valid UTF-8.
static void compararComBytes(const uint8_t *dados, size_t tamanho, Varredura varredura)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    // A leading U+FEFF stays a character: files that open with a byte order
    // mark are decoded, never scanned as bytes.
    QStringDecoder d(QStringConverter::Utf8,
                     QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QString t = d.decode(bytes);
    if (ehUtf8Valido(bytes) == d.hasError())
        abort();
    if (d.hasError())
        return;
    const bool iguais = varredura == Varredura::Emails ? getEmailsUtf8(bytes) == getEmails(t).toUtf8()
                                                       : getTelefonesUtf8(bytes) == getTelefones(t);
    if (!iguais)
        abort();
}

void emails(const uint8_t *dados, size_t tamanho)
{
    compararComBytes(dados, tamanho, Varredura::Emails);
    const QString t = texto(dados, tamanho);
    const QString r = getEmails(t);
    for (const QString &l : r.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (!l.contains(u'@'))
            abort();
    }
    (void)tratarEmail(t);
}

void telefones(const uint8_t *dados, size_t tamanho)
{
    compararComBytes(dados, tamanho, Varredura::Telefones);
    const QString t = texto(dados, tamanho);
    (void)getTelefones(t);
    (void)validaTelefone(GetNumbersFromString(t).left(18));
}

void palavras(const uint8_t *dados, size_t tamanho)
{
    const QStringList p = partes(texto(dados, tamanho));
    qsizetype fim = 0;
    (void)isolarTextoNaPosicao(p[2], p[0].size() % (p[2].size() + 2), p[1].isEmpty(), &fim);
    (void)varrerContendo(p[2], p[0]);
    (void)varrerEntre(p[2], p[0], p[1]);
    (void)excluirTextoEntreNaLinha(p[2], p[0], p[1]);
    (void)substituirSemCaixa(p[2], p[0], p[1]);
}

void padroes(const uint8_t *dados, size_t tamanho)
{
    const QString t = texto(dados, tamanho);
    for (TipoPadrao tipo : {TipoPadrao::Email, TipoPadrao::Telefone})
        paraCadaOcorrencia(tipo, t, [](QStringView o) {
            if (o.isEmpty())
                abort();
        });
    // The streamed method on the same bytes.
    QTemporaryFile arquivo(QDir::tempPath() + QStringLiteral("/vaspira-fuzz-XXXXXX"));
    if (!arquivo.open())
        return;
    arquivo.write(reinterpret_cast<const char *>(dados), static_cast<qint64>(tamanho));
    arquivo.flush();
    ListaResultados lista;
    QString erro;
    for (TipoPadrao tipo : {TipoPadrao::Email, TipoPadrao::Telefone})
        extrairPadraoDoArquivo(tipo, arquivo.fileName(), adivinharCodificacao(arquivo.fileName()), lista, {},
                               erro);
}

void decodificacao(const uint8_t *dados, size_t tamanho)
{
    const QByteArray bytes(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    const TextoDecodificado t = decodificarTexto(bytes);
    // Text written back and read again comes back the same.
    const TextoDecodificado de_novo = decodificarTexto(codificarTexto(t.texto, t.codificacao));
    if (t.codificacao != Codificacao::Windows1252 && de_novo.texto != t.texto)
        abort();
}

} // namespace alvos
