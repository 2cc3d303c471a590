#ifndef WELLWIN_H
#define WELLWIN_H

#include <QWidget>

class WellWin : public QWidget
{
    Q_OBJECT

public:
    explicit WellWin(QWidget *parent = nullptr);
    ~WellWin() override;
};

#endif // WELLWIN_H
