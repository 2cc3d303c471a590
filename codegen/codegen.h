#ifndef CODEGEN_H
#define CODEGEN_H

#include <QList>
#include <QStringListModel>
#include <QWidget>

class ClassItem;
class Link;
class Ui_CodeGen;

// Window that writes a header and a source file for the chosen classes.
class CodeGen : public QWidget
{
    Q_OBJECT

public:
    CodeGen(QList<ClassItem *> *classItems, QList<Link *> *linkItems, QWidget *parent = nullptr);
    ~CodeGen() override;

    CodeGen(const CodeGen &) = delete;
    CodeGen &operator=(const CodeGen &) = delete;

    // Refills the list with the diagram's classes and shows a fresh form.
    void openGenerator();
    void resetForm();
    // The open diagram's file (empty when it has none): the folder dialog starts beside it.
    void setDiagramFile(const QString &path) { diagramFile = path; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_com_gen_clicked();
    void on_che_genAll_clicked(bool checked);
    void on_too_dirPath_clicked();

private:
    QList<ClassItem *> pickedItems() const;
    void showDirPath();

    Ui_CodeGen *ui;
    QList<ClassItem *> *classItems;
    QList<Link *> *linkItems;
    QList<ClassItem *> selectedItems;
    QStringListModel classListModel;
    // The chosen destination folder; empty while none is chosen.
    QString dirPath;
    QString diagramFile;
};

#endif // CODEGEN_H
