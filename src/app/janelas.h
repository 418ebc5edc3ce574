#pragma once

#include <QPointer>

class TdtmExtrator;
class TfrmEdge;
class TfrmInstalarWebview;
class TdtmPrincipal;
class TfrmExtrairNavegador;
class TfrmNotes;
class TfrmPrincipal;
class TfrmProgresso;
class TfrmSplash;
class TfrmTips;

// The application's window references, one per kind. Each becomes empty when
// its window is destroyed, so every use checks it first: windows can be
// closed while a run pumps events.
struct Janelas {
    QPointer<TfrmPrincipal> frmPrincipal;
    QPointer<TdtmPrincipal> dtmPrincipal;
    QPointer<TfrmProgresso> frmProgresso;
    QPointer<TdtmExtrator> dtmExtrator;
    // The most recently opened extraction workspace.
    QPointer<TfrmExtrairNavegador> frmExtrairNavegador;
    QPointer<TfrmSplash> frmSplash;
    QPointer<TfrmTips> frmTips;
    QPointer<TfrmNotes> frmNotes;
    QPointer<TfrmInstalarWebview> frmInstalarWebview;
    // The one browser window (the main window's gNavegador1).
    QPointer<TfrmEdge> frmNavegador;
};

Janelas &janelas();

class QMdiSubWindow;
class QWidget;

// The MDI sub-window that hosts `janela`; null when it stands alone.
QMdiSubWindow *subJanelaDe(QWidget *janela);
// What the user sees as the window: its MDI sub-window, or `janela` itself
// when it stands alone.
QWidget *molduraDe(QWidget *janela);

// Closes a child window of the frame (its MDI sub-window), or the window
// itself when it stands alone.
void fecharJanelaFilha(QWidget *janela);
