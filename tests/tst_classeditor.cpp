// The class editor driven through its widgets, and what becomes of loaded members.
#include "canvas/classitem.h"
#include "editors/classeditor.h"
#include "model/argatt.h"
#include "model/function.h"
#include "testsupport/modalanswerer.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

class TestClassEditor : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        prefix = u"m_"_s;
        autoSetGet = true;
        editor.reset(); // before the class it may hold
        model = std::make_unique<ClassModel>();
        editor = std::make_unique<ClassEditor>(nullptr, &prefix, &autoSetGet);
    }

    void addingAClass();
    void editingAClass();
    void duplicateNames();
    void accessors();
    void attributeWriteBackAndRemoval();
    void loadedMembers();
    void closingKeepsMemberChangesAndFitsTheBox();
    void returnKey_data();
    void returnKey();
    void tabOrder();

private:
    static QString error(const QString &icon, const QString &text)
    {
        return icon + u" | Erreur | "_s + text + u" | Ok"_s;
    }
    // Runs an action, pressing `button` in every box it opens, and tells what they showed.
    static QStringList answering(const std::function<void()> &action,
                                 QMessageBox::StandardButton button = QMessageBox::Ok)
    {
        ModalAnswerer answerer;
        for (int i = 0; i < 4; ++i)
            answerer.answerMessageBox(button);
        action();
        QStringList shown;
        for (const ModalAnswerer::Seen &seen : answerer.seen())
            shown.append(seen.summary());
        return shown;
    }
    template<class T = QWidget>
    T *child(const char *name) const
    {
        return editor->findChild<T *>(QLatin1String(name));
    }
    QString shown(const QByteArray &name) const
    {
        auto *edit = child<QLineEdit>(name);
        return edit ? edit->text() : child<QAbstractButton>(name)->text();
    }
    void fill(const QByteArray &name, const QString &text)
    {
        child<QLineEdit>(name)->clear();
        QTest::keyClicks(child<QLineEdit>(name), text);
    }
    void click(const QByteArray &name) { child<QAbstractButton>(name)->click(); }
    QStringList lines(const char *view) const
    {
        return qobject_cast<QStringListModel *>(child<QListView>(view)->model())->stringList();
    }
    // Selects a line of a list and clicks a button that works on the selection.
    bool press(const char *button, const char *view, const QString &line)
    {
        const int row = int(lines(view).indexOf(line));
        if (row >= 0) {
            child<QListView>(view)->setCurrentIndex(child<QListView>(view)->model()->index(row, 0));
            click(button);
        }
        return row >= 0;
    }
    // Everything the lists show and the class holds.
    QStringList state() const
    {
        return lines("lis_attView") + lines("lis_fctView") + lines("lis_argView")
               + model->attributeLines() + model->methodLines();
    }
    // Fills the fields of a group, "att", "fct" or "arg", and presses its "+" (or "<<").
    void add(const QByteArray &group, const QString &name, const QString &type,
             const QString &defValue = QString())
    {
        fill("lin_" + group + "Name", name);
        fill("lin_" + group + "Type", type);
        if (group != "fct")
            fill("lin_" + group + "DefValue", defValue);
        click("too_" + group + "More");
    }

    QString prefix;
    bool autoSetGet = true;
    std::unique_ptr<ClassModel> model;
    std::unique_ptr<ClassEditor> editor;
};

