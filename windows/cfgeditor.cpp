#include "windows/cfgeditor.h"
#include "ui_cfgeditor.h"

#include "persistence/cfg.h"

#include <QKeyEvent>
#include <QMessageBox>

namespace {

void checkSize(int size, QRadioButton *little, QRadioButton *medium, QRadioButton *big)
{
    if (size == 128)
        big->setChecked(true);
    else if (size == 64)
        medium->setChecked(true);
    else
        little->setChecked(true);
}

int checkedSize(const QRadioButton *medium, const QRadioButton *big)
{
    if (big->isChecked())
        return 128;
    if (medium->isChecked())
        return 64;
    return 32;
}

} // namespace

CfgEditor::CfgEditor(QWidget *parent, Cfg *cfg)
    : QWidget(parent)
    , ui(new Ui_CfgEditor)
    , cfg(cfg)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::Tool);
}

CfgEditor::~CfgEditor()
{
    delete ui;
}

void CfgEditor::openPreferences()
{
    ui->tabWidget->setCurrentIndex(0);
    loadForm();
    show();
}

void CfgEditor::loadForm()
{
    ui->che_autoSave->setChecked(cfg->autoSave());
    ui->che_askForClose->setChecked(cfg->askForClose());
    ui->che_wellWin->setChecked(cfg->wellWin());
    // findText() matches exactly and case-sensitively here; -1 leaves no language shown.
    ui->com_language->setCurrentIndex(
        ui->com_language->findText(cfg->language(), Qt::MatchExactly | Qt::MatchCaseSensitive));
    ui->lin_prefix->setText(*cfg->prefixe());
    ui->che_autoAddSetGetFct->setChecked(*cfg->autoAddSetGetFct());
    ui->che_actionBar->setChecked(cfg->actionBar());
    ui->che_itemBar->setChecked(cfg->itemBar());
    checkSize(cfg->actionBarIconSize(), ui->rad_actLitle, ui->rad_actMedium, ui->rad_actBig);
    checkSize(cfg->itemBarIconSize(), ui->rad_itemLitle, ui->rad_itemMedium, ui->rad_itemBig);
    showFont(*cfg->font());
    enableSizeChoices();
}

void CfgEditor::showFont(const QFont &font)
{
    ui->fon_font->setCurrentFont(font);
    // The list holds only the installed families and would put a look-alike in place
    // of any other, which "Appliquer" would then store. The family is kept as written
    // until the user picks another one.
    ui->fon_font->setEditText(font.family());
}

void CfgEditor::enableSizeChoices()
{
    on_che_actionBar_clicked(ui->che_actionBar->isChecked());
    on_che_itemBar_clicked(ui->che_itemBar->isChecked());
}

void CfgEditor::on_che_actionBar_clicked(bool checked)
{
    ui->lab_act->setEnabled(checked);
    ui->rad_actLitle->setEnabled(checked);
    ui->rad_actMedium->setEnabled(checked);
    ui->rad_actBig->setEnabled(checked);
}

void CfgEditor::on_che_itemBar_clicked(bool checked)
{
    ui->lab_item->setEnabled(checked);
    ui->rad_itemLitle->setEnabled(checked);
    ui->rad_itemMedium->setEnabled(checked);
    ui->rad_itemBig->setEnabled(checked);
}

void CfgEditor::on_com_apply_clicked()
{
    cfg->setAutoSave(ui->che_autoSave->isChecked());
    cfg->setAskForClose(ui->che_askForClose->isChecked());
    cfg->setWellWin(ui->che_wellWin->isChecked());
    cfg->setLanguage(ui->com_language->currentText());
    cfg->setPrefixe(ui->lin_prefix->text());
    cfg->setAutoAddSetGetFct(ui->che_autoAddSetGetFct->isChecked());
    cfg->setActionBar(ui->che_actionBar->isChecked());
    cfg->setItemBar(ui->che_itemBar->isChecked());
    cfg->setActionBarIconSize(checkedSize(ui->rad_actMedium, ui->rad_actBig));
    cfg->setItemBarIconSize(checkedSize(ui->rad_itemMedium, ui->rad_itemBig));
    cfg->setFont(ui->fon_font->currentFont());

    if (cfg->writeCfg() != 0) {
        QMessageBox::critical(this, tr("Erreur"),
                              tr("Impossible de sauvegarder vos configurations."), QMessageBox::Ok);
        return;
    }
    emit applyCfg();
    hide();
}

void CfgEditor::on_pus_cancel_clicked()
{
    loadForm();
    hide();
}

void CfgEditor::on_pus_byDef_clicked()
{
    ui->che_autoSave->setChecked(false);
    ui->che_askForClose->setChecked(true);
    ui->che_wellWin->setChecked(true);
    ui->com_language->setCurrentIndex(0);
    ui->lin_prefix->setText(QStringLiteral("m_"));
    ui->che_autoAddSetGetFct->setChecked(true);
    ui->che_actionBar->setChecked(true);
    ui->rad_actMedium->setChecked(true);
    ui->che_itemBar->setChecked(true);
    ui->rad_itemMedium->setChecked(true);
    showFont(QFont(QStringLiteral("Ubuntu")));
    enableSizeChoices();
}

void CfgEditor::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the dialog as "Annuler" does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        on_pus_cancel_clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}
