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

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <new>
#include <sys/mman.h>
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
    // One buffer, encoded into in place: a conversion per line would cost
    // more than the whole merge on a large harvest.
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray bytes(1 << 20, Qt::Uninitialized);
    qsizetype usado = 0;
    for (const QString &l : linhas) {
        const qsizetype maximo = utf8.requiredSpace(l.size()) + 1;
        if (usado + maximo > bytes.size()) {
            std::fwrite(bytes.constData(), 1, usado, saida);
            usado = 0;
            if (maximo > bytes.size())
                bytes.resize(maximo);
        }
        char *fim = utf8.appendToBuffer(bytes.data() + usado, l);
        *fim++ = '\n';
        usado = fim - bytes.constData();
    }
    std::fwrite(bytes.constData(), 1, usado, saida);
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

// Memory asked for in huge pages. On some virtual machines the first touch
// of each small page costs microseconds, more than scanning the bytes it
// will hold, so large buffers are taken this way.
char *memoriaGrande(char *atual, size_t tamanhoAtual, size_t tamanho)
{
    void *p = atual ? mremap(atual, tamanhoAtual, tamanho, MREMAP_MAYMOVE)
                    : mmap(nullptr, tamanho, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    madvise(p, tamanho, MADV_HUGEPAGE);
    return static_cast<char *>(p);
}

constexpr size_t kPaginaGrande = 2 * 1024 * 1024;

size_t emPaginasGrandes(size_t tamanho)
{
    return (tamanho + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
}

// A file's bytes read at any offset into a buffer of its own: each half's
// thread has one over the same descriptor. Reading into a small buffer that
// stays in the cache beats mapping the file, whose page faults cost more
// than the scan on some machines.
class LeitorDeBytes
{
public:
    LeitorDeBytes(int descritor, qint64 tamanho)
        : mDescritor(descritor)
        , mTamanho(tamanho)
    {
    }
    LeitorDeBytes(const LeitorDeBytes &) = delete;
    LeitorDeBytes &operator=(const LeitorDeBytes &) = delete;
    ~LeitorDeBytes()
    {
        if (mBuffer)
            munmap(mBuffer, mCapacidade);
    }

    // The bytes [de, de + quantos), fewer at the file's end. False on a read
    // error or when the file became shorter.
    bool ler(qint64 de, qint64 quantos, QByteArrayView &vista)
    {
        quantos = qMax<qint64>(0, qMin(quantos, mTamanho - de));
        if (mCapacidade < static_cast<size_t>(quantos)) {
            const size_t nova = emPaginasGrandes(static_cast<size_t>(quantos));
            mBuffer = memoriaGrande(mBuffer, mCapacidade, nova);
            mCapacidade = nova;
        }
        qint64 lidos = 0;
        while (lidos < quantos) {
            const ssize_t r = ::pread(mDescritor, mBuffer + lidos, static_cast<size_t>(quantos - lidos),
                                      static_cast<off_t>(de + lidos));
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                return false;
            lidos += r;
        }
        vista = QByteArrayView(mBuffer, quantos);
        return true;
    }

private:
    int mDescritor;
    qint64 mTamanho;
    char *mBuffer = nullptr;
    size_t mCapacidade = 0;
};

// Lines of UTF-8, each ended by a line feed, in one buffer: the output held
// back until a whole file proved to be UTF-8, and every input's results
// before they are merged. It may grow to many megabytes.
class LinhasUtf8
{
public:
    LinhasUtf8() = default;
    LinhasUtf8(const LinhasUtf8 &) = delete;
    LinhasUtf8 &operator=(const LinhasUtf8 &) = delete;
    ~LinhasUtf8()
    {
        if (mDados)
            munmap(mDados, mCapacidade);
    }

    void acrescentar(QByteArrayView linha)
    {
        const size_t n = static_cast<size_t>(linha.size()) + 1;
        reservar(n);
        if (n > 1)
            std::memcpy(mDados + mTamanho, linha.data(), n - 1);
        mDados[mTamanho + n - 1] = '\n';
        mTamanho += n;
    }

    void acrescentar(const LinhasUtf8 &outras)
    {
        if (outras.mTamanho == 0)
            return;
        reservar(outras.mTamanho);
        std::memcpy(mDados + mTamanho, outras.mDados, outras.mTamanho);
        mTamanho += outras.mTamanho;
    }

    // The lines of a harvest's result, as the results list splits them.
    void acrescentarResultado(const QString &resultado)
    {
        for (const QString &l : dividirLinhas(resultado))
            acrescentar(l.toUtf8());
    }

    void escreverEm(std::FILE *saida) const
    {
        if (mTamanho)
            std::fwrite(mDados, 1, mTamanho, saida);
    }

    // Views into the buffer, valid while nothing is added.
    std::vector<QByteArrayView> linhas() const
    {
        std::vector<QByteArrayView> vistas;
        size_t ini = 0;
        while (ini < mTamanho) {
            const auto *fim = static_cast<const char *>(std::memchr(mDados + ini, '\n', mTamanho - ini));
            const size_t f = static_cast<size_t>(fim - mDados);
            vistas.emplace_back(mDados + ini, static_cast<qsizetype>(f - ini));
            ini = f + 1;
        }
        return vistas;
    }

private:
    void reservar(size_t mais)
    {
        if (mTamanho + mais <= mCapacidade)
            return;
        const size_t nova = emPaginasGrandes(qMax(mTamanho + mais, 2 * mCapacidade));
        mDados = memoriaGrande(mDados, mCapacidade, nova);
        mCapacidade = nova;
    }

    char *mDados = nullptr;
    size_t mTamanho = 0;
    size_t mCapacidade = 0;
};

// Writes the lines of `ordem`, each followed by a line feed.
void escrever(const std::vector<QByteArrayView> &linhas, const std::vector<size_t> &ordem, std::FILE *saida)
{
    QByteArray bytes;
    bytes.reserve(1 << 20);
    for (size_t i : ordem) {
        bytes += linhas[i];
        bytes += '\n';
        if (bytes.size() > (1 << 20) - 4096) {
            std::fwrite(bytes.constData(), 1, bytes.size(), saida);
            bytes.resize(0);
        }
    }
    std::fwrite(bytes.constData(), 1, bytes.size(), saida);
}

// Each piece is checked as UTF-8 and scanned while it is in the cache. A
// scan may read past the piece's end (an address runs at most 200 UTF-16
// units, 800 bytes, after its "@"), and an e-mail's left walk at most 100
// units (300 bytes) before its "@".
constexpr qint64 kPedaco = 256 * 1024;
constexpr qint64 kFolga = 4 * 1024;
constexpr qint64 kContexto = 512;

inline bool ehLetraAscii(char c)
{
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

// The e-mails of the file's bytes [de, ate), where `de` is the file's start
// or right after an "@". Pieces end right after their last "@", so every
// scan starts where the whole file's scan would have its base. False at the
// first piece that is no UTF-8 or cannot be read; what was found is then void.
bool emailsDaMetade(LeitorDeBytes &leitor, qint64 de, qint64 ate,
                    const std::function<void(QByteArrayView)> &aoEncontrar)
{
    qint64 base = de;
    qint64 verificado = de;
    while (verificado < ate) {
        // After a stretch without any "@", only its last bytes are read
        // again: the left walk never reaches further back.
        const qint64 inicio = qMax(base, verificado - kContexto);
        QByteArrayView v;
        if (!leitor.ler(inicio, verificado - inicio + kPedaco + kFolga, v))
            return false;
        const qint64 limite = qMin(verificado + kPedaco, ate);
        qint64 fim = limite;
        bool terminaEmArroba = false;
        if (limite < ate) {
            const void *arroba = memrchr(v.data() + (verificado - inicio), '@',
                                         static_cast<size_t>(limite - verificado));
            if (arroba) {
                fim = inicio + (static_cast<const char *>(arroba) - v.data()) + 1;
                terminaEmArroba = true;
            } else {
                // No "@" at all: cut before a character's first byte.
                while (fim > verificado && (v[fim - inicio] & 0xC0) == 0x80)
                    --fim;
                if (fim == verificado)
                    return false;
            }
        }
        if (!ehUtf8Valido(v.sliced(verificado - inicio, fim - verificado)))
            return false;
        getEmailsUtf8(v, 0, fim - inicio, aoEncontrar);
        if (terminaEmArroba)
            base = fim;
        verificado = fim;
    }
    return true;
}

// The phones of the file's bytes [de, ate), where `de` is the file's start or
// a letter. Pieces end before a letter, where no run can cross. False at the
// first piece that is no UTF-8, cannot be read, or holds no letter to cut at.
bool telefonesDaMetade(LeitorDeBytes &leitor, qint64 de, qint64 ate, ColetaDeTelefones &coleta)
{
    qint64 verificado = de;
    while (verificado < ate) {
        QByteArrayView v;
        if (!leitor.ler(verificado, kPedaco + kFolga, v))
            return false;
        const qint64 limite = qMin(verificado + kPedaco, ate);
        qint64 fim = limite;
        if (limite < ate) {
            qsizetype letra = limite - verificado - 1;
            while (letra > 0 && !ehLetraAscii(v[letra]))
                --letra;
            if (letra == 0)
                return false;
            fim = verificado + letra;
        }
        if (!ehUtf8Valido(v.first(fim - verificado)))
            return false;
        coleta.varrer(v, 0, fim - verificado);
        verificado = fim;
    }
    return true;
}

// Runs `porMetade` on [0, corte) here and on [corte, n) on a second thread;
// true when both halves answered true. A file not split (corte == n) starts
// no thread: starting one can cost milliseconds.
template <typename PorMetade>
bool emDuasMetades(qsizetype corte, qsizetype n, PorMetade porMetade)
{
    if (corte >= n)
        return porMetade(0, n);
    bool segunda = true;
    std::thread ajudante([&] { segunda = porMetade(corte, n); });
    const bool primeira = porMetade(0, corte);
    ajudante.join();
    return primeira && segunda;
}

// E-mails and phones of a UTF-8 file are scanned straight from its bytes:
// decoding a large page whole would take longer than the scan itself. A
// large file is split in two, each half read and scanned on its own thread.
// With `bruto` the lines are written as they come; otherwise they are added
// to `linhas`. False when the file is no UTF-8 file to scan so.
bool colherDosBytes(Colheita tipo, const QString &nome, bool bruto, LinhasUtf8 &linhas)
{
    if (nome == u"-" || (tipo != Colheita::Emails && tipo != Colheita::Telefones))
        return false;
    QFile arquivo(nome);
    if (!arquivo.open(QIODevice::ReadOnly) || arquivo.size() == 0)
        return false;
    const qint64 n = arquivo.size();
    LeitorDeBytes leitores[2] = {{arquivo.handle(), n}, {arquivo.handle(), n}};
    QByteArrayView inicio;
    if (!leitores[0].ler(0, 4, inicio) || marcaDeOrdem(inicio))
        return false;
    const bool emails = tipo == Colheita::Emails;

    // The halves meet right after an "@" (e-mails) or at a letter (phones),
    // where no part of a result can cross; the cut falls on an ASCII byte,
    // so each half is whole UTF-8 when the file is.
    qint64 corte = n;
    if (n > 16 * 1024 * 1024) {
        for (qint64 de = n / 2; de < n && corte == n; de += kPedaco) {
            QByteArrayView v;
            if (!leitores[0].ler(de, kPedaco, v))
                return false;
            for (qsizetype i = 0; i < v.size(); ++i) {
                if (emails ? v[i] == '@' : ehLetraAscii(v[i])) {
                    corte = de + i + (emails ? 1 : 0);
                    break;
                }
            }
        }
    }
    if (!emails) {
        ColetaDeTelefones coletas[2];
        if (!emDuasMetades(corte, n, [&](qint64 de, qint64 ate) {
                const int metade = de == 0 ? 0 : 1;
                return telefonesDaMetade(leitores[metade], de, ate, coletas[metade]);
            }))
            return false;
        const QString todos = juntarTelefones(coletas[0].resultado(), coletas[1].resultado());
        if (bruto)
            escrever(dividirLinhas(todos), stdout);
        else
            linhas.acrescentarResultado(todos);
        return true;
    }

    // Nothing is written before both halves proved to be UTF-8: a file that
    // is no UTF-8 after all falls back whole to the decoded path.
    LinhasUtf8 achados[2];
    if (!emDuasMetades(corte, n, [&](qint64 de, qint64 ate) {
            LinhasUtf8 &destes = achados[de == 0 ? 0 : 1];
            return emailsDaMetade(leitores[de == 0 ? 0 : 1], de, ate,
                                  [&destes](QByteArrayView e) { destes.acrescentar(e); });
        }))
        return false;
    for (const LinhasUtf8 &destes : achados) {
        if (bruto)
            destes.escreverEm(stdout);
        else
            linhas.acrescentar(destes);
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
    LinhasUtf8 todas;
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
            todas.acrescentarResultado(colhido);
        }
    }
    if (!bruto) {
        const std::vector<QByteArrayView> linhas = todas.linhas();
        escrever(linhas, mesclarLinhasUtf8(linhas, collatorDeResultados()), stdout);
    }
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
    // No application object: nothing here needs an event loop, and making
    // one would add a millisecond to every run in a pipeline.
    QStringList argumentos;
    for (int i = 1; i < argc; ++i)
        argumentos.append(QString::fromLocal8Bit(argv[i]));
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
