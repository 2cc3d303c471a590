// The class editor window: its form, its two opening modes, the class-level fields
// and the editing of attributes, methods and arguments, driven through the widgets.
#include "editors/classeditor.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "testsupport/modalanswerer.h"

#include <QCommandLinkButton>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalSpy>
#include <QSpacerItem>
#include <QStringListModel>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <functional>

using Seen = ModalAnswerer::Seen;

namespace {

const char *const validatedFields[] = {"lin_name", "lin_attName", "lin_fctName", "lin_argName",
                                       "lin_parentClass"};

// One line per box: what the user was shown and could press.
QString describe(const Seen &seen)
{
    return QStringList{QString::number(int(seen.icon)), seen.title, seen.text,
                       QString::number(int(seen.buttons)), QString::number(int(seen.defaultButton))}
        .join(QLatin1Char('|'));
}

QString errorBox(QMessageBox::Icon icon, const QString &text)
{
    Seen seen;
    seen.icon = icon;
    seen.title = QStringLiteral("Erreur");
    seen.text = text;
    seen.buttons = QMessageBox::Ok;
    return describe(seen);
}

QString info(const QString &text)
{
    return errorBox(QMessageBox::Information, text);
}

QString warning(const QString &text)
{
    return errorBox(QMessageBox::Warning, text);
}

QString questionBox()
{
    Seen seen;
    seen.icon = QMessageBox::Question;
    seen.title = QStringLiteral("Méthodes << Set >> - << Get >>");
    seen.text = QStringLiteral("Voulez-vous que VNL génère automatiquement les fonctions "
                               "d'accessions ?");
    seen.buttons = QMessageBox::Yes | QMessageBox::No;
    return describe(seen);
}

QStringList described(const QList<Seen> &seen)
{
    QStringList texts;
    for (const Seen &box : seen)
        texts.append(describe(box));
    return texts;
}

// Runs an action that may open message boxes and presses `button` in each. One spare
// answer stands by, so that an unexpected extra box is answered and shows up in the
// result instead of blocking the run.
QStringList answering(int expected, QMessageBox::StandardButton button,
                      const std::function<void()> &action)
{
    ModalAnswerer answerer;
    for (int i = 0; i <= expected; ++i)
        answerer.answerMessageBox(button);
    action();
    return described(answerer.seen());
}

QStringList names(const QList<Function *> &methods)
{
    QStringList result;
    for (const Function *method : methods)
        result.append(method->name());
    return result;
}

QStringList names(const QList<ArgAtt *> &records)
{
    QStringList result;
    for (const ArgAtt *record : records)
        result.append(record->name());
    return result;
}

// QTest::keyClicks only knows ASCII keys; other characters arrive as the text of an
// otherwise unknown key, as a keyboard layout or input method would deliver them.
void typeInto(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\n'))
            QTest::keyClick(widget, Qt::Key_Return);
        else if (ch.unicode() < 128)
            QTest::keyClick(widget, char(ch.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

} // namespace

class TestClassEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // The form and what the constructor adds to it.
    void formTexts_data();
    void formTexts();
    void formLayouts_data();
    void formLayouts();
    void formRows_data();
    void formRows();
    void formWindow();
    void formButtonIcons();
    void constructorAdditions();
    void nameFields_data();
    void nameFields();

    // Opening, the class-level fields and the signals.
    void openToAddResetsTheForm();
    void openToEditFillsTheForm();
    void confirmWithoutName_data();
    void confirmWithoutName();
    void confirmNewClass();
    void confirmInEditMode();
    void includes_data();
    void includes();
    void commentStaysPlainText_data();
    void commentStaysPlainText();
    void deleteClass();
    void closing_data();
    void closing();
    void editModeKeepsMemberChanges();

    // Attributes and accessors.
    void attributeRules_data();
    void attributeRules();
    void addPublicAttribute();
    void accessorNames_data();
    void accessorNames();
    void accessorQuestion_data();
    void accessorQuestion();
    void settingsReadAtUse();
    void loadAttribute();
    void writeBackRenamesAccessors();
    void writeBackAcceptsAUsedName();
    void removeAttributeRemovesAccessors();
    void buttonsWithoutSelectionDoNothing();

    // Methods and arguments.
    void methodRules_data();
    void methodRules();
    void composeMethod();
    void emptyReturnType();
    void loadAndWriteBackMethod();
    void loadedAccessorKeepsRadioButtons();
    void removeMethod();
    void argumentRules_data();
    void argumentRules();
    void loadAndWriteBackArgument();
    void removeArgumentOfLoadedMethod();
    void argumentsOfUnaddedMethodAreForgotten();

    // Loaded members that leave the class, and records no method holds.
    void removedLoadedAttributeEndsItsLoad();
    void removedLoadedAccessorEndsItsLoad();
    void reappearedLoadedMethodRemoved();
    void removedLoadedArgumentEndsItsLoad();
    void setterKeepsItsArgument();
    void setterArgumentReplacedOnWriteBack();
    void loadedSetterWrittenBackAfterItsAttribute();

private:
    template<class T>
    T *child(const char *name) const
    {
        return editor->findChild<T *>(QLatin1String(name));
    }
    QLineEdit *field(const char *name) const { return child<QLineEdit>(name); }
    void fill(const char *name, const QString &text);
    void click(const char *name) { child<QAbstractButton>(name)->click(); }
    QString buttonText(const char *name) const { return child<QAbstractButton>(name)->text(); }
    QStringList lines(const char *view) const;
    bool select(const char *view, const QString &line);

    void addAttribute(const QString &name, const QString &type, const QString &defValue = QString(),
                      bool isPublic = false);
    void addArgument(const QString &name, const QString &type, const QString &defValue = QString());
    void addMethod(const QString &name, const QString &returnType,
                   const char *radio = "rad_fctPublic");

    QString prefix;
    bool autoSetGet = true;
    ClassEditor *editor = nullptr;
    ClassModel *model = nullptr;
};

void TestClassEditor::init()
{
    prefix = QStringLiteral("m_");
    autoSetGet = true;
    editor = new ClassEditor(nullptr, &prefix, &autoSetGet);
    model = new ClassModel;
}

void TestClassEditor::cleanup()
{
    delete editor;
    editor = nullptr;
    delete model;
    model = nullptr;
}

void TestClassEditor::fill(const char *name, const QString &text)
{
    QLineEdit *edit = field(name);
    edit->clear();
    typeInto(edit, text);
}

QStringList TestClassEditor::lines(const char *view) const
{
    auto *listModel = qobject_cast<QStringListModel *>(child<QListView>(view)->model());
    return listModel ? listModel->stringList() : QStringList{QStringLiteral("<no model>")};
}

bool TestClassEditor::select(const char *view, const QString &line)
{
    QListView *list = child<QListView>(view);
    const int row = int(lines(view).indexOf(line));
    if (row < 0)
        return false;
    list->setCurrentIndex(list->model()->index(row, 0));
    return true;
}

void TestClassEditor::addAttribute(const QString &name, const QString &type,
                                   const QString &defValue, bool isPublic)
{
    fill("lin_attName", name);
    fill("lin_attType", type);
    fill("lin_attDefValue", defValue);
    child<QRadioButton>(isPublic ? "rad_attPublic" : "rad_attPrivate")->setChecked(true);
    click("too_attMore");
}

void TestClassEditor::addArgument(const QString &name, const QString &type, const QString &defValue)
{
    fill("lin_argName", name);
    fill("lin_argType", type);
    fill("lin_argDefValue", defValue);
    click("too_argMore");
}

void TestClassEditor::addMethod(const QString &name, const QString &returnType, const char *radio)
{
    fill("lin_fctName", name);
    fill("lin_fctType", returnType);
    child<QRadioButton>(radio)->setChecked(true);
    click("too_fctMore");
}

// The form.

void TestClassEditor::formTexts_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *name, const char *className, const QString &text) {
        QTest::newRow(name) << QString::fromLatin1(className) << text;
    };
    row("label", "QLabel", QStringLiteral("Nom :"));
    row("lin_name", "QLineEdit", QString());
    row("groupBox", "QGroupBox", QStringLiteral("Attributs"));
    row("lis_attView", "QListView", QString());
    row("too_modAtt", "QToolButton", QStringLiteral(">>"));
    row("too_attLess", "QToolButton", QStringLiteral(" - "));
    row("too_attMore", "QToolButton", QStringLiteral("+"));
    row("label_2", "QLabel", QStringLiteral("Nom :"));
    row("lin_attName", "QLineEdit", QString());
    row("label_3", "QLabel", QStringLiteral("Type :"));
    row("lin_attType", "QLineEdit", QString());
    row("label_4", "QLabel", QStringLiteral("Valeur par défault :"));
    row("lin_attDefValue", "QLineEdit", QString());
    row("label_5", "QLabel", QStringLiteral("Portée :"));
    row("groupBoxe", "QGroupBox", QString());
    row("rad_attPrivate", "QRadioButton", QStringLiteral("Privé"));
    row("rad_attPublic", "QRadioButton", QStringLiteral("Public"));
    row("groupBox_2", "QGroupBox", QStringLiteral("Méthodes - Signaux et slots"));
    row("lis_fctView", "QListView", QString());
    row("too_modFct", "QToolButton", QStringLiteral(">>"));
    row("too_fctLess", "QToolButton", QStringLiteral(" - "));
    row("too_fctMore", "QToolButton", QStringLiteral("+"));
    row("label_6", "QLabel", QStringLiteral("Nom :"));
    row("lin_fctName", "QLineEdit", QString());
    row("label_7", "QLabel", QStringLiteral("Type de retour :"));
    row("lin_fctType", "QLineEdit", QString());
    row("label_8", "QLabel", QStringLiteral("Portée :"));
    row("gridGroupBox", "QGroupBox", QString());
    row("rad_fctPrivate", "QRadioButton", QStringLiteral("Privée"));
    row("rad_fctPublic", "QRadioButton", QStringLiteral("Public"));
    row("rad_fctProtected", "QRadioButton", QStringLiteral("Protégée"));
    row("label_9", "QLabel", QStringLiteral("Arguments :"));
    row("lis_argView", "QListView", QString());
    row("too_modArg", "QToolButton", QStringLiteral(">>"));
    row("too_argLess", "QToolButton", QStringLiteral(" - "));
    row("too_argMore", "QToolButton", QStringLiteral("+"));
    row("label_10", "QLabel", QStringLiteral("Nom :"));
    row("lin_argName", "QLineEdit", QString());
    row("label_11", "QLabel", QStringLiteral("Type :"));
    row("lin_argType", "QLineEdit", QString());
    row("label_12", "QLabel", QStringLiteral("Valeur par défault :"));
    row("lin_argDefValue", "QLineEdit", QString());
    row("label_13", "QLabel", QStringLiteral("Hérite de :"));
    row("lin_parentClass", "QLineEdit", QString());
    row("label_14", "QLabel",
        QStringLiteral("Utilisez ce champ si votre classe hérite d'une classe non représentez "
                       "sur votre diagramme de classe."));
    row("label_16", "QLabel", QStringLiteral("Classes à inclures :"));
    row("lin_include", "QLineEdit", QString());
    row("label_17", "QLabel",
        QStringLiteral("Séparer les classes par un \";\" - N'indiquez ici que les classes à "
                       "inclure qui ne figurent par sur votre diagramme."));
    row("label_15", "QLabel", QStringLiteral("Commentaire de classe :"));
    row("tex_comment", "QTextEdit", QString());
    row("com_deleteClass", "QCommandLinkButton", QStringLiteral("Supprimer la classe"));
    row("com_addModClass", "QCommandLinkButton", QStringLiteral("Créer la nouvelle classe"));
}