void TestClassEditor::addingAClass()
{
    editor->openToAdd(model.get());
    QCOMPARE(editor->windowTitle() + u'|' + shown("com_addModClass"),
             u"Ajouter une nouvelle classe|Ajouter la nouvelle classe"_s);
    QVERIFY(!child("com_deleteClass")->isVisible());
    // Names become C++ identifiers: digits, blanks and accents are refused, typed or pasted;
    // "~" names destructors, never classes.
    for (const char *name :
         {"lin_name", "lin_attName", "lin_fctName", "lin_argName", "lin_parentClass"}) {
        fill(name, u"x2 ~Foo_m"_s);
        child<QLineEdit>(name)->insert(u"é"_s);
        const bool aClass = qstrcmp(name, "lin_name") == 0 || qstrcmp(name, "lin_parentClass") == 0;
        QCOMPARE(shown(name), aClass ? u"xFoo_m"_s : u"x~Foo_m"_s);
    }
    // Arguments wait for their method; types are free text.
    add("arg", u"a"_s, u"unsigned int"_s, u"1"_s);
    QVERIFY(model->methods().isEmpty());
    click("rad_fctProtected");
    add("fct", u"mix"_s, u"float"_s);
    const QStringList mix{u"# mix (a:unsigned int) : float"_s, u"# mix (a:unsigned int) : float"_s};
    QCOMPARE(state(), mix);
    // Loaded and written back, a protected method stays protected.
    click("rad_fctPublic");
    QVERIFY(press("too_modFct", "lis_fctView", mix.constFirst()));
    click("too_fctMore");
    QCOMPARE(state(), mix);
    // Refused members leave everything as it was, the fields kept for the user to correct.
    QCOMPARE(
        answering([&] {
            add("att", {}, {});
            add("fct", u"mix"_s, u"int"_s);
            add("arg", u"b"_s, {});
        }),
        (QStringList{error(u"Information"_s, u"Vous n'avez pas donné de nom à l'attribut."_s),
                     error(u"Information"_s, u"Vous n'avez pas donné de type à l'attribut."_s),
                     error(u"Warning"_s, u"Une de vos fonctions possède déjà ce nom"_s),
                     error(u"Warning"_s, u"Vous n'avez pas donné de type à votre argument"_s)}));
    QCOMPARE(state() << shown("lin_argName"), mix + QStringList{u"b"_s});
    fill("lin_name", {});

    QSignalSpy added(editor.get(), &ClassEditor::addClass);
    QSignalSpy canceled(editor.get(), &ClassEditor::addCanceled);
    QCOMPARE(answering([&] { click("com_addModClass"); }),
             QStringList{error(u"Warning"_s, u"Vous n'avez pas donné de nom à votre classe."_s)});
    QVERIFY(editor->isVisible() && editor->close());
    QCOMPARE(canceled.size(), 1);
    editor->openToAdd(model.get());
    fill("lin_name", u"Shape"_s);
    fill("lin_parentClass", u"Base"_s);
    click("com_addModClass");
    QCOMPARE(QList({added.size(), canceled.size()}), QList<qsizetype>({1, 1}));
    QVERIFY(!editor->isVisible());
    QCOMPARE(model->name() + u'|' + model->parentName(), u"Shape|Base"_s);
    QCOMPARE(model->lineCount(), 2); // sized: the name and the method
    add("arg", u"b"_s, u"int"_s);    // still pending when the editor goes: freed with it
}

void TestClassEditor::editingAClass()
{
    model->setName(u"Shape"_s);
    const QString comment = u"<b>QList<int></b>"_s; // plain text, however much it looks like markup
    model->setComment(comment);
    editor->openToEdit(model.get());
    QCOMPARE(editor->windowTitle() + u'|' + shown("com_addModClass") + u'|'
                 + shown("com_deleteClass") + u'|' + child<QTextEdit>("tex_comment")->toPlainText(),
             u"Editer la classes - Shape|Modifier Shape|Supprimer Shape|"_s + comment);
    fill("lin_name", u"Polygon"_s);
    fill("lin_include", u"QString; QList;; ;Set "_s);
    QSignalSpy added(editor.get(), &ClassEditor::addClass);
    click("com_addModClass");
    QVERIFY(added.isEmpty());
    QCOMPARE(model->name() + u'|' + model->comment(), u"Polygon|"_s + comment);
    QCOMPARE(model->includes(), (QStringList{u"QString"_s, u"QList"_s, u"Set"_s}));
    editor->openToEdit(model.get());
    QCOMPARE(shown("lin_include"), u"QString;QList;Set;"_s);

    // The receiver of the signal deletes the class: nothing of it, loaded members
    // included, is touched afterwards, not even when the editor is closed.
    add("fct", u"run"_s, u"void"_s);
    QVERIFY(press("too_modFct", "lis_fctView", u"- run () : void"_s));
    QSignalSpy deleted(editor.get(), &ClassEditor::classCanceled);
    click("com_deleteClass");
    QCOMPARE(deleted.value(0).value(0).value<ClassModel *>(), model.get());
    QSignalSpy touched(model.get(), &ClassModel::linesUpdated);
    QVERIFY(!editor->isVisible() && editor->close());
    QVERIFY(touched.isEmpty());
}

