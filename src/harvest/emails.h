#pragma once

#include <QString>

// Finds the e-mail addresses of a text of any size, in text order, repeats
// kept, each followed by CR LF; lower case. Empty when none is found.
QString getEmails(const QString &fonte);

// Cleans one piece of text holding an "@" (a word found by the keyword scan).
// Returns the address in lower case, or the empty text when rejected.
QString tratarEmail(const QString &email);
