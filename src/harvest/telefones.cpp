#include "harvest/telefones.h"

#include "harvest/bombeamento.h"
#include "harvest/textos.h"

#include <QSet>

namespace {

bool ehCaractereDeTelefone(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return true;
    switch (u) {
    case u' ': case u'"': case u'(': case u')': case u'-': case u'.': case u'=': case u'_':
        return true;
    default:
        return false;
    }
}

bool ehAntecessorPermitido(QChar c)
{
    switch (c.unicode()) {
    case u' ': case u'\n': case u'\r': case u'"': case u'(': case u'+': case u':': case u'\'': case u'>':
        return true;
    default:
        return false;
    }
}

} // namespace

QString GetNumbersFromString(QStringView text)
{
    QString digitos;
    for (QChar c : text) {
        if (c.unicode() >= u'0' && c.unicode() <= u'9')
            digitos += c;
    }
    return digitos;
}

QString validaTelefone(const QString &telefone)
{
    QString s = telefone;
    QString saida;
    bool seguirComArea = false;
    if (s.size() >= 12 && s.size() <= 14) {
        if (s.startsWith(u'0') && !s.startsWith(u"00")) {
            // A trunk prefix, not a country code: "(011) 91111-2222". With a
            // carrier code ("0 21 11 ...") two more digits go.
            s.remove(0, 1);
            if (s.size() == 12 || s.size() == 13)
                s.remove(0, 2);
            seguirComArea = true;
        } else {
            saida = QLatin1Char('+') + s.left(2) + QLatin1Char(' ');
            s.remove(0, 2);
        }
    }
    if (!seguirComArea && s.startsWith(u'0'))
        s.remove(0, 1);
    if (s.size() == 10 || s.size() == 11) {
        saida += QLatin1Char('(') + s.left(2) + QStringLiteral(") ");
        s.remove(0, 2);
    }
    if (s.size() == 9)
        saida += s.left(5) + QLatin1Char('-') + s.right(4);
    else if (s.size() == 8)
        saida += s.left(4) + QLatin1Char('-') + s.right(4);
    else
        return QString();
    // An area code without a country code followed by a number that begins
    // with 0 is no phone number.
    if (saida.contains(u'(') && saida.indexOf(u" 0") == 4)
        return QString();
    return saida;
}

QString getTelefones(const QString &entrada)
{
    if (emBranco(entrada))
        return QString();
    const QString texto = normalizarEspacos(entrada);
    QStringList lista;
    QSet<QString> vistos;
    bombearEventos();

    auto descarregar = [&](qsizetype inicio, qsizetype fim) {
        if (inicio < 0 || fim <= inicio)
            return;
        const QString digitos = GetNumbersFromString(QStringView(texto).mid(inicio, fim - inicio));
        if (digitos.size() < 9 || digitos.size() > 18)
            return;
        bombearEventos();
        const QString numero = validaTelefone(digitos);
        bombearEventos();
        if (!numero.isEmpty() && !vistos.contains(numero)) {
            vistos.insert(numero);
            lista.append(numero);
        }
    };

    // The run is texto[inicio, i): consecutive phone characters, so it is
    // kept as a start index and never copied until it is flushed.
    qsizetype inicio = -1;
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (ehCaractereDeTelefone(texto[i])) {
            if (inicio < 0) {
                inicio = i;
                // The start of the text counts as an allowed predecessor, so a
                // pasted column of numbers keeps its first one.
                if (i > 0 && !ehAntecessorPermitido(texto[i - 1]))
                    inicio = -1;
            }
        } else {
            descarregar(inicio, i);
            inicio = -1;
        }
    }
    descarregar(inicio, n);

    QString resultado;
    for (const QString &l : std::as_const(lista))
        resultado += l + QStringLiteral("\r\n");
    return resultado;
}