void TestClassEditor::duplicateNames()
{
    // Class names differing only in case would share their generated files.
    ClassItem shape(nullptr);
    ClassItem other(nullptr);
    shape.getModel()->setName(u"Shape"_s);
    other.getModel()->setName(u"Other"_s);
    const QList<ClassItem *> classes{&shape, &other};
    editor->setDiagramClasses(&classes);
    const QStringList refused{error(u"Information"_s, u"Une classe de ce nom existe déjà."_s)};
    QSignalSpy added(editor.get(), &ClassEditor::addClass);
    const auto renaming = [&](ClassModel *target, const QString &name) {
        target ? editor->openToEdit(target) : editor->openToAdd(model.get());
        fill("lin_name", name);
        return answering([&] { click("com_addModClass"); });
    };
    QCOMPARE(renaming(nullptr, u"Shape"_s) + renaming(nullptr, u"sHAPE"_s), refused + refused);
    QVERIFY(added.isEmpty() && model->name().isEmpty() && editor->isVisible());
    QCOMPARE(renaming(other.getModel(), u"SHAPE"_s), refused);
    // A class may keep its own name, in another case too.
    QCOMPARE(renaming(shape.getModel(), u"SHAPE"_s), QStringList());
    QCOMPARE(other.getModel()->name() + shape.getModel()->name(), u"OtherSHAPE"_s);

    // A second attribute of a name is refused and adds nothing, accessors included.
    editor->openToAdd(model.get());
    add("att", u"m_size"_s, u"double"_s);
    const QStringList before = state();
    QCOMPARE(answering([&] { add("att", u"m_size"_s, u"int"_s); }),
             QStringList{
                 error(u"Information"_s, u"Cette classe possède déjà un attribut de ce nom."_s)});
    QCOMPARE(state(), before);
}

void TestClassEditor::accessors()
{
    autoSetGet = false; // read when used, not when the editor was built
    editor->openToAdd(model.get());
    const QStringList question{
        u"Question | Méthodes << Set >> - << Get >> | Voulez-vous que "
        "VNL génère automatiquement les fonctions d'accessions ? | Yes|No"_s};
    QCOMPARE(answering([&] { add("att", u"m_count"_s, u"int"_s); }, QMessageBox::Yes), question);
    QCOMPARE(answering([&] { add("att", u"m_size"_s, u"int"_s); }, QMessageBox::No), question);
    autoSetGet = true;
    add("att", u"name"_s, u"int"_s); // without the prefix: the whole name
    add("att", u"m_"_s, u"int"_s);   // only the prefix
    const QStringList methods{u"+ setCount (count:int) : void"_s, u"+ getCount () : int"_s,
                              u"+ setName (name:int) : void"_s,   u"+ getName () : int"_s,
                              u"+ set (value:int) : void"_s,      u"+ get () : int"_s};
    QCOMPARE(lines("lis_fctView") + model->methodLines(), methods + methods);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(model->methods().at(i)->linkedAtt(),
                 model->attributes().at(i < 2 ? 0 : i / 2 + 1));
        QCOMPARE(model->methods().at(i)->range(), i % 2 ? ArgAtt::Getter : ArgAtt::Setter);
    }
}

