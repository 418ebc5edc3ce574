#pragma once

#include <QByteArray>
#include <QString>
#include <QStringConverter>

// How a text file was stored, so it can be written back the same way.
enum class Codificacao {
    Utf8,        // no byte-order mark (also what new files get)
    Utf8Bom,
    Utf16LeBom,
    Utf16BeBom,
    Windows1252, // read only: files brought from Windows; written back as UTF-8
};

struct TextoDecodificado {
    QString texto;
    Codificacao codificacao = Codificacao::Utf8;
};

// A byte-order mark: the encoding it announces and its length in bytes.
struct MarcaDeOrdem {
    Codificacao codificacao;
    QStringConverter::Encoding encoding;
    int tamanho;
    const char *nome; // "UTF-8", "UTF-16LE" or "UTF-16BE"
};

// The mark that `inicio` starts with; null when it starts with none.
const MarcaDeOrdem *marcaDeOrdem(QByteArrayView inicio);

// The one place where bytes become text: a byte-order mark decides; without
// one, valid UTF-8 is UTF-8 and anything else is Windows-1252. Nothing is
// ever replaced by "?".
TextoDecodificado decodificarTexto(const QByteArray &bytes);

// Windows-1252 bytes as text (the table behind decodificarTexto).
QString decodificarWindows1252(QByteArrayView bytes);

// The one place where text becomes bytes. Windows1252 is written as UTF-8.
QByteArray codificarTexto(const QString &texto, Codificacao codificacao);

// Reads a whole text file. On failure returns false and fills `erro`.
bool lerArquivoTexto(const QString &caminho, TextoDecodificado &saida, QString &erro);

// Reads a whole text file with the same encoding rules as decodificarTexto,
// decoding as it reads, so the bytes are never held whole beside the text.
bool lerArquivoTextoEmPartes(const QString &caminho, TextoDecodificado &saida, QString &erro);

// Replaces a file through a temporary file and a rename, so a crash never
// leaves it truncated. On failure returns false and fills `erro`.
bool gravarArquivoTexto(const QString &caminho, const QString &texto,
                        Codificacao codificacao, QString &erro);