void TestClassEditor::formTexts()
{
    QFETCH(QString, className);
    QFETCH(QString, text);
    QWidget *widget = editor->findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QString shown;
    if (auto *label = qobject_cast<QLabel *>(widget))
        shown = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        shown = button->text();
    else if (auto *group = qobject_cast<QGroupBox *>(widget))
        shown = group->title();
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        shown = edit->text();
    else if (auto *textEdit = qobject_cast<QTextEdit *>(widget))
        shown = textEdit->toPlainText();
    QCOMPARE(shown, text);
}

void TestClassEditor::formLayouts_data()
{
    // Items of each box layout in order: a widget or layout by name, "|" for a vertical
    // expanding 20 x 40 spacer, "-" for a horizontal expanding 40 x 20 spacer.
    QTest::addColumn<QString>("items");
    const auto row = [](const char *layout, const char *items) {
        QTest::newRow(layout) << QString::fromLatin1(items);
    };
    row("verticalLayout", "tabWidget horizontalLayout_5");
    row("verticalLayout_6", "horizontalLayout groupBox groupBox_2");
    row("horizontalLayout", "label lin_name");
    row("horizontalLayout_2", "lis_attView verticalLayout_2 formLayout");
    row("verticalLayout_2", "too_modAtt | too_attLess too_attMore");
    row("verticalLayout_3", "rad_attPrivate rad_attPublic");
    row("horizontalLayout_3", "lis_fctView verticalLayout_4 formLayout_2");
    row("verticalLayout_4", "too_modFct | too_fctLess too_fctMore");
    row("verticalLayout_9", "rad_fctPrivate rad_fctPublic rad_fctProtected");
    row("horizontalLayout_4", "lis_argView verticalLayout_5 formLayout_4");
    row("verticalLayout_5", "too_modArg | too_argLess too_argMore");
    row("verticalLayout_7", "horizontalLayout_6 horizontalLayout_8 label_17 horizontalLayout_7");
    row("horizontalLayout_6", "label_13 lin_parentClass label_14");
    row("horizontalLayout_8", "label_16 lin_include");
    row("horizontalLayout_7", "verticalLayout_8 tex_comment");
    row("verticalLayout_8", "label_15 |");
    row("horizontalLayout_5", "com_deleteClass - com_addModClass");
}

void TestClassEditor::formLayouts()
{
    QFETCH(QString, items);
    auto *layout = editor->findChild<QBoxLayout *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(layout);
    QStringList found;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget()) {
            found.append(item->widget()->objectName());
        } else if (item->layout()) {
            found.append(item->layout()->objectName());
        } else if (QSpacerItem *spacer = item->spacerItem()) {
            const bool vertical = spacer->sizeHint() == QSize(20, 40)
                                  && spacer->expandingDirections() == Qt::Vertical;
            const bool horizontal = spacer->sizeHint() == QSize(40, 20)
                                    && spacer->expandingDirections() == Qt::Horizontal;
            found.append(vertical     ? QStringLiteral("|")
                         : horizontal ? QStringLiteral("-")
                                      : QStringLiteral("?"));
        }
    }
    QCOMPARE(found.join(QLatin1Char(' ')), items);
}

void TestClassEditor::formRows_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<bool>("fieldsGrow");
    QTest::newRow("formLayout") << QStringLiteral("label_2=lin_attName label_3=lin_attType "
                                                  "label_4=lin_attDefValue label_5=groupBoxe")
                                << false;
    QTest::newRow("formLayout_2") << QStringLiteral("label_6=lin_fctName label_7=lin_fctType "
                                                    "label_8=gridGroupBox "
                                                    "label_9=horizontalLayout_4")
                                  << true;
    QTest::newRow("formLayout_4") << QStringLiteral("label_10=lin_argName label_11=lin_argType "
                                                    "label_12=lin_argDefValue")
                                  << true;
}

void TestClassEditor::formRows()
{
    QFETCH(QString, rows);
    QFETCH(bool, fieldsGrow);
    auto *form = editor->findChild<QFormLayout *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(form);
    QStringList found;
    for (int row = 0; row < form->rowCount(); ++row) {
        QLayoutItem *label = form->itemAt(row, QFormLayout::LabelRole);
        QLayoutItem *fieldItem = form->itemAt(row, QFormLayout::FieldRole);
        QVERIFY(label && label->widget() && fieldItem);
        const QString fieldName = fieldItem->widget() ? fieldItem->widget()->objectName()
                                                      : fieldItem->layout()->objectName();
        found.append(label->widget()->objectName() + QLatin1Char('=') + fieldName);
    }
    QCOMPARE(found.join(QLatin1Char(' ')), rows);
    if (fieldsGrow)
        QCOMPARE(form->fieldGrowthPolicy(), QFormLayout::AllNonFixedFieldsGrow);
}

