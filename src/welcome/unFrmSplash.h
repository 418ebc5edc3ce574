#pragma once

#include <QWidget>

class QTimer;

// Shows the product's name, build and purpose while the application starts.
class TfrmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmSplash(QWidget *parent = nullptr);

    QTimer *timer = nullptr;

protected:
    void keyPressEvent(QKeyEvent *evento) override;
};
