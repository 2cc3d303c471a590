#include "editors/classeditor.h"

#include "canvas/classitem.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "ui_classeditor.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

// The name shown on a list line: lines of attributes and methods start with a
// one-character visibility mark and a blank, argument lines with the name itself.
QString lineName(const QAbstractItemView *view, int part)
{
    const QModelIndex index = view->selectionModel()->currentIndex();
    if (!index.isValid())
        return QString();
    const QStringList parts =
        index.data(Qt::DisplayRole).toString().split(QLatin1Char(' '), Qt::KeepEmptyParts);
    return parts.value(part);
}

void removeLine(QStringListModel &model, const QString &line)
{
    QStringList lines = model.stringList();
    lines.removeAll(line);
    model.setStringList(lines);
}

void appendLine(QStringListModel &model, const QString &line)
{
    QStringList lines = model.stringList();
    lines.append(line);
    model.setStringList(lines);
}

} // namespace

ClassEditor::ClassEditor(QWidget *parent, const QString *attPrefix, const bool *autoSetGet)
    : QWidget(parent)
    , ui(new Ui_ClassEditor)
    , nameValidator(nullptr)
    , classNameValidator(nullptr)
    , attPrefix(attPrefix)
    , autoSetGet(autoSetGet)
{
    ui->setupUi(this);

    // Names end up as C++ identifiers in generated code; "~" lets a destructor be named.
    nameValidator = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("([a-z]|[A-Z]|_|~)*")), this);
    for (QLineEdit *field : {ui->lin_attName, ui->lin_fctName, ui->lin_argName})
        field->setValidator(nameValidator);
    // A class is never a destructor: "~" would end up in the class name and the guard.
    classNameValidator = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("([a-z]|[A-Z]|_)*")), this);
    for (QLineEdit *field : {ui->lin_name, ui->lin_parentClass})
        field->setValidator(classNameValidator);

    ui->lis_attView->setModel(&attModel);
    ui->lis_fctView->setModel(&fctModel);
    ui->lis_argView->setModel(&argModel);
    // A line is a rendering of a member, not the member: editing it in place would
    // change nothing.
    for (QListView *view : {ui->lis_attView, ui->lis_fctView, ui->lis_argView})
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);

    // Return in a member's fields does what that group's "+" (or "<<") does, and an
    // added member leaves the group's first field, emptied, ready for the next one.
    const QList<QPair<QList<QLineEdit *>, QToolButton *>> groups = {
        {{ui->lin_attName, ui->lin_attType, ui->lin_attDefValue}, ui->too_attMore},
        {{ui->lin_fctName, ui->lin_fctType}, ui->too_fctMore},
        {{ui->lin_argName, ui->lin_argType, ui->lin_argDefValue}, ui->too_argMore}};
    for (const auto &[fields, more] : groups) {
        for (QLineEdit *field : fields) {
            field->installEventFilter(this);
            returnButtons.insert(field, more);
        }
        QLineEdit *first = fields.constFirst();
        connect(more, &QToolButton::clicked, this, [first] {
            if (first->text().isEmpty())
                first->setFocus(Qt::OtherFocusReason);
        });
    }

    // Tab goes through a group's fields, its visibility and its "+" before its list.
    const QList<QWidget *> tabOrder = {
        ui->lin_name,       ui->lin_attName,   ui->lin_attType,      ui->lin_attDefValue,
        ui->rad_attPrivate, ui->rad_attPublic, ui->too_attMore,      ui->lis_attView,
        ui->too_modAtt,     ui->too_attLess,   ui->lin_fctName,      ui->lin_fctType,
        ui->rad_fctPrivate, ui->rad_fctPublic, ui->rad_fctProtected, ui->too_fctMore,
        ui->lin_argName,    ui->lin_argType,   ui->lin_argDefValue,  ui->too_argMore,
        ui->lis_argView,    ui->too_modArg,    ui->too_argLess,      ui->lis_fctView,
        ui->too_modFct,     ui->too_fctLess};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    setWindowState(Qt::WindowMaximized);
}

