#include "harvest/padroes.h"

#include "harvest/textos.h"
#include "storage/arquivoTexto.h"

// Both widths are used: UTF-16 for texts in memory and UTF-16 files, bytes
// for UTF-8 and Windows-1252 files, which the ASCII-only patterns can match
// without decoding.
#define PCRE2_CODE_UNIT_WIDTH 0
#include <pcre2.h>

#include <QFile>
#include <QStringDecoder>

#include <cstring>
#include <string>
#include <type_traits>

namespace {

// The patterns as the document wizard has always used them.
const char kPadraoEmail[] = "\\b[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}\\b";
const char kPadraoTelefone[] =
    "(?:\\+|00)?(?:\\d{2})?(?:\\()?(\\d{2})(?:\\))?(?:[-\\s]?)(?:\\d{4,5})(?:[-\\s]?)(?:\\d{4})";

// Lines up to this size are scanned whole; longer ones in windows that
// overlap, so memory stays bounded on a file without line breaks.
constexpr qsizetype kJanela = 8 * 1024 * 1024;
constexpr qsizetype kSobreposicao = 64 * 1024;
constexpr qint64 kBloco = 64 * 1024;

// PCRE2's functions for one code unit width.
template <typename Unidade>
struct Pcre;

#define VASPIRA_PCRE_LARGURA(Tipo, N)                                                                  \
    template <>                                                                                       \
    struct Pcre<Tipo> {                                                                               \
        using Codigo = pcre2_code_##N;                                                                \
        using Dados = pcre2_match_data_##N;                                                           \
        using Texto = PCRE2_SPTR##N;                                                                  \
        static constexpr auto compilar = &pcre2_compile_##N;                                          \
        static constexpr auto compilarJit = &pcre2_jit_compile_##N;                                   \
        static constexpr auto criarDados = &pcre2_match_data_create_from_pattern_##N;                 \
        static constexpr auto casar = &pcre2_match_##N;                                               \
        static constexpr auto casarJit = &pcre2_jit_match_##N;                                        \
        static constexpr auto vetor = &pcre2_get_ovector_pointer_##N;                                 \
        static constexpr auto liberarDados = &pcre2_match_data_free_##N;                              \
        static constexpr auto liberarCodigo = &pcre2_code_free_##N;                                   \
    };
VASPIRA_PCRE_LARGURA(char, 8)
VASPIRA_PCRE_LARGURA(char16_t, 16)
#undef VASPIRA_PCRE_LARGURA

// One pattern compiled for one code unit width.
template <typename Unidade>
class Compilado
{
    using P = Pcre<Unidade>;

public:
    explicit Compilado(const char *padrao)
    {
        // The patterns are ASCII: widening each byte gives the pattern in
        // either width.
        std::basic_string<Unidade> texto(padrao, padrao + std::strlen(padrao));
        int erro = 0;
        PCRE2_SIZE pos = 0;
        mCodigo = P::compilar(reinterpret_cast<typename P::Texto>(texto.c_str()), texto.size(), 0, &erro, &pos,
                              nullptr);
        if (mCodigo) {
            mJit = P::compilarJit(mCodigo, PCRE2_JIT_COMPLETE) == 0;
            mDados = P::criarDados(mCodigo, nullptr);
        }
    }
    ~Compilado()
    {
        P::liberarDados(mDados);
        P::liberarCodigo(mCodigo);
    }
    Compilado(const Compilado &) = delete;
    Compilado &operator=(const Compilado &) = delete;

