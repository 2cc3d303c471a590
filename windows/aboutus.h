#ifndef ABOUTUS_H
#define ABOUTUS_H

#include <QWidget>

class AboutUs : public QWidget
{
    Q_OBJECT

public:
    explicit AboutUs(QWidget *parent = nullptr);
    ~AboutUs() override;
};

#endif // ABOUTUS_H
