#include "harvest/textos.h"

QString aparar(QStringView texto)
{
    qsizetype ini = 0;
    qsizetype fim = texto.size();
    while (ini < fim && texto[ini].unicode() <= 32)
        ++ini;
    while (fim > ini && texto[fim - 1].unicode() <= 32)
        --fim;
    return texto.mid(ini, fim - ini).toString();
}

bool emBranco(QStringView texto)
{
    for (QChar c : texto) {
        if (c.unicode() > 32)
            return false;
    }
    return true;
}

QString normalizarEspacos(const QString &texto)
{
    constexpr QChar semQuebra(0x00A0);
    if (!texto.contains(semQuebra))
        return texto;
    QString copia = texto;
    copia.replace(semQuebra, QLatin1Char(' '));
    return copia;
}

QStringList dividirLinhas(QStringView texto)
{
    QStringList linhas;
    const qsizetype n = texto.size();
    qsizetype ini = 0;
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = texto[i].unicode();
        if (c == u'\r' || c == u'\n') {
            linhas.append(texto.mid(ini, i - ini).toString());
            if (c == u'\r' && i + 1 < n && texto[i + 1].unicode() == u'\n')
                ++i;
            ++i;
            ini = i;
        } else {
            ++i;
        }
    }
    if (ini < n)
        linhas.append(texto.mid(ini).toString());
    return linhas;
}

QString juntarLinhasCrLf(const QStringList &linhas)
{
    return linhas.join(QStringLiteral("\r\n"));
}

void removerPrimeiro(QString &texto, QStringView alvo, Qt::CaseSensitivity cs)
{
    const qsizetype pos = texto.indexOf(alvo, 0, cs);
    if (pos >= 0)
        texto.remove(pos, alvo.size());
}

int indiceDoNome(const QStringList &linhas, QStringView nome)
{
    for (int i = 0; i < linhas.size(); ++i) {
        const qsizetype igual = linhas[i].indexOf(QLatin1Char('='));
        if (igual >= 0 && QStringView(linhas[i]).left(igual).compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString valorDoNome(const QStringList &linhas, QStringView nome)
{
    const int i = indiceDoNome(linhas, nome);
    return i < 0 ? QString() : linhas[i].mid(linhas[i].indexOf(QLatin1Char('=')) + 1);
}
