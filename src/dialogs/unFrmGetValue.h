#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// Asks the user for a short text.
class TfrmGetValue : public QDialog
{
    Q_OBJECT

public:
    TfrmGetValue();

    QLabel *Image1 = nullptr;
    QLabel *lbtitle = nullptr;
    QPlainTextEdit *mmoValor = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancelar = nullptr;
    QTimer *Timer1 = nullptr;

public slots:
    // Esc and the close box answer 2 (cancel).
    void reject() override;

protected:
    bool eventFilter(QObject *alvo, QEvent *evento) override;
    void showEvent(QShowEvent *evento) override;

private:
    void Timer1Timer();
};

// Shows the prompt `titulo` with `valorInicial` in the box. Returns the box's
// whole text unchanged on "&Ok", the empty text otherwise.
QString obterValor(const QString &titulo, const QString &valorInicial, int altura = 250);
