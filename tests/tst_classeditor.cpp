// The class editor driven through its widgets: class fields, member editing, and what
// becomes of loaded members and argument records when their owners go.
#include "canvas/classitem.h"
#include "editors/classeditor.h"
#include "model/argatt.h"
#include "model/function.h"
#include "testsupport/modalanswerer.h"

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

namespace {

QString error(const QString &icon, const QString &text)
{
    return icon + u" | Erreur | "_s + text + u" | Ok"_s;
}

const QString keepArgument =
    error(u"Warning"_s, u"Un accesseur « set » doit garder son argument."_s);

// Runs an action, pressing `button` in every box it opens, and tells what they showed.
QStringList answering(const std::function<void()> &action,
                      QMessageBox::StandardButton button = QMessageBox::Ok)
{
    ModalAnswerer answerer;
    for (int i = 0; i < 3; ++i)
        answerer.answerMessageBox(button);
    action();
    QStringList shown;
    for (const ModalAnswerer::Seen &seen : answerer.seen())
        shown.append(seen.summary());
    return shown;
}

} // namespace

class TestClassEditor : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        prefix = u"m_"_s;
        autoSetGet = true;
        editor = std::make_unique<ClassEditor>(nullptr, &prefix, &autoSetGet);
        model = std::make_unique<ClassModel>();
    }
    void cleanup()
    {
        editor.reset();
        model.reset();
    }

    void nameFields();
    void classLifecycle();
    void confirmEditedClass_data();
    void confirmEditedClass();
    void refusals_data();
    void refusals();
    void accessors_data();
    void accessors();
    void attributeWriteBackAndRemoval();
    void methodsAndArguments();
    void setterKeepsItsArgument();
    void destroyedLoadedMember_data();
    void destroyedLoadedMember();
    void closingKeepsMemberChangesAndFitsTheBox();

private:
    template<class T = QWidget>
    T *child(const char *name) const
    {
        return editor->findChild<T *>(QLatin1String(name));
    }
    QString shown(const QByteArray &name) const
    {
        if (auto *edit = child<QLineEdit>(name))
            return edit->text();
        return child<QAbstractButton>(name)->text();
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

void TestClassEditor::nameFields()
{
    editor->openToAdd(model.get());
    // Names become C++ identifiers: digits, blanks and accents are refused, typed or pasted.
    for (const char *name :
         {"lin_name", "lin_attName", "lin_fctName", "lin_argName", "lin_parentClass"}) {
        fill(name, u"x2 ~Foo_m"_s);
        child<QLineEdit>(name)->insert(u"é"_s);
        QCOMPARE(shown(name), u"x~Foo_m"_s);
    }
    add("att", u"m_x"_s, u"unsigned int"_s, u"0"_s); // types and values are free text
    QCOMPARE(model->attributeLines(), QStringList{u"- m_x : unsigned int = 0"_s});
}

void TestClassEditor::classLifecycle()
{
    model->setName(u"Shape"_s);
    model->addAttribute(new ArgAtt(u"m_x"_s, u"int"_s, u"0"_s, 0));
    model->addMethod(new Function(u"run"_s, u"void"_s, 1, {}));
    editor->openToEdit(model.get());
    QCOMPARE(editor->windowTitle(), u"Editer la classes - Shape"_s);
    QCOMPARE(shown("com_addModClass") + u'|' + shown("com_deleteClass"),
             u"Modifier Shape|Supprimer Shape"_s);
    QVERIFY(child("com_deleteClass")->isVisible());

    // The receiver of the signal deletes the class: nothing of it, loaded members
    // included, is touched afterwards (the sanitizer run checks).
    QVERIFY(press("too_modAtt", "lis_attView", u"- m_x : int = 0"_s));
    QVERIFY(press("too_modFct", "lis_fctView", u"+ run () : void"_s));
    add("arg", u"a"_s, u"int"_s);
    QSignalSpy deleted(editor.get(), &ClassEditor::classCanceled);
    click("com_deleteClass");
    QCOMPARE(deleted.value(0).value(0).value<ClassModel *>(), model.get());
    QVERIFY(!editor->isVisible());
    model = std::make_unique<ClassModel>();
    QVERIFY(editor->close());

    editor->openToAdd(model.get());
    QCOMPARE(editor->windowTitle(), u"Ajouter une nouvelle classe"_s);
    QCOMPARE(shown("com_addModClass"), u"Ajouter la nouvelle classe"_s);
    QVERIFY(!child("com_deleteClass")->isVisible());
    QCOMPARE(shown("too_attMore") + shown("too_fctMore") + shown("too_argMore"), u"+++"_s);
    add("fct", u"go"_s, u"void"_s); // without the arguments composed before
    QCOMPARE(state(), (QStringList{u"- go () : void"_s, u"- go () : void"_s}));

    QSignalSpy added(editor.get(), &ClassEditor::addClass);
    QSignalSpy canceled(editor.get(), &ClassEditor::addCanceled);
    QCOMPARE(answering([&] { click("com_addModClass"); }),
             QStringList{error(u"Warning"_s, u"Vous n'avez pas donné de nom à votre classe."_s)});
    QVERIFY(editor->isVisible());
    QVERIFY(editor->close());
    QCOMPARE(canceled.size(), 1);
    editor->openToAdd(model.get());
    fill("lin_name", u"Shape"_s);
    fill("lin_parentClass", u"Base"_s);
    click("com_addModClass");
    QCOMPARE(added.size(), 1);
    QCOMPARE(canceled.size(), 1);
    QVERIFY(!editor->isVisible());
    QCOMPARE(model->name() + u'|' + model->parentName(), u"Shape|Base"_s);
    QCOMPARE(model->lineCount(), 2); // sized: the name and the method
    add("arg", u"b"_s, u"int"_s);    // still pending when the editor goes
}

void TestClassEditor::confirmEditedClass_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QString>("reopened");
    QTest::addColumn<QString>("comment");
    QTest::newRow("blank kept") << u"QString; QList"_s << QStringList{u"QString"_s, u" QList"_s}
                                << u"QString; QList;"_s << u"<b>note</b>"_s;
    QTest::newRow("empty parts dropped")
        << u"QString;;QList;"_s << QStringList{u"QString"_s, u"QList"_s} << u"QString;QList;"_s
        << u"Holds QList<int> values"_s;
}

