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

using namespace Qt::StringLiterals;

class TestLinkEditor : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        a.getModel()->setName(u"A"_s);
        b.getModel()->setName(u"B"_s);
        c.getModel()->setName(u"C"_s);
        editor = std::make_unique<LinkEditor>();
        link = std::make_unique<LinkModel>();
        one = editor->findChild<QComboBox *>(u"com_itemOne"_s);
        two = editor->findChild<QComboBox *>(u"com_itemTwo"_s);
    }
    void labelsAndExclusion();
    void confirm_data();
    void confirm();

private:
    // The entries of both boxes, "*" before the current one, "-" for the placeholder.
    QString both() const
    {
        QStringList texts;
        for (const QComboBox *combo : {one, two}) {
            QStringList entries;
            for (int i = 0; i < combo->count(); ++i)
                entries << (i == combo->currentIndex() ? u"*"_s : QString()) + combo->itemText(i);
            texts << entries.join(u',');
        }
        return texts.join(u' ').replace(u"< Sélectionnez >"_s, u"-"_s);
    }
    static void choose(QComboBox *combo, QChar name)
    {
        combo->setCurrentIndex(name == u'-' ? 0 : combo->findText(name));
    }

    ClassItem a{nullptr}, b{nullptr}, c{nullptr};
    std::unique_ptr<LinkEditor> editor;
    std::unique_ptr<LinkModel> link;
    QComboBox *one = nullptr;
    QComboBox *two = nullptr;
};

void TestLinkEditor::labelsAndExclusion()
{
    // Each kind after another, so that every text must change.
    const char *texts[] = {
        "Héritage|Classe mère :|Classe fille :", "Agrégation|Classe contenant|Classe contenue",
        "Association|Classe contenue|Classe contenant"};
    for (int type : {0, 1, 2, 0}) {
        link->setType(type);
        editor->openLink(link.get(), false, {&a, &b, &c});
        QString shown = editor->findChild<QGroupBox *>(u"gro_link"_s)->title();
        for (const char *name : {"lab_itemOne", "lab_itemTwo"})
            shown += u'|' + editor->findChild<QLabel *>(QLatin1String(name))->text();
        QCOMPARE(shown, QString::fromUtf8(texts[type]));
    }

    // A name chosen in one box leaves the other; the box chosen in keeps every name.
    // Moving one choice moves the exclusion and keeps the other choice; the placeholder
    // gives every name back.
    // Each step: the box, the name chosen in it, then both boxes.
    for (const QString &step : {u"1B -,A,*B,C *-,A,C"_s, u"2C -,A,*B -,A,*C"_s,
                                u"1A -,*A,B -,B,*C"_s, u"1- *-,A,B -,A,B,*C"_s}) {
        choose(step.at(0) == u'1' ? one : two, step.at(1));
        QCOMPARE(both(), step.mid(3));
    }
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
    connect(editor.get(), &LinkEditor::linkAdded, this, [&] { heard << u"added"_s; });
    connect(editor.get(), &LinkEditor::linkCanceled, this, [&] { heard << u"canceled"_s; });
    if (editMode) {
        link->setMaster(&a);
        link->setSlave(&b);
    }
    editor->openLink(link.get(), editMode, {&a, &b, &c});
    auto *button = editor->findChild<QPushButton *>(u"pus_addMod"_s);
    QCOMPARE(both() + u' ' + button->text(),
             editMode ? u"-,*A,B,C -,A,*B,C Modifier"_s : u"*-,A,B,C *-,A,B,C Ajouter"_s);
    choose(two, outcome.at(1));
    choose(one, outcome.at(0));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!editor->isVisible());
    QString ends;
    for (const ClassItem *end : {link->master(), link->slave()})
        ends += end ? end->getModel()->name() : u"-"_s;
    QCOMPARE(heard.join(u',') + u' ' + ends, outcome.mid(3));
}

QTEST_MAIN(TestLinkEditor)
#include "tst_linkeditor.moc"
