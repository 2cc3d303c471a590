// The link editor: labels by kind, the two exclusive choices, confirming, deleting, closing.
#include "canvas/classitem.h"
#include "editors/linkeditor.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

static const QString Placeholder = QStringLiteral("< Sélectionnez >");

class TestLinkEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void window();
    void labels_data();
    void labels();
    void addModeOpening();
    void choiceIsRemovedFromTheOtherBox();
    void choiceInSecondBoxIsRemovedFromTheFirst();
    void placeholderGivesEveryNameBack();
    void editModeOpening();
    void editModeOpeningOffersEveryName();
    void confirmAdd();
    void confirmWithPlaceholder_data();
    void confirmWithPlaceholder();
    void editRewritesSlave();
    void duplicateNamesTakeTheLastBox();
    void noClasses();
    void deleteInEditMode();
    void close_data();
    void close();
    void reopeningAfterEditStartsAfresh();

private:
    ClassItem *addClass(const QString &name);
    QStringList items(const QComboBox *combo) const;
    // Picks the entry by its text, as a user would in the drop-down list.
    void choose(QComboBox *combo, const QString &text) const;

    LinkEditor *editor = nullptr;
    LinkModel *link = nullptr;
    QList<ClassItem *> classes;
    QComboBox *one = nullptr;
    QComboBox *two = nullptr;
    QPushButton *addMod = nullptr;
    QPushButton *remove = nullptr;
};

ClassItem *TestLinkEditor::addClass(const QString &name)
{
    auto *item = new ClassItem(nullptr);
    item->getModel()->setName(name);
    classes.append(item);
    return item;
}

QStringList TestLinkEditor::items(const QComboBox *combo) const
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

void TestLinkEditor::choose(QComboBox *combo, const QString &text) const
{
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
}

void TestLinkEditor::initTestCase()
{
    // The spy on linkDeleted carries the model through a QVariant.
    qRegisterMetaType<LinkModel *>();
}

void TestLinkEditor::init()
{
    editor = new LinkEditor;
    link = new LinkModel;
    one = editor->findChild<QComboBox *>(QStringLiteral("com_itemOne"));
    two = editor->findChild<QComboBox *>(QStringLiteral("com_itemTwo"));
    addMod = editor->findChild<QPushButton *>(QStringLiteral("pus_addMod"));
    remove = editor->findChild<QPushButton *>(QStringLiteral("pus_delete"));
    QVERIFY(one && two && addMod && remove);
}

void TestLinkEditor::cleanup()
{
    delete editor;
    editor = nullptr;
    delete link;
    link = nullptr;
    qDeleteAll(classes);
    classes.clear();
}

void TestLinkEditor::window()
{
    QCOMPARE(editor->objectName(), QStringLiteral("LinkEditor"));
    QCOMPARE(editor->windowTitle(), QStringLiteral("Editeur de lien"));
    QCOMPARE(editor->windowModality(), Qt::ApplicationModal);
    QCOMPARE(editor->windowType(), Qt::Tool);
    QCOMPARE(editor->font().family(), QStringLiteral("Kalinga"));
    QVERIFY(!editor->isVisible());
    QCOMPARE(editor->maximumWidth(), 400);
    // The height stays fixed, unless the font in use needs more room than the cap gives.
    QCOMPARE(editor->maximumHeight(), qMax(132, editor->minimumSizeHint().height()));
}

void TestLinkEditor::labels_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("inheritance") << 0 << "Héritage"
                                 << "Classe mère :"
                                 << "Classe fille :";
    QTest::newRow("aggregation") << 1 << "Agrégation"
                                 << "Classe contenant"
                                 << "Classe contenue";
    QTest::newRow("association") << 2 << "Association"
                                 << "Classe contenue"
                                 << "Classe contenant";
}

void TestLinkEditor::labels()
{
    QFETCH(int, type);
    QFETCH(QString, title);
    QFETCH(QString, first);
    QFETCH(QString, second);

    auto *group = editor->findChild<QGroupBox *>(QStringLiteral("gro_link"));
    auto *labelOne = editor->findChild<QLabel *>(QStringLiteral("lab_itemOne"));
    auto *labelTwo = editor->findChild<QLabel *>(QStringLiteral("lab_itemTwo"));
    QVERIFY(group && labelOne && labelTwo);

    link->setType(type);
    editor->openLink(link, false, classes);
    QCOMPARE(group->title(), title);
    QCOMPARE(labelOne->text(), first);
    QCOMPARE(labelTwo->text(), second);

    // A kind the program never makes leaves the previous texts in place.
    link->setType(7);
    editor->openLink(link, false, classes);
    QCOMPARE(group->title(), title);
    QCOMPARE(labelOne->text(), first);
    QCOMPARE(labelTwo->text(), second);
}

