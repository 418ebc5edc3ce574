#pragma once

#include <QObject>
#include <QList>
#include <QString>

#include <deque>
#include <functional>

class QTimer;
class TfrmMsg;

// Answers the application's modal message windows in tests. Arm it before
// the call that opens a window: each window that opens takes the next queued
// action; a window that finds no action waiting is recorded as unexpected and
// cancelled, so a test never hangs on a forgotten message.
class MotoristaMensagens : public QObject
{
    Q_OBJECT

public:
    struct Vista {
        int tipo = 0;
        QString titulo;
        QString texto;
        bool caixaDicaVisivel = false;
        bool esperada = true;
    };
    using Acao = std::function<void(TfrmMsg *)>;

    MotoristaMensagens();
    ~MotoristaMensagens() override;

    void aoAbrir(Acao acao);
    // Shorthands: click a button by objectName, or press a key.
    void clicar(const QString &botao);
    void tecla(int tecla);
    void deixarFecharSozinha();

    QList<Vista> vistas;
    int acoesPendentes() const { return static_cast<int>(mAcoes.size()); }
    int inesperadas() const;

    // A window the test shows by itself, outside the message functions: the
    // driver leaves it alone.
    static void ignorar(TfrmMsg *janela);

    // For a test's cleanup: closes what was left open, deletes the driver and
    // fails the test when a window stayed open, showed unexpectedly or an
    // answer was never used.
    static void encerrar(MotoristaMensagens *&motorista);

    // Closes message windows left open; returns how many there were.
    static int fecharRestantes();

private:
    void verificar();

    QTimer *mTimer;
    std::deque<Acao> mAcoes;
};
