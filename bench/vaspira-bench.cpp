// Benchmark helper: writes deterministic corpora and times the results merge.
#include "harvest/mesclagem.h"
#include "harvest/textos.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <cstdint>

namespace {

// A small LCG: the same corpora on every machine and every run.
struct Acaso {
    uint64_t s = 0x9E3779B97F4A7C15ull;
    uint32_t proximo()
    {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(s >> 33);
    }
    uint32_t ate(uint32_t n) { return proximo() % n; }
};

const char *const kPalavras[] = {
    "contato", "empresa", "atendimento", "vendas", "produtos", "loja", "cliente", "pedido",
    "entrega", "cidade", "bairro", "rua", "avenida", "telefone", "whatsapp", "horário",
    "segunda", "sexta", "promoção", "serviços", "orçamento", "qualidade", "equipe", "sobre",
};
const char *const kNomes[] = {"ana", "bia", "caio", "davi", "elisa", "fabio", "gabi", "heitor",
                              "iara", "joao", "karen", "lucas", "maria", "nina", "otavio", "paula"};
const char *const kDominios[] = {"gmail.com", "empresa.com.br", "loja.net", "site.org", "uol.com.br",
                                 "hotmail.com", "yahoo.com.br", "consultoria.info"};

QByteArray palavra(Acaso &a)
{
    return kPalavras[a.ate(std::size(kPalavras))];
}

QByteArray email(Acaso &a)
{
    QByteArray e = kNomes[a.ate(std::size(kNomes))];
    if (a.ate(2))
        e += '.' + QByteArray(kNomes[a.ate(std::size(kNomes))]);
    e += QByteArray::number(a.ate(500));
    e += '@';
    e += kDominios[a.ate(std::size(kDominios))];
    return e;
}

QByteArray telefone(Acaso &a)
{
    const QByteArray ddd = QByteArray::number(11 + a.ate(88));
    const QByteArray n1 = QByteArray::number(90000 + a.ate(9999));
    const QByteArray n2 = QByteArray::number(1000 + a.ate(8999));
    switch (a.ate(6)) {
    case 0: return "(" + ddd + ") " + n1 + "-" + n2;
    case 1: return "+55 " + ddd + " " + n1 + "-" + n2;
    case 2: return ddd + " " + n1.mid(1) + "-" + n2;
    case 3: return ddd + n1 + n2;
    case 4: return "(0" + ddd + ") " + n1 + "-" + n2;
    default: return "+55 (" + ddd + ") " + n1 + " " + n2;
    }
}

QByteArray contatoHtml(Acaso &a)
{
    switch (a.ate(6)) {
    case 0: return "<a href=\"mailto:" + email(a) + "?subject=Contato\">Fale conosco</a>";
    case 1: return "<td>" + email(a) + "&nbsp;</td><td>" + telefone(a) + "</td>";
    case 2: return "<p>E-mail: " + email(a) + " | Fone: " + telefone(a) + "</p>";
    case 3: return "<li>WhatsApp " + telefone(a) + "</li>";
    case 4: return "<span>&lt;" + email(a) + "&gt;</span>";
    default: return "<img src=\"logo@2x.png\"> <div>Tel.: " + telefone(a) + "</div>";
    }
}

bool gerar(const QString &tipo, const QString &caminho, qint64 tamanho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    Acaso a;
    QByteArray bloco;
    qint64 escrito = 0;
    auto despejar = [&] {
        f.write(bloco);
        escrito += bloco.size();
        bloco.clear();
    };
    if (tipo == u"linhas") {
        // One million short lines, many of them repeats that differ in case only.
        for (int i = 0; i < 1000000; ++i) {
            QByteArray l = QByteArray(kNomes[a.ate(std::size(kNomes))]) + ' '
                           + palavra(a) + ' ' + QByteArray::number(a.ate(40000));
            if (a.ate(3) == 0)
                l = l.toUpper();
            else if (a.ate(3) == 0)
                l[0] = QChar::toUpper(l[0]);
            bloco += l + '\n';
            if (bloco.size() > (1 << 20))
                despejar();
        }
        despejar();
        return true;
    }
    while (escrito + bloco.size() < tamanho) {
        if (tipo == u"pagina") {
            // About one contact per 2 KB of markup.
            bloco += "<div class=\"item\"><h3>";
            for (int i = 0; i < 260; ++i) {
                bloco += palavra(a);
                bloco += (i % 20 == 19) ? "</p>\n<p>" : " ";
            }
            bloco += "</h3>" + contatoHtml(a) + "</div>\n";
        } else if (tipo == u"prosa") {
            for (int i = 0; i < 12; ++i)
                bloco += palavra(a) + ' ';
            bloco += '\n';
            if (a.ate(600) == 0)
                bloco += "Contato: " + email(a) + " ou " + telefone(a) + ".\n";
        } else {
            bloco += email(a) + "; " + telefone(a) + "\n";
        }
        if (bloco.size() > (1 << 20))
            despejar();
    }
    despejar();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args[1] == u"gerar")
        return gerar(args[2], args[3], args.size() > 4 ? args[4].toLongLong() * 1024 * 1024 : 0) ? 0 : 1;
    if (args.size() == 3 && args[1] == u"mesclar") {
        QFile f(args[2]);
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        const QStringList linhas = dividirLinhas(QString::fromUtf8(f.readAll()));
        QElapsedTimer t;
        t.start();
        const QStringList r = mesclarLinhas({}, linhas, collatorDeResultados());
        std::printf("%lld %.3f\n", static_cast<long long>(r.size()), t.elapsed() / 1000.0);
        return 0;
    }
    std::fprintf(stderr, "uso: vaspira-bench gerar (pagina|prosa|denso|linhas) ARQUIVO [MB]\n"
                         "     vaspira-bench mesclar ARQUIVO\n");
    return 2;
}
