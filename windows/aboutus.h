#ifndef ABOUTUS_H
#define ABOUTUS_H

#include <QWidget>

class Ui_AboutUs;

// The About window: the logo and the product's details, with links to the site and
// the support address.
class AboutUs : public QWidget
{
    Q_OBJECT

public:
    explicit AboutUs(QWidget *parent = nullptr);
    ~AboutUs() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Ui_AboutUs *ui;
};

#endif // ABOUTUS_H