void TestClassEditor::confirmEditedClass()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, stored);
    QFETCH(QString, reopened);
    QFETCH(QString, comment);
    model->setName(u"Shape"_s);
    model->setComment(comment); // plain text, however much it looks like markup
    editor->openToEdit(model.get());
    QCOMPARE(child<QTextEdit>("tex_comment")->toPlainText(), comment);
    fill("lin_name", u"Polygon"_s);
    fill("lin_include", typed);
    QSignalSpy added(editor.get(), &ClassEditor::addClass);
    click("com_addModClass");
    QCOMPARE(added.size(), 0);
    QCOMPARE(model->name() + u'|' + model->comment(), u"Polygon|"_s + comment);
    QCOMPARE(model->includes(), stored);
    editor->openToEdit(model.get());
    QCOMPARE(shown("lin_include"), reopened);
}

void TestClassEditor::refusals_data()
{
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("boxes");
    const auto row = [](const char *tag, const char *group, const QString &name,
                        const QString &type, const QStringList &boxes) {
        QTest::newRow(tag) << QByteArray(group) << name << type << boxes;
    };
    row("attribute without name and type", "att", {}, {},
        {error(u"Information"_s, u"Vous n'avez pas donné de nom à l'attribut."_s),
         error(u"Information"_s, u"Vous n'avez pas donné de type à l'attribut."_s)});
    row("attribute name in use", "att", u"m_x"_s, u"int"_s,
        {error(u"Information"_s, u"Cette classe possède déjà un attribut de ce nom."_s)});
    row("method without name", "fct", {}, u"int"_s,
        {error(u"Warning"_s, u"Vous n'avez pas entrez de nom pour votre fonction."_s)});
    row("method name in use", "fct", u"run"_s, u"int"_s,
        {error(u"Warning"_s, u"Une de vos fonctions possède déjà ce nom"_s)});
    row("argument without name and type", "arg", {}, {},
        {error(u"Warning"_s, u"Vous n'avez pas entrez de nom pour votre argument."_s)});
    row("argument without type", "arg", u"b"_s, {},
        {error(u"Warning"_s, u"Vous n'avez pas donné de type à votre argument"_s)});
    row("argument name in use", "arg", u"a"_s, u"int"_s,
        {error(u"Warning"_s, u"Un des arguments de cette fonction possède déjà ce nom."_s)});
}

void TestClassEditor::refusals()
{
    QFETCH(QByteArray, group);
    QFETCH(QString, name);
    QFETCH(QString, type);
    QFETCH(QStringList, boxes);
    editor->openToAdd(model.get());
    add("att", u"m_x"_s, u"int"_s);
    add("fct", u"run"_s, u"void"_s);
    add("arg", u"a"_s, u"int"_s);
    const QStringList before = state();
    QCOMPARE(answering([&] { add(group, name, type); }), boxes);
    QCOMPARE(state(), before);
    QCOMPARE(shown("lin_" + group + "Name"), name); // kept for the user to correct
}

