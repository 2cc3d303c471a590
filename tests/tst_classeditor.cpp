// The class editor driven through its widgets, and what becomes of loaded members.
#include "canvas/classitem.h"
#include "editors/classeditor.h"
#include "model/function.h"
#include "testsupport/modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestClassEditor : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        autoSetGet = true;
        editor.reset(); // before the class it may hold
        model = std::make_unique<ClassModel>();
        editor = std::make_unique<ClassEditor>(nullptr, &prefix, &autoSetGet);
    }

    void addingAClass();
    void editingAClass();
    void members();
    void keyboard();

private:
    template<class T = QWidget>
    T *child(const char *name) const
    {
        return editor->findChild<T *>(QLatin1String(name));
    }
    QString shown(const char *name) const { return child(name)->property("text").toString(); }
    void fill(const char *name, const QString &text) { child<QLineEdit>(name)->setText(text); }
    QStringList lines(const char *view) const
    {
        return qobject_cast<QStringListModel *>(child<QListView>(view)->model())->stringList();
    }
    // Clicks a button, or presses Return in a field, with `answer` pressed in every box that
    // opens; tells what the boxes said.
    QStringList click(const char *name, QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        ModalAnswerer answerer;
        for (int i = 0; i < 3; ++i)
            answerer.answerMessageBox(answer);
        if (auto *button = child<QAbstractButton>(name))
            button->click();
        else
            QTest::keyClick(child(name), Qt::Key_Return);
        QStringList texts;
        for (const ModalAnswerer::Seen &seen : answerer.seen())
            texts << seen.text;
        return texts;
    }
    // Selects a line of a list and clicks a button that works on the selection.
    QStringList press(const char *button, const char *view, const QString &line)
    {
        const int row = int(lines(view).indexOf(line));
        if (!QTest::qVerify(row >= 0, "line shown", qPrintable(line), __FILE__, __LINE__))
            return {};
        child<QListView>(view)->setCurrentIndex(child<QListView>(view)->model()->index(row, 0));
        return click(button);
    }
    // Everything the lists show and the class holds.
    QStringList state() const
    {
        return lines("lis_attView") + lines("lis_fctView") + lines("lis_argView")
               + model->attributeLines() + model->methodLines();
    }
    // Fills the fields of a group, "att", "fct" or "arg", and clicks its "+" (or "<<"); given
    // one of the group's fields instead ("lin_attType"), presses Return in it.
    QStringList add(const QByteArray &in, const QString &name, const QString &type,
                    const QString &value = {}, QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        const QByteArray group = in.size() == 3 ? in : in.mid(4, 3);
        fill("lin_" + group + "Name", name);
        fill("lin_" + group + "Type", type);
        if (group != "fct")
            fill("lin_" + group + "DefValue", value);
        return click(in == group ? "too_" + group + "More" : in, answer);
    }

    const QString prefix = u"m_"_s;
    bool autoSetGet = true;
    std::unique_ptr<ClassModel> model;
    std::unique_ptr<ClassEditor> editor;
};

void TestClassEditor::addingAClass()
{
    QSignalSpy added(editor.get(), &ClassEditor::addClass);
    QSignalSpy canceled(editor.get(), &ClassEditor::addCanceled);
    editor->openToAdd(model.get());
    QVERIFY(!child("com_deleteClass")->isVisible());
    // Names become C++ identifiers: digits, blanks and accents are refused, typed or pasted;
    // "~" names destructors, never classes.
    for (const char *name :
         {"lin_name", "lin_attName", "lin_fctName", "lin_argName", "lin_parentClass"}) {
        QTest::keyClicks(child(name), u"x2 ~Foo_m"_s);
        child<QLineEdit>(name)->insert(u"é"_s);
        QCOMPARE(shown(name), QByteArray(name).endsWith("Name") ? u"x~Foo_m"_s : u"xFoo_m"_s);
    }
    // Arguments wait for their method; types are free text.
    add("arg", u"a"_s, u"unsigned int"_s, u"1"_s);
    click("rad_fctProtected");
    add("fct", u"mix"_s, u"float"_s);
    const QStringList mix{u"# mix (a:unsigned int) : float"_s, u"# mix (a:unsigned int) : float"_s};
    QCOMPARE(state(), mix);
    // Loaded and written back, a protected method stays protected.
    click("rad_fctPublic");
    press("too_modFct", "lis_fctView", mix.constFirst());
    click("too_fctMore");
    QCOMPARE(state(), mix);
    // A refused member changes nothing, the fields kept for the user to correct.
    QCOMPARE(add("lin_attDefValue", {}, {})
                 << add("fct", u"mix"_s, u"int"_s) << add("lin_argType", u"b"_s, {}),
             (QStringList{u"Vous n'avez pas donné de nom à l'attribut."_s,
                          u"Vous n'avez pas donné de type à l'attribut."_s,
                          u"Une de vos fonctions possède déjà ce nom"_s,
                          u"Vous n'avez pas donné de type à votre argument"_s}));
    QCOMPARE(state() << shown("lin_argName"), mix + QStringList{u"b"_s});
    QVERIFY(editor->isVisible() && editor->close());
    QCOMPARE(canceled.size(), 1);

    editor->openToAdd(model.get());
    QCOMPARE(click("com_addModClass"),
             QStringList{u"Vous n'avez pas donné de nom à votre classe."_s});
    fill("lin_name", u"Shape"_s);
    fill("lin_parentClass", u"Base"_s);
    click("com_addModClass");
    QCOMPARE(QList({added.size(), canceled.size()}), QList<qsizetype>({1, 1}));
    QCOMPARE(model->name() + u'|' + model->parentName(), u"Shape|Base"_s);
    QVERIFY(!editor->isVisible() && model->lineCount() == 2); // sized: the name and the method
    add("arg", u"b"_s, u"int"_s); // still pending when the editor goes: freed with it
}

