// The link editor: labels by kind, the two exclusive choices, confirming.
#include "canvas/classitem.h"
#include "editors/linkeditor.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLinkEditor : public QObject
{
    Q_OBJECT

private slots:
    void choosing();
};

void TestLinkEditor::choosing()
{
    ClassItem a(nullptr), b(nullptr), c(nullptr);
    a.getModel()->setName(u"A"_s);
    b.getModel()->setName(u"B"_s);
    c.getModel()->setName(u"C"_s);
    LinkEditor editor;
    QStringList heard;
    connect(&editor, &LinkEditor::linkAdded, this, [&] { heard << u"added"_s; });
    connect(&editor, &LinkEditor::linkCanceled, this, [&] { heard << u"canceled"_s; });
    auto *one = editor.findChild<QComboBox *>(u"com_itemOne"_s);
    auto *two = editor.findChild<QComboBox *>(u"com_itemTwo"_s);
    const auto choose = [](QComboBox *combo, QChar name) {
        combo->setCurrentIndex(name == u'-' ? 0 : combo->findText(name));
    };
    // The entries of both boxes, "*" before the current one, "-" for the placeholder.
    const auto both = [&] {
        QString text;
        for (const QComboBox *combo : {one, two})
            for (int i = 0; i < combo->count(); ++i)
                text += QChar(i ? u',' : u' ') + (i == combo->currentIndex() ? u"*"_s : QString())
                        + combo->itemText(i);
        return text.mid(1).replace(u"< Sélectionnez >"_s, u"-"_s);
    };

    // Each row: the kind, adding or editing a link from A to B, the two names chosen ("-"
    // the placeholder), the signals heard, the names of master and slave afterwards. Each
    // kind follows another, so that every label must change; an edit rewrites the link.
    const char *labels[] = {
        "Héritage|Classe mère :|Classe fille :", "Agrégation|Classe contenant|Classe contenue",
        "Association|Classe contenue|Classe contenant"};
    LinkModel link;
    for (const QString &row : {u"0 add CA added CA"_s, u"1 add -B canceled "_s, u"2 edit AC  AC"_s,
                               u"0 edit C- canceled AB"_s}) {
        const QStringList parts = row.split(u' ');
        const bool edit = parts[1] == u"edit"_s;
        link.setType(parts[0].toInt());
        link.setMaster(edit ? &a : nullptr);
        link.setSlave(edit ? &b : nullptr);
        editor.openLink(&link, edit, {&a, &b, &c});
        QString shown = editor.findChild<QGroupBox *>(u"gro_link"_s)->title();
        for (const char *name : {"lab_itemOne", "lab_itemTwo", "pus_addMod"})
            shown +=
                u'|'
                + editor.findChild<QWidget *>(QLatin1String(name))->property("text").toString();
        QCOMPARE(shown + u' ' + both(),
                 QString::fromUtf8(labels[link.type()])
                     + (edit ? u"|Modifier -,*A,B,C -,A,*B,C"_s : u"|Ajouter *-,A,B,C *-,A,B,C"_s));
        choose(two, parts[2].at(1));
        choose(one, parts[2].at(0));
        heard.clear();
        QTest::mouseClick(editor.findChild<QPushButton *>(u"pus_addMod"_s), Qt::LeftButton);
        QVERIFY(!editor.isVisible());
        QCOMPARE(heard.join(u',') + u' ' + link.masterName() + link.slaveName(),
                 row.section(u' ', 3));
    }

    // A name chosen in one box leaves the other; moving one choice moves the exclusion and
    // keeps the other choice; the placeholder gives every name back.
    // Each step: the box, the name chosen in it, then both boxes.
    editor.openLink(&link, false, {&a, &b, &c});
    for (const QString &step : {u"1B -,A,*B,C *-,A,C"_s, u"2C -,A,*B -,A,*C"_s,
                                u"1A -,*A,B -,B,*C"_s, u"1- *-,A,B -,A,B,*C"_s}) {
        choose(step.at(0) == u'1' ? one : two, step.at(1));
        QCOMPARE(both(), step.mid(3));
    }
}

QTEST_MAIN(TestLinkEditor)
#include "tst_linkeditor.moc"
