#pragma once

#include <QApplication>

// The application object. Its notify() is the general error report: what an
// event handler throws is shown in the message window with the error's own
// text, and the application goes on.
class TAplicacao : public QApplication
{
    Q_OBJECT

public:
    TAplicacao(int &argc, char **argv);

    bool notify(QObject *receptor, QEvent *evento) override;
};

// Shows an escaped error the way the general error report does.
void relatarErro(const QString &mensagem);

// Installs the engine's event pump: pumps at most every ~10 ms, so a long scan
// keeps the interface alive without spending its time in the event loop.
void instalarBombeamento();