void TestClassEditor::accessors_data()
{
    QTest::addColumn<QString>("attPrefix");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("answer"); // to the question; none when accessors are automatic
    QTest::addColumn<QStringList>("methods");
    const QStringList count{u"+ setCount (count:int) : void"_s, u"+ getCount () : int"_s};
    QTest::newRow("prefix taken off") << u"m_"_s << u"m_count"_s << 0 << count;
    QTest::newRow("name without the prefix")
        << u"m_"_s << u"count"_s << 0
        << QStringList{u"+ setUnt (unt:int) : void"_s, u"+ getUnt () : int"_s};
    QTest::newRow("empty prefix") << QString() << u"count"_s << 0 << count;
    QTest::newRow("name no longer than the prefix")
        << u"m_"_s << u"x"_s << 0
        << QStringList{u"+ set (value:int) : void"_s, u"+ get () : int"_s};
    QTest::newRow("asked, yes") << u"m_"_s << u"m_count"_s << int(QMessageBox::Yes) << count;
    QTest::newRow("asked, no") << u"m_"_s << u"m_count"_s << int(QMessageBox::No) << QStringList();
}

void TestClassEditor::accessors()
{
    QFETCH(QString, attPrefix);
    QFETCH(QString, name);
    QFETCH(int, answer);
    QFETCH(QStringList, methods);
    prefix = attPrefix; // both read when used, not when the editor was built
    autoSetGet = answer == 0;
    editor->openToAdd(model.get());
    const QString question = u"Question | Méthodes << Set >> - << Get >> | Voulez-vous que VNL "
                             "génère automatiquement les fonctions d'accessions ? | Yes|No"_s;
    QCOMPARE(
        answering([&] { add("att", name, u"int"_s, u"5"_s); }, QMessageBox::StandardButton(answer)),
        autoSetGet ? QStringList() : QStringList{question});
    QCOMPARE(lines("lis_fctView"), methods);
    QCOMPARE(model->methodLines(), methods);
    const QList<Function *> accessors = model->methods();
    for (int i = 0; i < accessors.size(); ++i) {
        QCOMPARE(accessors.at(i)->range(), i == 0 ? ArgAtt::Setter : ArgAtt::Getter);
        QCOMPARE(accessors.at(i)->linkedAtt(), model->attributes().first());
    }
}