void TestClassEditor::formWindow()
{
    QCOMPARE(editor->objectName(), QStringLiteral("ClassEditor"));
    QCOMPARE(editor->windowModality(), Qt::ApplicationModal);
    QCOMPARE(editor->size(), QSize(1047, 817));
    QCOMPARE(editor->windowTitle(), QStringLiteral("Ajouter une classe"));
    QVERIFY(editor->windowState() & Qt::WindowMaximized);
    QVERIFY(editor->isWindow());

    auto *tabs = child<QTabWidget>("tabWidget");
    QVERIFY(tabs->documentMode());
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("Tab"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("Général"));
    QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("tab_2"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Options"));
    // The form ends on the second tab; only an opening shows the first.
    QCOMPARE(tabs->currentIndex(), 1);

    QVERIFY(child<QRadioButton>("rad_attPrivate")->isChecked());
    QVERIFY(child<QRadioButton>("rad_fctPrivate")->isChecked());
    QVERIFY(!child<QTextEdit>("tex_comment")->acceptRichText());
    QCOMPARE(child<QLabel>("label_13")->toolTip(),
             QStringLiteral("Nom de la classe de laquelle hérite celle-ci"));
    QCOMPARE(child<QLabel>("label_15")->toolTip(), QString());
    QCOMPARE(child<QLabel>("label_17")->alignment(), Qt::Alignment(Qt::AlignCenter));
}

void TestClassEditor::formButtonIcons()
{
    const struct
    {
        const char *button;
        const char *image;
    } buttons[] = {{"com_deleteClass", ":/OtherIcone/Delete.png"},
                   {"com_addModClass", ":/OtherIcone/Add.png"}};
    for (const auto &entry : buttons) {
        auto *button = child<QCommandLinkButton>(entry.button);
        QVERIFY(button);
        QCOMPARE(button->iconSize(), QSize(32, 32));
        QCOMPARE(button->description(), QString());
        const QImage expected = QImage(QString::fromLatin1(entry.image))
                                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY(!expected.isNull());
        const QImage shown = button->icon()
                                 .pixmap(expected.size())
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(shown, expected);
    }
}

void TestClassEditor::constructorAdditions()
{
    const auto validators = editor->findChildren<QRegularExpressionValidator *>();
    QCOMPARE(validators.size(), 1);
    QRegularExpressionValidator *validator = validators.first();
    QCOMPARE(validator->parent(), editor);
    QCOMPARE(validator->regularExpression().pattern(), QStringLiteral("([a-z]|[A-Z]|_|~)*"));
    for (const char *name : validatedFields)
        QCOMPARE(field(name)->validator(), validator);
    for (const char *name : {"lin_attType", "lin_attDefValue", "lin_fctType", "lin_argType",
                             "lin_argDefValue", "lin_include"})
        QVERIFY(!field(name)->validator());

    QList<QAbstractItemModel *> listModels;
    for (const char *name : {"lis_attView", "lis_fctView", "lis_argView"}) {
        QListView *view = child<QListView>(name);
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        auto *listModel = qobject_cast<QStringListModel *>(view->model());
        QVERIFY(listModel);
        QCOMPARE(listModel->parent(), nullptr);
        QVERIFY(!listModels.contains(listModel));
        listModels.append(listModel);
    }
}

void TestClassEditor::nameFields_data()
{
    // The five name fields share one validator (constructorAdditions), so one of them
    // stands for all.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("x2") << QStringLiteral("x2") << QStringLiteral("x");
    QTest::newRow("42") << QStringLiteral("42") << QString();
    QTest::newRow("a b") << QStringLiteral("a b") << QStringLiteral("ab");
    QTest::newRow("café") << QStringLiteral("café") << QStringLiteral("caf");
    QTest::newRow("a-b*") << QStringLiteral("a-b*") << QStringLiteral("ab");
    QTest::newRow("~Foo") << QStringLiteral("~Foo") << QStringLiteral("~Foo");
    QTest::newRow("m_value") << QStringLiteral("m_value") << QStringLiteral("m_value");
}

void TestClassEditor::nameFields()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    editor->openToAdd(model);
    QLineEdit *edit = field("lin_attName");
    typeInto(edit, typed);
    QCOMPARE(edit->text(), kept);

    // Pasted text is checked as a whole.
    edit->clear();
    edit->insert(typed);
    QCOMPARE(edit->text(), typed == kept ? typed : QString());

    // The same keys reach a free-text field unchanged.
    QLineEdit *free = field("lin_attType");
    free->clear();
    typeInto(free, typed);
    QCOMPARE(free->text(), typed);
}

// Opening, class-level fields and signals.

void TestClassEditor::openToAddResetsTheForm()
{
    model->setName(QStringLiteral("Shape"));
    model->setParentName(QStringLiteral("QObject"));
    model->setComment(QStringLiteral("Draws"));
    model->setIncludes({QStringLiteral("QString")});
    model->addAttribute(new ArgAtt(QStringLiteral("m_x"), QStringLiteral("int"), QString(), 0));
    model->addMethod(new Function(QStringLiteral("run"), QStringLiteral("void"), 1, {}));
    editor->openToEdit(model);
    QVERIFY(select("lis_attView", QStringLiteral("- m_x : int = ")));
    click("too_modAtt");
    QVERIFY(select("lis_fctView", QStringLiteral("+ run () : void")));
    click("too_modFct");
    addArgument(QStringLiteral("a"), QStringLiteral("int"));
    QVERIFY(select("lis_argView", QStringLiteral("a : int = ")));
    click("too_modArg");
    child<QTabWidget>("tabWidget")->setCurrentIndex(1);
    editor->hide();

    ClassModel fresh;
    editor->openToAdd(&fresh);
    QVERIFY(editor->isVisible());
    QVERIFY(editor->windowState() & Qt::WindowMaximized);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Ajouter une nouvelle classe"));
    QCOMPARE(buttonText("com_addModClass"), QStringLiteral("Ajouter la nouvelle classe"));
    QVERIFY(child<QWidget>("com_deleteClass")->isHidden());
    QCOMPARE(child<QTabWidget>("tabWidget")->currentIndex(), 0);
    for (const char *name : {"lin_name", "lin_attName", "lin_attType", "lin_attDefValue",
                             "lin_fctName", "lin_fctType", "lin_parentClass", "lin_include"})
        QCOMPARE(field(name)->text(), QString());
    QCOMPARE(child<QTextEdit>("tex_comment")->toPlainText(), QString());
    QVERIFY(child<QRadioButton>("rad_attPrivate")->isChecked());
    QVERIFY(child<QRadioButton>("rad_fctPrivate")->isChecked());
    QCOMPARE(lines("lis_attView"), QStringList());
    QCOMPARE(lines("lis_fctView"), QStringList());
    QCOMPARE(lines("lis_argView"), QStringList());
    for (const char *name : {"too_attMore", "too_fctMore", "too_argMore"})
        QCOMPARE(buttonText(name), QStringLiteral("+"));
    // The reset leaves the argument fields as they were.
    QCOMPARE(field("lin_argName")->text(), QStringLiteral("a"));
    QCOMPARE(field("lin_argType")->text(), QStringLiteral("int"));

    // The reset changed nothing in the class that was open before.
    QCOMPARE(model->attributeLines(), QStringList{QStringLiteral("- m_x : int = ")});
    QCOMPARE(model->methodLines(), QStringList{QStringLiteral("+ run () : void")});
    editor->hide();
}

void TestClassEditor::openToEditFillsTheForm()
{
    model->setName(QStringLiteral("Shape"));
    model->setParentName(QStringLiteral("QObject"));
    model->setComment(QStringLiteral("Draws itself\non a canvas"));
    model->setIncludes({QStringLiteral("QString"), QStringLiteral("QList")});
    model->addAttribute(
        new ArgAtt(QStringLiteral("m_x"), QStringLiteral("int"), QStringLiteral("0"), 0));
    model->addAttribute(
        new ArgAtt(QStringLiteral("label"), QStringLiteral("QString"), QString(), 1));
    model->addMethod(
        new Function(QStringLiteral("mix"), QStringLiteral("float"), 2,
                     {new ArgAtt(QStringLiteral("a"), QStringLiteral("int"), QString(), 2)}));
    child<QTabWidget>("tabWidget")->setCurrentIndex(1);

    editor->openToEdit(model);
    QVERIFY(editor->isVisible());
    QVERIFY(editor->windowState() & Qt::WindowMaximized);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Editer la classes - Shape"));
    QCOMPARE(buttonText("com_addModClass"), QStringLiteral("Modifier Shape"));
    QCOMPARE(buttonText("com_deleteClass"), QStringLiteral("Supprimer Shape"));
    QVERIFY(!child<QWidget>("com_deleteClass")->isHidden());
    QCOMPARE(child<QTabWidget>("tabWidget")->currentIndex(), 0);
    QCOMPARE(field("lin_name")->text(), QStringLiteral("Shape"));
    QCOMPARE(field("lin_parentClass")->text(), QStringLiteral("QObject"));
    QCOMPARE(field("lin_include")->text(), QStringLiteral("QString;QList;"));
    QCOMPARE(child<QTextEdit>("tex_comment")->toPlainText(),
             QStringLiteral("Draws itself\non a canvas"));
    QCOMPARE(lines("lis_attView"), (QStringList{QStringLiteral("- m_x : int = 0"),
                                                QStringLiteral("+ label : QString = ")}));
    QCOMPARE(lines("lis_fctView"), QStringList{QStringLiteral("# mix (a:int) : float")});
    QCOMPARE(lines("lis_argView"), QStringList());
    editor->hide();
}

void TestClassEditor::confirmWithoutName_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::newRow("new class") << false;
    QTest::newRow("edit") << true;
}

void TestClassEditor::confirmWithoutName()
{
    QFETCH(bool, editMode);
    model->setName(QStringLiteral("Shape"));
    if (editMode)
        editor->openToEdit(model);
    else
        editor->openToAdd(model);
    field("lin_name")->clear();
    fill("lin_parentClass", QStringLiteral("Base"));
    QSignalSpy added(editor, &ClassEditor::addClass);
    QSignalSpy canceled(editor, &ClassEditor::addCanceled);

    const QStringList boxes = answering(1, QMessageBox::Ok, [&] { click("com_addModClass"); });
    QCOMPARE(boxes,
             QStringList{warning(QStringLiteral("Vous n'avez pas donné de nom à votre classe."))});
    QVERIFY(editor->isVisible());
    QCOMPARE(added.count(), 0);
    QCOMPARE(model->name(), QStringLiteral("Shape"));
    QCOMPARE(model->parentName(), QString());
    QCOMPARE(field("lin_parentClass")->text(), QStringLiteral("Base"));

    editor->close();
    QCOMPARE(canceled.count(), editMode ? 0 : 1);
}

