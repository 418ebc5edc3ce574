#include "app/aplicacao.h"

#include "dialogs/erroVaspira.h"
#include "dialogs/mensagens.h"
#include "harvest/bombeamento.h"

#include <QElapsedTimer>

#include <exception>

TAplicacao::TAplicacao(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool TAplicacao::notify(QObject *receptor, QEvent *evento)
{
    try {
        return QApplication::notify(receptor, evento);
    } catch (const ErroVaspira &e) {
        relatarErro(e.mensagem());
    } catch (const std::exception &e) {
        relatarErro(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        relatarErro(QStringLiteral("Erro desconhecido."));
    }
    return false;
}

void relatarErro(const QString &mensagem)
{
    // A failure while reporting must not end the application either.
    try {
        msgErro(mensagem);
    } catch (...) {
    }
}

void instalarBombeamento()
{
    definirGanchoBombeamento([] {
        static QElapsedTimer desdeUltimo;
        if (desdeUltimo.isValid() && desdeUltimo.elapsed() < 10)
            return;
        QCoreApplication::processEvents();
        desdeUltimo.start();
    });
}
