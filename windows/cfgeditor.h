#ifndef CFGEDITOR_H
#define CFGEDITOR_H

#include <QWidget>

class Cfg;
class Ui_CfgEditor;

// The preferences dialog. Edits live in its widgets until "Appliquer" stores them in
// the record, saves cfgs.xml and tells the main window to apply them.
class CfgEditor : public QWidget
{
    Q_OBJECT

public:
    CfgEditor(QWidget *parent, Cfg *cfg);
    ~CfgEditor() override;

    void openPreferences();
    void loadForm();

signals:
    void applyCfg();

private slots:
    void on_che_actionBar_clicked(bool checked);
    void on_che_itemBar_clicked(bool checked);
    void on_com_apply_clicked();
    void on_pus_cancel_clicked();
    void on_pus_byDef_clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showFont(const QFont &font);
    void enableSizeChoices();

    Ui_CfgEditor *ui;
    Cfg *cfg;
};

#endif // CFGEDITOR_H