void TestClassEditor::confirmNewClass()
{
    model->addAttribute(new ArgAtt(QStringLiteral("m_x"), QStringLiteral("int"), QString(), 0));
    editor->openToAdd(model);
    fill("lin_name", QStringLiteral("Shape"));
    fill("lin_parentClass", QStringLiteral("Base"));
    fill("lin_include", QStringLiteral("QString;QList"));
    child<QTextEdit>("tex_comment")->setPlainText(QStringLiteral("Draws"));

    QSignalSpy added(editor, &ClassEditor::addClass);
    QSignalSpy canceled(editor, &ClassEditor::addCanceled);
    bool visibleWhenEmitted = false;
    connect(editor, &ClassEditor::addClass, this,
            [&] { visibleWhenEmitted = editor->isVisible(); });
    QCOMPARE(answering(0, QMessageBox::Ok, [&] { click("com_addModClass"); }), QStringList());

    QCOMPARE(added.count(), 1);
    QVERIFY(visibleWhenEmitted);
    QVERIFY(!editor->isVisible());
    QCOMPARE(canceled.count(), 0);
    QCOMPARE(model->name(), QStringLiteral("Shape"));
    QCOMPARE(model->parentName(), QStringLiteral("Base"));
    QCOMPARE(model->comment(), QStringLiteral("Draws"));
    QCOMPARE(model->includes(), (QStringList{QStringLiteral("QString"), QStringLiteral("QList")}));
    // The box size figures were computed: one attribute line plus the name line.
    QCOMPARE(model->lineCount(), 2);
    QCOMPARE(model->maxLineLength(), int(QStringLiteral("- m_x : int = ").size()));
}

void TestClassEditor::confirmInEditMode()
{
    model->setName(QStringLiteral("Shape"));
    editor->openToEdit(model);
    fill("lin_name", QStringLiteral("Polygon"));
    QSignalSpy added(editor, &ClassEditor::addClass);
    QSignalSpy canceled(editor, &ClassEditor::addCanceled);
    QSignalSpy deleted(editor, &ClassEditor::classCanceled);
    click("com_addModClass");
    QVERIFY(!editor->isVisible());
    QCOMPARE(model->name(), QStringLiteral("Polygon"));
    QCOMPARE(model->lineCount(), 1);
    QCOMPARE(added.count() + canceled.count() + deleted.count(), 0);
}

void TestClassEditor::includes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QString>("reopened");
    QTest::newRow("blank kept") << QStringLiteral("QString; QList")
                                << QStringList{QStringLiteral("QString"), QStringLiteral(" QList")}
                                << QStringLiteral("QString; QList;");
    QTest::newRow("empty parts dropped")
        << QStringLiteral("QString;;QList;")
        << QStringList{QStringLiteral("QString"), QStringLiteral("QList")}
        << QStringLiteral("QString;QList;");
    QTest::newRow("only separators") << QStringLiteral(";;") << QStringList() << QString();
    QTest::newRow("none") << QString() << QStringList() << QString();
}

void TestClassEditor::includes()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, stored);
    QFETCH(QString, reopened);
    model->setIncludes({QStringLiteral("Old")});
    editor->openToEdit(model);
    fill("lin_name", QStringLiteral("Shape"));
    fill("lin_include", typed);
    click("com_addModClass");
    QCOMPARE(model->includes(), stored);
    editor->openToEdit(model);
    QCOMPARE(field("lin_include")->text(), reopened);
    editor->hide();
}

void TestClassEditor::commentStaysPlainText_data()
{
    QTest::addColumn<QString>("comment");
    QTest::newRow("bold markup") << QStringLiteral("<b>note</b>");
    QTest::newRow("template type") << QStringLiteral("Holds QList<int> values");
    QTest::newRow("html document") << QStringLiteral("<html><body><p>x</p></body></html>");
    QTest::newRow("lines") << QStringLiteral("first\n  second &amp; third");
}

void TestClassEditor::commentStaysPlainText()
{
    QFETCH(QString, comment);
    model->setName(QStringLiteral("Shape"));
    model->setComment(comment);
    editor->openToEdit(model);
    QCOMPARE(child<QTextEdit>("tex_comment")->toPlainText(), comment);
    click("com_addModClass");
    QCOMPARE(model->comment(), comment);

    // Typed in a new class, it is stored as typed too.
    ClassModel other;
    editor->openToAdd(&other);
    fill("lin_name", QStringLiteral("Other"));
    typeInto(child<QTextEdit>("tex_comment"), comment);
    click("com_addModClass");
    QCOMPARE(other.comment(), comment);
}

void TestClassEditor::deleteClass()
{
    model->setName(QStringLiteral("Shape"));
    model->addAttribute(new ArgAtt(QStringLiteral("m_x"), QStringLiteral("int"), QString(), 0));
    editor->openToEdit(model);
    QSignalSpy deleted(editor, &ClassEditor::classCanceled);
    QSignalSpy canceled(editor, &ClassEditor::addCanceled);
    bool visibleWhenEmitted = false;
    connect(editor, &ClassEditor::classCanceled, this,
            [&] { visibleWhenEmitted = editor->isVisible(); });
    click("com_deleteClass");
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(deleted.first().first().value<ClassModel *>(), model);
    QVERIFY(visibleWhenEmitted);
    QVERIFY(!editor->isVisible());
    QCOMPARE(canceled.count(), 0);
    // Deleting is the main window's business: the class is intact.
    QCOMPARE(model->attributes().size(), 1);
}

void TestClassEditor::closing_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<int>("canceled");
    QTest::newRow("new class") << false << 1;
    QTest::newRow("edit") << true << 0;
}

void TestClassEditor::closing()
{
    QFETCH(bool, editMode);
    QFETCH(int, canceled);
    if (editMode)
        editor->openToEdit(model);
    else
        editor->openToAdd(model);
    QSignalSpy canceledSpy(editor, &ClassEditor::addCanceled);
    QSignalSpy added(editor, &ClassEditor::addClass);
    QSignalSpy deleted(editor, &ClassEditor::classCanceled);
    QVERIFY(editor->close());
    QVERIFY(!editor->isVisible());
    QCOMPARE(canceledSpy.count(), canceled);
    QCOMPARE(added.count() + deleted.count(), 0);
}

void TestClassEditor::editModeKeepsMemberChanges()
{
    model->setName(QStringLiteral("Shape"));
    model->addMethod(new Function(QStringLiteral("run"), QStringLiteral("void"), 1, {}));
    editor->openToEdit(model);
    fill("lin_name", QStringLiteral("Renamed"));
    QVERIFY(select("lis_fctView", QStringLiteral("+ run () : void")));
    click("too_fctLess");
    addAttribute(QStringLiteral("m_x"), QStringLiteral("int"));
    editor->close();

    QCOMPARE(model->name(), QStringLiteral("Shape"));
    QCOMPARE(names(model->attributes()), QStringList{QStringLiteral("m_x")});
    QCOMPARE(names(model->methods()),
             (QStringList{QStringLiteral("setX"), QStringLiteral("getX")}));
    editor->openToEdit(model);
    QCOMPARE(lines("lis_attView"), QStringList{QStringLiteral("- m_x : int = ")});
    QCOMPARE(lines("lis_fctView"), (QStringList{QStringLiteral("+ setX (x:int) : void"),
                                                QStringLiteral("+ getX () : int")}));
    editor->hide();
}

// Attributes.

void TestClassEditor::attributeRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("messages");

    const QString noName = info(QStringLiteral("Vous n'avez pas donné de nom à l'attribut."));
    const QString noType = info(QStringLiteral("Vous n'avez pas donné de type à l'attribut."));
    const QString used = info(QStringLiteral("Cette classe possède déjà un attribut de ce nom."));
    QTest::newRow("no name") << QString() << QStringLiteral("int") << QStringList{noName};
    QTest::newRow("no type") << QStringLiteral("m_y") << QString() << QStringList{noType};
    QTest::newRow("neither") << QString() << QString() << QStringList{noName, noType};
    QTest::newRow("used name") << QStringLiteral("m_x") << QStringLiteral("double")
                               << QStringList{used};
    QTest::newRow("used name, no type")
        << QStringLiteral("m_x") << QString() << QStringList{noType, used};
}

