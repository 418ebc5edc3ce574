#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

// The application's own message window: information, error, warning,
// question, tip and help. One window lives for one message.
class TfrmMsg : public QDialog
{
    Q_OBJECT

public:
    enum Tipo { Informacao = 1, Erro = 2, Aviso = 3, Pergunta = 4, Dica = 5, Ajuda = 6 };

    TfrmMsg();

    void exibirMensagem(const QString &texto, int tipoMSG, int tempoSeg);
    bool showTip(const QString &id, const QString &texto, int tipoMSG);
    // Throws ErroVaspira when tipfile.txt cannot be read or written.
    void updateTip(const QString &id, bool naoexibir);

    int tipoMSG() const { return gTipoMSG; }
    // The prepared text, line breaks as CR LF.
    QString mensagem() const { return gMensagem; }

    QString gTipID;
    int gAltura = 0;

    QLabel *Image1 = nullptr;
    QList<QPixmap> ImageList1;
    QScrollArea *ScrollBox1 = nullptr;
    QLabel *lbMsg = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancelar = nullptr;
    QCheckBox *ckbHide = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *tmFechar = nullptr;

public slots:
    // Esc and the close box answer 2 (cancel).
    void reject() override;
    void done(int codigo) override;

protected:
    bool eventFilter(QObject *alvo, QEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    void showEvent(QShowEvent *evento) override;

private:
    void btnOkClick();
    void btnCancelarClick();
    void ckbHideClick();
    bool FormKeyDown(QKeyEvent *evento);
    void Timer1Timer();
    void tmFecharTimer();
    bool ScrollBox1MouseWheel(QWheelEvent *evento);

    int gTipoMSG = 0;
    bool gMostrando = false;
    QString gMensagem;
};
