#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

// Finds the e-mail addresses of a text of any size, in text order, repeats
// kept, each followed by CR LF; lower case. Empty when none is found.
QString getEmails(const QString &fonte);

// The same scan over UTF-8 bytes, for large inputs: `utf8` must be valid
// UTF-8 (see ehUtf8Valido). The result is getEmails of the decoded text, in
// UTF-8, but the text is never decoded whole. Only the "@"s in [de, ate) are
// taken, as if the text before `de` ended with an "@": splitting a text right
// after one of its "@"s and joining the parts' results gives the whole's
// result.
QByteArray getEmailsUtf8(QByteArrayView utf8, qsizetype de = 0, qsizetype ate = -1);
// The same, handing each address, in UTF-8, to `aoEncontrar` as it is found
// instead of gathering them, for outputs larger than one wants to hold.
void getEmailsUtf8(QByteArrayView utf8, qsizetype de, qsizetype ate,
                   const std::function<void(QByteArrayView)> &aoEncontrar);

// Cleans one piece of text holding an "@" (a word found by the keyword scan).
// Returns the address in lower case, or the empty text when rejected.
QString tratarEmail(const QString &email);