    // The first match in s[desde, limite): true and its bounds, or false.
    bool proximo(const Unidade *s, qsizetype desde, qsizetype limite, qsizetype &ini, qsizetype &fim) const
    {
        if (!mCodigo)
            return false;
        const auto sujeito = reinterpret_cast<typename P::Texto>(s);
        const int rc = mJit ? P::casarJit(mCodigo, sujeito, limite, desde, PCRE2_NOTEMPTY, mDados, nullptr)
                            : P::casar(mCodigo, sujeito, limite, desde, PCRE2_NOTEMPTY, mDados, nullptr);
        if (rc < 0)
            return false;
        const PCRE2_SIZE *ov = P::vetor(mDados);
        ini = static_cast<qsizetype>(ov[0]);
        fim = static_cast<qsizetype>(ov[1]);
        return true;
    }

private:
    typename P::Codigo *mCodigo = nullptr;
    typename P::Dados *mDados = nullptr;
    bool mJit = false;
};

// The engine runs on the user-interface thread only, so one compiled pattern
// and one match block per width serve every scan.
template <typename Unidade>
const Compilado<Unidade> &padrao(TipoPadrao tipo)
{
    static const Compilado<Unidade> email(kPadraoEmail);
    static const Compilado<Unidade> telefone(kPadraoTelefone);
    return tipo == TipoPadrao::Email ? email : telefone;
}

inline bool ehLocal(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.'
           || c == u'_' || c == u'%' || c == u'+' || c == u'-';
}

inline bool ehDominio(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.'
           || c == u'-';
}

inline qsizetype acharArroba(const char *d, qsizetype pos, qsizetype n)
{
    const void *a = pos < n ? std::memchr(d + pos, '@', static_cast<size_t>(n - pos)) : nullptr;
    return a ? static_cast<const char *>(a) - d : -1;
}

inline qsizetype acharArroba(const char16_t *d, qsizetype pos, qsizetype n)
{
    const qsizetype a = pos < n ? QStringView(d + pos, n - pos).indexOf(u'@') : -1;
    return a < 0 ? -1 : pos + a;
}

// The first match in d[pos, n), exactly as the pattern finds it. Every e-mail
// match holds one "@" and lies within the runs of address characters around
// it, so the pattern runs only there: scanning a large page becomes a search
// for "@".
template <typename Unidade>
bool proximaOcorrencia(TipoPadrao tipo, const Unidade *d, qsizetype pos, qsizetype n, qsizetype &ini,
                       qsizetype &fim)
{
    const Compilado<Unidade> &p = padrao<Unidade>(tipo);
    if (tipo == TipoPadrao::Telefone)
        return p.proximo(d, pos, n, ini, fim);
    auto u = [d](qsizetype i) { return static_cast<char16_t>(static_cast<std::make_unsigned_t<Unidade>>(d[i])); };
    for (;;) {
        const qsizetype arroba = acharArroba(d, pos, n);
        if (arroba < 0)
            return false;
        qsizetype inicio = arroba;
        while (inicio > pos && ehLocal(u(inicio - 1)))
            --inicio;
        qsizetype limite = arroba + 1;
        while (limite < n && ehDominio(u(limite)))
            ++limite;
        // One more unit, so the final "\\b" sees what follows the domain.
        if (limite < n)
            ++limite;
        if (p.proximo(d, inicio, limite, ini, fim))
            return true;
        pos = arroba + 1;
    }
}

void relatarContagens(TipoPadrao tipo, qint64 contagem, const ListaResultados &lista,
                      const RelatorDeVarredura &relator)
{
    relatarContagens(relator,
                     tipo == TipoPadrao::Email ? QStringLiteral("Total de emails neste arquivo: ")
                                               : QStringLiteral("Total de telefones neste arquivo: "),
                     contagem, lista);
}

// Turns bytes into text chunk by chunk, whatever the encoding.
class Decodificador
{
public:
    explicit Decodificador(const QString &codificacao)
        : mCp1252(codificacao.compare(u"Windows-1252", Qt::CaseInsensitive) == 0)
    {
        if (!mCp1252) {
            const auto enc = QStringConverter::encodingForName(codificacao.toLatin1().constData());
            // A mark was skipped already; a U+FEFF after it is text.
            mDecoder = QStringDecoder(enc.value_or(QStringConverter::Utf8),
                                      QStringConverter::Flag::ConvertInitialBom);
        }
    }