void TestClassEditor::attributeRules()
{
    QFETCH(QString, name);
    QFETCH(QString, type);
    QFETCH(QStringList, messages);
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_x"), QStringLiteral("int"));
    const QStringList attLines = lines("lis_attView");
    const QStringList fctLines = lines("lis_fctView");

    const QStringList shown = answering(int(messages.size()), QMessageBox::Ok, [&] {
        addAttribute(name, type, QStringLiteral("7"), true);
    });
    QCOMPARE(shown, messages);
    QCOMPARE(model->attributes().size(), 1);
    QCOMPARE(model->methods().size(), 2);
    QCOMPARE(lines("lis_attView"), attLines);
    QCOMPARE(lines("lis_fctView"), fctLines);
    QCOMPARE(field("lin_attName")->text(), name);
    QCOMPARE(field("lin_attType")->text(), type);
    QCOMPARE(field("lin_attDefValue")->text(), QStringLiteral("7"));
    QVERIFY(child<QRadioButton>("rad_attPublic")->isChecked());
}

void TestClassEditor::addPublicAttribute()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_x"), QStringLiteral("int"), QStringLiteral("0"));
    addAttribute(QStringLiteral("label"), QStringLiteral("QString"), QStringLiteral("\"a\""), true);
    QCOMPARE(model->attributes().size(), 2);
    const ArgAtt *label = model->attributes().at(1);
    QCOMPARE(label->name(), QStringLiteral("label"));
    QCOMPARE(label->type(), QStringLiteral("QString"));
    QCOMPARE(label->defValue(), QStringLiteral("\"a\""));
    QCOMPARE(label->range(), 1);
    QCOMPARE(model->attributes().at(0)->range(), 0);
    QCOMPARE(lines("lis_attView"), (QStringList{QStringLiteral("- m_x : int = 0"),
                                                QStringLiteral("+ label : QString = \"a\"")}));
    for (const char *name : {"lin_attName", "lin_attType", "lin_attDefValue"})
        QCOMPARE(field(name)->text(), QString());
    QVERIFY(child<QRadioButton>("rad_attPrivate")->isChecked());
}

void TestClassEditor::accessorNames_data()
{
    QTest::addColumn<QString>("attPrefix");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("setterLine");
    QTest::addColumn<QString>("getterLine");

    QTest::newRow("prefix taken off")
        << QStringLiteral("m_") << QStringLiteral("m_count")
        << QStringLiteral("+ setCount (count:int) : void") << QStringLiteral("+ getCount () : int");
    QTest::newRow("name without the prefix")
        << QStringLiteral("m_") << QStringLiteral("count")
        << QStringLiteral("+ setUnt (unt:int) : void") << QStringLiteral("+ getUnt () : int");
    QTest::newRow("empty prefix") << QString() << QStringLiteral("count")
                                  << QStringLiteral("+ setCount (count:int) : void")
                                  << QStringLiteral("+ getCount () : int");
    QTest::newRow("underscore stays")
        << QStringLiteral("m_") << QStringLiteral("m__size")
        << QStringLiteral("+ set_size (_size:int) : void") << QStringLiteral("+ get_size () : int");
    QTest::newRow("name as long as the prefix")
        << QStringLiteral("m_") << QStringLiteral("m_")
        << QStringLiteral("+ set (value:int) : void") << QStringLiteral("+ get () : int");
    QTest::newRow("name shorter than the prefix")
        << QStringLiteral("m_") << QStringLiteral("x") << QStringLiteral("+ set (value:int) : void")
        << QStringLiteral("+ get () : int");
}

void TestClassEditor::accessorNames()
{
    QFETCH(QString, attPrefix);
    QFETCH(QString, name);
    QFETCH(QString, setterLine);
    QFETCH(QString, getterLine);
    prefix = attPrefix;
    editor->openToAdd(model);
    QCOMPARE(answering(0, QMessageBox::Yes,
                       [&] { addAttribute(name, QStringLiteral("int"), QStringLiteral("5")); }),
             QStringList());

    QCOMPARE(model->attributes().size(), 1);
    ArgAtt *att = model->attributes().first();
    QCOMPARE(model->methods().size(), 2);
    const Function *setter = model->methods().at(0);
    const Function *getter = model->methods().at(1);
    QCOMPARE(setter->umlText(), setterLine);
    QCOMPARE(setter->range(), 3);
    QCOMPARE(setter->returnType(), QStringLiteral("void"));
    QCOMPARE(setter->linkedAtt(), att);
    QCOMPARE(setter->args().size(), 1);
    QCOMPARE(setter->args().first()->defValue(), QString());
    QCOMPARE(setter->args().first()->range(), 2);
    QCOMPARE(getter->umlText(), getterLine);
    QCOMPARE(getter->range(), 4);
    QCOMPARE(getter->linkedAtt(), att);
    QVERIFY(getter->args().isEmpty());
    QCOMPARE(lines("lis_fctView"), (QStringList{setterLine, getterLine}));
}

void TestClassEditor::accessorQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("methodLines");
    QTest::newRow("yes") << int(QMessageBox::Yes)
                         << QStringList{QStringLiteral("+ setCount (count:int) : void"),
                                        QStringLiteral("+ getCount () : int")};
    QTest::newRow("no") << int(QMessageBox::No) << QStringList();
}

void TestClassEditor::accessorQuestion()
{
    QFETCH(int, answer);
    QFETCH(QStringList, methodLines);
    autoSetGet = false;
    editor->openToAdd(model);
    const QStringList shown = answering(1, QMessageBox::StandardButton(answer), [&] {
        addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    });
    QCOMPARE(shown, QStringList{questionBox()});
    QCOMPARE(model->attributeLines(), QStringList{QStringLiteral("- m_count : int = ")});
    QCOMPARE(model->methodLines(), methodLines);
    QCOMPARE(lines("lis_fctView"), methodLines);
    QCOMPARE(field("lin_attName")->text(), QString());
}

void TestClassEditor::settingsReadAtUse()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_a"), QStringLiteral("int"));
    prefix = QString();
    addAttribute(QStringLiteral("b"), QStringLiteral("int"));
    prefix = QStringLiteral("the");
    autoSetGet = false;
    QCOMPARE(answering(1, QMessageBox::Yes,
                       [&] { addAttribute(QStringLiteral("thec"), QStringLiteral("int")); }),
             QStringList{questionBox()});
    autoSetGet = true;
    QCOMPARE(answering(0, QMessageBox::No,
                       [&] { addAttribute(QStringLiteral("thed"), QStringLiteral("int")); }),
             QStringList());
    QCOMPARE(names(model->methods()),
             (QStringList{QStringLiteral("setA"), QStringLiteral("getA"), QStringLiteral("setB"),
                          QStringLiteral("getB"), QStringLiteral("setC"), QStringLiteral("getC"),
                          QStringLiteral("setD"), QStringLiteral("getD")}));
}

void TestClassEditor::loadAttribute()
{
    model->addAttribute(new ArgAtt(QStringLiteral("m_x"), QStringLiteral("int"), QString(), 0));
    model->addAttribute(
        new ArgAtt(QStringLiteral("label"), QStringLiteral("QString"), QStringLiteral("\"a\""), 1));
    model->addAttribute(new ArgAtt(QStringLiteral("m_y"), QStringLiteral("int"), QString(), 0));
    editor->openToEdit(model);
    QVERIFY(select("lis_attView", QStringLiteral("+ label : QString = \"a\"")));
    click("too_modAtt");
    QCOMPARE(buttonText("too_attMore"), QStringLiteral("<<"));
    QCOMPARE(field("lin_attName")->text(), QStringLiteral("label"));
    QCOMPARE(field("lin_attType")->text(), QStringLiteral("QString"));
    QCOMPARE(field("lin_attDefValue")->text(), QStringLiteral("\"a\""));
    QVERIFY(child<QRadioButton>("rad_attPublic")->isChecked());
    QCOMPARE(lines("lis_attView"),
             (QStringList{QStringLiteral("- m_x : int = "), QStringLiteral("- m_y : int = ")}));

    // Writing it back unchanged puts its line at the end; the model keeps the order.
    click("too_attMore");
    QCOMPARE(buttonText("too_attMore"), QStringLiteral("+"));
    QCOMPARE(lines("lis_attView"),
             (QStringList{QStringLiteral("- m_x : int = "), QStringLiteral("- m_y : int = "),
                          QStringLiteral("+ label : QString = \"a\"")}));
    QCOMPARE(names(model->attributes()),
             (QStringList{QStringLiteral("m_x"), QStringLiteral("label"), QStringLiteral("m_y")}));

    QVERIFY(select("lis_attView", QStringLiteral("- m_y : int = ")));
    child<QRadioButton>("rad_attPublic")->setChecked(true);
    click("too_modAtt");
    QVERIFY(child<QRadioButton>("rad_attPrivate")->isChecked());
    editor->hide();
}

