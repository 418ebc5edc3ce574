// vaspira-extract: the harvesting engine from a terminal.
#include "harvest/colheita.h"
#include "harvest/emails.h"
#include "harvest/telefones.h"
#include "harvest/listaResultados.h"
#include "harvest/mesclagem.h"
#include "harvest/padroes.h"
#include "harvest/palavras.h"
#include "harvest/textos.h"
#include "storage/arquivoTexto.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <cstdio>
#include <thread>
#include <unistd.h>

namespace {

const char *const kAjuda = R"(Uso:
  vaspira-extract emails [--raw] [ARQUIVO...]
  vaspira-extract telefones [--raw] [ARQUIVO...]
  vaspira-extract contendo TEXTO [--raw] [ARQUIVO...]
  vaspira-extract entre INICIO FIM [--raw] [ARQUIVO...]
  vaspira-extract arquivos (--emails | --telefones | --contendo TEXTO | --entre INICIO FIM)
                           [-o SAIDA] ARQUIVO...

Modos de texto (como a extração "Colando"):
  emails      endereços de e-mail
  telefones   telefones brasileiros, no formato (11) 91111-2222
  contendo    as palavras que vêm depois de TEXTO
  entre       cada trecho entre INICIO e FIM

  Cada ARQUIVO (ou a entrada padrão, sem arquivos ou com "-") é lido como um
  texto: a marca de ordem de bytes decide a codificação; sem ela, UTF-8 quando
  válido, senão Windows-1252. Sem --raw, os resultados de todas as entradas são
  juntados, ordenados e sem repetições (maiúsculas e minúsculas contam como
  iguais). Com --raw, cada entrada sai como a extração a devolve (emails --raw
  mantém as repetições).

Modo arquivos (como a extração "De arquivos"):
  Lê cada ARQUIVO em ordem, adivinhando sua codificação. E-mails e telefones
  são buscados pelos padrões de documentos, uma linha por vez, sem carregar o
  arquivo inteiro; --contendo e --entre leem o texto e o varrem. O resultado é
  uma lista ordenada e sem repetições, impressa ou gravada em SAIDA (-o).

Saída em UTF-8, uma linha por resultado.
Código de saída: 0 concluído (também sem resultados), 1 alguma entrada não
pôde ser lida, 2 uso incorreto.
)";

bool terminal()
{
    return isatty(fileno(stderr)) != 0;
}

