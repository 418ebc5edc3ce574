#include "harvest/textos.h"

#include <array>
#include <climits>

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

QString aparar(const QString &texto)
{
    if (texto.isEmpty() || (texto.front().unicode() > 32 && texto.back().unicode() > 32))
        return texto;
    return aparar(QStringView(texto));
}

namespace {

template <typename Vista>
bool terminaEmExtensao(Vista texto)
{
    static const std::array<QLatin1StringView, 10> extensoes = {
        QLatin1StringView("png"), QLatin1StringView("jpg"), QLatin1StringView("jpeg"),
        QLatin1StringView("gif"), QLatin1StringView("webp"), QLatin1StringView("svg"),
        QLatin1StringView("bmp"), QLatin1StringView("ico"), QLatin1StringView("css"),
        QLatin1StringView("js"),
    };
    const qsizetype ponto = texto.lastIndexOf(QLatin1Char('.'));
    const qsizetype tamanho = ponto < 0 ? 0 : texto.size() - ponto - 1;
    // Every extension has 2 to 4 letters; most endings are ruled out by that.
    if (tamanho < 2 || tamanho > 4)
        return false;
    const Vista fim = texto.sliced(ponto + 1);
    for (const auto &ext : extensoes) {
        if (ext.size() == tamanho && fim.compare(ext, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

bool terminaEmExtensaoDaWeb(QStringView texto)
{
    return terminaEmExtensao(texto);
}

bool terminaEmExtensaoDaWeb(QLatin1StringView texto)
{
    return terminaEmExtensao(texto);
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

void normalizarQuebras(QString &texto)
{
    const qsizetype primeiro = texto.indexOf(u'\r');
    if (primeiro < 0)
        return;
    QChar *d = texto.data();
    const qsizetype n = texto.size();
    qsizetype escrito = primeiro;
    for (qsizetype i = primeiro; i < n; ++i) {
        if (d[i] == u'\r') {
            d[escrito++] = u'\n';
            if (i + 1 < n && d[i + 1] == u'\n')
                ++i;
        } else {
            d[escrito++] = d[i];
        }
    }
    texto.truncate(escrito);
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

QString comQuebrasCrLf(QString texto)
{
    texto.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return texto;
}

QString textoDeLinhas(const QStringList &linhas)
{
    return linhas.isEmpty() ? QString() : linhas.join(QLatin1Char('\n')) + QLatin1Char('\n');
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

namespace {

bool inteiro(QStringView parte, int &valor)
{
    qsizetype i = 0;
    while (i < parte.size() && parte[i] == u' ')
        ++i;
    const QStringView resto = parte.mid(i);
    if (resto.isEmpty() || resto.back().unicode() <= 32)
        return false;
    bool ok = false;
    valor = resto.toInt(&ok);
    return ok;
}

} // namespace

bool setPoint(const QString &texto, int &x, int &y)
{
    QString t = texto;
    const qsizetype pontoEVirgula = t.indexOf(u';');
    if (pontoEVirgula >= 0)
        t[pontoEVirgula] = u',';
    const qsizetype virgula = t.indexOf(u',');
    if (virgula < 0)
        return false;
    return inteiro(QStringView(t).left(virgula), x) && inteiro(QStringView(t).mid(virgula + 1), y);
}

int lerContagem(const QString &texto)
{
    qsizetype i = 0;
    while (i < texto.size() && texto[i].unicode() <= 32)
        ++i;
    qsizetype fim = i;
    if (fim < texto.size() && (texto[fim] == u'-' || texto[fim] == u'+'))
        ++fim;
    while (fim < texto.size() && texto[fim] >= u'0' && texto[fim] <= u'9')
        ++fim;
    bool ok = false;
    const qlonglong valor = QStringView(texto).mid(i, fim - i).toLongLong(&ok);
    if (!ok)
        return 0;
    return static_cast<int>(qBound(qlonglong(INT_MIN), valor, qlonglong(INT_MAX)));
}
