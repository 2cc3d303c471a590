// The preferences dialog: filling it from the record, defaults, cancel and apply.
#include "persistence/cfg.h"
#include "testsupport/modalanswerer.h"
#include "windows/cfgeditor.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Every field of a record, in one comparable line.
static QString recordState(Cfg &cfg)
{
    QStringList parts;
    for (int number : std::initializer_list<int>{
             cfg.autoSave(), cfg.askForClose(), cfg.wellWin(), *cfg.autoAddSetGetFct(),
             cfg.actionBar(), cfg.itemBar(), cfg.actionBarIconSize(), cfg.itemBarIconSize()})
        parts << QString::number(number);
    return (parts << cfg.language() << *cfg.prefixe() << cfg.font()->family()).join(u' ');
}

class TestCfgEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void formShowsAndAppliesTheRecord();
    void defaultsThenCancel();

private:
    QAbstractButton *button(const char *name) const
    {
        return editor->findChild<QAbstractButton *>(QLatin1String(name));
    }
    // The checked boxes and buttons without their prefix, the language, the font, the prefix.
    QString formState() const
    {
        QStringList state;
        for (const QAbstractButton *button : editor->findChildren<QAbstractButton *>())
            state << (button->isChecked() ? button->objectName().mid(4) : QString());
        for (const QComboBox *combo : editor->findChildren<QComboBox *>())
            state << combo->currentText();
        return (state << prefix->text()).join(u' ').simplified();
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(u"cfgs.xml"_s);
    Cfg cfg;
    std::unique_ptr<CfgEditor> editor;
    QLineEdit *prefix = nullptr;
    QString atSignal; // the record and the file when the window hears of the change
};

void TestCfgEditor::init()
{
    Cfg::setPathOverride(path);
    QFile::remove(path);
    cfg = Cfg();
    editor = std::make_unique<CfgEditor>(nullptr, &cfg);
    prefix = editor->findChild<QLineEdit *>(u"lin_prefix"_s);
    atSignal.clear();
    connect(editor.get(), &CfgEditor::applyCfg, this, [this] {
        Cfg saved;
        atSignal = recordState(cfg) + u'|'
                   + (saved.readCfg(path) == Cfg::ReadOk ? recordState(saved) : QString());
    });
}

void TestCfgEditor::formShowsAndAppliesTheRecord()
{
    // Shown on the defaults first, so that no widget keeps a value by chance.
    editor->openPreferences();
    auto *tabs = editor->findChild<QTabWidget *>(u"tabWidget"_s);
    tabs->setCurrentIndex(1); // it opens again on the first
    cfg.setAutoSave(true);
    cfg.setWellWin(false);
    cfg.setLanguage(u"fr"_s);
    cfg.setPrefixe(u"my"_s);
    cfg.setActionBar(false);
    cfg.setActionBarIconSize(128);
    cfg.setItemBarIconSize(32);
    cfg.setFont(QFont(u"DejaVu Serif"_s));
    editor->openPreferences();
    QCOMPARE(tabs->tabText(tabs->currentIndex()), u"Général"_s);
    QCOMPARE(formState(),
             QStringLiteral("actBig itemBar itemLitle autoSave askForClose autoAddSetGetFct "
                            "DejaVu Serif fr my"));

    button("che_askForClose")->click();
    prefix->setText(u"p\u00e9_"_s);
    button("che_actionBar")->click();
    button("rad_actLitle")->click();
    button("rad_itemBig")->click();
    // Below a regular file nothing can be written: an error, and the dialog stays open.
    Cfg::setPathOverride(QCoreApplication::applicationFilePath() + u"/cfgs.xml"_s);
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    button("com_apply")->click();
    QCOMPARE(answerer.seen().first().summary(),
             u"Critical | Erreur | Impossible de sauvegarder vos configurations. | Ok"_s);
    QVERIFY(editor->isVisible() && atSignal.isEmpty());
    // Once it can be written: the record and the file are up to date before the signal.
    Cfg::setPathOverride(path);
    button("com_apply")->click();
    QVERIFY(!editor->isVisible());
    const QString expected = u"1 0 0 1 1 1 32 128 fr p\u00e9_ DejaVu Serif"_s;
    QCOMPARE(atSignal, expected + u'|' + expected);
}

void TestCfgEditor::defaultsThenCancel()
{
    // Enabled or not: the label and the three sizes of the file bar, then the item bar.
    const auto enabled = [this] {
        QString states;
        for (const char *name : {"lab_act", "rad_actLitle", "rad_actMedium", "rad_actBig",
                                 "lab_item", "rad_itemLitle", "rad_itemMedium", "rad_itemBig"})
            states +=
                QString::number(editor->findChild<QWidget *>(QLatin1String(name))->isEnabled());
        return states;
    };
    cfg.setItemBar(false);
    cfg.setPrefixe(u"my"_s);
    const QString before = recordState(cfg);
    editor->openPreferences();
    QCOMPARE(enabled(), u"11110000"_s);
    QTest::mouseClick(button("che_actionBar"), Qt::LeftButton);
    QTest::mouseClick(button("che_itemBar"), Qt::LeftButton);
    QCOMPARE(enabled(), u"00001111"_s);
    button("pus_byDef")->click();
    QCOMPARE(formState(),
             QStringLiteral("actionBar actMedium itemBar itemMedium askForClose wellWin "
                            "autoAddSetGetFct Ubuntu en m_"));
    QCOMPARE(enabled(), u"11111111"_s);
    button("pus_cancel")->click();
    QCOMPARE(recordState(cfg), before);
    QVERIFY(!editor->isVisible() && !QFile::exists(path) && atSignal.isEmpty());

    // Kalinga is not installed: applying keeps it, after an installed family was shown.
    cfg.setFont(QFont(u"Kalinga"_s));
    editor->openPreferences();
    button("com_apply")->click();
    QVERIFY(atSignal.contains(u" Kalinga|"_s) && atSignal.endsWith(u" Kalinga"));
}

QTEST_MAIN(TestCfgEditor)
#include "tst_cfgeditor.moc"
