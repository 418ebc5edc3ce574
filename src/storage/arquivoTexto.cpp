#include "storage/arquivoTexto.h"

#include <QFile>

#include <utility>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five unassigned
// bytes map to the C1 controls of the same value, as Windows itself does.
constexpr char16_t kCp1252Alto[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString decodificarWindows1252(QByteArrayView bytes)
{
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar *d = texto.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252Alto[b - 0x80]) : QChar(b);
    }
    return texto;
}

namespace {

// The mark is stripped by hand; a U+FEFF right after it is text and stays.
constexpr auto kSemPularMarca = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

QString decodificar(QStringConverter::Encoding enc, QByteArrayView bytes)
{
    QStringDecoder decoder(enc, kSemPularMarca);
    return decoder.decode(bytes);
}

} // namespace

const MarcaDeOrdem *marcaDeOrdem(QByteArrayView inicio)
{
    static const MarcaDeOrdem marcas[] = {
        {Codificacao::Utf8Bom, QStringConverter::Utf8, 3, "UTF-8"},
        {Codificacao::Utf16LeBom, QStringConverter::Utf16LE, 2, "UTF-16LE"},
        {Codificacao::Utf16BeBom, QStringConverter::Utf16BE, 2, "UTF-16BE"},
    };
    static const char *const bytes[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    for (int i = 0; i < 3; ++i) {
        if (inicio.startsWith(QByteArrayView(bytes[i], marcas[i].tamanho)))
            return &marcas[i];
    }
    return nullptr;
}

TextoDecodificado decodificarTexto(const QByteArray &bytes)
{
    if (const MarcaDeOrdem *marca = marcaDeOrdem(bytes))
        return {decodificar(marca->encoding, QByteArrayView(bytes).sliced(marca->tamanho)), marca->codificacao};

    QStringDecoder utf8(QStringConverter::Utf8, kSemPularMarca);
    QString texto = utf8.decode(bytes);
    if (!utf8.hasError())
        return {texto, Codificacao::Utf8};
    return {decodificarWindows1252(bytes), Codificacao::Windows1252};
}

QByteArray codificarTexto(const QString &texto, Codificacao codificacao)
{
    switch (codificacao) {
    case Codificacao::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + texto.toUtf8();
    case Codificacao::Utf16LeBom: {
        QStringEncoder enc(QStringConverter::Utf16LE);
        return QByteArray("\xFF\xFE") + QByteArray(enc.encode(texto));
    }
    case Codificacao::Utf16BeBom: {
        QStringEncoder enc(QStringConverter::Utf16BE);
        return QByteArray("\xFE\xFF") + QByteArray(enc.encode(texto));
    }
    case Codificacao::Utf8:
    case Codificacao::Windows1252:
        break;
    }
    return texto.toUtf8();
}

bool lerArquivoTexto(const QString &caminho, TextoDecodificado &saida, QString &erro)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        erro = arquivo.errorString();
        return false;
    }
    const QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError) {
        erro = arquivo.errorString();
        return false;
    }
    saida = decodificarTexto(bytes);
    return true;
}

bool gravarArquivoTexto(const QString &caminho, const QString &texto,
                        Codificacao codificacao, QString &erro)
{
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly)) {
        erro = arquivo.errorString();
        return false;
    }
    const QByteArray bytes = codificarTexto(texto, codificacao);
    if (arquivo.write(bytes) != bytes.size() || !arquivo.commit()) {
        erro = arquivo.errorString();
        return false;
    }
    return true;
}

bool lerArquivoTextoEmPartes(const QString &caminho, TextoDecodificado &saida, QString &erro)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        erro = arquivo.errorString();
        return false;
    }
    const MarcaDeOrdem *marcaNoInicio = marcaDeOrdem(arquivo.peek(4));
    const QStringConverter::Encoding enc = marcaNoInicio ? marcaNoInicio->encoding : QStringConverter::Utf8;
    const Codificacao cod = marcaNoInicio ? marcaNoInicio->codificacao : Codificacao::Utf8;
    const qint64 marca = marcaNoInicio ? marcaNoInicio->tamanho : 0;

    constexpr qint64 kParte = 4 * 1024 * 1024;
    auto lerTudo = [&](auto &&decodificarParte) -> bool {
        arquivo.seek(marca);
        QString texto;
        // UTF-8 never gives more UTF-16 units than it has bytes.
        texto.reserve(qMax<qint64>(arquivo.size() - marca, 0));
        QByteArray parte;
        for (;;) {
            parte = arquivo.read(kParte);
            if (parte.isEmpty())
                break;
            if (!decodificarParte(parte, texto))
                return false;
        }
        if (arquivo.error() != QFileDevice::NoError) {
            erro = arquivo.errorString();
            return false;
        }
        saida.texto = std::move(texto);
        return true;
    };

    QStringDecoder decoder(enc, QStringConverter::Flag::ConvertInitialBom);
    const bool ok = lerTudo([&](const QByteArray &parte, QString &texto) {
        texto += decoder.decode(parte);
        return !(cod == Codificacao::Utf8 && decoder.hasError());
    });
    if (ok) {
        saida.codificacao = cod;
        return true;
    }
    if (!erro.isEmpty())
        return false;
    // Not UTF-8 after all: a file brought from Windows.
    saida.codificacao = Codificacao::Windows1252;
    return lerTudo([](const QByteArray &parte, QString &texto) {
        texto += decodificarWindows1252(parte);
        return true;
    });
}
