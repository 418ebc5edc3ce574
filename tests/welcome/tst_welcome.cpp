#include "app/janelas.h"
#include "app/unDtmPrincipal.h"
#include "app/unFrmPrincipal.h"
#include "support/mainGui.h"
#include "support/motoristaMensagens.h"
#include "welcome/unFrmSplash.h"
#include "welcome/unFrmTips.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>

class TstWelcome : public QObject
{
    Q_OBJECT

private slots:
    void dicasNoInicioSemConfig();
    void dicasOcultasDepoisDeMarcar();
    void menuAbreNovaJanelaDeDicas();
    void configNaoGravavelMantemDicas();
    void splashSomeComEsc();
    void splashSomeDepoisDeQuatroSegundos();

private:
    QByteArray config() const
    {
        QFile f(pastaDeTeste() + "config.txt");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<sem arquivo>");
    }
};

void TstWelcome::dicasNoInicioSemConfig()
{
    QCOMPARE(config(), QByteArray("<sem arquivo>"));
    novaJanelaDeDicas();
    QPointer<TfrmTips> dicas = janelas().frmTips;
    QVERIFY(dicas && dicas->isHidden());

    TdtmPrincipal dtm;
    QTRY_VERIFY_WITH_TIMEOUT(dicas->isVisible(), 3000);
    QVERIFY(!dicas->ckbHide->isChecked());
    QTest::mouseClick(dicas->btnFechar, Qt::LeftButton);
    QTRY_VERIFY(!dicas);
    QCOMPARE(config(), QByteArray("showtips=0\r\n"));
}

void TstWelcome::dicasOcultasDepoisDeMarcar()
{
    {
        TdtmPrincipal dtm;
        QTRY_VERIFY_WITH_TIMEOUT(janelas().frmTips && janelas().frmTips->isVisible(), 3000);
        TfrmTips *dicas = janelas().frmTips;
        QTest::mouseClick(dicas->ckbHide, Qt::LeftButton);
        dicas->close();
        QTRY_VERIFY(!janelas().frmTips);
        QCOMPARE(config(), QByteArray("showtips=-1\r\n"));
    }
    TdtmPrincipal dtm;
    // The start-up check runs one second after the data module is made.
    QTest::qWait(1300);
    QVERIFY(!dtm.tmInicio->isActive());
    QVERIFY(!janelas().frmTips);
}

void TstWelcome::menuAbreNovaJanelaDeDicas()
{
    TfrmPrincipal principal;
    principal.findChild<QAction *>("Exibirdicasdeuso1")->trigger();
    QPointer<TfrmTips> primeira = janelas().frmTips;
    QVERIFY(primeira && primeira->isVisible());
    principal.findChild<QAction *>("Exibirdicasdeuso1")->trigger();
    QPointer<TfrmTips> segunda = janelas().frmTips;
    QVERIFY(segunda && segunda != primeira && primeira);
    segunda->close();
    primeira->close();
    QTRY_VERIFY(!primeira && !segunda);
    // Closed without ticking: the tips come back at the next start.
    QCOMPARE(config(), QByteArray("showtips=0\r\n"));
}

void TstWelcome::configNaoGravavelMantemDicas()
{
    const QString caminho = pastaDeTeste() + "config.txt";
    QFile::remove(caminho);
    QVERIFY(QDir().mkpath(caminho));
    MotoristaMensagens m;
    m.clicar("btnOk");
    QPointer<TfrmTips> dicas = novaJanelaDeDicas();
    dicas->show();
    dicas->close();
    QTRY_COMPARE(m.vistas.size(), 1);
    QCOMPARE(m.vistas[0].tipo, 2);
    QVERIFY(dicas && dicas->isVisible());
    QDir(caminho).removeRecursively();
    dicas->close();
    QTRY_VERIFY(!dicas);
}

void TstWelcome::splashSomeComEsc()
{
    QPointer<TfrmSplash> splash = new TfrmSplash;
    QVERIFY(splash->isVisible());
    QCOMPARE(splash->size(), QSize(645, 517));
    QVERIFY(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    QTest::keyClick(splash, Qt::Key_Escape);
    QTRY_VERIFY(!splash);
}

void TstWelcome::splashSomeDepoisDeQuatroSegundos()
{
    TfrmSplash splash;
    QCOMPARE(splash.timer->interval(), 4000);
    QVERIFY(splash.timer->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(splash.isHidden(), 6000);
    QVERIFY(!splash.timer->isActive());
}

VASPIRA_GUI_TEST_MAIN(TstWelcome)
#include "tst_welcome.moc"
