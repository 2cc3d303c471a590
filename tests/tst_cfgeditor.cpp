// The preferences dialog: filling it from the record, defaults, cancel and apply.
#include "persistence/cfg.h"
#include "testsupport/modalanswerer.h"
#include "windows/cfgeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QFile>
#include <QFontComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Every field of a record, in one comparable line.
QString recordState(Cfg &cfg)
{
    return QStringLiteral("%1 %2 %3 %4 [%5] [%6] %7 %8 %9 %10 [%11]")
        .arg(cfg.autoSave())
        .arg(cfg.askForClose())
        .arg(cfg.wellWin())
        .arg(*cfg.autoAddSetGetFct())
        .arg(cfg.language(), *cfg.prefixe())
        .arg(cfg.actionBar())
        .arg(cfg.itemBar())
        .arg(cfg.actionBarIconSize())
        .arg(cfg.itemBarIconSize())
        .arg(cfg.font()->family());
}

// A record unlike the defaults of both the record and the dialog.
void fillUnusual(Cfg *cfg)
{
    cfg->setAutoSave(true);
    cfg->setAskForClose(false);
    cfg->setWellWin(false);
    cfg->setLanguage(QStringLiteral("fr"));
    cfg->setPrefixe(QStringLiteral("my"));
    cfg->setAutoAddSetGetFct(false);
    cfg->setActionBar(false);
    cfg->setActionBarIconSize(128);
    cfg->setItemBarIconSize(32);
    cfg->setFont(QFont(QStringLiteral("DejaVu Serif")));
}

const QString Defaults = QStringLiteral("0 1 1 1 [en] [m_] 1 1 64 64 [Ubuntu]");

} // namespace

class TestCfgEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formShowsTheRecord_data();
    void formShowsTheRecord();
    void unknownValues_data();
    void unknownValues();
    void defaultsThenCancel();
    void opensOnTheFirstTab();
    void barsEnableTheirSizes();
    void applyStoresSavesThenSignals();
    void failedSaveKeepsTheDialogOpen();
    void storedFontFamilyIsKept();

private:
    template<typename T>
    T *child(const char *name) const
    {
        T *widget = m_editor->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    // What the form shows, in the form of recordState().
    QString formState() const;
    QString savedState() const;
    void click(const char *name) const { child<QAbstractButton>(name)->click(); }

    QTemporaryDir m_dir;
    QString m_path;
    Cfg m_cfg;
    std::unique_ptr<CfgEditor> m_editor;
};

void TestCfgEditor::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("cfgs.xml"));
}

void TestCfgEditor::init()
{
    Cfg::setPathOverride(m_path);
    QFile::remove(m_path);
    m_cfg = Cfg();
    m_editor = std::make_unique<CfgEditor>(nullptr, &m_cfg);
}

void TestCfgEditor::cleanup()
{
    m_editor.reset();
    Cfg::setPathOverride(QString());
}

QString TestCfgEditor::formState() const
{
    const auto checked = [this](const QString &name) {
        return m_editor->findChild<QAbstractButton *>(name)->isChecked();
    };
    const auto size = [&](const QString &bar) {
        return checked(QStringLiteral("rad_%1Big").arg(bar))      ? 128
               : checked(QStringLiteral("rad_%1Medium").arg(bar)) ? 64
               : checked(QStringLiteral("rad_%1Litle").arg(bar))  ? 32
                                                                  : 0;
    };
    return QStringLiteral("%1 %2 %3 %4 [%5] [%6] %7 %8 %9 %10 [%11]")
        .arg(checked(QStringLiteral("che_autoSave")))
        .arg(checked(QStringLiteral("che_askForClose")))
        .arg(checked(QStringLiteral("che_wellWin")))
        .arg(checked(QStringLiteral("che_autoAddSetGetFct")))
        .arg(child<QComboBox>("com_language")->currentText(),
             child<QLineEdit>("lin_prefix")->text())
        .arg(checked(QStringLiteral("che_actionBar")))
        .arg(checked(QStringLiteral("che_itemBar")))
        .arg(size(QStringLiteral("act")))
        .arg(size(QStringLiteral("item")))
        .arg(child<QFontComboBox>("fon_font")->currentText());
}

