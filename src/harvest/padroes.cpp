#include "harvest/padroes.h"

#include "storage/arquivoTexto.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <QFile>
#include <QStringDecoder>

#include <array>
#include <memory>

namespace {

// The patterns as the document wizard has always used them.
const char16_t kPadraoEmail[] = u"\\b[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}\\b";
const char16_t kPadraoTelefone[] =
    u"(?:\\+|00)?(?:\\d{2})?(?:\\()?(\\d{2})(?:\\))?(?:[-\\s]?)(?:\\d{4,5})(?:[-\\s]?)(?:\\d{4})";

// Lines up to this size are scanned whole; longer ones in windows that
// overlap, so memory stays bounded on a file without line breaks.
constexpr qsizetype kJanela = 8 * 1024 * 1024;
constexpr qsizetype kSobreposicao = 64 * 1024;
constexpr qint64 kBloco = 1024 * 1024;

class PadraoCompilado
{
public:
    explicit PadraoCompilado(const char16_t *padrao)
    {
        int erro = 0;
        PCRE2_SIZE posicaoErro = 0;
        mCodigo = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(padrao), PCRE2_ZERO_TERMINATED, 0,
                                &erro, &posicaoErro, nullptr);
        if (mCodigo)
            mJit = pcre2_jit_compile(mCodigo, PCRE2_JIT_COMPLETE) == 0;
    }
    ~PadraoCompilado() { pcre2_code_free(mCodigo); }
    PadraoCompilado(const PadraoCompilado &) = delete;
    PadraoCompilado &operator=(const PadraoCompilado &) = delete;

    // Calls `aoEncontrar(inicio, fim)` for each match in texto[desde, limite);
    // stops early when it returns false. Returns false if a match failed for
    // another reason than "no match".
    template <typename F>
    bool paraCada(QStringView texto, qsizetype desde, qsizetype limite, F &&aoEncontrar) const
    {
        if (!mCodigo)
            return false;
        std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)> dados(
            pcre2_match_data_create_from_pattern(mCodigo, nullptr), &pcre2_match_data_free);
        const auto *sujeito = reinterpret_cast<PCRE2_SPTR>(texto.utf16());
        PCRE2_SIZE deslocamento = static_cast<PCRE2_SIZE>(desde);
        const auto tamanho = static_cast<PCRE2_SIZE>(limite);
        while (deslocamento <= tamanho) {
            const int rc = mJit ? pcre2_jit_match(mCodigo, sujeito, tamanho, deslocamento,
                                                  PCRE2_NOTEMPTY, dados.get(), nullptr)
                                : pcre2_match(mCodigo, sujeito, tamanho, deslocamento,
                                              PCRE2_NOTEMPTY, dados.get(), nullptr);
            if (rc == PCRE2_ERROR_NOMATCH)
                return true;
            if (rc < 0)
                return false;
            const PCRE2_SIZE *ov = pcre2_get_ovector_pointer(dados.get());
            if (!aoEncontrar(static_cast<qsizetype>(ov[0]), static_cast<qsizetype>(ov[1])))
                return true;
            deslocamento = ov[1] > ov[0] ? ov[1] : ov[0] + 1;
        }
        return true;
    }

private:
    pcre2_code *mCodigo = nullptr;
    bool mJit = false;
};

const PadraoCompilado &padrao(TipoPadrao tipo)
{
    static const PadraoCompilado email(kPadraoEmail);
    static const PadraoCompilado telefone(kPadraoTelefone);
    return tipo == TipoPadrao::Email ? email : telefone;
}

