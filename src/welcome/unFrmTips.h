#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

// Recommends the demonstration video and lets the user stop the tips from
// showing at start-up ("showtips" in config.txt).
class TfrmTips : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmTips(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QCheckBox *ckbHide = nullptr;
    QPushButton *btnFechar = nullptr;

protected:
    bool eventFilter(QObject *alvo, QEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
};

// Shows the tips window made at start-up, or a new one when it is gone.
void exibirDicasIniciais();
// "Exibir dicas de uso": a new tips window every time.
TfrmTips *novaJanelaDeDicas();