QString TestCfgEditor::savedState() const
{
    Cfg read;
    if (read.readCfg(m_path) != Cfg::ReadOk)
        return QStringLiteral("unreadable");
    return recordState(read);
}

void TestCfgEditor::formShowsTheRecord_data()
{
    QTest::addColumn<bool>("unusual");
    QTest::newRow("fresh record") << false;
    QTest::newRow("unusual record") << true;
}

void TestCfgEditor::formShowsTheRecord()
{
    QFETCH(bool, unusual);
    // The form starts from the other record, so that no widget keeps a value by chance.
    if (!unusual)
        fillUnusual(&m_cfg);
    m_editor->openPreferences();
    m_cfg = Cfg();
    m_cfg.setLanguage(QStringLiteral("en"));
    if (unusual)
        fillUnusual(&m_cfg);
    const QString before = recordState(m_cfg);
    m_editor->openPreferences();
    QCOMPARE(formState(), before);

    // Applied untouched, the record and the file hold the same values.
    click("com_apply");
    QCOMPARE(recordState(m_cfg), before);
    QCOMPARE(savedState(), before);
}

void TestCfgEditor::unknownValues_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("shown"); // the language and the item bar's size
    QTest::newRow("fr, 128") << "fr" << 128 << "[fr] 128";
    QTest::newRow("de, 48") << "de" << 48 << "[] 32";
    QTest::newRow("FR, 0") << "FR" << 0 << "[] 32";
    QTest::newRow("empty, 256") << "" << 256 << "[] 32";
}

void TestCfgEditor::unknownValues()
{
    QFETCH(QString, language);
    QFETCH(int, size);
    QFETCH(QString, shown);
    // Other values shown before must not linger.
    m_editor->openPreferences();
    click("rad_itemMedium");
    child<QComboBox>("com_language")->setCurrentIndex(1);
    m_cfg.setLanguage(language);
    m_cfg.setItemBarIconSize(size);
    m_editor->openPreferences();
    const auto pick = [](const QString &state) {
        const QStringList fields = state.split(QLatin1Char(' '));
        return fields.at(4) + QLatin1Char(' ') + fields.at(9);
    };
    QCOMPARE(pick(formState()), shown);
    // Stored as shown.
    click("com_apply");
    QCOMPARE(pick(recordState(m_cfg)), shown);
}

void TestCfgEditor::defaultsThenCancel()
{
    fillUnusual(&m_cfg);
    const QString before = recordState(m_cfg);
    QSignalSpy applied(m_editor.get(), &CfgEditor::applyCfg);
    m_editor->openPreferences();
    click("pus_byDef");
    QCOMPARE(formState(), Defaults);
    // The defaults show both bars, so their sizes come back.
    QVERIFY(child<QRadioButton>("rad_actBig")->isEnabled());

    click("pus_cancel");
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(recordState(m_cfg), before);
    QVERIFY(!QFile::exists(m_path));
    QCOMPARE(applied.count(), 0);
    // The form shows the record again, not the defaults.
    QCOMPARE(formState(), before);
}

void TestCfgEditor::opensOnTheFirstTab()
{
    auto *tabs = child<QTabWidget>("tabWidget");
    for (const char *leave : {"pus_cancel", "com_apply", "close"}) {
        tabs->setCurrentIndex(1);
        m_editor->openPreferences();
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("Général"));
        tabs->setCurrentIndex(1);
        if (qstrcmp(leave, "close") == 0)
            m_editor->close();
        else
            click(leave);
    }
}