bool ClassEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        QToolButton *more = returnButtons.value(watched);
        if (more && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            more->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

ClassEditor::~ClassEditor()
{
    // The list views outlive the models held by value; detach them first.
    ui->lis_attView->setModel(nullptr);
    ui->lis_fctView->setModel(nullptr);
    ui->lis_argView->setModel(nullptr);
    qDeleteAll(unheldArgs);
    delete ui;
}

void ClassEditor::openToAdd(ClassModel *model)
{
    resetForm();
    ui->com_deleteClass->hide();
    editMode = false;
    setWindowTitle(tr("Ajouter une nouvelle classe"));
    ui->com_addModClass->setText(tr("Ajouter la nouvelle classe"));
    classModel = model;
    showMaximized();
}

void ClassEditor::openToEdit(ClassModel *model)
{
    resetForm();
    ui->com_deleteClass->setText(tr("Supprimer ") + model->name());
    ui->com_deleteClass->show();
    editMode = true;
    setWindowTitle(tr("Editer la classes - ") + model->name());
    ui->com_addModClass->setText(tr("Modifier ") + model->name());

    ui->lin_name->setText(model->name());
    ui->lin_parentClass->setText(model->parentName());
    // The comment is plain text: markup-like text ("<b>", "QList<int>") must come back
    // unchanged, so it is never handed to the rich-text detection.
    ui->tex_comment->setPlainText(model->comment());
    attModel.setStringList(model->attributeLines());
    fctModel.setStringList(model->methodLines());
    QString includes;
    for (const QString &include : model->includes())
        includes += include + QLatin1Char(';');
    ui->lin_include->setText(includes);

    classModel = model;
    showMaximized();
}

void ClassEditor::closeEvent(QCloseEvent *event)
{
    if (!editMode) {
        emit addCanceled();
        forgetClass();
    } else if (classModel) {
        // The member changes stay in the class: its box must grow or shrink to show them.
        classModel->updateSize();
        emit editFinished(classModel);
    }
    event->accept();
}

void ClassEditor::resetForm()
{
    ui->lin_name->clear();
    clearAttFields();
    clearFctFields();

    attModel.setStringList(QStringList());
    argModel.setStringList(QStringList());
    fctModel.setStringList(QStringList());
    // The previous class may be gone by now: only the records the editor owns are
    // touched, never a method or attribute. The argument fields keep their text.
    editedAtt = nullptr;
    editedFct = nullptr;
    editedArg = nullptr;
    forgetFctArgs();

    ui->tex_comment->clear();
    ui->lin_parentClass->clear();
    ui->lin_include->clear();

    ui->too_attMore->setText(tr("+"));
    ui->too_fctMore->setText(tr("+"));
    ui->too_argMore->setText(tr("+"));

    ui->tabWidget->setCurrentIndex(0);
}

void ClassEditor::clearAttFields()
{
    ui->lin_attName->clear();
    ui->lin_attType->clear();
    ui->lin_attDefValue->clear();
    ui->rad_attPrivate->setChecked(true);
}

void ClassEditor::clearFctFields()
{
    ui->lin_fctName->clear();
    ui->lin_fctType->clear();
    ui->rad_fctPrivate->setChecked(true);
}

void ClassEditor::clearArgFields()
{
    ui->lin_argName->clear();
    ui->lin_argType->clear();
    ui->lin_argDefValue->clear();
}

QString ClassEditor::selectedAttName() const
{
    return lineName(ui->lis_attView, 1);
}

QString ClassEditor::selectedFctName() const
{
    return lineName(ui->lis_fctView, 1);
}

QString ClassEditor::selectedArgName() const
{
    return lineName(ui->lis_argView, 0);
}

void ClassEditor::showError(QMessageBox::Icon icon, const QString &text)
{
    // Built by hand: the static helpers would make OK the default button.
    QMessageBox box(icon, tr("Erreur"), text, QMessageBox::Ok, this);
    box.exec();
}

void ClassEditor::on_com_addModClass_clicked()
{
    if (ui->lin_name->text().isEmpty()) {
        showError(QMessageBox::Warning, tr("Vous n'avez pas donné de nom à votre classe."));
        return;
    }
    // Names differing only in case would write the same files.
    if (diagramClasses) {
        for (const ClassItem *item : *diagramClasses) {
            const ClassModel *other = item->getModel();
            if (other != classModel
                && other->name().compare(ui->lin_name->text(), Qt::CaseInsensitive) == 0) {
                showError(QMessageBox::Information, tr("Une classe de ce nom existe déjà."));
                return;
            }
        }
    }
    classModel->setName(ui->lin_name->text());
    classModel->setComment(ui->tex_comment->toPlainText());
    classModel->setParentName(ui->lin_parentClass->text());
    classModel->setIncludes(ui->lin_include->text().split(QLatin1Char(';'), Qt::SkipEmptyParts));
    classModel->updateSize();

    if (!editMode)
        emit addClass();
    else
        emit editFinished(classModel);
    hide();
}

void ClassEditor::on_com_deleteClass_clicked()
{
    emit classCanceled(classModel);
    forgetClass();
    hide();
}

void ClassEditor::forgetClass()
{
    // The receiver of the signal just deleted the class: nothing of it may stay loaded.
    editedAtt = nullptr;
    editedFct = nullptr;
    editedArg = nullptr;
    forgetFctArgs();
    classModel = nullptr;
}

// Loaded-member bookkeeping.

void ClassEditor::endAttLoad()
{
    editedAtt = nullptr;
    ui->too_attMore->setText(tr("+"));
    clearAttFields();
}

void ClassEditor::endFctLoad()
{
    editedFct = nullptr;
    ui->too_fctMore->setText(tr("+"));
    clearFctFields();
    forgetFctArgs();
    argModel.setStringList(QStringList());
}

void ClassEditor::endArgLoad()
{
    editedArg = nullptr;
    ui->too_argMore->setText(tr("+"));
    clearArgFields();
}

void ClassEditor::forgetFctArgs()
{
    const QList<ArgAtt *> unheld = unheldArgs;
    for (ArgAtt *arg : unheld)
        deleteArg(arg);
    fctArgs.clear();
}

void ClassEditor::deleteArg(ArgAtt *arg)
{
    if (arg == editedArg)
        endArgLoad();
    unheldArgs.removeAll(arg);
    fctArgs.removeAll(arg);
    delete arg;
}

void ClassEditor::removeMethods(const QString &name, QStringList &lines)
{
    const QList<Function *> methods = classModel->methods();
    for (Function *method : methods) {
        if (method->name() != name)
            continue;
        // Every method of that name goes, so none of their lines may stay behind.
        lines.removeAll(method->umlText());
        if (method == editedFct)
            endFctLoad();
        if (editedArg && method->args().contains(editedArg))
            endArgLoad();
    }
    classModel->removeMethod(name);
}

void ClassEditor::removeAttributes(const QString &name)
{
    const QList<ArgAtt *> attributes = classModel->attributes();
    for (ArgAtt *att : attributes) {
        if (att->name() == name && att == editedAtt)
            endAttLoad();
    }
    classModel->removeAttribute(name);
}

// Accessor names.

QString ClassEditor::baseName(const QString &attName) const
{
    if (!attName.startsWith(*attPrefix))
        return attName;
    return attName.mid(attPrefix->size());
}

QString ClassEditor::stem(const QString &base)
{
    if (base.isEmpty())
        return QString();
    return base.left(1).toUpper() + base.mid(1);
}

// A name that is only the prefix leaves an empty base name: the accessors are then
// plain "set" and "get", and the setter's argument is called "value" so that it still
// has a name to declare and assign from.
static QString setterArgName(const QString &base)
{
    return base.isEmpty() ? QStringLiteral("value") : base;
}

void ClassEditor::addAccessors(ArgAtt *att)
{
    const QString base = baseName(att->name());
    auto *setter =
        new Function(QStringLiteral("set") + stem(base), QStringLiteral("void"), ArgAtt::Setter,
                     {new ArgAtt(setterArgName(base), att->type(), QString(), ArgAtt::Protected)});
    setter->setLinkedAtt(att);
    classModel->addMethod(setter);

    auto *getter = new Function(QStringLiteral("get") + stem(base), att->type(), ArgAtt::Getter,
                                QList<ArgAtt *>());
    getter->setLinkedAtt(att);
    classModel->addMethod(getter);

    QStringList lines = fctModel.stringList();
    lines.append(setter->umlText());
    lines.append(getter->umlText());
    fctModel.setStringList(lines);
}

// The radio button a loaded member shows for its range: accessors are public, and an
// attribute has no protected button. Written back under that same button, the member
// keeps the range it had.
static int attRadioRange(int range)
{
    return range == ArgAtt::Public ? ArgAtt::Public : ArgAtt::Private;
}

static int fctRadioRange(int range)
{
    return range == ArgAtt::Setter || range == ArgAtt::Getter ? int(ArgAtt::Public) : range;
}

// Attributes.

void ClassEditor::on_too_attMore_clicked()
{
    QStringList lines = attModel.stringList();
    int range = ui->rad_attPrivate->isChecked() ? ArgAtt::Private : ArgAtt::Public;
    if (editedAtt && attRadioRange(editedAtt->range()) == range)
        range = editedAtt->range();
    const QString name = ui->lin_attName->text();
    const QString type = ui->lin_attType->text();

    bool refused = false;
    if (name.isEmpty()) {
        showError(QMessageBox::Information, tr("Vous n'avez pas donné de nom à l'attribut."));
        refused = true;
    }
    if (type.isEmpty()) {
        showError(QMessageBox::Information, tr("Vous n'avez pas donné de type à l'attribut."));
        refused = true;
    }
    if (!editedAtt) {
        const QList<ArgAtt *> attributes = classModel->attributes();
        for (const ArgAtt *att : attributes) {
            if (att->name() == name) {
                showError(QMessageBox::Information,
                          tr("Cette classe possède déjà un attribut de ce nom."));
                refused = true;
            }
        }
    }
    if (refused)
        return;

    if (!editedAtt) {
        auto *att = new ArgAtt(name, type, ui->lin_attDefValue->text(), range);
        classModel->addAttribute(att);
        lines.append(att->umlText());
        attModel.setStringList(lines);

        bool generate = *autoSetGet;
        if (!generate) {
            QMessageBox box(QMessageBox::Question, tr("Méthodes << Set >> - << Get >>"),
                            tr("Voulez-vous que VNL génère automatiquement les fonctions "
                               "d'accessions ?"),
                            QMessageBox::Yes | QMessageBox::No, this);
            generate = box.exec() == QMessageBox::Yes;
        }
        if (generate)
            addAccessors(att);
        clearAttFields();
        return;
    }

    editedAtt->setName(name);
    editedAtt->setType(type);
    editedAtt->setDefValue(ui->lin_attDefValue->text());
    editedAtt->setRange(range);
    lines.append(editedAtt->umlText());
    attModel.setStringList(lines);

    // The accessors follow the attribute's new name and type.
    const QString base = baseName(name);
    QStringList fctLines;
    const QList<Function *> methods = classModel->methods();
    for (Function *method : methods) {
        if (method->linkedAtt() == editedAtt && method->range() == ArgAtt::Setter) {
            const QList<ArgAtt *> lost = method->args();
            method->setArgs({new ArgAtt(setterArgName(base), type, QString(), ArgAtt::Protected)});
            method->setName(QStringLiteral("set") + stem(base));
            // A setter loaded for modification still shows its old argument, which the
            // editor now keeps until that composition is written back or dropped.
            for (ArgAtt *arg : lost) {
                if (fctArgs.contains(arg)) {
                    if (!unheldArgs.contains(arg))
                        unheldArgs.append(arg);
                } else {
                    deleteArg(arg);
                }
            }
        } else if (method->linkedAtt() == editedAtt && method->range() == ArgAtt::Getter) {
            method->setName(QStringLiteral("get") + stem(base));
            method->setReturnType(type);
        }
        fctLines.append(method->umlText());
    }
    fctModel.setStringList(fctLines);

    editedAtt = nullptr;
    ui->too_attMore->setText(tr("+"));
    clearAttFields();
}

void ClassEditor::on_too_modAtt_clicked()
{
    const QString name = selectedAttName();
    ArgAtt *att = name.isEmpty() ? nullptr : classModel->findAttribute(name);
    if (!att)
        return;
    editedAtt = att;
    ui->too_attMore->setText(tr("<<"));
    ui->lin_attName->setText(att->name());
    ui->lin_attType->setText(att->type());
    ui->lin_attDefValue->setText(att->defValue());
    if (attRadioRange(att->range()) == ArgAtt::Public)
        ui->rad_attPublic->setChecked(true);
    else
        ui->rad_attPrivate->setChecked(true);
    removeLine(attModel, att->umlText());
}

void ClassEditor::on_too_attLess_clicked()
{
    const QString name = selectedAttName();
    const ArgAtt *att = name.isEmpty() ? nullptr : classModel->findAttribute(name);
    if (!att)
        return;

    // Every attribute of that name leaves the class, and with each the methods that
    // read or write it, so that no method is left pointing at a removed attribute.
    QStringList attLines = attModel.stringList();
    QStringList fctLines = fctModel.stringList();
    QStringList noted;
    const QList<ArgAtt *> attributes = classModel->attributes();
    const QList<Function *> methods = classModel->methods();
    for (const ArgAtt *gone : attributes) {
        if (gone->name() != name)
            continue;
        attLines.removeAll(gone->umlText());
        for (const Function *method : methods) {
            if (method->linkedAtt() == gone) {
                fctLines.removeAll(method->umlText());
                if (!noted.contains(method->name()))
                    noted.append(method->name());
            }
        }
    }
    attModel.setStringList(attLines);

    for (const QString &methodName : std::as_const(noted))
        removeMethods(methodName, fctLines);
    fctModel.setStringList(fctLines);
    removeAttributes(name);
}

// Methods.

void ClassEditor::on_too_fctMore_clicked()
{
    const QString name = ui->lin_fctName->text();
    if (name.isEmpty()) {
        showError(QMessageBox::Warning, tr("Vous n'avez pas entrez de nom pour votre fonction."));
        return;
    }
    int range = ArgAtt::Public;
    if (ui->rad_fctPrivate->isChecked())
        range = ArgAtt::Private;
    else if (ui->rad_fctProtected->isChecked())
        range = ArgAtt::Protected;
    if (editedFct && fctRadioRange(editedFct->range()) == range)
        range = editedFct->range();

    if (editedFct) {
        const QList<ArgAtt *> before = editedFct->args();
        editedFct->setName(name);
        editedFct->setReturnType(ui->lin_fctType->text());
        editedFct->setRange(range);
        editedFct->setArgs(fctArgs);
        // Only a setter whose attribute was written back meanwhile holds a record that
        // the composition does not show; nothing else refers to it.
        for (ArgAtt *arg : before) {
            if (!fctArgs.contains(arg))
                deleteArg(arg);
        }
        unheldArgs.clear();
        appendLine(fctModel, editedFct->umlText());
        editedFct = nullptr;
        ui->too_fctMore->setText(tr("+"));
        clearFctFields();
        fctArgs.clear();
        argModel.setStringList(QStringList());
        return;
    }

    bool used = false;
    const QList<Function *> methods = classModel->methods();
    for (const Function *method : methods) {
        if (method->name() == name) {
            showError(QMessageBox::Warning, tr("Une de vos fonctions possède déjà ce nom"));
            used = true;
        }
    }
    if (used)
        return;

    auto *method = new Function(name, ui->lin_fctType->text(), range, fctArgs);
    classModel->addMethod(method);
    unheldArgs.clear();
    appendLine(fctModel, method->umlText());
    clearFctFields();
    fctArgs.clear();
    argModel.setStringList(QStringList());
}

void ClassEditor::on_too_modFct_clicked()
{
    const QString name = selectedFctName();
    Function *method = name.isEmpty() ? nullptr : classModel->findMethod(name);
    if (!method)
        return;
    // Arguments composed for a method that was never added are dropped here, and an
    // argument loaded from the previous method must not be written into this one.
    if (editedArg)
        endArgLoad();
    forgetFctArgs();
    editedFct = method;
    ui->too_fctMore->setText(tr("<<"));
    ui->lin_fctName->setText(method->name());
    ui->lin_fctType->setText(method->returnType());
    switch (fctRadioRange(method->range())) {
    case ArgAtt::Public:
        ui->rad_fctPublic->setChecked(true);
        break;
    case ArgAtt::Private:
        ui->rad_fctPrivate->setChecked(true);
        break;
    case ArgAtt::Protected:
        ui->rad_fctProtected->setChecked(true);
        break;
    default:
        break;
    }
    fctArgs = method->args();
    argModel.setStringList(method->argLines());
    removeLine(fctModel, method->umlText());
}

void ClassEditor::on_too_fctLess_clicked()
{
    const QString name = selectedFctName();
    const Function *method = name.isEmpty() ? nullptr : classModel->findMethod(name);
    if (!method)
        return;
    QStringList lines = fctModel.stringList();
    lines.removeAll(method->umlText());
    removeMethods(name, lines);
    fctModel.setStringList(lines);
}

// Arguments of the method being composed.

void ClassEditor::on_too_argMore_clicked()
{
    const QString name = ui->lin_argName->text();
    const QString type = ui->lin_argType->text();
    if (name.isEmpty()) {
        showError(QMessageBox::Warning, tr("Vous n'avez pas entrez de nom pour votre argument."));
        return;
    }
    if (type.isEmpty()) {
        showError(QMessageBox::Warning, tr("Vous n'avez pas donné de type à votre argument"));
        return;
    }

    if (editedArg) {
        editedArg->setName(name);
        editedArg->setType(type);
        editedArg->setDefValue(ui->lin_argDefValue->text());
        appendLine(argModel, editedArg->umlText());
        clearArgFields();
        ui->too_argMore->setText(tr("+"));
        editedArg = nullptr;
        return;
    }

    bool used = false;
    for (const ArgAtt *arg : std::as_const(fctArgs)) {
        if (arg->name() == name) {
            showError(QMessageBox::Warning,
                      tr("Un des arguments de cette fonction possède déjà ce nom."));
            used = true;
        }
    }
    if (used)
        return;

    auto *arg = new ArgAtt(name, type, ui->lin_argDefValue->text(), ArgAtt::Protected);
    fctArgs.append(arg);
    unheldArgs.append(arg);
    appendLine(argModel, arg->umlText());
    clearArgFields();
}

static ArgAtt *findArg(const QList<ArgAtt *> &args, const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    for (ArgAtt *arg : args) {
        if (arg->name() == name)
            return arg;
    }
    return nullptr;
}

void ClassEditor::on_too_modArg_clicked()
{
    ArgAtt *arg = findArg(fctArgs, selectedArgName());
    if (!arg)
        return;
    editedArg = arg;
    ui->too_argMore->setText(tr("<<"));
    ui->lin_argName->setText(arg->name());
    ui->lin_argType->setText(arg->type());
    ui->lin_argDefValue->setText(arg->defValue());
    removeLine(argModel, arg->umlText());
}

void ClassEditor::on_too_argLess_clicked()
{
    ArgAtt *arg = findArg(fctArgs, selectedArgName());
    if (!arg)
        return;
    // A setter assigns from its first argument: taking that one out of a loaded setter
    // would leave it with nothing to assign from once written back. The composition is
    // what gets written back, so it is checked rather than the method's own list (they
    // differ once the setter's attribute has been written back meanwhile).
    if (editedFct && editedFct->range() == ArgAtt::Setter && arg == fctArgs.constFirst()) {
        showError(QMessageBox::Warning, tr("Un accesseur « set » doit garder son argument."));
        return;
    }
    removeLine(argModel, arg->umlText());
    fctArgs.removeAll(arg);
    if (editedFct)
        editedFct->takeArg(arg);
    deleteArg(arg);
}
