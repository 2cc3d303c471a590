// The link editor: labels by kind, the two exclusive choices, confirming.
#include "canvas/classitem.h"
#include "editors/linkeditor.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestLinkEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void labels();
    void exclusion();
    void confirm_data();
    void confirm();

private:
    // The entries of a box, "*" before the current one, "-" for the placeholder.
    static QString entries(const QComboBox *combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << (i == combo->currentIndex() ? QStringLiteral("*") : QString())
                         + combo->itemText(i);
        return texts.join(u',').replace(QStringLiteral("< Sélectionnez >"), QStringLiteral("-"));
    }
    static void choose(QComboBox *combo, QChar name)
    {
        combo->setCurrentIndex(name == u'-' ? 0 : combo->findText(name));
    }
    QString both() const { return entries(one) + u' ' + entries(two); }

    ClassItem a{nullptr}, b{nullptr}, c{nullptr};
    std::unique_ptr<LinkEditor> editor;
    std::unique_ptr<LinkModel> link;
    QComboBox *one = nullptr;
    QComboBox *two = nullptr;
};

void TestLinkEditor::init()
{
    a.getModel()->setName(QStringLiteral("A"));
    b.getModel()->setName(QStringLiteral("B"));
    c.getModel()->setName(QStringLiteral("C"));
    editor = std::make_unique<LinkEditor>();
    link = std::make_unique<LinkModel>();
    one = editor->findChild<QComboBox *>(QStringLiteral("com_itemOne"));
    two = editor->findChild<QComboBox *>(QStringLiteral("com_itemTwo"));
}

void TestLinkEditor::labels()
{
    // Each kind after another, so that every text must change.
    const char *texts[] = {
        "Héritage|Classe mère :|Classe fille :", "Agrégation|Classe contenant|Classe contenue",
        "Association|Classe contenue|Classe contenant"};
    for (int type : {0, 1, 2, 0}) {
        link->setType(type);
        editor->openLink(link.get(), false, {&a, &b, &c});
        QString shown = editor->findChild<QGroupBox *>(QStringLiteral("gro_link"))->title();
        for (const char *name : {"lab_itemOne", "lab_itemTwo"})
            shown += u'|' + editor->findChild<QLabel *>(QLatin1String(name))->text();
        QCOMPARE(shown, QString::fromUtf8(texts[type]));
    }
}

void TestLinkEditor::exclusion()
{
    editor->openLink(link.get(), false, {&a, &b, &c});
    // A name chosen in one box leaves the other; the box chosen in keeps every name.
    choose(one, u'B');
    QCOMPARE(both(), QStringLiteral("-,A,*B,C *-,A,C"));
    choose(two, u'C');
    QCOMPARE(both(), QStringLiteral("-,A,*B -,A,*C"));
    // Moving one choice moves the exclusion and keeps the other choice.
    choose(one, u'A');
    QCOMPARE(entries(two), QStringLiteral("-,B,*C"));
    // The placeholder gives every name back.
    choose(one, u'-');
    QCOMPARE(entries(two), QStringLiteral("-,A,B,*C"));
}

void TestLinkEditor::confirm_data()
{
    QTest::addColumn<bool>("editMode"); // on a link from A to B
    // The two boxes ("-" the placeholder), the signals, master and slave afterwards.
    QTest::addColumn<QString>("outcome");
    QTest::newRow("add") << false << "CA:added CA";
    QTest::newRow("add, first empty") << false << "-B:canceled --";
    // An edit rewrites the link itself and asks the window for nothing.
    QTest::newRow("edit") << true << "AC: AC";
    QTest::newRow("edit, second empty") << true << "C-:canceled AB";
}

void TestLinkEditor::confirm()
{
    QFETCH(bool, editMode);
    QFETCH(QString, outcome);
    QStringList heard;
    connect(editor.get(), &LinkEditor::linkAdded, this, [&] { heard << QStringLiteral("added"); });
    connect(editor.get(), &LinkEditor::linkCanceled, this,
            [&] { heard << QStringLiteral("canceled"); });
    if (editMode) {
        link->setMaster(&a);
        link->setSlave(&b);
    }
    editor->openLink(link.get(), editMode, {&a, &b, &c});
    QCOMPARE(both(),
             editMode ? QStringLiteral("-,*A,B,C -,A,*B,C") : QStringLiteral("*-,A,B,C *-,A,B,C"));
    choose(two, outcome.at(1));
    choose(one, outcome.at(0));
    auto *button = editor->findChild<QPushButton *>(QStringLiteral("pus_addMod"));
    QCOMPARE(button->text(), editMode ? QStringLiteral("Modifier") : QStringLiteral("Ajouter"));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!editor->isVisible());
    QString ends;
    for (const ClassItem *end : {link->master(), link->slave()})
        ends += end ? end->getModel()->name() : QStringLiteral("-");
    QCOMPARE(heard.join(u',') + u' ' + ends, outcome.mid(3));
}

QTEST_MAIN(TestLinkEditor)
#include "tst_linkeditor.moc"
