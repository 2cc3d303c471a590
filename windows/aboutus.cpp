#include "windows/aboutus.h"
#include "ui_aboutus.h"

#include <QKeyEvent>

AboutUs::AboutUs(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui_AboutUs)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::Tool);
}

AboutUs::~AboutUs()
{
    delete ui;
}

void AboutUs::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