void TestClassEditor::attributeWriteBackAndRemoval()
{
    editor->openToAdd(model.get());
    add("att", u"m_count"_s, u"int"_s);
    add("att", u"m_size"_s, u"double"_s);
    add("fct", u"run"_s, u"void"_s);
    ArgAtt *count = model->attributes().first();
    QVERIFY(press("too_modAtt", "lis_attView", u"- m_count : int = "_s));
    QCOMPARE(shown("too_attMore") + shown("lin_attName") + shown("lin_attType"), u"<<m_countint"_s);
    child<QRadioButton>("rad_attPublic")->setChecked(true);
    add("att", u"m_total"_s, u"long int"_s);
    QCOMPARE(model->attributes().first(), count);
    QCOMPARE(model->methods().first()->linkedAtt(), count);

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

void TestClassEditor::methodsAndArguments()
{
    editor->openToAdd(model.get());
    add("arg", u"a"_s, u"int"_s, u"1"_s);
    add("arg", u"b"_s, u"double"_s);
    QVERIFY(model->methods().isEmpty()); // arguments wait for their method
    child<QRadioButton>("rad_fctProtected")->setChecked(true);
    add("fct", u"mix"_s, u"float"_s);
    add("fct", u"run"_s, QString());
    const QStringList added{u"# mix (a:int, b:double) : float"_s, u"- run () : "_s};
    QCOMPARE(state(), added + added);

    add("arg", u"dropped"_s, u"int"_s); // a composition that loading a method replaces
    QVERIFY(press("too_modFct", "lis_fctView", u"# mix (a:int, b:double) : float"_s));
    QCOMPARE(lines("lis_argView"), (QStringList{u"a : int = 1"_s, u"b : double = "_s}));
    QCOMPARE(shown("lin_fctName") + u':' + shown("lin_fctType"), u"mix:float"_s);
    // The loaded method loses a removed argument at once.
    QVERIFY(press("too_argLess", "lis_argView", u"b : double = "_s));
    QCOMPARE(model->methodLines().first(), u"# mix (a:int) : float"_s);

    // Argument and method written back under names in use keep their places.
    add("arg", u"c"_s, u"bool"_s);
    QVERIFY(press("too_modArg", "lis_argView", u"a : int = 1"_s));
    QCOMPARE(shown("lin_argName") + shown("lin_argType") + shown("lin_argDefValue"), u"aint1"_s);
    QCOMPARE(answering([&] {
                 add("arg", u"c"_s, u"int"_s, u"1"_s);
                 add("fct", u"run"_s, u"double"_s);
             }),
             QStringList());
    QCOMPARE(state(), (QStringList{u"- run () : "_s, u"# run (c:int, c:bool) : double"_s,
                                   u"# run (c:int, c:bool) : double"_s, u"- run () : "_s}));

    // Every method of the name goes.
    QVERIFY(press("too_fctLess", "lis_fctView", u"- run () : "_s));
    QCOMPARE(state(), QStringList());
}

void TestClassEditor::setterKeepsItsArgument()
{
    editor->openToAdd(model.get());
    add("att", u"m_count"_s, u"int"_s);
    QVERIFY(press("too_modFct", "lis_fctView", u"+ setCount (count:int) : void"_s));
    QVERIFY(press("too_modArg", "lis_argView", u"count : int = "_s));
    add("arg", u"count"_s, u"int"_s);
    add("arg", u"extra"_s, u"bool"_s);
    const auto removing = [this](const QString &line) {
        return answering([&] { press("too_argLess", "lis_argView", line); });
    };
    QCOMPARE(removing(u"count : int = "_s), QStringList{keepArgument});
    QCOMPARE(removing(u"extra : bool = "_s), QStringList());

    // Its attribute written back meanwhile, the setter holds a new argument; the
    // composition keeps the old one, which is still the one to keep and to write back.
    QVERIFY(press("too_modAtt", "lis_attView", u"- m_count : int = "_s));
    add("att", u"m_total"_s, u"int"_s);
    Function *setter = model->methods().first();
    QCOMPARE(setter->umlText(), u"+ setTotal (total:int) : void"_s);
    QCOMPARE(removing(u"count : int = "_s), QStringList{keepArgument});
    click("too_fctMore");
    QCOMPARE(setter->umlText(), u"- setCount (count:int) : void"_s);

    // Written back with a visibility it is an ordinary method, whose arguments may go.
    QVERIFY(press("too_modFct", "lis_fctView", u"- setCount (count:int) : void"_s));
    QCOMPARE(removing(u"count : int = "_s), QStringList());
    QCOMPARE(setter->umlText(), u"- setCount () : void"_s);
}

void TestClassEditor::destroyedLoadedMember_data()
{
    QTest::addColumn<int>("scenario");
    QTest::addColumn<QStringList>("methods");
    const QString run = u"- run (x:int) : void"_s, go = u"- go (z:int) : void"_s;
    QTest::newRow("attribute removed through another of its name") << 0 << QStringList{run, go};
    QTest::newRow("accessor removed with its attribute") << 1 << QStringList{run, go};
    QTest::newRow("method removed through a line shown again")
        << 2 << QStringList{u"+ setA (a:int) : void"_s, u"+ getA () : int"_s, go};
}

void TestClassEditor::destroyedLoadedMember()
{
    QFETCH(int, scenario);
    QFETCH(QStringList, methods);
    prefix = QString();
    editor->openToAdd(model.get());
    add("att", u"a"_s, u"int"_s);
    add("arg", u"x"_s, u"int"_s);
    add("fct", u"run"_s, u"void"_s);
    if (scenario == 0) {
        add("att", u"b"_s, u"double"_s);
        QVERIFY(press("too_modAtt", "lis_attView", u"- b : double = "_s));
        add("att", u"a"_s, u"double"_s);
        QVERIFY(press("too_modAtt", "lis_attView", u"- a : int = "_s));
        QVERIFY(press("too_attLess", "lis_attView", u"- a : double = "_s));
    } else if (scenario == 1) {
        QVERIFY(press("too_modFct", "lis_fctView", u"+ setA (a:int) : void"_s));
        QVERIFY(press("too_modArg", "lis_argView", u"a : int = "_s));
        QVERIFY(press("too_attLess", "lis_attView", u"- a : int = "_s));
    } else {
        QVERIFY(press("too_modFct", "lis_fctView", u"- run (x:int) : void"_s));
        QVERIFY(press("too_modArg", "lis_argView", u"x : int = "_s));
        // Writing an attribute back lists every method again, the loaded one too.
        QVERIFY(press("too_modAtt", "lis_attView", u"- a : int = "_s));
        click("too_attMore");
        QVERIFY(press("too_fctLess", "lis_fctView", u"- run (x:int) : void"_s));
    }
    QCOMPARE(shown("too_attMore") + shown("too_fctMore") + shown("too_argMore"), u"+++"_s);
    // Nothing is left loaded to write into: new members go in as new.
    add("arg", u"z"_s, u"int"_s);
    add("fct", u"go"_s, u"void"_s);
    add("att", u"c"_s, u"int"_s);
    QCOMPARE(model->attributeLines().last(), u"- c : int = "_s);
    QCOMPARE(model->methodLines(),
             methods + (QStringList{u"+ setC (c:int) : void"_s, u"+ getC () : int"_s}));
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

QTEST_MAIN(TestClassEditor)
#include "tst_classeditor.moc"
