#include "dialogs/mensagens.h"

#include "dialogs/unFrmMsg.h"

namespace {

int exibir(const QString &texto, int tipo, int tempoSeg, int altura = 0)
{
    TfrmMsg frm;
    if (altura != 0)
        frm.gAltura = altura;
    frm.exibirMensagem(texto, tipo, tempoSeg);
    return frm.exec();
}

} // namespace

void msgInformacao(const QString &texto, int tempoSeg)
{
    exibir(texto, TfrmMsg::Informacao, tempoSeg);
}

void msgErro(const QString &texto, int tempoSeg)
{
    exibir(texto, TfrmMsg::Erro, tempoSeg);
}

void msgAviso(const QString &texto, int tempoSeg)
{
    exibir(texto, TfrmMsg::Aviso, tempoSeg);
}

int msgPergunta(const QString &texto, int tempoSeg)
{
    return exibir(texto, TfrmMsg::Pergunta, tempoSeg);
}

void msgAjuda(const QString &texto, int tempoSeg, int altura)
{
    exibir(texto, TfrmMsg::Ajuda, tempoSeg, altura);
}

void msgDica(const QString &id, const QString &texto, int altura)
{
    TfrmMsg frm;
    if (!frm.showTip(id, texto, TfrmMsg::Dica))
        return;
    // A height of 0 or less would leave no room for the text; the designed
    // height is kept then.
    if (altura > 0)
        frm.gAltura = altura;
    frm.exec();
}