void TestCfgEditor::barsEnableTheirSizes()
{
    const auto enabled = [this](const char *bar) {
        QString states;
        for (const char *name : {"lab_%1", "rad_%1Litle", "rad_%1Medium", "rad_%1Big"})
            states += QString::number(
                child<QWidget>(qPrintable(QString::fromLatin1(name).arg(QLatin1String(bar))))
                    ->isEnabled());
        return states;
    };
    // From the record: the hidden bar's choices are disabled.
    m_cfg.setItemBar(false);
    m_editor->openPreferences();
    QCOMPARE(enabled("act"), QStringLiteral("1111"));
    QCOMPARE(enabled("item"), QStringLiteral("0000"));

    // Then following the user's clicks, each check box its own bar.
    QTest::mouseClick(child<QCheckBox>("che_actionBar"), Qt::LeftButton);
    QCOMPARE(enabled("act"), QStringLiteral("0000"));
    QTest::mouseClick(child<QCheckBox>("che_itemBar"), Qt::LeftButton);
    QCOMPARE(enabled("item"), QStringLiteral("1111"));
    QCOMPARE(enabled("act"), QStringLiteral("0000"));
}

void TestCfgEditor::applyStoresSavesThenSignals()
{
    // When the window hears the signal, the record and the file are both up to date.
    QString savedAtSignal;
    QString recordAtSignal;
    connect(m_editor.get(), &CfgEditor::applyCfg, this, [&] {
        savedAtSignal = savedState();
        recordAtSignal = recordState(m_cfg);
    });
    m_cfg.setFont(QFont(QStringLiteral("DejaVu Serif")));
    m_editor->openPreferences();
    click("che_autoSave");
    click("che_wellWin");
    child<QComboBox>("com_language")->setCurrentIndex(1);
    child<QLineEdit>("lin_prefix")->setText(QStringLiteral("p\u00e9_"));
    click("che_actionBar");
    click("rad_itemBig");
    click("com_apply");

    const QString expected = QStringLiteral("1 1 0 1 [fr] [p\u00e9_] 0 1 64 128 [DejaVu Serif]");
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(recordAtSignal, expected);
    QCOMPARE(savedAtSignal, expected);
}

void TestCfgEditor::failedSaveKeepsTheDialogOpen()
{
    // A path below a regular file cannot be written, whoever runs the test.
    const QString blocker = m_dir.filePath(QStringLiteral("afile"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    Cfg::setPathOverride(blocker + QStringLiteral("/cfgs.xml"));

    QSignalSpy applied(m_editor.get(), &CfgEditor::applyCfg);
    m_editor->openPreferences();
    click("che_actionBar");
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    click("com_apply");
    QVERIFY(answerer.waitUntilAnswered());
    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(
        answerer.seen().first().summary(),
        QStringLiteral("Critical | Erreur | Impossible de sauvegarder vos configurations. | Ok"));
    QVERIFY(m_editor->isVisible());
    QCOMPARE(applied.count(), 0);

    // Once the file can be written, the same dialog applies.
    Cfg::setPathOverride(m_path);
    click("com_apply");
    QCOMPARE(applied.count(), 1);
    QVERIFY(!m_editor->isVisible());
    QVERIFY(savedState().contains(QStringLiteral(" 0 1 64 64 ")));
}

void TestCfgEditor::storedFontFamilyIsKept()
{
    // Kalinga is not installed here; applying other settings must not swap it for a
    // look-alike, even after an installed family was shown.
    m_cfg.setFont(QFont(QStringLiteral("DejaVu Serif")));
    m_editor->openPreferences();
    click("pus_cancel");
    m_cfg.setFont(QFont(QStringLiteral("Kalinga")));
    m_editor->openPreferences();
    click("che_wellWin");
    click("com_apply");
    QCOMPARE(m_cfg.font()->family(), QStringLiteral("Kalinga"));
    QVERIFY(savedState().endsWith(QStringLiteral("[Kalinga]")));

    // Picking a family from the list replaces it.
    m_editor->openPreferences();
    auto *combo = child<QFontComboBox>("fon_font");
    combo->setCurrentIndex(combo->findText(QStringLiteral("DejaVu Sans Mono")));
    click("com_apply");
    QCOMPARE(m_cfg.font()->family(), QStringLiteral("DejaVu Sans Mono"));
}

QTEST_MAIN(TestCfgEditor)
#include "tst_cfgeditor.moc"