void TestClassEditor::attributeWriteBackAndRemoval()
{
    editor->openToAdd(model.get());
    add("att", u"m_count"_s, u"int"_s);
    add("att", u"m_size"_s, u"double"_s);
    add("fct", u"run"_s, u"void"_s);
    QVERIFY(press("too_modAtt", "lis_attView", u"- m_count : int = "_s));
    QCOMPARE(shown("too_attMore") + shown("lin_attName") + shown("lin_attType"), u"<<m_countint"_s);
    click("rad_attPublic");
    add("att", u"m_total"_s, u"long int"_s);

    // A name in use is accepted on write-back; the accessors follow name and type, and
    // the setter's replaced argument is freed.
    QVERIFY(press("too_modAtt", "lis_attView", u"- m_size : double = "_s));
    QCOMPARE(answering([&] { add("att", u"m_total"_s, u"double"_s); }), QStringList());
    const QStringList methods{u"+ setTotal (total:long int) : void"_s,
                              u"+ getTotal () : long int"_s, u"+ setTotal (total:double) : void"_s,
                              u"+ getTotal () : double"_s, u"- run () : void"_s};
    const QStringList atts{u"+ m_total : long int = "_s, u"- m_total : double = "_s};
    QCOMPARE(state(), atts + methods + atts + methods);

    // Removing takes every attribute of the name and the accessors linked to them.
    QVERIFY(press("too_attLess", "lis_attView", u"- m_total : double = "_s));
    QCOMPARE(state(), (QStringList{u"- run () : void"_s, u"- run () : void"_s}));
}

void TestClassEditor::loadedMembers()
{
    editor->openToAdd(model.get());
    add("att", u"m_count"_s, u"int"_s);
    QVERIFY(press("too_modFct", "lis_fctView", u"+ setCount (count:int) : void"_s));
    add("arg", u"extra"_s, u"bool"_s);
    const auto removing = [this](const QString &line) {
        return answering([&] { press("too_argLess", "lis_argView", line); });
    };
    const QStringList kept{
        error(u"Warning"_s, u"Un accesseur « set » doit garder son argument."_s)};
    QCOMPARE(removing(u"count : int = "_s) + removing(u"extra : bool = "_s), kept);
    // Loaded, a setter shows as public, and written back as it shows it stays a setter;
    // given another visibility it is an ordinary method, whose arguments may go.
    QVERIFY(child<QRadioButton>("rad_fctPublic")->isChecked());
    click("too_fctMore");
    QVERIFY(press("too_modFct", "lis_fctView", u"+ setCount (count:int) : void"_s));
    QCOMPARE(removing(u"count : int = "_s), kept);
    click("rad_fctPrivate");
    click("too_fctMore");
    QVERIFY(press("too_modFct", "lis_fctView", u"- setCount (count:int) : void"_s));
    QCOMPARE(removing(u"count : int = "_s), QStringList());
    click("too_fctMore");

    // Loading a method ends the load of the previous one's argument: the next is new, and g's.
    add("arg", u"a"_s, u"int"_s);
    add("fct", u"f"_s, u"void"_s);
    add("fct", u"g"_s, u"void"_s);
    QVERIFY(press("too_modFct", "lis_fctView", u"- f (a:int) : void"_s));
    QVERIFY(press("too_modArg", "lis_argView", u"a : int = "_s));
    QVERIFY(press("too_modFct", "lis_fctView", u"- g () : void"_s));
    QCOMPARE(shown("too_argMore") + shown("lin_argName"), u"+"_s);
    add("arg", u"b"_s, u"int"_s);
    click("too_fctMore");

    // The attribute takes its loaded setter and that one's loaded argument with it:
    // nothing is left loaded to write into, so new members go in as new.
    add("att", u"m_a"_s, u"int"_s);
    QVERIFY(press("too_modFct", "lis_fctView", u"+ setA (a:int) : void"_s));
    QVERIFY(press("too_modArg", "lis_argView", u"a : int = "_s));
    QVERIFY(press("too_attLess", "lis_attView", u"- m_a : int = "_s));
    QCOMPARE(shown("too_attMore") + shown("too_fctMore") + shown("too_argMore"), u"+++"_s);
    add("arg", u"x"_s, u"int"_s);
    add("fct", u"go"_s, u"void"_s);
    QCOMPARE(
        model->methodLines() << lines("lis_fctView").constLast(),
        (QStringList{u"- setCount () : void"_s, u"+ getCount () : int"_s, u"- f (a:int) : void"_s,
                     u"- g (b:int) : void"_s, u"- go (x:int) : void"_s, u"- go (x:int) : void"_s}));
}

