#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

// Offers to install the web module the browser needs.
class TfrmInstalarWebview : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmInstalarWebview(QWidget *parent = nullptr);

    // Throws ErroVaspira when the marker file cannot be written.
    static void registrarWebviewInstalado();
    static QString caminhoDoInstalador();

    // How the installer is started; tests replace it. Returns false with
    // `erro` filled when it could not be started.
    static std::function<bool(const QString &instalador, QString &erro)> &iniciarInstalador();

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Image3 = nullptr;
    QPushButton *btnInstalar = nullptr;
    QCheckBox *ckbNaoExibir = nullptr;
    QPushButton *btnOk = nullptr;

private:
    void btnInstalarClick();
    void btnOkClick();
};

// Creates the installation window (it shows itself) and keeps it as the
// application's current one.
TfrmInstalarWebview *abrirJanelaDeInstalacao();
