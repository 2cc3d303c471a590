#ifndef CFGEDITOR_H
#define CFGEDITOR_H

#include <QWidget>

class Cfg;

// The preferences dialog.
class CfgEditor : public QWidget
{
    Q_OBJECT

public:
    CfgEditor(QWidget *parent, Cfg *cfg);
    ~CfgEditor() override;

    void openPreferences();

signals:
    void applyCfg();

private:
    Cfg *cfg;
};

#endif // CFGEDITOR_H
