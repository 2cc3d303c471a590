#ifndef LINKEDITOR_H
#define LINKEDITOR_H

#include <QList>
#include <QStringList>
#include <QWidget>

class ClassItem;
class LinkModel;
class QComboBox;
class Ui_LinkEditor;

// Small window in which the two classes of a link are chosen.
class LinkEditor : public QWidget
{
    Q_OBJECT

public:
    explicit LinkEditor(QWidget *parent = nullptr);
    ~LinkEditor() override;

    LinkEditor(const LinkEditor &) = delete;
    LinkEditor &operator=(const LinkEditor &) = delete;

    void openLink(LinkModel *link, bool editMode, const QList<ClassItem *> &classItems);

signals:
    void linkAdded();
    void linkCanceled();
    void linkDeleted(LinkModel *link);
    // An existing link was confirmed with these ends (which may be those it had).
    void linkEdited(LinkModel *link);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_pus_addMod_clicked();
    void on_pus_delete_clicked();
    // The index signal no longer carries the text; the slots read the chosen entry.
    void on_com_itemOne_currentIndexChanged(int index);
    void on_com_itemTwo_currentIndexChanged(int index);

private:
    void clearCombos();
    void setLabels(int type);
    void rebuildWithout(QComboBox *combo, const QString &excluded);

    Ui_LinkEditor *ui;
    QStringList classNames;
    QList<ClassItem *> classItems;
    bool editMode = false;
    bool filling = false;
    LinkModel *link = nullptr;
};

#endif // LINKEDITOR_H