void TestLinkEditor::addModeOpening()
{
    addClass(QStringLiteral("A"));
    addClass(QStringLiteral("B"));
    editor->openLink(link, false, classes);

    QVERIFY(editor->isVisible());
    QCOMPARE(editor->size(), QSize(331, 132).expandedTo(editor->minimumSizeHint()));
    QCOMPARE(addMod->text(), QStringLiteral("Ajouter"));
    QVERIFY(remove->isHidden());
    const QStringList all{Placeholder, QStringLiteral("A"), QStringLiteral("B")};
    QCOMPARE(items(one), all);
    QCOMPARE(items(two), all);
    QCOMPARE(one->currentIndex(), 0);
    QCOMPARE(two->currentIndex(), 0);
}

void TestLinkEditor::choiceIsRemovedFromTheOtherBox()
{
    addClass(QStringLiteral("A"));
    addClass(QStringLiteral("B"));
    addClass(QStringLiteral("C"));
    editor->openLink(link, false, classes);

    choose(one, QStringLiteral("B"));
    QCOMPARE(items(two), (QStringList{Placeholder, QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(two->currentText(), Placeholder);
    // The box that was chosen in keeps every name.
    QCOMPARE(items(one), (QStringList{Placeholder, QStringLiteral("A"), QStringLiteral("B"),
                                      QStringLiteral("C")}));

    choose(two, QStringLiteral("C"));
    QCOMPARE(items(one), (QStringList{Placeholder, QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(one->currentText(), QStringLiteral("B"));
    QCOMPARE(items(two), (QStringList{Placeholder, QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(two->currentText(), QStringLiteral("C"));

    // Changing the first choice moves the exclusion and keeps the second choice.
    choose(one, QStringLiteral("A"));
    QCOMPARE(items(two), (QStringList{Placeholder, QStringLiteral("B"), QStringLiteral("C")}));
    QCOMPARE(two->currentText(), QStringLiteral("C"));
}

void TestLinkEditor::choiceInSecondBoxIsRemovedFromTheFirst()
{
    addClass(QStringLiteral("A"));
    addClass(QStringLiteral("B"));
    addClass(QStringLiteral("C"));
    editor->openLink(link, false, classes);

    choose(two, QStringLiteral("A"));
    QCOMPARE(items(one), (QStringList{Placeholder, QStringLiteral("B"), QStringLiteral("C")}));
    QCOMPARE(one->currentText(), Placeholder);
}

void TestLinkEditor::placeholderGivesEveryNameBack()
{
    addClass(QStringLiteral("A"));
    addClass(QStringLiteral("B"));
    addClass(QStringLiteral("C"));
    const QStringList all{Placeholder, QStringLiteral("A"), QStringLiteral("B"),
                          QStringLiteral("C")};
    editor->openLink(link, false, classes);

    choose(one, QStringLiteral("B"));
    choose(two, QStringLiteral("C"));
    one->setCurrentIndex(0);
    QCOMPARE(items(two), all);
    QCOMPARE(two->currentText(), QStringLiteral("C"));

    two->setCurrentIndex(0);
    QCOMPARE(items(one), all);
    QCOMPARE(one->currentIndex(), 0);
}

void TestLinkEditor::editModeOpening()
{
    ClassItem *a = addClass(QStringLiteral("A"));
    ClassItem *b = addClass(QStringLiteral("B"));
    addClass(QStringLiteral("C"));
    link->setMaster(a);
    link->setSlave(b);
    editor->openLink(link, true, classes);

    QVERIFY(editor->isVisible());
    QCOMPARE(addMod->text(), QStringLiteral("Modifier"));
    QVERIFY(!remove->isHidden());
    QCOMPARE(one->currentText(), QStringLiteral("A"));
    QCOMPARE(two->currentText(), QStringLiteral("B"));
}

void TestLinkEditor::editModeOpeningOffersEveryName()
{
    ClassItem *a = addClass(QStringLiteral("A"));
    ClassItem *b = addClass(QStringLiteral("B"));
    addClass(QStringLiteral("C"));
    const QStringList all{Placeholder, QStringLiteral("A"), QStringLiteral("B"),
                          QStringLiteral("C")};
    link->setMaster(a);
    link->setSlave(b);
    editor->openLink(link, true, classes);

    QCOMPARE(items(one), all);
    QCOMPARE(items(two), all);

    // Until the user changes one of them: then the exclusion applies again.
    choose(two, QStringLiteral("C"));
    QCOMPARE(items(one), (QStringList{Placeholder, QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(one->currentText(), QStringLiteral("A"));
    QCOMPARE(items(two), all);
}

void TestLinkEditor::confirmAdd()
{
    ClassItem *a = addClass(QStringLiteral("A"));
    addClass(QStringLiteral("B"));
    ClassItem *c = addClass(QStringLiteral("C"));
    link->setType(LinkModel::Aggregation);
    editor->openLink(link, false, classes);
    QSignalSpy added(editor, &LinkEditor::linkAdded);
    QSignalSpy canceled(editor, &LinkEditor::linkCanceled);

    choose(one, QStringLiteral("C"));
    choose(two, QStringLiteral("A"));
    QTest::mouseClick(addMod, Qt::LeftButton);

    QCOMPARE(added.count(), 1);
    QCOMPARE(canceled.count(), 0);
    QVERIFY(!editor->isVisible());
    QCOMPARE(link->master(), c);
    QCOMPARE(link->slave(), a);
    QCOMPARE(link->type(), int(LinkModel::Aggregation));
}

void TestLinkEditor::confirmWithPlaceholder_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("add, first empty") << false << QString() << "B";
    QTest::newRow("add, second empty") << false << "A" << QString();
    QTest::newRow("add, both empty") << false << QString() << QString();
    QTest::newRow("edit, first empty") << true << QString() << "C";
    QTest::newRow("edit, second empty") << true << "C" << QString();
}

void TestLinkEditor::confirmWithPlaceholder()
{
    QFETCH(bool, editMode);
    QFETCH(QString, first);
    QFETCH(QString, second);

    ClassItem *a = addClass(QStringLiteral("A"));
    ClassItem *b = addClass(QStringLiteral("B"));
    addClass(QStringLiteral("C"));
    if (editMode) {
        link->setMaster(a);
        link->setSlave(b);
    }
    editor->openLink(link, editMode, classes);
    QSignalSpy added(editor, &LinkEditor::linkAdded);
    QSignalSpy canceled(editor, &LinkEditor::linkCanceled);
    QSignalSpy deleted(editor, &LinkEditor::linkDeleted);

    // Set the named end first, then put the other one on the placeholder.
    if (!first.isEmpty())
        choose(one, first);
    if (!second.isEmpty())
        choose(two, second);
    if (first.isEmpty())
        one->setCurrentIndex(0);
    if (second.isEmpty())
        two->setCurrentIndex(0);
    QTest::mouseClick(addMod, Qt::LeftButton);

    QCOMPARE(canceled.count(), 1);
    QCOMPARE(added.count(), 0);
    QCOMPARE(deleted.count(), 0);
    QVERIFY(!editor->isVisible());
    QCOMPARE(link->master(), editMode ? a : nullptr);
    QCOMPARE(link->slave(), editMode ? b : nullptr);
}

void TestLinkEditor::editRewritesSlave()
{
    ClassItem *a = addClass(QStringLiteral("A"));
    ClassItem *b = addClass(QStringLiteral("B"));
    ClassItem *c = addClass(QStringLiteral("C"));
    link->setType(LinkModel::Association);
    link->setMaster(a);
    link->setSlave(b);
    editor->openLink(link, true, classes);
    QSignalSpy added(editor, &LinkEditor::linkAdded);
    QSignalSpy canceled(editor, &LinkEditor::linkCanceled);
    QSignalSpy deleted(editor, &LinkEditor::linkDeleted);

    choose(two, QStringLiteral("C"));
    QTest::mouseClick(addMod, Qt::LeftButton);

    QCOMPARE(link->master(), a);
    QCOMPARE(link->slave(), c);
    QVERIFY(!editor->isVisible());
    QCOMPARE(added.count(), 0);
    QCOMPARE(canceled.count(), 0);
    QCOMPARE(deleted.count(), 0);
}

void TestLinkEditor::duplicateNamesTakeTheLastBox()
{
    // Two of the same name side by side, so that the removal meets an entry that has just
    // moved into the place of a removed one.
    addClass(QStringLiteral("A"));
    addClass(QStringLiteral("A"));
    ClassItem *b = addClass(QStringLiteral("B"));
    ClassItem *lastA = addClass(QStringLiteral("A"));
    editor->openLink(link, false, classes);

    // Every entry of the chosen name leaves the other box.
    choose(one, QStringLiteral("A"));
    QCOMPARE(items(two), (QStringList{Placeholder, QStringLiteral("B")}));
    choose(two, QStringLiteral("B"));
    QTest::mouseClick(addMod, Qt::LeftButton);
    QCOMPARE(link->master(), lastA);
    QCOMPARE(link->slave(), b);

    // In edit mode the last entry bearing the name is the one made current.
    editor->openLink(link, true, classes);
    QCOMPARE(one->currentIndex(), 4);
    QCOMPARE(two->currentIndex(), 3);
}

void TestLinkEditor::noClasses()
{
    editor->openLink(link, false, classes);
    QCOMPARE(items(one), QStringList{Placeholder});
    QCOMPARE(items(two), QStringList{Placeholder});

    QSignalSpy added(editor, &LinkEditor::linkAdded);
    QSignalSpy canceled(editor, &LinkEditor::linkCanceled);
    QTest::mouseClick(addMod, Qt::LeftButton);
    QCOMPARE(canceled.count(), 1);
    QCOMPARE(added.count(), 0);
    QCOMPARE(link->master(), nullptr);
    QCOMPARE(link->slave(), nullptr);
}

void TestLinkEditor::deleteInEditMode()
{
    ClassItem *a = addClass(QStringLiteral("A"));
    ClassItem *b = addClass(QStringLiteral("B"));
    link->setMaster(a);
    link->setSlave(b);
    editor->openLink(link, true, classes);
    QSignalSpy deleted(editor, &LinkEditor::linkDeleted);
    QSignalSpy canceled(editor, &LinkEditor::linkCanceled);

    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).value<LinkModel *>(), link);
    QCOMPARE(canceled.count(), 0);
    QVERIFY(!editor->isVisible());
    // The editor deletes nothing and leaves the ends alone.
    QCOMPARE(link->master(), a);
    QCOMPARE(link->slave(), b);
}

void TestLinkEditor::close_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<int>("canceled");
    QTest::newRow("add") << false << 1;
    QTest::newRow("edit") << true << 0;
}

void TestLinkEditor::close()
{
    QFETCH(bool, editMode);
    QFETCH(int, canceled);

    ClassItem *a = addClass(QStringLiteral("A"));
    ClassItem *b = addClass(QStringLiteral("B"));
    if (editMode) {
        link->setMaster(a);
        link->setSlave(b);
    }
    editor->openLink(link, editMode, classes);
    choose(one, QStringLiteral("B"));
    choose(two, QStringLiteral("A"));
    QSignalSpy added(editor, &LinkEditor::linkAdded);
    QSignalSpy canceledSpy(editor, &LinkEditor::linkCanceled);
    QSignalSpy deleted(editor, &LinkEditor::linkDeleted);

    QVERIFY(editor->close());
    QVERIFY(!editor->isVisible());
    QCOMPARE(canceledSpy.count(), canceled);
    QCOMPARE(added.count(), 0);
    QCOMPARE(deleted.count(), 0);
    // Closing writes nothing, whatever the boxes show.
    QCOMPARE(link->master(), editMode ? a : nullptr);
    QCOMPARE(link->slave(), editMode ? b : nullptr);
}

void TestLinkEditor::reopeningAfterEditStartsAfresh()
{
    ClassItem *a = addClass(QStringLiteral("A"));
    ClassItem *b = addClass(QStringLiteral("B"));
    link->setMaster(a);
    link->setSlave(b);
    editor->openLink(link, true, classes);
    editor->close();

    auto *fresh = new LinkModel;
    editor->openLink(fresh, false, classes);
    QCOMPARE(addMod->text(), QStringLiteral("Ajouter"));
    QVERIFY(remove->isHidden());
    QCOMPARE(one->currentIndex(), 0);
    QCOMPARE(two->currentIndex(), 0);
    QSignalSpy canceled(editor, &LinkEditor::linkCanceled);
    editor->close();
    // Back in add mode, closing is an abandon again.
    QCOMPARE(canceled.count(), 1);
    delete fresh;
}

QTEST_MAIN(TestLinkEditor)
#include "tst_linkeditor.moc"
