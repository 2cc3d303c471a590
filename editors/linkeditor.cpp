#include "editors/linkeditor.h"

#include "canvas/classitem.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"

#include "ui_linkeditor.h"

#include <QCloseEvent>

LinkEditor::LinkEditor(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui_LinkEditor)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool);
    // The form's height cap was made for Kalinga; where that font is missing a taller
    // fallback needs a few more pixels, and a cap below the layout's minimum would clip
    // the buttons.
    setMaximumHeight(qMax(maximumHeight(), minimumSizeHint().height()));
    filling = false;
}

LinkEditor::~LinkEditor()
{
    delete ui;
}

static QString placeholder()
{
    return LinkEditor::tr("< Sélectionnez >");
}

void LinkEditor::clearCombos()
{
    ui->com_itemOne->clear();
    ui->com_itemTwo->clear();
}

void LinkEditor::setLabels(int type)
{
    switch (type) {
    case LinkModel::Inheritance:
        ui->gro_link->setTitle(tr("Héritage"));
        ui->lab_itemOne->setText(tr("Classe mère :"));
        ui->lab_itemTwo->setText(tr("Classe fille :"));
        break;
    case LinkModel::Aggregation:
        ui->gro_link->setTitle(tr("Agrégation"));
        ui->lab_itemOne->setText(tr("Classe contenant"));
        ui->lab_itemTwo->setText(tr("Classe contenue"));
        break;
    case LinkModel::Association:
        // The ends read the other way round from an aggregation.
        ui->gro_link->setTitle(tr("Association"));
        ui->lab_itemOne->setText(tr("Classe contenue"));
        ui->lab_itemTwo->setText(tr("Classe contenant"));
        break;
    default:
        break;
    }
}

void LinkEditor::openLink(LinkModel *link, bool editMode, const QList<ClassItem *> &classItems)
{
    // Refilling the boxes must not trigger the exclusion: both start with every name.
    filling = true;
    clearCombos();
    setLabels(link->type());

    QStringList names;
    for (const ClassItem *item : classItems)
        names.append(item->getModel()->name());

    for (QComboBox *combo : {ui->com_itemOne, ui->com_itemTwo}) {
        combo->addItem(placeholder());
        combo->addItems(names);
    }

    if (editMode) {
        ui->pus_addMod->setText(tr("Modifier"));
        ui->pus_delete->show();
        const QString master = link->masterName();
        const QString slave = link->slaveName();
        for (int i = 0; i < ui->com_itemOne->count(); ++i) {
            if (ui->com_itemOne->itemText(i) == master)
                ui->com_itemOne->setCurrentIndex(i);
        }
        for (int i = 0; i < ui->com_itemTwo->count(); ++i) {
            if (ui->com_itemTwo->itemText(i) == slave)
                ui->com_itemTwo->setCurrentIndex(i);
        }
    } else {
        ui->pus_addMod->setText(tr("Ajouter"));
        ui->pus_delete->hide();
    }

    this->classItems = classItems;
    classNames = names;
    this->link = link;
    this->editMode = editMode;
    show();
    filling = false;
}

void LinkEditor::rebuildWithout(QComboBox *combo, const QString &excluded)
{
    if (filling)
        return;
    const QString remembered = combo->currentText();
    filling = true;

    combo->clear();
    combo->addItem(placeholder());
    combo->addItems(classNames);

    // The placeholder stays whatever the other box shows.
    for (int i = 1; i < combo->count();) {
        if (combo->itemText(i) == excluded)
            combo->removeItem(i);
        else
            ++i;
    }

    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == remembered)
            combo->setCurrentIndex(i);
    }
    filling = false;
}

void LinkEditor::on_com_itemOne_currentIndexChanged(int index)
{
    rebuildWithout(ui->com_itemTwo, ui->com_itemOne->itemText(index));
}

void LinkEditor::on_com_itemTwo_currentIndexChanged(int index)
{
    rebuildWithout(ui->com_itemOne, ui->com_itemTwo->itemText(index));
}

void LinkEditor::on_pus_addMod_clicked()
{
    if (ui->com_itemOne->currentIndex() <= 0 || ui->com_itemTwo->currentIndex() <= 0) {
        emit linkCanceled();
        hide();
        return;
    }

    const QString master = ui->com_itemOne->currentText();
    const QString slave = ui->com_itemTwo->currentText();
    // When several classes bear the name, the last one becomes the end.
    for (ClassItem *item : std::as_const(classItems)) {
        if (item->getModel()->name() == master)
            link->setMaster(item);
    }
    for (ClassItem *item : std::as_const(classItems)) {
        if (item->getModel()->name() == slave)
            link->setSlave(item);
    }

    if (editMode) {
        emit linkEdited(link);
        hide();
    } else {
        emit linkAdded();
        hide();
    }
}

void LinkEditor::on_pus_delete_clicked()
{
    emit linkDeleted(link);
    hide();
}

void LinkEditor::closeEvent(QCloseEvent *event)
{
    if (!editMode)
        emit linkCanceled();
    event->accept();
}
