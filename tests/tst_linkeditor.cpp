// The link editor: labels by kind, the two exclusive choices, confirming, deleting, closing.
#include "canvas/classitem.h"
#include "editors/linkeditor.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QString Placeholder = QStringLiteral("< Sélectionnez >");

// The entries of a box, "*" before the current one.
QString entries(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << (i == combo->currentIndex() ? QStringLiteral("*") : QString())
                     + combo->itemText(i);
    return texts.join(QLatin1Char(',')).replace(Placeholder, QStringLiteral("-"));
}

void choose(QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(text.isEmpty() ? 0 : combo->findText(text));
}

} // namespace

class TestLinkEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void labels_data();
    void labels();
    void exclusion();
    void confirm_data();
    void confirm();
    void editMode();

private:
    // Opens on the link, in edit mode with A as master and B as slave.
    void open(bool editMode);
    QPushButton *button(const char *name) const
    {
        return m_editor->findChild<QPushButton *>(QLatin1String(name));
    }
    QString ends() const
    {
        QString names;
        for (const ClassItem *end : {m_link->master(), m_link->slave()})
            names += end ? end->getModel()->name() : QStringLiteral("-");
        return names;
    }

    ClassItem a{nullptr}, b{nullptr}, c{nullptr};
    const QList<ClassItem *> m_classes{&a, &b, &c};
    std::unique_ptr<LinkEditor> m_editor;
    std::unique_ptr<LinkModel> m_link;
    QStringList m_signals; // what the editor told the window
    QComboBox *one = nullptr;
    QComboBox *two = nullptr;
};

void TestLinkEditor::initTestCase()
{
    a.getModel()->setName(QStringLiteral("A"));
    b.getModel()->setName(QStringLiteral("B"));
    c.getModel()->setName(QStringLiteral("C"));
}

void TestLinkEditor::init()
{
    m_editor = std::make_unique<LinkEditor>();
    m_link = std::make_unique<LinkModel>();
    one = m_editor->findChild<QComboBox *>(QStringLiteral("com_itemOne"));
    two = m_editor->findChild<QComboBox *>(QStringLiteral("com_itemTwo"));
    QVERIFY(one && two);
    connect(m_editor.get(), &LinkEditor::linkAdded, this,
            [this] { m_signals << QStringLiteral("added"); });
    connect(m_editor.get(), &LinkEditor::linkCanceled, this,
            [this] { m_signals << QStringLiteral("canceled"); });
    connect(m_editor.get(), &LinkEditor::linkDeleted, this, [this](LinkModel *link) {
        m_signals << (link == m_link.get() ? QStringLiteral("deleted")
                                           : QStringLiteral("deleted another"));
    });
}

void TestLinkEditor::cleanup()
{
    m_editor.reset();
    m_link.reset();
    m_signals.clear();
}

void TestLinkEditor::open(bool editMode)
{
    if (editMode) {
        m_link->setMaster(&a);
        m_link->setSlave(&b);
    }
    m_editor->openLink(m_link.get(), editMode, m_classes);
}

void TestLinkEditor::labels_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("texts");
    QTest::newRow("inheritance") << 0 << "Héritage|Classe mère :|Classe fille :";
    QTest::newRow("aggregation") << 1 << "Agrégation|Classe contenant|Classe contenue";
    QTest::newRow("association") << 2 << "Association|Classe contenue|Classe contenant";
}

void TestLinkEditor::labels()
{
    QFETCH(int, type);
    QFETCH(QString, texts);
    // Another kind first, so that every text must change.
    m_link->setType((type + 1) % 3);
    open(false);
    m_link->setType(type);
    open(false);
    const QString shown =
        m_editor->findChild<QGroupBox *>(QStringLiteral("gro_link"))->title() + QLatin1Char('|')
        + m_editor->findChild<QLabel *>(QStringLiteral("lab_itemOne"))->text() + QLatin1Char('|')
        + m_editor->findChild<QLabel *>(QStringLiteral("lab_itemTwo"))->text();
    QCOMPARE(shown, texts);
}

