#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QTimer;

// The shared, non-modal progress window: a title, a log of time-stamped
// status lines in colour, one gauge with its counter, "Cancelar" and "&Ok".
// Colours are red + 256 × green + 65536 × blue.
class TfrmProgresso : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmProgresso(QWidget *parent = nullptr);

    void progressoInicio(const QString &aTitulo, bool zerarMemo);
    void addStatus(const QString &texto, int aColor, bool aBold);
    void addStatusComp(const QString &texto, int aColor, bool aBold, bool addSpace);
    void startGauge1(int maxValue, const QString &titulo);
    void incGauge1(int aValor);
    void progressoFim(const QString &aTitulo, bool ocultarGauges, int fecharSegundos);

    void limpartudo();
    static void setLabelNumber(QLabel *aLabel, qint64 valor, qint64 valorMaximo);
    void ScrollToLastLine(QTextEdit *Memo);

    bool gCancelou = false;

    QLabel *pnTitle = nullptr;
    QTextEdit *mmoStatus = nullptr;
    QWidget *pnGauge1 = nullptr;
    QLabel *lbProgress1 = nullptr;
    QLabel *lbNumber1 = nullptr;
    QProgressBar *progress1 = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancelar = nullptr;
    QTimer *tmFechar = nullptr;

private:
    void btnCancelarClick();
    void inserir(const QString &texto, int aColor, bool aBold);
};
