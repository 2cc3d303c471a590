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
    void editModeOpening();
    void confirm_data();
    void confirm();
    void deleteAndClose();

private:
    // Opens on the link, in edit mode with A as master and B as slave.
    void open(bool editMode);
    ClassItem *box(QChar name) const { return m_classes.at(name.unicode() - 'A'); }

    std::unique_ptr<LinkEditor> m_editor;
    std::unique_ptr<LinkModel> m_link;
    QList<ClassItem *> m_classes;
    QComboBox *one = nullptr;
    QComboBox *two = nullptr;
};

void TestLinkEditor::initTestCase()
{
    // The spy on linkDeleted carries the model through a QVariant.
    qRegisterMetaType<LinkModel *>();
}

void TestLinkEditor::init()
{
    m_editor = std::make_unique<LinkEditor>();
    m_link = std::make_unique<LinkModel>();
    for (const char *name : {"A", "B", "C"}) {
        m_classes << new ClassItem(nullptr);
        m_classes.last()->getModel()->setName(QLatin1String(name));
    }
    one = m_editor->findChild<QComboBox *>(QStringLiteral("com_itemOne"));
    two = m_editor->findChild<QComboBox *>(QStringLiteral("com_itemTwo"));
    QVERIFY(one && two);
}

void TestLinkEditor::cleanup()
{
    m_editor.reset();
    m_link.reset();
    qDeleteAll(m_classes);
    m_classes.clear();
}

void TestLinkEditor::open(bool editMode)
{
    if (editMode) {
        m_link->setMaster(box(QLatin1Char('A')));
        m_link->setSlave(box(QLatin1Char('B')));
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

void TestLinkEditor::editModeOpening()
{
    open(true);
    QCOMPARE(m_editor->findChild<QPushButton *>(QStringLiteral("pus_addMod"))->text(),
             QStringLiteral("Modifier"));
    QVERIFY(!m_editor->findChild<QPushButton *>(QStringLiteral("pus_delete"))->isHidden());
    // Both boxes offer every name until the user changes one.
    QCOMPARE(entries(one), QStringLiteral("-,*A,B,C"));
    QCOMPARE(entries(two), QStringLiteral("-,A,*B,C"));

    // Back in add mode, everything starts afresh.
    m_editor->close();
    open(false);
    QCOMPARE(m_editor->findChild<QPushButton *>(QStringLiteral("pus_addMod"))->text(),
             QStringLiteral("Ajouter"));
    QVERIFY(m_editor->findChild<QPushButton *>(QStringLiteral("pus_delete"))->isHidden());
    QCOMPARE(entries(one), QStringLiteral("*-,A,B,C"));
}

void TestLinkEditor::confirm_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<QString>("chosen"); // the two boxes, "-" for the placeholder
    QTest::addColumn<QString>("signal");
    QTest::addColumn<QString>("ends"); // master and slave afterwards, "-" for none
    QTest::newRow("add") << false << "CA"
                         << "added"
                         << "CA";
    QTest::newRow("add, first empty") << false << "-B"
                                      << "canceled"
                                      << "--";
    QTest::newRow("add, second empty") << false << "A-"
                                       << "canceled"
                                       << "--";
    QTest::newRow("add, both empty") << false << "--"
                                     << "canceled"
                                     << "--";
    // An edit rewrites the link itself and asks the window for nothing.
    QTest::newRow("edit") << true << "AC"
                          << "none"
                          << "AC";
    QTest::newRow("edit, first empty") << true << "-C"
                                       << "canceled"
                                       << "AB";
    QTest::newRow("edit, second empty") << true << "C-"
                                        << "canceled"
                                        << "AB";
}

void TestLinkEditor::confirm()
{
    QFETCH(bool, editMode);
    QFETCH(QString, chosen);
    QFETCH(QString, signal);
    QFETCH(QString, ends);
    open(editMode);
    QSignalSpy added(m_editor.get(), &LinkEditor::linkAdded);
    QSignalSpy canceled(m_editor.get(), &LinkEditor::linkCanceled);
    QSignalSpy deleted(m_editor.get(), &LinkEditor::linkDeleted);
    // Named ends first, so that the exclusion cannot drop one.
    for (int i : {0, 1}) {
        if (chosen.at(i) != QLatin1Char('-'))
            choose(i == 0 ? one : two, chosen.at(i));
    }
    for (int i : {0, 1}) {
        if (chosen.at(i) == QLatin1Char('-'))
            choose(i == 0 ? one : two, QString());
    }
    QTest::mouseClick(m_editor->findChild<QPushButton *>(QStringLiteral("pus_addMod")),
                      Qt::LeftButton);

    QVERIFY(!m_editor->isVisible());
    QCOMPARE(added.count(), int(signal == QLatin1String("added")));
    QCOMPARE(canceled.count(), int(signal == QLatin1String("canceled")));
    QCOMPARE(deleted.count(), 0);
    const auto name = [](const ClassItem *item) {
        return item ? item->getModel()->name() : QStringLiteral("-");
    };
    QCOMPARE(name(m_link->master()) + name(m_link->slave()), ends);
}

void TestLinkEditor::deleteAndClose()
{
    open(true);
    QSignalSpy deleted(m_editor.get(), &LinkEditor::linkDeleted);
    QSignalSpy canceled(m_editor.get(), &LinkEditor::linkCanceled);
    m_editor->findChild<QPushButton *>(QStringLiteral("pus_delete"))->click();
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).value<LinkModel *>(), m_link.get());
    QVERIFY(!m_editor->isVisible());
    // Deleting is the window's job: the editor leaves the link alone.
    QCOMPARE(m_link->master(), box(QLatin1Char('A')));

    // Closing an edit is no cancellation; closing an addition abandons it. Neither
    // writes what the boxes show.
    open(true);
    choose(one, QStringLiteral("C"));
    QVERIFY(m_editor->close());
    QCOMPARE(canceled.count(), 0);
    QCOMPARE(m_link->master(), box(QLatin1Char('A')));
    std::unique_ptr<LinkModel> fresh = std::make_unique<LinkModel>();
    m_editor->openLink(fresh.get(), false, m_classes);
    choose(one, QStringLiteral("C"));
    choose(two, QStringLiteral("A"));
    QVERIFY(m_editor->close());
    QCOMPARE(canceled.count(), 1);
    QCOMPARE(fresh->master(), nullptr);
    QCOMPARE(deleted.count(), 1);
}

QTEST_MAIN(TestLinkEditor)
#include "tst_linkeditor.moc"