// Saved web pages name their images like addresses (logo@2x.png).
bool ehArquivoDaWeb(QStringView ocorrencia)
{
    static const std::array<QLatin1StringView, 10> extensoes = {
        QLatin1StringView("png"), QLatin1StringView("jpg"), QLatin1StringView("jpeg"),
        QLatin1StringView("gif"), QLatin1StringView("webp"), QLatin1StringView("svg"),
        QLatin1StringView("bmp"), QLatin1StringView("ico"), QLatin1StringView("css"),
        QLatin1StringView("js"),
    };
    const qsizetype ponto = ocorrencia.lastIndexOf(u'.');
    if (ponto < 0)
        return false;
    const QStringView fim = ocorrencia.mid(ponto + 1);
    for (const auto &e : extensoes) {
        if (fim.compare(e, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString rotuloContagem(TipoPadrao tipo, qint64 contagem)
{
    return (tipo == TipoPadrao::Email ? QStringLiteral("Total de emails neste arquivo: ")
                                      : QStringLiteral("Total de telefones neste arquivo: "))
           + QString::number(contagem);
}

void relatarContagens(TipoPadrao tipo, qint64 contagem, const ListaResultados &lista,
                      const RelatorDeVarredura &relator)
{
    if (relator.contagens)
        relator.contagens(rotuloContagem(tipo, contagem),
                          QStringLiteral("Não repetidos: ") + QString::number(lista.tamanho()));
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

// Scans lines as they arrive in decoded chunks: a match never spans two
// lines, and a line longer than kJanela is scanned in overlapping windows.
class VarredorDeLinhas
{
public:
    VarredorDeLinhas(TipoPadrao tipo, std::function<void(QStringView)> aoEncontrar)
        : mPadrao(padrao(tipo))
        , mTipo(tipo)
        , mAoEncontrar(std::move(aoEncontrar))
    {}

    void alimentar(QStringView pedaco)
    {
        qsizetype inicio = 0;
        const qsizetype n = pedaco.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = pedaco[i].unicode();
            if (c != u'\n' && c != u'\r')
                continue;
            if (mLinha.isEmpty()) {
                varrer(pedaco.mid(inicio, i - inicio), 0);
            } else {
                mLinha += pedaco.mid(inicio, i - inicio);
                terminarLinha();
            }
            inicio = i + 1;
        }
        if (inicio < n) {
            mLinha += pedaco.mid(inicio);
            while (mLinha.size() > kJanela)
                varrerJanela();
        }
    }

    void terminarLinha()
    {
        varrer(mLinha, mDesde);
        mLinha.clear();
        mDesde = 0;
    }

private:
    void aceitar(QStringView ocorrencia)
    {
        if (mTipo == TipoPadrao::Email && ehArquivoDaWeb(ocorrencia))
            return;
        mAoEncontrar(ocorrencia);
    }

    void varrer(QStringView linha, qsizetype desde)
    {
        mPadrao.paraCada(linha, desde, linha.size(), [&](qsizetype ini, qsizetype fim) {
            aceitar(linha.mid(ini, fim - ini));
            return true;
        });
    }

    // Takes the matches that end before the overlap; the first one that
    // reaches into it is looked for again, whole, in the next window.
    void varrerJanela()
    {
        const qsizetype corte = kJanela - kSobreposicao;
        qsizetype retomar = -1;
        qsizetype ultimoFim = mDesde;
        const QStringView linha(mLinha);
        mPadrao.paraCada(linha, mDesde, kJanela, [&](qsizetype ini, qsizetype fim) {
            if (fim > corte) {
                retomar = ini;
                return false;
            }
            aceitar(linha.mid(ini, fim - ini));
            ultimoFim = fim;
            return true;
        });
        if (retomar < 0)
            retomar = qMax(ultimoFim, corte);
        if (retomar <= 1)
            retomar = corte;
        // One character of context stays, so "\b" sees what came before.
        mLinha.remove(0, retomar - 1);
        mDesde = 1;
    }

    const PadraoCompilado &mPadrao;
    TipoPadrao mTipo;
    std::function<void(QStringView)> mAoEncontrar;
    QString mLinha;
    qsizetype mDesde = 0;
};

struct MarcaDeBytes {
    const char *bytes;
    int tamanho;
    const char *nome;
};

const MarcaDeBytes *marcaNoInicio(const QByteArray &inicio)
{
    static const MarcaDeBytes marcas[] = {
        {"\xEF\xBB\xBF", 3, "UTF-8"},
        {"\xFF\xFE", 2, "UTF-16LE"},
        {"\xFE\xFF", 2, "UTF-16BE"},
    };
    for (const MarcaDeBytes &m : marcas) {
        if (inicio.startsWith(QByteArrayView(m.bytes, m.tamanho)))
            return &m;
    }
    return nullptr;
}

} // namespace

void paraCadaOcorrencia(TipoPadrao tipo, QStringView texto,
                        const std::function<void(QStringView)> &aoEncontrar)
{
    padrao(tipo).paraCada(texto, 0, texto.size(), [&](qsizetype ini, qsizetype fim) {
        const QStringView ocorrencia = texto.mid(ini, fim - ini);
        if (tipo != TipoPadrao::Email || !ehArquivoDaWeb(ocorrencia))
            aoEncontrar(ocorrencia);
        return true;
    });
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
    paraCadaOcorrencia(tipo, texto, [&](QStringView ocorrencia) {
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
    const QByteArray inicio = arquivo.peek(4);
    if (const MarcaDeBytes *marca = marcaNoInicio(inicio)) {
        if (tipo == TipoPadrao::Telefone)
            usada = QString::fromLatin1(marca->nome);
        if (usada.compare(QLatin1StringView(marca->nome), Qt::CaseInsensitive) == 0)
            arquivo.skip(marca->tamanho);
    }

    if (relator.progresso)
        relator.progresso(100, 0);
    qint64 contagem = 0;
    int percentual = 0;
    Decodificador decodificador(usada);
    VarredorDeLinhas varredor(tipo, [&](QStringView ocorrencia) {
        lista.adicionar(ocorrencia.toString());
        ++contagem;
    });

    QByteArray bloco;
    for (;;) {
        if (tipo == TipoPadrao::Email && relator.parar && relator.parar()) {
            if (relator.informar)
                relator.informar(QStringLiteral("Processamento cancelado por sua solicitação"));
            return true;
        }
        bloco = arquivo.read(kBloco);
        if (bloco.isEmpty()) {
            if (arquivo.error() != QFileDevice::NoError) {
                erro = arquivo.errorString();
                return false;
            }
            break;
        }
        varredor.alimentar(decodificador.decodificar(bloco));
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
    if (const MarcaDeBytes *marca = marcaNoInicio(inicio))
        return QString::fromLatin1(marca->nome);
    // Stateful: a character cut at the sample's end is no error.
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString amostra = utf8.decode(inicio);
    Q_UNUSED(amostra);
    return utf8.hasError() ? QStringLiteral("Windows-1252") : QStringLiteral("UTF-8");
}
