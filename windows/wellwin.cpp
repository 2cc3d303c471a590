#include "windows/wellwin.h"
#include "ui_wellwin.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QUrl>

WellWin::WellWin(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui_WellWin)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::Tool);
}

WellWin::~WellWin()
{
    delete ui;
}

void WellWin::on_com_feedback_clicked()
{
    // Translatable, so that a translation can point at a page in its own language.
    QDesktopServices::openUrl(QUrl(tr("https://varnel.example.org/feedback")));
}

void WellWin::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
