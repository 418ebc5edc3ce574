#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

// Brazilian phone numbers of a text in their normalised form, in order of
// first appearance, without repeats, each followed by CR LF.
QString getTelefones(const QString &texto);

// The same scan over valid UTF-8 bytes, without decoding the text whole.
// Only the digits in [de, ate) are looked at; `de` and `ate` must fall on
// bytes that are no phone characters, so no run crosses them.
QString getTelefonesUtf8(QByteArrayView utf8, qsizetype de = 0, qsizetype ate = -1);

// The same scan over consecutive parts of one UTF-8 text read piece by
// piece: each call looks at the digits of utf8[de, ate), with the same rule
// for `de` and `ate`; the numbers gather in order of first appearance.
class ColetaDeTelefones
{
public:
    ColetaDeTelefones();
    ~ColetaDeTelefones();
    void varrer(QByteArrayView utf8, qsizetype de, qsizetype ate);
    QString resultado() const;

private:
    std::unique_ptr<class ListaDeTelefones> mLista;
};

// Joins the results of two consecutive parts: the numbers of the second not
// yet in the first are appended, keeping the order of first appearance.
QString juntarTelefones(const QString &primeiro, const QString &segundo);

// The ASCII digits of a text, in order.
QString GetNumbersFromString(QStringView text);

// A string of digits as a formatted number ("(11) 91111-2222",
// "+55 (11) 91111-2222", "91111-2222"), or empty when it makes none.
QString validaTelefone(const QString &telefone);
