#ifndef WELLWIN_H
#define WELLWIN_H

#include <QWidget>

class Ui_WellWin;

// The welcome window shown at start-up; it invites the user to leave feedback.
class WellWin : public QWidget
{
    Q_OBJECT

public:
    explicit WellWin(QWidget *parent = nullptr);
    ~WellWin() override;

private slots:
    void on_com_feedback_clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Ui_WellWin *ui;
};

#endif // WELLWIN_H