    QString decodificar(QByteArrayView bytes)
    {
        return mCp1252 ? decodificarWindows1252(bytes) : QString(mDecoder.decode(bytes));
    }

private:
    bool mCp1252;
    QStringDecoder mDecoder;
};

inline bool ehQuebra(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

inline const char16_t *dadosDe(QStringView v)
{
    return reinterpret_cast<const char16_t *>(v.utf16());
}

inline const char *dadosDe(QByteArrayView v)
{
    return v.data();
}

// Scans text as it arrives in chunks, with the results a line-by-line scan
// gives: a match never spans two lines. Whole blocks of lines go to the
// pattern at once; a phone match that crosses a line break (the pattern
// allows white space) is dropped and its line scanned again on its own. A
// line longer than kJanela is scanned in overlapping windows.
template <typename Unidade>
class VarredorDeLinhas
{
public:
    using Vista = std::conditional_t<std::is_same_v<Unidade, char>, QByteArrayView, QStringView>;
    using Texto = std::conditional_t<std::is_same_v<Unidade, char>, QByteArray, QString>;

    VarredorDeLinhas(TipoPadrao tipo, std::function<void(const QString &)> aoEncontrar)
        : mPadrao(padrao<Unidade>(tipo))
        , mTipo(tipo)
        , mAoEncontrar(std::move(aoEncontrar))
    {}

    void alimentar(Vista pedaco)
    {
        qsizetype ultima = pedaco.size() - 1;
        while (ultima >= 0 && !ehQuebra(unidade(pedaco[ultima])))
            --ultima;
        if (ultima >= 0) {
            if (mLinha.isEmpty()) {
                varrerBloco(pedaco.first(ultima + 1), 0);
            } else {
                mLinha += pedaco.first(ultima + 1);
                varrerBloco(mLinha, mDesde);
                mLinha.clear();
                mDesde = 0;
            }
            pedaco = pedaco.sliced(ultima + 1);
        }
        mLinha += pedaco;
        while (mLinha.size() > kJanela)
            varrerJanela();
    }

    void terminarLinha()
    {
        varrerBloco(mLinha, mDesde);
        mLinha.clear();
        mDesde = 0;
    }

private:
    void aceitar(Vista texto, qsizetype ini, qsizetype fim)
    {
        // A match is ASCII (the patterns are), so bytes read as Latin-1.
        if constexpr (std::is_same_v<Unidade, char>) {
            const QLatin1StringView ocorrencia(texto.sliced(ini, fim - ini));
            if (mTipo != TipoPadrao::Email || !terminaEmExtensaoDaWeb(ocorrencia))
                mAoEncontrar(QString(ocorrencia));
        } else {
            const QStringView ocorrencia = texto.sliced(ini, fim - ini);
            if (mTipo != TipoPadrao::Email || !terminaEmExtensaoDaWeb(ocorrencia))
                mAoEncontrar(ocorrencia.toString());
        }
    }

    void varrerBloco(Vista texto, qsizetype desde)
    {
        const Unidade *dados = dadosDe(texto);
        const qsizetype n = texto.size();
        qsizetype pos = desde;
        qsizetype ini = 0;
        qsizetype fim = 0;
        while (pos <= n && proximaOcorrencia(mTipo, dados, pos, n, ini, fim)) {
            qsizetype quebra = -1;
            if (mTipo == TipoPadrao::Telefone) {
                for (qsizetype k = ini; k < fim; ++k) {
                    if (ehQuebra(unidade(texto[k]))) {
                        quebra = k;
                        break;
                    }
                }
            }
            if (quebra < 0) {
                aceitar(texto, ini, fim);
                pos = fim > ini ? fim : ini + 1;
                continue;
            }
            // The line that holds the match's start, on its own.
            qsizetype p = ini;
            while (p <= quebra && mPadrao.proximo(dados, p, quebra, ini, fim)) {
                aceitar(texto, ini, fim);
                p = fim > ini ? fim : ini + 1;
            }
            pos = quebra + 1;
        }
    }

    // Takes the matches that end before the overlap; the first one that
    // reaches into it is looked for again, whole, in the next window.
    void varrerJanela()
    {
        const qsizetype corte = kJanela - kSobreposicao;
        qsizetype retomar = -1;
        qsizetype ultimoFim = mDesde;
        const Vista linha(mLinha);
        qsizetype pos = mDesde;
        qsizetype ini = 0;
        qsizetype fim = 0;
        while (pos <= kJanela && proximaOcorrencia(mTipo, dadosDe(linha), pos, kJanela, ini, fim)) {
            if (fim > corte) {
                retomar = ini;
                break;
            }
            aceitar(linha, ini, fim);
            ultimoFim = fim;
            pos = fim > ini ? fim : ini + 1;
        }
        if (retomar < 0)
            retomar = qMax(ultimoFim, corte);
        if (retomar <= 1)
            retomar = corte;
        // One unit of context stays, so "\\b" sees what came before.
        mLinha.remove(0, retomar - 1);
        mDesde = 1;
    }

    const Compilado<Unidade> &mPadrao;
    TipoPadrao mTipo;
    std::function<void(const QString &)> mAoEncontrar;
    Texto mLinha;
    qsizetype mDesde = 0;
};

} // namespace

void paraCadaOcorrencia(TipoPadrao tipo, QStringView texto,
                        const std::function<void(QStringView)> &aoEncontrar)
{
    const auto *dados = reinterpret_cast<const char16_t *>(texto.utf16());
    qsizetype pos = 0;
    qsizetype ini = 0;
    qsizetype fim = 0;
    while (pos <= texto.size() && proximaOcorrencia(tipo, dados, pos, texto.size(), ini, fim)) {
        const QStringView ocorrencia = texto.sliced(ini, fim - ini);
        if (tipo != TipoPadrao::Email || !terminaEmExtensaoDaWeb(ocorrencia))
            aoEncontrar(ocorrencia);
        pos = fim > ini ? fim : ini + 1;
    }
}

void extrairPadraoDoTexto(TipoPadrao tipo, const QString &texto, ListaResultados &lista,
                          const RelatorDeVarredura &relator)
{
    if (tipo == TipoPadrao::Email && relator.status)
        relator.status(QStringLiteral("Extraindo e-mails..."));
    if (relator.bombear)
        relator.bombear();
    if (relator.progresso)
        relator.progresso(1, 1);
    qint64 contagem = 0;
    paraCadaOcorrencia(tipo, normalizarEspacos(texto), [&](QStringView ocorrencia) {
        lista.adicionar(ocorrencia.toString());
        if (++contagem % 10 == 0)
            relatarContagens(tipo, contagem, lista, relator);
    });
    relatarContagens(tipo, contagem, lista, relator);
}

bool extrairPadraoDoArquivo(TipoPadrao tipo, const QString &caminho, const QString &codificacao,
                            ListaResultados &lista, const RelatorDeVarredura &relator,
                            QString &erro)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        erro = arquivo.errorString();
        return false;
    }
    const qint64 tamanho = arquivo.size();

    // A byte-order mark is skipped; for phones it also decides the encoding.
    QString usada = codificacao;
    if (const MarcaDeOrdem *marca = marcaDeOrdem(arquivo.peek(4))) {
        if (tipo == TipoPadrao::Telefone)
            usada = QString::fromLatin1(marca->nome);
        if (usada.compare(QLatin1StringView(marca->nome), Qt::CaseInsensitive) == 0)
            arquivo.skip(marca->tamanho);
    }

    if (relator.progresso)
        relator.progresso(100, 0);
    const qsizetype antesDoArquivo = lista.marca();
    qint64 contagem = 0;
    int percentual = 0;
    auto aoEncontrar = [&](const QString &ocorrencia) {
        lista.adicionar(ocorrencia);
        ++contagem;
    };

    enum class Fim { Arquivo, Cancelado, ErroDeLeitura };
    // Reads the file block by block into the scanner.
    auto ler = [&](auto &varredor, auto &&converter) -> Fim {
        QByteArray bloco;
        for (;;) {
            if (tipo == TipoPadrao::Email && relator.parar && relator.parar()) {
                if (relator.informar)
                    relator.informar(QStringLiteral("Processamento cancelado por sua solicitação"));
                return Fim::Cancelado;
            }
            bloco = arquivo.read(kBloco);
            if (bloco.isEmpty()) {
                if (arquivo.error() != QFileDevice::NoError) {
                    erro = arquivo.errorString();
                    return Fim::ErroDeLeitura;
                }
                break;
            }
            varredor.alimentar(converter(bloco));
            const int agora = tamanho > 0 ? static_cast<int>(arquivo.pos() * 100 / tamanho) : 100;
            if (agora != percentual) {
                percentual = agora;
                if (relator.progresso)
                    relator.progresso(100, percentual);
                relatarContagens(tipo, contagem, lista, relator);
                if (relator.bombear)
                    relator.bombear();
            }
        }
        varredor.terminarLinha();
        return Fim::Arquivo;
    };

    // The patterns are ASCII: in a UTF-8 or Windows-1252 file every other
    // character is a byte of 0x80 or above that no part of them matches, so
    // the bytes are scanned as they are. A no-break space is read as a plain
    // space, as everywhere else: the phone pattern allows one white space
    // between its parts.
    const bool utf8 = usada.compare(u"UTF-8", Qt::CaseInsensitive) == 0;
    const bool cp1252 = usada.compare(u"Windows-1252", Qt::CaseInsensitive) == 0;
    Fim fim;
    if (utf8 || cp1252) {
        VarredorDeLinhas<char> varredor(tipo, aoEncontrar);
        fim = ler(varredor, [&](QByteArray &b) {
            if (utf8 && b.endsWith('\xC2'))
                b += arquivo.read(1);
            if (std::memchr(b.constData(), 0xA0, static_cast<size_t>(b.size()))) {
                if (utf8)
                    b.replace("\xC2\xA0", " ");
                else
                    b.replace('\xA0', ' ');
            }
            return QByteArrayView(b);
        });
    } else {
        Decodificador decodificador(usada);
        VarredorDeLinhas<char16_t> varredor(tipo, aoEncontrar);
        QString texto;
        fim = ler(varredor, [&](const QByteArray &b) {
            texto = decodificador.decodificar(b);
            texto.replace(QChar(0x00A0), QLatin1Char(' '));
            return QStringView(texto);
        });
    }
    if (fim == Fim::ErroDeLeitura) {
        lista.voltarA(antesDoArquivo);
        return false;
    }
    // A cancel has been told already; the counts stay as they were.
    if (fim == Fim::Cancelado)
        return true;
    relatarContagens(tipo, contagem, lista, relator);
    if (relator.bombear)
        relator.bombear();
    return true;
}

QString adivinharCodificacao(const QString &caminho)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return QStringLiteral("UTF-8");
    const QByteArray inicio = arquivo.read(64 * 1024);
    if (const MarcaDeOrdem *marca = marcaDeOrdem(inicio))
        return QString::fromLatin1(marca->nome);
    // Stateful: a character cut at the sample's end is no error.
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString amostra = utf8.decode(inicio);
    Q_UNUSED(amostra);
    return utf8.hasError() ? QStringLiteral("Windows-1252") : QStringLiteral("UTF-8");
}