void TestClassEditor::writeBackRenamesAccessors()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    addAttribute(QStringLiteral("m_size"), QStringLiteral("double"));
    addMethod(QStringLiteral("run"), QStringLiteral("void"));
    ArgAtt *count = model->findAttribute(QStringLiteral("m_count"));

    QVERIFY(select("lis_attView", QStringLiteral("- m_count : int = ")));
    click("too_modAtt");
    fill("lin_attName", QStringLiteral("m_total"));
    fill("lin_attType", QStringLiteral("long int"));
    fill("lin_attDefValue", QStringLiteral("0"));
    child<QRadioButton>("rad_attPublic")->setChecked(true);
    QCOMPARE(answering(0, QMessageBox::Ok, [&] { click("too_attMore"); }), QStringList());

    QCOMPARE(model->attributes().first(), count);
    QCOMPARE(count->umlText(), QStringLiteral("+ m_total : long int = 0"));
    const Function *setter = model->methods().at(0);
    const Function *getter = model->methods().at(1);
    QCOMPARE(setter->umlText(), QStringLiteral("+ setTotal (total:long int) : void"));
    QCOMPARE(setter->args().first()->defValue(), QString());
    QCOMPARE(setter->args().first()->range(), 2);
    QCOMPARE(setter->range(), 3);
    QCOMPARE(setter->linkedAtt(), count);
    QCOMPARE(getter->umlText(), QStringLiteral("+ getTotal () : long int"));
    QCOMPARE(getter->linkedAtt(), count);
    QCOMPARE(
        model->methodLines(),
        (QStringList{QStringLiteral("+ setTotal (total:long int) : void"),
                     QStringLiteral("+ getTotal () : long int"),
                     QStringLiteral("+ setSize (size:double) : void"),
                     QStringLiteral("+ getSize () : double"), QStringLiteral("+ run () : void")}));
    QCOMPARE(lines("lis_fctView"), model->methodLines());
    QCOMPARE(lines("lis_attView"), (QStringList{QStringLiteral("- m_size : double = "),
                                                QStringLiteral("+ m_total : long int = 0")}));
    QCOMPARE(buttonText("too_attMore"), QStringLiteral("+"));
    QCOMPARE(field("lin_attName")->text(), QString());
    QVERIFY(child<QRadioButton>("rad_attPrivate")->isChecked());

    // The prefix in force at write-back time names the accessors.
    prefix = QString();
    QVERIFY(select("lis_attView", QStringLiteral("+ m_total : long int = 0")));
    click("too_modAtt");
    click("too_attMore");
    QCOMPARE(names(model->methods()).first(), QStringLiteral("setM_total"));
}

void TestClassEditor::writeBackAcceptsAUsedName()
{
    prefix = QString();
    editor->openToAdd(model);
    addAttribute(QStringLiteral("a"), QStringLiteral("int"));
    addAttribute(QStringLiteral("b"), QStringLiteral("int"));
    QVERIFY(select("lis_attView", QStringLiteral("- b : int = ")));
    click("too_modAtt");
    fill("lin_attName", QStringLiteral("a"));
    QCOMPARE(answering(0, QMessageBox::Ok, [&] { click("too_attMore"); }), QStringList());
    QCOMPARE(names(model->attributes()), (QStringList{QStringLiteral("a"), QStringLiteral("a")}));
    QCOMPARE(names(model->methods()),
             (QStringList{QStringLiteral("setA"), QStringLiteral("getA"), QStringLiteral("setA"),
                          QStringLiteral("getA")}));
}

void TestClassEditor::removeAttributeRemovesAccessors()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    addAttribute(QStringLiteral("m_size"), QStringLiteral("double"));
    addMethod(QStringLiteral("run"), QStringLiteral("void"));

    QVERIFY(select("lis_attView", QStringLiteral("- m_count : int = ")));
    click("too_attLess");
    QCOMPARE(names(model->attributes()), QStringList{QStringLiteral("m_size")});
    QCOMPARE(model->methodLines(), (QStringList{QStringLiteral("+ setSize (size:double) : void"),
                                                QStringLiteral("+ getSize () : double"),
                                                QStringLiteral("+ run () : void")}));
    QCOMPARE(lines("lis_fctView"), model->methodLines());
    QCOMPARE(lines("lis_attView"), QStringList{QStringLiteral("- m_size : double = ")});
    for (const Function *method : model->methods())
        QVERIFY(method->linkedAtt() == nullptr
                || model->attributes().contains(method->linkedAtt()));
}

void TestClassEditor::buttonsWithoutSelectionDoNothing()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_x"), QStringLiteral("int"));
    addArgument(QStringLiteral("a"), QStringLiteral("int"));
    const QStringList attLines = lines("lis_attView");
    const QStringList fctLines = lines("lis_fctView");
    const QStringList argLines = lines("lis_argView");
    for (const char *view : {"lis_attView", "lis_fctView", "lis_argView"})
        child<QListView>(view)->setCurrentIndex(QModelIndex());
    QCOMPARE(answering(0, QMessageBox::Ok,
                       [&] {
                           for (const char *button : {"too_modAtt", "too_attLess", "too_modFct",
                                                      "too_fctLess", "too_modArg", "too_argLess"})
                               click(button);
                       }),
             QStringList());
    QCOMPARE(lines("lis_attView"), attLines);
    QCOMPARE(lines("lis_fctView"), fctLines);
    QCOMPARE(lines("lis_argView"), argLines);
    for (const char *name : {"too_attMore", "too_fctMore", "too_argMore"})
        QCOMPARE(buttonText(name), QStringLiteral("+"));
    QCOMPARE(model->attributes().size(), 1);
    QCOMPARE(model->methods().size(), 2);
}

// Methods and arguments.

void TestClassEditor::methodRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("no name") << QString()
                             << QStringList{warning(QStringLiteral(
                                    "Vous n'avez pas entrez de nom pour votre fonction."))};
    QTest::newRow("used name") << QStringLiteral(
        "run") << QStringList{warning(QStringLiteral("Une de vos fonctions possède déjà ce nom"))};
}

void TestClassEditor::methodRules()
{
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    editor->openToAdd(model);
    addMethod(QStringLiteral("run"), QStringLiteral("void"));
    addArgument(QStringLiteral("a"), QStringLiteral("int"));
    QCOMPARE(answering(1, QMessageBox::Ok,
                       [&] { addMethod(name, QStringLiteral("int"), "rad_fctProtected"); }),
             messages);
    QCOMPARE(model->methodLines(), QStringList{QStringLiteral("+ run () : void")});
    QCOMPARE(lines("lis_fctView"), model->methodLines());
    QCOMPARE(lines("lis_argView"), QStringList{QStringLiteral("a : int = ")});
    QCOMPARE(field("lin_fctName")->text(), name);
    QCOMPARE(field("lin_fctType")->text(), QStringLiteral("int"));
    QVERIFY(child<QRadioButton>("rad_fctProtected")->isChecked());
}

void TestClassEditor::composeMethod()
{
    editor->openToAdd(model);
    addArgument(QStringLiteral("a"), QStringLiteral("int"), QStringLiteral("1"));
    addArgument(QStringLiteral("b"), QStringLiteral("double"));
    QCOMPARE(lines("lis_argView"),
             (QStringList{QStringLiteral("a : int = 1"), QStringLiteral("b : double = ")}));
    QCOMPARE(field("lin_argName")->text(), QString());
    QCOMPARE(field("lin_argDefValue")->text(), QString());
    QVERIFY(model->methods().isEmpty());

    addMethod(QStringLiteral("mix"), QStringLiteral("float"), "rad_fctProtected");
    QCOMPARE(model->methods().size(), 1);
    const Function *mix = model->methods().first();
    QCOMPARE(mix->umlText(), QStringLiteral("# mix (a:int, b:double) : float"));
    QCOMPARE(mix->range(), 2);
    QCOMPARE(mix->linkedAtt(), nullptr);
    QCOMPARE(mix->args().first()->defValue(), QStringLiteral("1"));
    QCOMPARE(mix->args().first()->range(), 2);
    QCOMPARE(lines("lis_fctView"), QStringList{QStringLiteral("# mix (a:int, b:double) : float")});
    QCOMPARE(lines("lis_argView"), QStringList());
    QCOMPARE(field("lin_fctName")->text(), QString());
    QCOMPARE(field("lin_fctType")->text(), QString());
    QVERIFY(child<QRadioButton>("rad_fctPrivate")->isChecked());

    // The next method starts with no argument.
    addMethod(QStringLiteral("run"), QStringLiteral("void"), "rad_fctPrivate");
    QCOMPARE(model->methods().at(1)->umlText(), QStringLiteral("- run () : void"));
}

void TestClassEditor::emptyReturnType()
{
    editor->openToAdd(model);
    addMethod(QStringLiteral("run"), QString());
    QCOMPARE(model->methodLines(), QStringList{QStringLiteral("+ run () : ")});
    QCOMPARE(model->methods().first()->returnType(), QString());
}