void erro(const QString &mensagem)
{
    std::fputs(mensagem.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int usoIncorreto(const QString &mensagem)
{
    erro(QStringLiteral("vaspira-extract: ") + mensagem);
    erro(QStringLiteral("Use \"vaspira-extract --help\" para ver como usar."));
    return 2;
}

void escrever(const QStringList &linhas, std::FILE *saida)
{
    QByteArray bytes;
    for (const QString &l : linhas) {
        bytes += l.toUtf8();
        bytes += '\n';
        if (bytes.size() > (1 << 20)) {
            std::fwrite(bytes.constData(), 1, bytes.size(), saida);
            bytes.clear();
        }
    }
    std::fwrite(bytes.constData(), 1, bytes.size(), saida);
}

// The whole input as text, as pasted into the workspace: its line breaks
// become the text box's own.
bool lerTexto(const QString &nome, QString &texto)
{
    QString falha;
    if (nome == u"-") {
        QFile entrada;
        if (!entrada.open(stdin, QIODevice::ReadOnly)) {
            falha = entrada.errorString();
        } else {
            texto = decodificarTexto(entrada.readAll()).texto;
            if (entrada.error() != QFileDevice::NoError)
                falha = entrada.errorString();
        }
    } else {
        TextoDecodificado lido;
        if (lerArquivoTextoEmPartes(nome, lido, falha))
            texto = std::move(lido.texto);
    }
    if (!falha.isEmpty()) {
        erro(QStringLiteral("vaspira-extract: não foi possível ler \"%1\": %2").arg(nome, falha));
        return false;
    }
    normalizarQuebras(texto);
    return true;
}

// The e-mails of bytes[de, ate), which starts right after an "@" or at the
// start, in pieces of about 256 KB that each end right after an "@": every
// piece is checked as UTF-8 while it is in the cache, just before its scan.
// False at the first piece that is no UTF-8; what was found is then void.
bool emailsVerificando(QByteArrayView bytes, qsizetype de, qsizetype ate,
                       const std::function<void(QByteArrayView)> &aoEncontrar)
{
    constexpr qsizetype kPedaco = 256 * 1024;
    qsizetype ini = de;
    while (ini < ate) {
        qsizetype fim = ate;
        if (ate - ini > kPedaco) {
            const qsizetype arroba = bytes.indexOf('@', ini + kPedaco);
            if (arroba >= 0 && arroba < ate)
                fim = arroba + 1;
        }
        if (!ehUtf8Valido(bytes.sliced(ini, fim - ini)))
            return false;
        getEmailsUtf8(bytes, ini, fim, aoEncontrar);
        ini = fim;
    }
    return true;
}

// Runs `porMetade` on [0, corte) here and on [corte, n) on a second thread;
// true when both halves answered true.
template <typename PorMetade>
bool emDuasMetades(qsizetype corte, qsizetype n, PorMetade porMetade)
{
    bool segunda = true;
    std::thread ajudante([&] {
        if (corte < n)
            segunda = porMetade(corte, n);
    });
    const bool primeira = porMetade(0, corte);
    ajudante.join();
    return primeira && segunda;
}

// E-mails and phones of a UTF-8 file are scanned straight from its bytes:
// decoding a large page whole would take longer than the scan itself. A
// large file is split in two, each half checked and scanned on its own
// thread. With `bruto` the lines are written as they come; otherwise they
// are added to `linhas`. False when the file is no UTF-8 file to scan so.
bool colherDosBytes(Colheita tipo, const QString &nome, bool bruto, QStringList &linhas)
{
    if (nome == u"-" || (tipo != Colheita::Emails && tipo != Colheita::Telefones))
        return false;
    QFile arquivo(nome);
    if (!arquivo.open(QIODevice::ReadOnly) || arquivo.size() == 0)
        return false;
    uchar *mapa = arquivo.map(0, arquivo.size());
    if (!mapa)
        return false;
    const auto desmapear = qScopeGuard([&] { arquivo.unmap(mapa); });
    const QByteArrayView bytes(reinterpret_cast<const char *>(mapa), arquivo.size());
    if (marcaDeOrdem(bytes))
        return false;
    const bool emails = tipo == Colheita::Emails;

    // The halves meet right after an "@" (e-mails) or at a letter (phones),
    // where no part of a result can cross; the cut falls on an ASCII byte,
    // so each half is whole UTF-8 when the file is.
    const qsizetype n = bytes.size();
    qsizetype corte = n;
    if (n > 16 * 1024 * 1024) {
        if (emails) {
            const qsizetype arroba = bytes.indexOf('@', n / 2);
            corte = arroba < 0 ? n : arroba + 1;
        } else {
            for (qsizetype i = n / 2; i < n; ++i) {
                const char c = bytes[i];
                if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') {
                    corte = i;
                    break;
                }
            }
        }
    }
    if (!emails) {
        QString achados[2];
        if (!emDuasMetades(corte, n, [&](qsizetype de, qsizetype ate) {
                if (!ehUtf8Valido(bytes.sliced(de, ate - de)))
                    return false;
                achados[de == 0 ? 0 : 1] = getTelefonesUtf8(bytes, de, ate);
                return true;
            }))
            return false;
        const QStringList todos = dividirLinhas(juntarTelefones(achados[0], achados[1]));
        if (bruto)
            escrever(todos, stdout);
        else
            linhas += todos;
        return true;
    }

    // E-mails: each half is checked piece by piece as it is scanned, and
    // nothing is written before both halves proved to be UTF-8: a file that
    // is no UTF-8 after all falls back whole to the decoded path.
    struct Achados {
        QByteArray saida;
        QStringList lista;
    };
    Achados achados[2];
    if (!emDuasMetades(corte, n, [&](qsizetype de, qsizetype ate) {
            Achados &destes = achados[de == 0 ? 0 : 1];
            return emailsVerificando(bytes, de, ate, [&destes, bruto](QByteArrayView e) {
                if (bruto) {
                    destes.saida += e;
                    destes.saida += '\n';
                } else {
                    destes.lista.append(QString::fromUtf8(e));
                }
            });
        }))
        return false;
    for (const Achados &destes : achados) {
        if (bruto)
            std::fwrite(destes.saida.constData(), 1, destes.saida.size(), stdout);
        else
            linhas += destes.lista;
    }
    return true;
}

int modoTexto(Colheita tipo, const QString &valor1, const QString &valor2, bool bruto,
              QStringList entradas)
{
    const QString falta = faltaDeTermos(tipo, valor1, valor2);
    if (!falta.isEmpty())
        return usoIncorreto(falta);
    if (entradas.isEmpty())
        entradas << QStringLiteral("-");

    int codigo = 0;
    QStringList todas;
    for (const QString &nome : std::as_const(entradas)) {
        if (colherDosBytes(tipo, nome, bruto, todas))
            continue;
        QString colhido;
        {
            QString texto;
            if (!lerTexto(nome, texto)) {
                codigo = 1;
                continue;
            }
            if (terminal() && texto.size() > 10 * 1024 * 1024)
                erro(QStringLiteral("Extraindo dados de %1...").arg(nome));
            colhido = colherDeTexto(tipo, texto, valor1, valor2);
        }
        if (bruto) {
            // Written as it comes: a dense input gives as many lines as bytes
            // over twenty, and a list of them would outweigh the input.
            if (!colhido.isEmpty()) {
                normalizarQuebras(colhido);
                const QByteArray bytes = colhido.toUtf8() + '\n';
                std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
            }
        } else {
            todas += dividirLinhas(colhido);
        }
    }
    if (!bruto)
        escrever(mesclarLinhas({}, todas, collatorDeResultados()), stdout);
    return codigo;
}

bool ehDocumentoDeEscritorio(const QString &nome)
{
    static const QStringList extensoes = {"xls", "xlsx", "xlsm", "ods", "doc", "docx", "odt"};
    return extensoes.contains(QFileInfo(nome).suffix().toLower());
}

int modoArquivos(const QStringList &argumentos)
{
    QString modo;
    QString valor1;
    QString valor2;
    QString saida;
    QStringList arquivos;
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString &a = argumentos[i];
        if (a == u"--emails" || a == u"--telefones") {
            modo = a;
        } else if (a == u"--contendo") {
            if (i + 1 >= argumentos.size())
                return usoIncorreto(QStringLiteral("--contendo precisa de um TEXTO"));
            modo = a;
            valor1 = argumentos[++i];
        } else if (a == u"--entre") {
            if (i + 2 >= argumentos.size())
                return usoIncorreto(QStringLiteral("--entre precisa de INICIO e FIM"));
            modo = a;
            valor1 = argumentos[++i];
            valor2 = argumentos[++i];
        } else if (a == u"-o") {
            if (i + 1 >= argumentos.size())
                return usoIncorreto(QStringLiteral("-o precisa do nome do arquivo de saída"));
            saida = argumentos[++i];
        } else {
            arquivos << a;
        }
    }
    if (modo.isEmpty())
        return usoIncorreto(QStringLiteral("escolha --emails, --telefones, --contendo ou --entre"));
    if (arquivos.isEmpty())
        return usoIncorreto(QStringLiteral("nenhum arquivo indicado"));
    const Colheita tipo = modo == u"--emails" ? Colheita::Emails
                          : modo == u"--telefones" ? Colheita::Telefones
                          : modo == u"--contendo" ? Colheita::Contendo
                                                  : Colheita::Entre;
    // The document wizard passes blank terms on, but the command line refuses
    // them like the workspace does.
    const QString falta = faltaDeTermos(tipo, valor1, valor2);
    if (!falta.isEmpty())
        return usoIncorreto(falta);

    int codigo = 0;
    ListaResultados lista;
    for (const QString &nome : std::as_const(arquivos)) {
        if (ehDocumentoDeEscritorio(nome)) {
            erro(QStringLiteral("vaspira-extract: \"%1\": planilhas e documentos de texto ainda não podem ser lidos").arg(nome));
            codigo = 1;
            continue;
        }
        RelatorDeVarredura relator;
        if (terminal()) {
            relator.progresso = [nome, ultimo = qint64(-1)](qint64 maximo, qint64 posicao) mutable {
                const qint64 pct = maximo > 0 ? posicao * 100 / maximo : 100;
                if (pct != ultimo) {
                    ultimo = pct;
                    std::fprintf(stderr, "\r%s: %lld%%", nome.toLocal8Bit().constData(), static_cast<long long>(pct));
                }
            };
        }
        QString falha;
        bool lido = true;
        if (tipo == Colheita::Emails || tipo == Colheita::Telefones) {
            lido = extrairPadraoDoArquivo(tipo == Colheita::Emails ? TipoPadrao::Email : TipoPadrao::Telefone,
                                          nome, adivinharCodificacao(nome), lista, relator, falha);
        } else {
            TextoDecodificado texto;
            lido = lerArquivoTexto(nome, texto, falha);
            if (lido && tipo == Colheita::Contendo)
                extrairContendoParaLista(texto.texto, valor1, lista, relator);
            else if (lido)
                getTextoEntreParaLista(texto.texto, valor1, valor2, lista, relator);
        }
        if (terminal())
            std::fputc('\n', stderr);
        if (!lido) {
            erro(QStringLiteral("vaspira-extract: não foi possível ler \"%1\": %2").arg(nome, falha));
            codigo = 1;
        }
    }

    const QStringList resultado = lista.ordenadas();
    if (saida.isEmpty()) {
        escrever(resultado, stdout);
        return codigo;
    }
    QString falha;
    if (!gravarArquivoTexto(saida, textoDeLinhas(resultado), Codificacao::Utf8, falha)) {
        erro(QStringLiteral("vaspira-extract: não foi possível gravar \"%1\": %2").arg(saida, falha));
        return 1;
    }
    return codigo;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList argumentos = QCoreApplication::arguments().mid(1);
    if (argumentos.isEmpty())
        return usoIncorreto(QStringLiteral("falta o modo"));
    if (argumentos.contains(QStringLiteral("--help")) || argumentos.contains(QStringLiteral("-h"))) {
        std::fputs(kAjuda, stdout);
        return 0;
    }
    const QString modo = argumentos.takeFirst();
    if (modo == u"arquivos")
        return modoArquivos(argumentos);

    const bool bruto = argumentos.removeAll(QStringLiteral("--raw")) > 0;
    QString valor1;
    QString valor2;
    Colheita tipo;
    if (modo == u"emails") {
        tipo = Colheita::Emails;
    } else if (modo == u"telefones") {
        tipo = Colheita::Telefones;
    } else if (modo == u"contendo") {
        if (argumentos.isEmpty())
            return usoIncorreto(QStringLiteral("contendo precisa de um TEXTO"));
        tipo = Colheita::Contendo;
        valor1 = argumentos.takeFirst();
    } else if (modo == u"entre") {
        if (argumentos.size() < 2)
            return usoIncorreto(QStringLiteral("entre precisa de INICIO e FIM"));
        tipo = Colheita::Entre;
        valor1 = argumentos.takeFirst();
        valor2 = argumentos.takeFirst();
    } else {
        return usoIncorreto(QStringLiteral("modo desconhecido: ") + modo);
    }
    return modoTexto(tipo, valor1, valor2, bruto, argumentos);
}