void TestClassEditor::closingKeepsMemberChangesAndFitsTheBox()
{
    const QFont font;
    ClassItem item(&font);
    ClassModel *shape = item.getModel();
    shape->setName(u"Shape"_s);
    shape->addMethod(new Function(u"run"_s, u"void"_s, 1, {}));
    shape->updateSize();
    editor->openToEdit(shape);
    fill("lin_name", u"Renamed"_s);
    QVERIFY(press("too_fctLess", "lis_fctView", u"+ run () : void"_s));
    add("att", u"m_aMuchLongerName"_s, u"int"_s);
    QVERIFY(editor->close());

    // The members stay without confirming, the name does not, and the box has the size
    // of the lines it shows.
    QCOMPARE(shape->name() + u'|' + shape->methodLines().constFirst(),
             u"Shape|+ setAMuchLongerName (aMuchLongerName:int) : void"_s);
    const QRectF fitted = item.boundingRect();
    shape->updateSize();
    QCOMPARE(item.boundingRect(), fitted);
}

void TestClassEditor::returnKey_data()
{
    QTest::addColumn<QByteArray>("field"); // where Return is pressed, of the group it names
    QTest::addColumn<bool>("loaded");      // the member is first added, then loaded with ">>"
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("outcome"); // the boxes shown, then the group's list

    const QString attType = u"Vous n'avez pas donné de type à l'attribut."_s;
    const QString argType = u"Vous n'avez pas donné de type à votre argument"_s;
    QTest::newRow("attribute") << "lin_attName"_ba << false << u"int"_s << u"- n : int = 3"_s;
    QTest::newRow("attribute refused")
        << "lin_attDefValue"_ba << false << QString() << error(u"Information"_s, attType);
    QTest::newRow("attribute written back")
        << "lin_attType"_ba << true << u"long"_s << u"- n : long = 3"_s;
    QTest::newRow("method") << "lin_fctType"_ba << false << u"bool"_s << u"- n () : bool"_s;
    QTest::newRow("argument") << "lin_argDefValue"_ba << false << u"int"_s << u"n : int = 3"_s;
    QTest::newRow("argument refused")
        << "lin_argName"_ba << false << QString() << error(u"Warning"_s, argType);
}

void TestClassEditor::returnKey()
{
    QFETCH(QByteArray, field);
    QFETCH(bool, loaded);
    QFETCH(QString, type);
    QFETCH(QString, outcome);
    const QByteArray group = field.mid(4, 3);
    const QByteArray view = "lis_" + group + "View";
    const QByteArray first = "lin_" + group + "Name";
    editor->openToAdd(model.get());
    QVERIFY(QTest::qWaitForWindowActive(editor.get()));
    if (loaded) {
        add(group, u"n"_s, u"int"_s, u"3"_s);
        QVERIFY(press("too_modAtt", view, u"- n : int = 3"_s));
    } else {
        fill(first, u"n"_s);
        if (group != "fct")
            fill("lin_" + group + "DefValue", u"3"_s);
    }
    fill("lin_" + group + "Type", type);

    // Return does what "+" (or "<<") does, with its checks, and never closes the editor.
    child(field)->setFocus();
    const QStringList boxes = answering([&] { QTest::keyClick(child(field), Qt::Key_Return); });
    QCOMPARE((boxes + lines(view)).join(u'\n'), outcome);
    QVERIFY(editor->isVisible());
    // Added: the first field, emptied, has the focus; refused: the fields are kept.
    QCOMPARE(shown(first).isEmpty(), boxes.isEmpty());
    if (boxes.isEmpty())
        QCOMPARE(QApplication::focusWidget(), child(first));
}

void TestClassEditor::tabOrder()
{
    // A group's fields in their order, its visibility, its "+", then its list.
    editor->openToAdd(model.get());
    QVERIFY(QTest::qWaitForWindowActive(editor.get()));
    child("lin_fctName")->setFocus();
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{u"lin_fctType"_s, u"rad_fctPrivate"_s, u"too_fctMore"_s,
                                   u"lin_argName"_s, u"lin_argType"_s, u"lin_argDefValue"_s}));
}

QTEST_MAIN(TestClassEditor)
#include "tst_classeditor.moc"