void TestClassEditor::loadAndWriteBackMethod()
{
    editor->openToAdd(model);
    addArgument(QStringLiteral("a"), QStringLiteral("int"));
    addMethod(QStringLiteral("mix"), QStringLiteral("float"), "rad_fctProtected");
    addMethod(QStringLiteral("run"), QStringLiteral("void"));
    Function *mix = model->methods().first();
    ArgAtt *a = mix->args().first();

    QVERIFY(select("lis_fctView", QStringLiteral("# mix (a:int) : float")));
    click("too_modFct");
    QCOMPARE(buttonText("too_fctMore"), QStringLiteral("<<"));
    QCOMPARE(field("lin_fctName")->text(), QStringLiteral("mix"));
    QCOMPARE(field("lin_fctType")->text(), QStringLiteral("float"));
    QVERIFY(child<QRadioButton>("rad_fctProtected")->isChecked());
    QCOMPARE(lines("lis_argView"), QStringList{QStringLiteral("a : int = ")});
    QCOMPARE(lines("lis_fctView"), QStringList{QStringLiteral("+ run () : void")});

    addArgument(QStringLiteral("c"), QStringLiteral("bool"));
    // Renaming onto a used name is accepted when writing back.
    addMethod(QStringLiteral("run"), QStringLiteral("double"), "rad_fctPublic");
    QCOMPARE(buttonText("too_fctMore"), QStringLiteral("+"));
    QCOMPARE(model->methods().first(), mix);
    QCOMPARE(mix->umlText(), QStringLiteral("+ run (a:int, c:bool) : double"));
    QCOMPARE(mix->args().first(), a);
    QCOMPARE(lines("lis_fctView"), (QStringList{QStringLiteral("+ run () : void"),
                                                QStringLiteral("+ run (a:int, c:bool) : double")}));
    QCOMPARE(lines("lis_argView"), QStringList());
    QCOMPARE(field("lin_fctName")->text(), QString());
}

void TestClassEditor::loadedAccessorKeepsRadioButtons()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    child<QRadioButton>("rad_fctProtected")->setChecked(true);
    QVERIFY(select("lis_fctView", QStringLiteral("+ getCount () : int")));
    click("too_modFct");
    QVERIFY(child<QRadioButton>("rad_fctProtected")->isChecked());
    click("too_fctMore");
    const Function *getter = model->findMethod(QStringLiteral("getCount"));
    QCOMPARE(getter->range(), 2);
    QCOMPARE(getter->umlText(), QStringLiteral("# getCount () : int"));
}

void TestClassEditor::removeMethod()
{
    editor->openToAdd(model);
    addMethod(QStringLiteral("run"), QStringLiteral("void"));
    addMethod(QStringLiteral("stop"), QStringLiteral("void"));
    addMethod(QStringLiteral("walk"), QStringLiteral("int"));
    // A write-back may give two methods the same name; both leave together.
    QVERIFY(select("lis_fctView", QStringLiteral("+ walk () : int")));
    click("too_modFct");
    fill("lin_fctName", QStringLiteral("run"));
    click("too_fctMore");
    QCOMPARE(names(model->methods()),
             (QStringList{QStringLiteral("run"), QStringLiteral("stop"), QStringLiteral("run")}));

    QVERIFY(select("lis_fctView", QStringLiteral("+ run () : void")));
    click("too_fctLess");
    QCOMPARE(names(model->methods()), QStringList{QStringLiteral("stop")});
    QCOMPARE(lines("lis_fctView"), QStringList{QStringLiteral("+ stop () : void")});
}

void TestClassEditor::argumentRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("no name") << QString() << QStringLiteral("int")
                             << QStringList{warning(QStringLiteral(
                                    "Vous n'avez pas entrez de nom pour votre argument."))};
    QTest::newRow("no type") << QStringLiteral("b") << QString()
                             << QStringList{warning(QStringLiteral(
                                    "Vous n'avez pas donné de type à votre argument"))};
    QTest::newRow("neither: the first rule only")
        << QString() << QString()
        << QStringList{
               warning(QStringLiteral("Vous n'avez pas entrez de nom pour votre argument."))};
    QTest::newRow("used name") << QStringLiteral("a") << QStringLiteral("double")
                               << QStringList{warning(QStringLiteral(
                                      "Un des arguments de cette fonction possède déjà ce nom."))};
}

void TestClassEditor::argumentRules()
{
    QFETCH(QString, name);
    QFETCH(QString, type);
    QFETCH(QStringList, messages);
    editor->openToAdd(model);
    addArgument(QStringLiteral("a"), QStringLiteral("int"));
    QCOMPARE(answering(1, QMessageBox::Ok, [&] { addArgument(name, type, QStringLiteral("3")); }),
             messages);
    QCOMPARE(lines("lis_argView"), QStringList{QStringLiteral("a : int = ")});
    QCOMPARE(field("lin_argName")->text(), name);
    QCOMPARE(field("lin_argType")->text(), type);
    QCOMPARE(field("lin_argDefValue")->text(), QStringLiteral("3"));
    addMethod(QStringLiteral("f"), QStringLiteral("void"));
    QCOMPARE(model->methodLines(), QStringList{QStringLiteral("+ f (a:int) : void")});
}

void TestClassEditor::loadAndWriteBackArgument()
{
    editor->openToAdd(model);
    addArgument(QStringLiteral("a"), QStringLiteral("int"), QStringLiteral("4"));
    addArgument(QStringLiteral("b"), QStringLiteral("double"));
    QVERIFY(select("lis_argView", QStringLiteral("a : int = 4")));
    click("too_modArg");
    QCOMPARE(buttonText("too_argMore"), QStringLiteral("<<"));
    QCOMPARE(field("lin_argName")->text(), QStringLiteral("a"));
    QCOMPARE(field("lin_argType")->text(), QStringLiteral("int"));
    QCOMPARE(field("lin_argDefValue")->text(), QStringLiteral("4"));
    QCOMPARE(lines("lis_argView"), QStringList{QStringLiteral("b : double = ")});

    fill("lin_argName", QStringLiteral("b"));
    QCOMPARE(answering(0, QMessageBox::Ok, [&] { click("too_argMore"); }), QStringList());
    QCOMPARE(buttonText("too_argMore"), QStringLiteral("+"));
    QCOMPARE(lines("lis_argView"),
             (QStringList{QStringLiteral("b : double = "), QStringLiteral("b : int = 4")}));
    QCOMPARE(field("lin_argName")->text(), QString());
    addMethod(QStringLiteral("f"), QStringLiteral("void"));
    // The record keeps its place among the arguments.
    QCOMPARE(model->methodLines(), QStringList{QStringLiteral("+ f (b:int, b:double) : void")});
}

void TestClassEditor::removeArgumentOfLoadedMethod()
{
    editor->openToAdd(model);
    addArgument(QStringLiteral("a"), QStringLiteral("int"));
    addArgument(QStringLiteral("b"), QStringLiteral("double"));
    addMethod(QStringLiteral("mix"), QStringLiteral("float"));
    QVERIFY(select("lis_fctView", QStringLiteral("+ mix (a:int, b:double) : float")));
    click("too_modFct");
    QVERIFY(select("lis_argView", QStringLiteral("a : int = ")));
    click("too_argLess");
    QCOMPARE(lines("lis_argView"), QStringList{QStringLiteral("b : double = ")});
    // The method loses it at once, before it is written back.
    QCOMPARE(model->methodLines(), QStringList{QStringLiteral("+ mix (b:double) : float")});
    editor->close();
    QCOMPARE(model->methodLines(), QStringList{QStringLiteral("+ mix (b:double) : float")});
}

void TestClassEditor::argumentsOfUnaddedMethodAreForgotten()
{
    editor->openToAdd(model);
    addMethod(QStringLiteral("run"), QStringLiteral("void"));
    addArgument(QStringLiteral("a"), QStringLiteral("int"));
    // Loading a method drops the composition.
    QVERIFY(select("lis_fctView", QStringLiteral("+ run () : void")));
    click("too_modFct");
    QCOMPARE(lines("lis_argView"), QStringList());
    click("too_fctMore");
    QCOMPARE(model->methodLines(), QStringList{QStringLiteral("+ run () : void")});

    addArgument(QStringLiteral("b"), QStringLiteral("int"));
    editor->close();
    editor->openToEdit(model);
    QCOMPARE(lines("lis_argView"), QStringList());
    addMethod(QStringLiteral("go"), QStringLiteral("void"));
    QCOMPARE(model->methodLines(),
             (QStringList{QStringLiteral("+ run () : void"), QStringLiteral("+ go () : void")}));
    // And a composition still pending when the editor goes is freed with it.
    addArgument(QStringLiteral("c"), QStringLiteral("int"));
}

// Loaded members that leave the class.