void TestLinkEditor::exclusion()
{
    open(false);
    QCOMPARE(entries(one), QStringLiteral("*-,A,B,C"));
    QCOMPARE(entries(two), QStringLiteral("*-,A,B,C"));

    // A name chosen in one box leaves the other; the box chosen in keeps every name.
    choose(one, QStringLiteral("B"));
    QCOMPARE(entries(one), QStringLiteral("-,A,*B,C"));
    QCOMPARE(entries(two), QStringLiteral("*-,A,C"));
    choose(two, QStringLiteral("C"));
    QCOMPARE(entries(one), QStringLiteral("-,A,*B"));
    QCOMPARE(entries(two), QStringLiteral("-,A,*C"));
    // Moving one choice moves the exclusion and keeps the other choice.
    choose(one, QStringLiteral("A"));
    QCOMPARE(entries(two), QStringLiteral("-,B,*C"));

    // The placeholder gives every name back.
    choose(one, QString());
    QCOMPARE(entries(two), QStringLiteral("-,A,B,*C"));
    choose(two, QString());
    QCOMPARE(entries(one), QStringLiteral("*-,A,B,C"));
}

void TestLinkEditor::confirm_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<QString>("chosen"); // the two boxes, "-" for the placeholder
    QTest::addColumn<QString>("signal");
    QTest::addColumn<QString>("ends"); // master and slave afterwards, "-" for none
    const auto row = [](const char *name, bool edit, const char *chosen, const char *signal,
                        const char *ends) {
        QTest::newRow(name) << edit << QString::fromLatin1(chosen) << QString::fromLatin1(signal)
                            << QString::fromLatin1(ends);
    };
    row("add", false, "CA", "added", "CA");
    row("add, first empty", false, "-B", "canceled", "--");
    row("add, second empty", false, "A-", "canceled", "--");
    row("add, both empty", false, "--", "canceled", "--");
    // An edit rewrites the link itself and asks the window for nothing.
    row("edit", true, "AC", "", "AC");
    row("edit, first empty", true, "-C", "canceled", "AB");
    row("edit, second empty", true, "C-", "canceled", "AB");
}

void TestLinkEditor::confirm()
{
    QFETCH(bool, editMode);
    QFETCH(QString, chosen);
    QFETCH(QString, signal);
    QFETCH(QString, ends);
    open(editMode);
    // Named ends first, so that the exclusion cannot drop one.
    for (bool named : {true, false}) {
        for (int i : {0, 1}) {
            if ((chosen.at(i) != QLatin1Char('-')) == named)
                choose(i == 0 ? one : two, named ? QString(chosen.at(i)) : QString());
        }
    }
    QTest::mouseClick(button("pus_addMod"), Qt::LeftButton);
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(m_signals.join(QLatin1Char(',')), signal);
    QCOMPARE(this->ends(), ends);
}

void TestLinkEditor::editMode()
{
    open(true);
    QCOMPARE(button("pus_addMod")->text(), QStringLiteral("Modifier"));
    QVERIFY(!button("pus_delete")->isHidden());
    // Both boxes offer every name until the user changes one.
    QCOMPARE(entries(one), QStringLiteral("-,*A,B,C"));
    QCOMPARE(entries(two), QStringLiteral("-,A,*B,C"));
    // Deleting is the window's job: the editor only asks for it.
    button("pus_delete")->click();
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(ends(), QStringLiteral("AB"));

    // Closing an edit is no cancellation and writes nothing.
    open(true);
    choose(one, QStringLiteral("C"));
    QVERIFY(m_editor->close());
    QCOMPARE(ends(), QStringLiteral("AB"));

    // Back in add mode everything starts afresh, and closing abandons the addition.
    auto fresh = std::make_unique<LinkModel>();
    m_editor->openLink(fresh.get(), false, m_classes);
    QCOMPARE(button("pus_addMod")->text(), QStringLiteral("Ajouter"));
    QVERIFY(button("pus_delete")->isHidden());
    QCOMPARE(entries(one), QStringLiteral("*-,A,B,C"));
    choose(one, QStringLiteral("C"));
    choose(two, QStringLiteral("A"));
    QVERIFY(m_editor->close());
    QCOMPARE(fresh->master(), nullptr);
    QCOMPARE(m_signals, (QStringList{QStringLiteral("deleted"), QStringLiteral("canceled")}));
}

QTEST_MAIN(TestLinkEditor)
#include "tst_linkeditor.moc"