void TestClassEditor::editingAClass()
{
    const QFont font;
    ClassItem item(&font), other(nullptr);
    other.getModel()->setName(u"Other"_s);
    const QList<ClassItem *> classes{&item, &other};
    editor->setDiagramClasses(&classes);
    ClassModel *shape = item.getModel();
    shape->setName(u"Shape"_s);
    const QString comment = u"<b>QList<int></b>"_s; // plain text, however much it looks like markup
    shape->setComment(comment);
    shape->addMethod(new Function(u"run"_s, u"void"_s, 1, {}));
    shape->updateSize();
    editor->openToEdit(shape);
    QCOMPARE(child("tex_comment")->property("plainText").toString(), comment);
    // Closed unconfirmed: the members changed stay, the name does not, the box fits its lines.
    fill("lin_name", u"Renamed"_s);
    press("too_fctLess", "lis_fctView", u"+ run () : void"_s);
    add("att", u"m_aMuchLongerName"_s, u"int"_s);
    QVERIFY(editor->close());
    QCOMPARE(shape->name() + u'|' + shape->methodLines().constFirst(),
             u"Shape|+ setAMuchLongerName (aMuchLongerName:int) : void"_s);
    const QRectF fitted = item.boundingRect();
    shape->updateSize();
    QCOMPARE(item.boundingRect(), fitted);

    // Confirmed, all apply. The name of another class in another case is refused (both would
    // write the same files) and changes nothing; its own is not.
    editor->openToEdit(shape);
    fill("lin_include", u"QString; QList;; ;Set "_s);
    fill("lin_name", u"oTHER"_s);
    const QStringList refused = click("com_addModClass") << shape->name();
    fill("lin_name", u"sHAPE"_s);
    QCOMPARE(refused + click("com_addModClass"),
             (QStringList{u"Une classe de ce nom existe déjà."_s, u"Shape"_s}));
    QCOMPARE(shape->name() + u'|' + shape->comment(), u"sHAPE|"_s + comment);
    QCOMPARE(shape->includes(), (QStringList{u"QString"_s, u"QList"_s, u"Set"_s}));
    editor->openToEdit(shape);
    QCOMPARE(shown("lin_include"), u"QString;QList;Set;"_s);

    // The receiver of the signal deletes the class: nothing of it, loaded members
    // included, is touched afterwards, not even when the editor is closed.
    add("fct", u"run"_s, u"void"_s);
    press("too_modFct", "lis_fctView", u"- run () : void"_s);
    QSignalSpy deleted(editor.get(), &ClassEditor::classCanceled);
    click("com_deleteClass");
    QCOMPARE(deleted.value(0).value(0).value<ClassModel *>(), shape);
    QSignalSpy touched(shape, &ClassModel::linesUpdated);
    QVERIFY(!editor->isVisible() && editor->close());
    QVERIFY(touched.isEmpty());
}

