#pragma once

#include <QWidget>

#include "storage/arquivoTexto.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// A free-text scratch pad kept between runs in notes.txt.
class TfrmNotes : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmNotes(QWidget *parent = nullptr);

    void carregarNotas();
    // Throws ErroVaspira when notes.txt cannot be written; the text stays.
    void salvarNotas();
    void mostrarOcorrencia();
    void MemoLinesWithText(QPlainTextEdit *memo, const QString &texto);
    void selectTextInLine(QPlainTextEdit *aMemo, int linha, const QString &texto);
    void memoGotoLine(QPlainTextEdit *aMemo, int linha);
    int getMemoLine(QPlainTextEdit *aMemo);
    void memoAddCode(QPlainTextEdit *aMemo, const QString &valor);

    // True when the window may close: nothing unsaved, or the user agreed to
    // drop the changes.
    bool podeFechar();
    // The current date and time as "(F6)" inserts them.
    static QString dataHoraAtual();

    bool gAbriu = false;
    bool gEditou = false;

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QWidget *pnTool = nullptr;
    QLineEdit *edtLocalizar = nullptr;
    QToolButton *btnPrior = nullptr;
    QToolButton *btnNext = nullptr;
    QToolButton *btnDataHora = nullptr;
    QPlainTextEdit *mmoNotes = nullptr;
    QListWidget *lstLinha = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnFechar = nullptr;

protected:
    bool eventFilter(QObject *alvo, QEvent *evento) override;
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;

private:
    void btnOkClick();
    void btnFecharClick();
    void btnDataHoraClick();
    void localizar();
    void irPara(int passo);
    bool FormKeyDown(QKeyEvent *evento);
    void fecharJanela();

    Codificacao gCodificacao = Codificacao::Utf8;
    bool gFechamentoAceito = false;
};
