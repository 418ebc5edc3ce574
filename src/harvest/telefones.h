#pragma once

#include <QByteArrayView>
#include <QString>

// Brazilian phone numbers of a text in their normalised form, in order of
// first appearance, without repeats, each followed by CR LF.
QString getTelefones(const QString &texto);

// The same scan over valid UTF-8 bytes, without decoding the text whole.
QString getTelefonesUtf8(QByteArrayView utf8);

// The ASCII digits of a text, in order.
QString GetNumbersFromString(QStringView text);

// A string of digits as a formatted number ("(11) 91111-2222",
// "+55 (11) 91111-2222", "91111-2222"), or empty when it makes none.
QString validaTelefone(const QString &telefone);