void TestClassEditor::members()
{
    autoSetGet = false; // read when used, not when the editor was built
    editor->openToAdd(model.get());
    const QString ask =
        u"Voulez-vous que VNL génère automatiquement les fonctions d'accessions ?"_s;
    QCOMPARE(add("att", u"m_"_s, u"int"_s, {}, QMessageBox::Yes)
                 << add("att", u"m_size"_s, u"double"_s, {}, QMessageBox::No),
             QStringList({ask, ask}));
    autoSetGet = true;
    add("lin_attDefValue", u"count"_s, u"int"_s, u"3"_s);
    add("lin_fctType", u"run"_s, u"void"_s);
    // A second attribute of a name is refused and adds nothing, accessors included.
    const QStringList before = state();
    QCOMPARE(add("att", u"count"_s, u"long"_s),
             QStringList{u"Cette classe possède déjà un attribut de ce nom."_s});
    QCOMPARE(state(), before);

    // Loaded and written back, under a name in use too; the accessors follow name and type,
    // and the setter's replaced argument is freed.
    press("too_modAtt", "lis_attView", u"- count : int = 3"_s);
    QCOMPARE(shown("too_attMore") + shown("lin_attName") + shown("lin_attType")
                 + shown("lin_attDefValue"),
             u"<<countint3"_s);
    click("rad_attPublic");
    add("att", u"total"_s, u"long int"_s);
    press("too_modAtt", "lis_attView", u"- m_size : double = "_s);
    QCOMPARE(add("att", u"total"_s, u"double"_s), QStringList());
    // Of only the prefix, the accessors are "set" and "get"; of a name without it, the whole.
    const QStringList prefixOnly{u"+ set (value:int) : void"_s, u"+ get () : int"_s};
    const QString run = u"- run () : void"_s, prefixAtt = u"- m_ : int = "_s,
                  longAtt = u"+ total : long int = "_s, doubleAtt = u"- total : double = "_s;
    const QStringList methods =
        prefixOnly
        + QStringList{u"+ setTotal (total:long int) : void"_s, u"+ getTotal () : long int"_s, run};
    QCOMPARE(state(), QStringList({prefixAtt, longAtt, doubleAtt}) + methods
                          + QStringList({prefixAtt, doubleAtt, longAtt}) + methods);

    // Removing takes every attribute of the name and the accessors linked to them.
    press("too_attLess", "lis_attView", doubleAtt);
    const QStringList left = QStringList{prefixAtt} + prefixOnly + QStringList{run};
    QCOMPARE(state(), left + left);

    // A loaded setter keeps its first argument. It shows as public: written back so it stays
    // a setter; given another visibility it is an ordinary method, whose arguments may go.
    const QString setter = prefixOnly.constFirst(), value = u"value : int = "_s;
    press("too_modFct", "lis_fctView", setter);
    add("arg", u"extra"_s, u"bool"_s);
    const QStringList kept{u"Un accesseur « set » doit garder son argument."_s};
    QCOMPARE(press("too_argLess", "lis_argView", value)
                 << press("too_argLess", "lis_argView", u"extra : bool = "_s),
             kept);
    click("too_fctMore");
    press("too_modFct", "lis_fctView", setter);
    QCOMPARE(press("too_argLess", "lis_argView", value), kept);
    click("rad_fctPrivate");
    click("too_fctMore");
    press("too_modFct", "lis_fctView", u"- set (value:int) : void"_s);
    QCOMPARE(press("too_argLess", "lis_argView", value), QStringList());
    click("too_fctMore");

    // Loading a method ends the load of the previous one's argument: the next is new, and g's.
    add("lin_argDefValue", u"a"_s, u"int"_s);
    add("fct", u"f"_s, u"void"_s);
    add("fct", u"g"_s, u"void"_s);
    press("too_modFct", "lis_fctView", u"- f (a:int) : void"_s);
    press("too_modArg", "lis_argView", u"a : int = "_s);
    press("too_modFct", "lis_fctView", u"- g () : void"_s);
    QCOMPARE(shown("too_argMore") + shown("lin_argName"), u"+"_s);
    add("arg", u"b"_s, u"int"_s);
    click("too_fctMore");

    // The attribute takes its loaded setter and that one's loaded argument with it:
    // nothing is left loaded to write into, so new members go in as new.
    add("att", u"m_a"_s, u"int"_s);
    press("too_modFct", "lis_fctView", u"+ setA (a:int) : void"_s);
    press("too_modArg", "lis_argView", u"a : int = "_s);
    press("too_attLess", "lis_attView", u"- m_a : int = "_s);
    QCOMPARE(shown("too_attMore") + shown("too_fctMore") + shown("too_argMore"), u"+++"_s);
    add("arg", u"x"_s, u"int"_s);
    add("fct", u"go"_s, u"void"_s);
    QCOMPARE(
        model->methodLines() << lines("lis_fctView").constLast(),
        (QStringList{u"- set () : void"_s, u"+ get () : int"_s, run, u"- f (a:int) : void"_s,
                     u"- g (b:int) : void"_s, u"- go (x:int) : void"_s, u"- go (x:int) : void"_s}));
}

void TestClassEditor::keyboard()
{
    editor->openToAdd(model.get());
    QVERIFY(QTest::qWaitForWindowActive(editor.get()));
    // Tab: a group's fields in their order, its visibility, its "+", then its list.
    child("lin_fctName")->setFocus();
    for (const char *next : {"lin_fctType", "rad_fctPrivate", "too_fctMore", "lin_argName",
                             "lin_argType", "lin_argDefValue"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(next));
    }

    // Return in a field does what "+" does (the other tests add members so too), and gives
    // the focus to the group's first field, emptied.
    add("lin_argType", u"n"_s, u"int"_s);
    QVERIFY(QApplication::focusWidget() == child("lin_argName") && shown("lin_argName").isEmpty());
}

QTEST_MAIN(TestClassEditor)
#include "tst_classeditor.moc"
