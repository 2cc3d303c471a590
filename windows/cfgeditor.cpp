#include "windows/cfgeditor.h"

CfgEditor::CfgEditor(QWidget *parent, Cfg *cfg)
    : QWidget(parent)
    , cfg(cfg)
{}

CfgEditor::~CfgEditor() = default;

void CfgEditor::openPreferences()
{
    show();
}