void TestClassEditor::removedLoadedAttributeEndsItsLoad()
{
    prefix = QString();
    editor->openToAdd(model);
    addAttribute(QStringLiteral("a"), QStringLiteral("int"));
    addAttribute(QStringLiteral("b"), QStringLiteral("double"));
    QVERIFY(select("lis_attView", QStringLiteral("- b : double = ")));
    click("too_modAtt");
    fill("lin_attName", QStringLiteral("a"));
    click("too_attMore");

    // Load the first "a"; the line of the other one still names "a", and removing
    // through it takes every "a" away, the loaded one included.
    QVERIFY(select("lis_attView", QStringLiteral("- a : int = ")));
    click("too_modAtt");
    QCOMPARE(buttonText("too_attMore"), QStringLiteral("<<"));
    QVERIFY(select("lis_attView", QStringLiteral("- a : double = ")));
    click("too_attLess");

    QVERIFY(model->attributes().isEmpty());
    QVERIFY(model->methods().isEmpty());
    QCOMPARE(lines("lis_attView"), QStringList());
    QCOMPARE(lines("lis_fctView"), QStringList());
    QCOMPARE(buttonText("too_attMore"), QStringLiteral("+"));
    QCOMPARE(field("lin_attName")->text(), QString());

    addAttribute(QStringLiteral("c"), QStringLiteral("int"));
    QCOMPARE(model->attributeLines(), QStringList{QStringLiteral("- c : int = ")});
}

void TestClassEditor::removedLoadedAccessorEndsItsLoad()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    addAttribute(QStringLiteral("m_size"), QStringLiteral("int"));
    QVERIFY(select("lis_fctView", QStringLiteral("+ setCount (count:int) : void")));
    click("too_modFct");
    addArgument(QStringLiteral("extra"), QStringLiteral("int"));
    QVERIFY(select("lis_argView", QStringLiteral("count : int = ")));
    click("too_modArg");
    QCOMPARE(buttonText("too_fctMore"), QStringLiteral("<<"));
    QCOMPARE(buttonText("too_argMore"), QStringLiteral("<<"));

    QVERIFY(select("lis_attView", QStringLiteral("- m_count : int = ")));
    click("too_attLess");
    QCOMPARE(names(model->methods()),
             (QStringList{QStringLiteral("setSize"), QStringLiteral("getSize")}));
    QCOMPARE(buttonText("too_fctMore"), QStringLiteral("+"));
    QCOMPARE(buttonText("too_argMore"), QStringLiteral("+"));
    QCOMPARE(field("lin_fctName")->text(), QString());
    QCOMPARE(field("lin_argName")->text(), QString());
    QCOMPARE(lines("lis_argView"), QStringList());

    // The fields now describe a new method: it is added, and with no argument of the
    // removed setter.
    addArgument(QStringLiteral("x"), QStringLiteral("int"));
    addMethod(QStringLiteral("run"), QStringLiteral("void"));
    QCOMPARE(model->methodLines(), (QStringList{QStringLiteral("+ setSize (size:int) : void"),
                                                QStringLiteral("+ getSize () : int"),
                                                QStringLiteral("+ run (x:int) : void")}));
}

void TestClassEditor::reappearedLoadedMethodRemoved()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    addArgument(QStringLiteral("x"), QStringLiteral("int"));
    addMethod(QStringLiteral("run"), QStringLiteral("void"));
    QVERIFY(select("lis_fctView", QStringLiteral("+ run (x:int) : void")));
    click("too_modFct");
    QVERIFY(select("lis_argView", QStringLiteral("x : int = ")));
    click("too_modArg");
    QVERIFY(!lines("lis_fctView").contains(QStringLiteral("+ run (x:int) : void")));

    // Writing an attribute back lists every method again, the loaded one too.
    QVERIFY(select("lis_attView", QStringLiteral("- m_count : int = ")));
    click("too_modAtt");
    click("too_attMore");
    QVERIFY(select("lis_fctView", QStringLiteral("+ run (x:int) : void")));
    click("too_fctLess");

    QCOMPARE(names(model->methods()),
             (QStringList{QStringLiteral("setCount"), QStringLiteral("getCount")}));
    QCOMPARE(buttonText("too_fctMore"), QStringLiteral("+"));
    QCOMPARE(buttonText("too_argMore"), QStringLiteral("+"));
    QCOMPARE(lines("lis_argView"), QStringList());

    addArgument(QStringLiteral("y"), QStringLiteral("int"));
    addMethod(QStringLiteral("go"), QStringLiteral("void"));
    QCOMPARE(model->methodLines().last(), QStringLiteral("+ go (y:int) : void"));
}

void TestClassEditor::removedLoadedArgumentEndsItsLoad()
{
    editor->openToAdd(model);
    addArgument(QStringLiteral("a"), QStringLiteral("int"));
    addArgument(QStringLiteral("b"), QStringLiteral("double"));
    QVERIFY(select("lis_argView", QStringLiteral("b : double = ")));
    click("too_modArg");
    fill("lin_argName", QStringLiteral("a"));
    click("too_argMore");
    QVERIFY(select("lis_argView", QStringLiteral("a : int = ")));
    click("too_modArg");
    QVERIFY(select("lis_argView", QStringLiteral("a : double = ")));
    click("too_argLess");

    // Removal finds the first argument of that name: the loaded one.
    QCOMPARE(buttonText("too_argMore"), QStringLiteral("+"));
    QCOMPARE(field("lin_argName")->text(), QString());
    QCOMPARE(lines("lis_argView"), QStringList{QStringLiteral("a : double = ")});
    addMethod(QStringLiteral("f"), QStringLiteral("void"));
    QCOMPARE(model->methodLines(), QStringList{QStringLiteral("+ f (a:double) : void")});
}

void TestClassEditor::setterKeepsItsArgument()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    QVERIFY(select("lis_fctView", QStringLiteral("+ setCount (count:int) : void")));
    click("too_modFct");
    addArgument(QStringLiteral("extra"), QStringLiteral("bool"));

    QVERIFY(select("lis_argView", QStringLiteral("count : int = ")));
    QCOMPARE(
        answering(1, QMessageBox::Ok, [&] { click("too_argLess"); }),
        QStringList{warning(QStringLiteral("Un accesseur « set » doit garder son argument."))});
    QCOMPARE(lines("lis_argView"),
             (QStringList{QStringLiteral("count : int = "), QStringLiteral("extra : bool = ")}));
    QCOMPARE(model->methodLines().first(), QStringLiteral("+ setCount (count:int) : void"));

    // An argument the user added to it may go.
    QVERIFY(select("lis_argView", QStringLiteral("extra : bool = ")));
    QCOMPARE(answering(0, QMessageBox::Ok, [&] { click("too_argLess"); }), QStringList());
    QCOMPARE(lines("lis_argView"), QStringList{QStringLiteral("count : int = ")});

    // Once written back it is an ordinary method, whose arguments can all go.
    click("too_fctMore");
    QVERIFY(select("lis_fctView", QStringLiteral("- setCount (count:int) : void")));
    click("too_modFct");
    QVERIFY(select("lis_argView", QStringLiteral("count : int = ")));
    QCOMPARE(answering(0, QMessageBox::Ok, [&] { click("too_argLess"); }), QStringList());
    QCOMPARE(model->methodLines().first(), QStringLiteral("- setCount () : void"));
}

void TestClassEditor::setterArgumentReplacedOnWriteBack()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    for (const QString &name : {QStringLiteral("m_total"), QStringLiteral("m_sum")}) {
        QVERIFY(select("lis_attView", lines("lis_attView").first()));
        click("too_modAtt");
        fill("lin_attName", name);
        click("too_attMore");
    }
    const Function *setter = model->methods().first();
    QCOMPARE(setter->umlText(), QStringLiteral("+ setSum (sum:int) : void"));
    QCOMPARE(setter->args().size(), 1);
}

void TestClassEditor::loadedSetterWrittenBackAfterItsAttribute()
{
    editor->openToAdd(model);
    addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    QVERIFY(select("lis_fctView", QStringLiteral("+ setCount (count:int) : void")));
    click("too_modFct");
    QVERIFY(select("lis_argView", QStringLiteral("count : int = ")));
    click("too_modArg");

    QVERIFY(select("lis_attView", QStringLiteral("- m_count : int = ")));
    click("too_modAtt");
    fill("lin_attName", QStringLiteral("m_total"));
    click("too_attMore");
    Function *setter = model->methods().first();
    QCOMPARE(setter->umlText(), QStringLiteral("+ setTotal (total:int) : void"));
    // The loaded composition still shows the argument the setter had, and that
    // argument can still be written back.
    QCOMPARE(buttonText("too_argMore"), QStringLiteral("<<"));
    click("too_argMore");
    QCOMPARE(lines("lis_argView"), QStringList{QStringLiteral("count : int = ")});
    // The setter no longer holds that record, but it is what writing back gives it.
    QVERIFY(select("lis_argView", QStringLiteral("count : int = ")));
    QCOMPARE(
        answering(1, QMessageBox::Ok, [&] { click("too_argLess"); }),
        QStringList{warning(QStringLiteral("Un accesseur « set » doit garder son argument."))});
    QCOMPARE(lines("lis_argView"), QStringList{QStringLiteral("count : int = ")});

    // Writing the setter back gives it the composition that was shown.
    click("too_fctMore");
    QCOMPARE(setter->umlText(), QStringLiteral("- setCount (count:int) : void"));
    QCOMPARE(setter->args().size(), 1);
}

QTEST_MAIN(TestClassEditor)
#include "tst_classeditor.moc"
