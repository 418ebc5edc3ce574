#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Removes leading and trailing characters of code 32 or below (control
// characters included, unlike QString::trimmed).
// The UTF-16 unit of a text's character, or of a byte (one of 0x80 and above
// keeps its value): one scan then serves both text and bytes.
inline char16_t unidade(QChar c)
{
    return c.unicode();
}

inline char16_t unidade(char16_t c)
{
    return c;
}

inline char16_t unidade(char c)
{
    return static_cast<unsigned char>(c);
}

QString aparar(QStringView texto);
// The same for a whole string: shares it, without copying, when nothing is
// trimmed.
QString aparar(const QString &texto);

// True when the text holds only characters of code 32 or below; no copy.
bool emBranco(QStringView texto);

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool ehUtf8Valido(QByteArrayView bytes);

// Names like logo@2x.png look like addresses, but no address ends in an
// image or web-asset extension: true when the text after the last "." is,
// without regard to case, png, jpg, jpeg, gif, webp, svg, bmp, ico, css or js.
bool terminaEmExtensaoDaWeb(QStringView texto);
bool terminaEmExtensaoDaWeb(QLatin1StringView texto);

// Page texts keep no-break spaces where pasted texts have plain ones; reading
// both as plain spaces makes either route give the same results.
QString normalizarEspacos(const QString &texto);

// Makes every line break (CR LF, or a lone CR) one LF, in one pass and in
// place; QString::replace moves the tail for each of thousands of breaks.
void normalizarQuebras(QString &texto);

// Splits at CR LF, a lone CR or a lone LF. A final line break makes no extra
// empty line; an empty text has no lines.
QStringList dividirLinhas(QStringView texto);

// Joins lines with CR LF between them (no break after the last).
QString juntarLinhasCrLf(const QStringList &linhas);

// A text box's text (lines separated by LF) with the CR LF line breaks that
// the application's files and texts use.
QString comQuebrasCrLf(QString texto);

// Lines as a text box shows them: each one ended by LF; nothing for none.
QString textoDeLinhas(const QStringList &linhas);

// Removes the first occurrence of `alvo`, if any.
void removerPrimeiro(QString &texto, QStringView alvo, Qt::CaseSensitivity cs);

// Name-value lines ("nome=valor"): the first "=" separates name and value;
// names compare without regard to case; a line without "=" never matches.
// Index of the first matching line, -1 when none.
int indiceDoNome(const QStringList &linhas, QStringView nome);
// Value of the first matching line; empty when none.
QString valorDoNome(const QStringList &linhas, QStringView nome);

// A point or size text: two whole numbers separated by a comma, x first; the
// first ";" counts as the comma. False for anything else (no comma, an empty
// part, a part that is no whole number; leading blanks and a sign are fine,
// trailing blanks are not).
bool setPoint(const QString &texto, int &x, int &y);

// A count typed by the user: leading blanks and a sign allowed, and when the
// text is not a whole number its leading integer part counts ("5x" is 5,
// "abc" is 0).
int lerContagem(const QString &texto);
