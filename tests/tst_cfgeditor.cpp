// The preferences dialog: its form, filling it from the record, defaults, cancel and apply.
#include "persistence/cfg.h"
#include "testsupport/modalanswerer.h"
#include "windows/cfgeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QFile>
#include <QFileInfo>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <memory>

namespace {

// Every field of a record, to compare two records at once.
struct Fields
{
    bool autoSave, askForClose, wellWin, autoAddSetGetFct, actionBar, itemBar;
    QString language, prefixe, fontFamily;
    int actionBarIconSize, itemBarIconSize;

    explicit Fields(Cfg &cfg)
        : autoSave(cfg.autoSave())
        , askForClose(cfg.askForClose())
        , wellWin(cfg.wellWin())
        , autoAddSetGetFct(*cfg.autoAddSetGetFct())
        , actionBar(cfg.actionBar())
        , itemBar(cfg.itemBar())
        , language(cfg.language())
        , prefixe(*cfg.prefixe())
        , fontFamily(cfg.font()->family())
        , actionBarIconSize(cfg.actionBarIconSize())
        , itemBarIconSize(cfg.itemBarIconSize())
    {}

    bool operator==(const Fields &o) const
    {
        return autoSave == o.autoSave && askForClose == o.askForClose && wellWin == o.wellWin
               && autoAddSetGetFct == o.autoAddSetGetFct && actionBar == o.actionBar
               && itemBar == o.itemBar && language == o.language && prefixe == o.prefixe
               && fontFamily == o.fontFamily && actionBarIconSize == o.actionBarIconSize
               && itemBarIconSize == o.itemBarIconSize;
    }
};

// Marks every text looked up in the dialog's context, to show which texts are translated.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "CfgEditor") != 0)
            return QString();
        return QLatin1Char('[') + QString::fromUtf8(sourceText) + QLatin1Char(']');
    }
};

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
    cfg->setItemBar(true);
    cfg->setActionBarIconSize(128);
    cfg->setItemBarIconSize(32);
    cfg->setFont(QFont(QStringLiteral("DejaVu Serif")));
}

} // namespace

class TestCfgEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void form();
    void formTexts_data();
    void formTexts();
    void textsAreTranslated();
    void sizeRadiosAreExclusivePerBar();
    void loadsEveryField();
    void language_data();
    void language();
    void iconSize_data();
    void iconSize();
    void defaultsFillTheForm();
    void defaultsThenCancelChangesNothing();
    void barCheckBoxesEnableTheirSizes();
    void reopeningAfterCancelShowsTheRecord();
    void openingShowsTheFirstTab();
    void applyStoresSavesAndSignals();
    void applyAfterDefaults();
    void unknownValuesAreStoredAsShown();
    void chosenFontReachesTheRecord();
    void missingFontFamilyIsKept_data();
    void missingFontFamilyIsKept();
    void failedSaveKeepsTheDialogOpen();
    void escapeCancels();

private:
    template<typename T>
    T *child(const char *name) const
    {
        T *widget = m_editor->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    Fields readBack() const;

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

Fields TestCfgEditor::readBack() const
{
    Cfg read;
    if (read.readCfg(m_path) != Cfg::ReadOk)
        qFatal("cannot read back the settings");
    return Fields(read);
}

void TestCfgEditor::form()
{
    CfgEditor &editor = *m_editor;
    QCOMPARE(editor.windowTitle(), QStringLiteral("VNL - Configuration"));
    QCOMPARE(editor.windowModality(), Qt::ApplicationModal);
    QCOMPARE(editor.size(), QSize(520, 332));
    QCOMPARE(editor.minimumSize(), QSize(0, 0));
    QCOMPARE(editor.maximumSize(), QSize(10000, 10000));
    QVERIFY(editor.windowFlags().testFlag(Qt::Tool));
    QVERIFY(!editor.isVisible());

    auto *tabs = child<QTabWidget>("tabWidget");
    QVERIFY(tabs->documentMode());
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("tab"));
    QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("tab_3"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("Général"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Affichage"));
    QCOMPARE(tabs->currentIndex(), 1);

    auto *language = child<QComboBox>("com_language");
    QCOMPARE(language->count(), 2);
    QCOMPARE(language->itemText(0), QStringLiteral("en"));
    QCOMPARE(language->itemText(1), QStringLiteral("fr"));
    QVERIFY(child<QLineEdit>("lin_prefix")->text().isEmpty());

    auto *apply = child<QCommandLinkButton>("com_apply");
    QCOMPARE(apply->description(), QStringLiteral("Applique et sauvegarde vos configurations"));
    QCOMPARE(apply->iconSize(), QSize(62, 62));
    QVERIFY(!apply->icon().isNull());
    QCOMPARE(apply->icon()
                 .pixmap(QSize(152, 114))
                 .toImage()
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied),
             QImage(QStringLiteral(":/OtherIcone/Apply.png"))
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied));

    QCOMPARE(child<QLabel>("label_4")->toolTip(),
             QStringLiteral("Le préfixe d'attribut : par exemple \"m_\" ou \"_\".\n"
                            "La connaissance de ce préfixe permet à VNL de générer correctement "
                            "les fonctions d'accessions."));
    QVERIFY(child<QLabel>("lab_act")->alignment().testFlag(Qt::AlignRight));
    QVERIFY(child<QLabel>("lab_act")->alignment().testFlag(Qt::AlignVCenter));

    // Where the widgets sit decides which ones the bars' check boxes govern.
    QCOMPARE(child<QWidget>("rad_actBig")->parent(), child<QGroupBox>("groupBox_4"));
    QCOMPARE(child<QWidget>("rad_itemBig")->parent(), child<QGroupBox>("groupBox_5"));
    QCOMPARE(child<QWidget>("fon_font")->parent(), child<QWidget>("tab_3"));
    QCOMPARE(child<QWidget>("com_language")->parent(), child<QGroupBox>("groupBox"));
    QCOMPARE(child<QWidget>("lin_prefix")->parent(), child<QGroupBox>("groupBox_2"));
    QCOMPARE(child<QWidget>("com_apply")->parent(), m_editor.get());
}

void TestCfgEditor::formTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *name, const QString &text) {
        QTest::newRow(name) << QString::fromLatin1(name) << text;
    };
    row("groupBox", QStringLiteral("Préférances logiciel"));
    row("che_autoSave", QStringLiteral("Sauvegarde automatique"));
    row("che_askForClose", QStringLiteral("Demander confirmation à la fermeture"));
    row("che_wellWin", QStringLiteral("Fenêtre d'acceuil"));
    row("label_2", QStringLiteral("Langue :"));
    row("groupBox_2", QStringLiteral("Préférance modélisation - génération"));
    row("label", QStringLiteral("Préfixe d'attibut :"));
    row("label_4", QStringLiteral("?"));
    row("che_autoAddSetGetFct",
        QStringLiteral("Ajouter automatiquement les fonctions d'accessions (\"set\" - \"get\")"));
    row("groupBox_4", QStringLiteral("Barre d'action"));
    row("che_actionBar", QStringLiteral("Afficher"));
    row("lab_act", QStringLiteral("Taille des icônes :"));
    row("rad_actLitle", QStringLiteral("Petites"));
    row("rad_actMedium", QStringLiteral("Moyennes"));
    row("rad_actBig", QStringLiteral("Grandes"));
    row("groupBox_5", QStringLiteral("Barre d'item"));
    row("che_itemBar", QStringLiteral("Afficher"));
    row("lab_item", QStringLiteral("Tailles des icônes :"));
    row("rad_itemLitle", QStringLiteral("Petites"));
    row("rad_itemMedium", QStringLiteral("Moyennes"));
    row("rad_itemBig", QStringLiteral("Grandes"));
    row("label_10", QStringLiteral("Police d'écriture :"));
    row("com_apply", QStringLiteral("Appliquer"));
    row("pus_byDef", QStringLiteral("Configurations par défault"));
    row("pus_cancel", QStringLiteral("Annuler"));
}

void TestCfgEditor::formTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QWidget *widget = m_editor->findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), text);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), text);
    else if (auto *group = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(group->title(), text);
    else
        QFAIL("not a widget with a text");
}

void TestCfgEditor::textsAreTranslated()
{
    MarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    CfgEditor editor(nullptr, &m_cfg);
    QCOMPARE(editor.windowTitle(), QStringLiteral("[VNL - Configuration]"));
    auto *tabs = editor.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("[Général]"));
    int texts = 0;
    const auto marked = [&texts](const QString &text) {
        ++texts;
        return text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'));
    };
    for (QLabel *label : editor.findChildren<QLabel *>())
        QVERIFY2(marked(label->text()), qPrintable(label->objectName()));
    for (QAbstractButton *button : editor.findChildren<QAbstractButton *>()) {
        // The form's own buttons, not the tab bar's scroll buttons.
        if (button->objectName().contains(QLatin1Char('_')))
            QVERIFY2(marked(button->text()), qPrintable(button->objectName()));
    }
    for (QGroupBox *group : editor.findChildren<QGroupBox *>())
        QVERIFY2(marked(group->title()), qPrintable(group->objectName()));
    QVERIFY(marked(editor.findChild<QLabel *>(QStringLiteral("label_4"))->toolTip()));
    QVERIFY(
        marked(editor.findChild<QCommandLinkButton *>(QStringLiteral("com_apply"))->description()));
    QCOMPARE(texts, 27);

    // The language codes are codes, not words.
    auto *language = editor.findChild<QComboBox *>(QStringLiteral("com_language"));
    QCOMPARE(language->itemText(1), QStringLiteral("fr"));

    // The error box too.
    Cfg::setPathOverride(m_dir.path()); // a folder where the file should be
    editor.openPreferences();
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    editor.findChild<QCommandLinkButton *>(QStringLiteral("com_apply"))->click();
    QVERIFY(answerer.waitUntilAnswered());
    QCOMPARE(answerer.seen().first().title, QStringLiteral("[Erreur]"));
    QCOMPARE(answerer.seen().first().text,
             QStringLiteral("[Impossible de sauvegarder vos configurations.]"));
    QCoreApplication::removeTranslator(&translator);
}

void TestCfgEditor::sizeRadiosAreExclusivePerBar()
{
    child<QRadioButton>("rad_actBig")->click();
    child<QRadioButton>("rad_itemLitle")->click();
    child<QRadioButton>("rad_actMedium")->click();
    QVERIFY(!child<QRadioButton>("rad_actBig")->isChecked());
    QVERIFY(child<QRadioButton>("rad_itemLitle")->isChecked());
    child<QRadioButton>("rad_itemBig")->click();
    QVERIFY(child<QRadioButton>("rad_actMedium")->isChecked());
    QVERIFY(!child<QRadioButton>("rad_itemLitle")->isChecked());
}

void TestCfgEditor::loadsEveryField()
{
    fillUnusual(&m_cfg);
    m_editor->openPreferences();
    QVERIFY(child<QCheckBox>("che_autoSave")->isChecked());
    QVERIFY(!child<QCheckBox>("che_askForClose")->isChecked());
    QVERIFY(!child<QCheckBox>("che_wellWin")->isChecked());
    QCOMPARE(child<QComboBox>("com_language")->currentText(), QStringLiteral("fr"));
    QCOMPARE(child<QLineEdit>("lin_prefix")->text(), QStringLiteral("my"));
    QVERIFY(!child<QCheckBox>("che_autoAddSetGetFct")->isChecked());
    QVERIFY(!child<QCheckBox>("che_actionBar")->isChecked());
    QVERIFY(child<QCheckBox>("che_itemBar")->isChecked());
    QVERIFY(child<QRadioButton>("rad_actBig")->isChecked());
    QVERIFY(child<QRadioButton>("rad_itemLitle")->isChecked());
    QCOMPARE(child<QFontComboBox>("fon_font")->currentFont().family(),
             QStringLiteral("DejaVu Serif"));
    QVERIFY(!child<QLabel>("lab_act")->isEnabled());
    QVERIFY(!child<QRadioButton>("rad_actBig")->isEnabled());
    QVERIFY(child<QLabel>("lab_item")->isEnabled());
    QVERIFY(child<QRadioButton>("rad_itemBig")->isEnabled());

    // The opposite values, so that no widget keeps a value by chance.
    m_cfg = Cfg();
    m_cfg.setLanguage(QStringLiteral("en"));
    m_cfg.setItemBar(false);
    m_cfg.setActionBarIconSize(64);
    m_cfg.setItemBarIconSize(128);
    m_editor->openPreferences();
    QVERIFY(!child<QCheckBox>("che_autoSave")->isChecked());
    QVERIFY(child<QCheckBox>("che_askForClose")->isChecked());
    QVERIFY(child<QCheckBox>("che_wellWin")->isChecked());
    QCOMPARE(child<QComboBox>("com_language")->currentText(), QStringLiteral("en"));
    QCOMPARE(child<QLineEdit>("lin_prefix")->text(), QStringLiteral("m_"));
    QVERIFY(child<QCheckBox>("che_autoAddSetGetFct")->isChecked());
    QVERIFY(child<QCheckBox>("che_actionBar")->isChecked());
    QVERIFY(!child<QCheckBox>("che_itemBar")->isChecked());
    QVERIFY(child<QRadioButton>("rad_actMedium")->isChecked());
    QVERIFY(child<QRadioButton>("rad_itemBig")->isChecked());
    QVERIFY(child<QLabel>("lab_act")->isEnabled());
    QVERIFY(!child<QLabel>("lab_item")->isEnabled());
    QVERIFY(!child<QRadioButton>("rad_itemLitle")->isEnabled());
}

void TestCfgEditor::language_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("applied");
    QTest::newRow("en") << QStringLiteral("en") << 0 << QStringLiteral("en");
    QTest::newRow("fr") << QStringLiteral("fr") << 1 << QStringLiteral("fr");
    QTest::newRow("empty, as in a fresh record") << QString() << -1 << QString();
    QTest::newRow("another language") << QStringLiteral("de") << -1 << QString();
    QTest::newRow("case differs") << QStringLiteral("FR") << -1 << QString();
    QTest::newRow("longer") << QStringLiteral("fr_CA") << -1 << QString();
    QTest::newRow("prefix only") << QStringLiteral("f") << -1 << QString();
}

void TestCfgEditor::language()
{
    QFETCH(QString, stored);
    QFETCH(int, index);
    QFETCH(QString, applied);
    m_cfg.setLanguage(stored);
    // A language shown before must not linger when the record has none.
    child<QComboBox>("com_language")->setCurrentIndex(1);
    m_editor->openPreferences();
    QCOMPARE(child<QComboBox>("com_language")->currentIndex(), index);
    child<QCommandLinkButton>("com_apply")->click();
    QCOMPARE(m_cfg.language(), applied);
    QCOMPARE(readBack().language, applied);
}

void TestCfgEditor::iconSize_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("applied");
    QTest::newRow("32") << 32 << QStringLiteral("Litle") << 32;
    QTest::newRow("64") << 64 << QStringLiteral("Medium") << 64;
    QTest::newRow("128") << 128 << QStringLiteral("Big") << 128;
    QTest::newRow("0, from a missing attribute") << 0 << QStringLiteral("Litle") << 32;
    QTest::newRow("48") << 48 << QStringLiteral("Litle") << 32;
    QTest::newRow("256") << 256 << QStringLiteral("Litle") << 32;
    QTest::newRow("negative") << -64 << QStringLiteral("Litle") << 32;
}

void TestCfgEditor::iconSize()
{
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(int, applied);
    for (const char *bar : {"act", "item"}) {
        const QString prefix = QStringLiteral("rad_") + QLatin1String(bar);
        m_cfg.setActionBarIconSize(QLatin1String(bar) == QLatin1String("act") ? stored : 64);
        m_cfg.setItemBarIconSize(QLatin1String(bar) == QLatin1String("item") ? stored : 64);
        // Start from another choice, so that the record's value must move it.
        m_editor->findChild<QRadioButton *>(prefix + QStringLiteral("Big"))->setChecked(true);
        if (stored == 128)
            m_editor->findChild<QRadioButton *>(prefix + QStringLiteral("Litle"))->setChecked(true);
        m_editor->openPreferences();
        for (const QString &size :
             {QStringLiteral("Litle"), QStringLiteral("Medium"), QStringLiteral("Big")}) {
            auto *radio = m_editor->findChild<QRadioButton *>(prefix + size);
            QVERIFY(radio);
            QCOMPARE(radio->isChecked(), size == shown);
        }
        child<QCommandLinkButton>("com_apply")->click();
        const int other = 64;
        if (QLatin1String(bar) == QLatin1String("act")) {
            QCOMPARE(m_cfg.actionBarIconSize(), applied);
            QCOMPARE(m_cfg.itemBarIconSize(), other);
            QCOMPARE(readBack().actionBarIconSize, applied);
        } else {
            QCOMPARE(m_cfg.itemBarIconSize(), applied);
            QCOMPARE(m_cfg.actionBarIconSize(), other);
            QCOMPARE(readBack().itemBarIconSize, applied);
        }
    }
}

void TestCfgEditor::defaultsFillTheForm()
{
    fillUnusual(&m_cfg);
    m_cfg.setItemBar(false);
    m_editor->openPreferences();
    child<QPushButton>("pus_byDef")->click();
    QVERIFY(!child<QCheckBox>("che_autoSave")->isChecked());
    QVERIFY(child<QCheckBox>("che_askForClose")->isChecked());
    QVERIFY(child<QCheckBox>("che_wellWin")->isChecked());
    QCOMPARE(child<QComboBox>("com_language")->currentIndex(), 0);
    QCOMPARE(child<QComboBox>("com_language")->currentText(), QStringLiteral("en"));
    QCOMPARE(child<QLineEdit>("lin_prefix")->text(), QStringLiteral("m_"));
    QVERIFY(child<QCheckBox>("che_autoAddSetGetFct")->isChecked());
    QVERIFY(child<QCheckBox>("che_actionBar")->isChecked());
    QVERIFY(child<QCheckBox>("che_itemBar")->isChecked());
    QVERIFY(child<QRadioButton>("rad_actMedium")->isChecked());
    QVERIFY(child<QRadioButton>("rad_itemMedium")->isChecked());
    for (const char *name : {"lab_act", "rad_actLitle", "rad_actMedium", "rad_actBig", "lab_item",
                             "rad_itemLitle", "rad_itemMedium", "rad_itemBig"})
        QVERIFY2(child<QWidget>(name)->isEnabled(), name);
    // Shown as asked, whether or not this machine has the family.
    QCOMPARE(child<QFontComboBox>("fon_font")->currentText(), QStringLiteral("Ubuntu"));
    const QFont font = child<QFontComboBox>("fon_font")->currentFont();
    QCOMPARE(font.family(), QStringLiteral("Ubuntu"));
    QVERIFY(!font.italic());
    QCOMPARE(font.weight(), QFont().weight());
    QCOMPARE(font.pointSizeF(), QFont(QStringLiteral("Ubuntu")).pointSizeF());
    QVERIFY(m_editor->isVisible());
}

void TestCfgEditor::defaultsThenCancelChangesNothing()
{
    fillUnusual(&m_cfg);
    const Fields before(m_cfg);
    QSignalSpy applied(m_editor.get(), &CfgEditor::applyCfg);
    m_editor->openPreferences();
    child<QPushButton>("pus_byDef")->click();
    child<QPushButton>("pus_cancel")->click();
    QVERIFY(!m_editor->isVisible());
    QVERIFY(Fields(m_cfg) == before);
    QVERIFY(!QFile::exists(m_path));
    QCOMPARE(applied.count(), 0);
    // The form shows the record again, not the defaults.
    QCOMPARE(child<QLineEdit>("lin_prefix")->text(), QStringLiteral("my"));
    QVERIFY(child<QRadioButton>("rad_actBig")->isChecked());
    QVERIFY(!child<QCheckBox>("che_actionBar")->isChecked());
    QVERIFY(!child<QRadioButton>("rad_actBig")->isEnabled());
}

void TestCfgEditor::barCheckBoxesEnableTheirSizes()
{
    m_editor->openPreferences();
    child<QTabWidget>("tabWidget")->setCurrentIndex(1);
    const QStringList action = {QStringLiteral("lab_act"), QStringLiteral("rad_actLitle"),
                                QStringLiteral("rad_actMedium"), QStringLiteral("rad_actBig")};
    const QStringList item = {QStringLiteral("lab_item"), QStringLiteral("rad_itemLitle"),
                              QStringLiteral("rad_itemMedium"), QStringLiteral("rad_itemBig")};
    const auto enabled = [this](const QStringList &names, bool on) {
        for (const QString &name : names) {
            if (m_editor->findChild<QWidget *>(name)->isEnabled() != on)
                return false;
        }
        return true;
    };
    QVERIFY(enabled(action, true));
    QVERIFY(enabled(item, true));

    auto *actionBar = child<QCheckBox>("che_actionBar");
    auto *itemBar = child<QCheckBox>("che_itemBar");
    QTest::mouseClick(actionBar, Qt::LeftButton);
    QVERIFY(!actionBar->isChecked());
    QVERIFY(enabled(action, false));
    QVERIFY(enabled(item, true));

    QTest::mouseClick(itemBar, Qt::LeftButton);
    QVERIFY(enabled(item, false));
    QTest::mouseClick(actionBar, Qt::LeftButton);
    QVERIFY(enabled(action, true));
    QVERIFY(enabled(item, false));

    // The keyboard toggles them as well.
    itemBar->setFocus();
    QTest::keyClick(itemBar, Qt::Key_Space);
    QVERIFY(itemBar->isChecked());
    QVERIFY(enabled(item, true));
}

void TestCfgEditor::reopeningAfterCancelShowsTheRecord()
{
    m_cfg.setActionBar(true);
    m_cfg.setItemBar(false);
    m_editor->openPreferences();
    child<QCheckBox>("che_actionBar")->click();
    child<QCheckBox>("che_itemBar")->click();
    QVERIFY(!child<QRadioButton>("rad_actLitle")->isEnabled());
    QVERIFY(child<QRadioButton>("rad_itemLitle")->isEnabled());
    child<QPushButton>("pus_cancel")->click();
    QVERIFY(m_cfg.actionBar());
    QVERIFY(!m_cfg.itemBar());

    m_editor->openPreferences();
    QVERIFY(m_editor->isVisible());
    QVERIFY(child<QCheckBox>("che_actionBar")->isChecked());
    QVERIFY(!child<QCheckBox>("che_itemBar")->isChecked());
    QVERIFY(child<QLabel>("lab_act")->isEnabled());
    QVERIFY(child<QRadioButton>("rad_actBig")->isEnabled());
    QVERIFY(!child<QLabel>("lab_item")->isEnabled());
    QVERIFY(!child<QRadioButton>("rad_itemBig")->isEnabled());
}

void TestCfgEditor::openingShowsTheFirstTab()
{
    auto *tabs = child<QTabWidget>("tabWidget");
    QCOMPARE(tabs->currentIndex(), 1);
    m_editor->openPreferences();
    QVERIFY(m_editor->isVisible());
    QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("tab"));

    tabs->setCurrentIndex(1);
    child<QPushButton>("pus_cancel")->click();
    m_editor->openPreferences();
    QCOMPARE(tabs->currentIndex(), 0);

    tabs->setCurrentIndex(1);
    child<QCommandLinkButton>("com_apply")->click();
    QVERIFY(!m_editor->isVisible());
    m_editor->openPreferences();
    QCOMPARE(tabs->currentIndex(), 0);

    // Closed from the title bar: the next opening starts over as well.
    tabs->setCurrentIndex(1);
    child<QLineEdit>("lin_prefix")->setText(QStringLiteral("dropped"));
    m_editor->close();
    m_editor->openPreferences();
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(child<QLineEdit>("lin_prefix")->text(), QStringLiteral("m_"));
}

void TestCfgEditor::applyStoresSavesAndSignals()
{
    QSignalSpy applied(m_editor.get(), &CfgEditor::applyCfg);
    m_editor->openPreferences();
    child<QCheckBox>("che_autoSave")->click();
    child<QCheckBox>("che_askForClose")->click();
    child<QCheckBox>("che_wellWin")->click();
    child<QComboBox>("com_language")->setCurrentIndex(1);
    auto *prefix = child<QLineEdit>("lin_prefix");
    prefix->clear();
    QTest::keyClicks(prefix, QStringLiteral("p"));
    prefix->insert(QStringLiteral("\u00e9_"));
    child<QCheckBox>("che_autoAddSetGetFct")->click();
    child<QCheckBox>("che_actionBar")->click();
    child<QRadioButton>("rad_itemBig")->click();
    child<QCommandLinkButton>("com_apply")->click();

    QCOMPARE(applied.count(), 1);
    QVERIFY(!m_editor->isVisible());
    QVERIFY(m_cfg.autoSave());
    QVERIFY(!m_cfg.askForClose());
    QVERIFY(!m_cfg.wellWin());
    QCOMPARE(m_cfg.language(), QStringLiteral("fr"));
    QCOMPARE(*m_cfg.prefixe(), QStringLiteral("p\u00e9_"));
    QVERIFY(!*m_cfg.autoAddSetGetFct());
    QVERIFY(!m_cfg.actionBar());
    QVERIFY(m_cfg.itemBar());
    QCOMPARE(m_cfg.actionBarIconSize(), 64);
    QCOMPARE(m_cfg.itemBarIconSize(), 128);

    QVERIFY(readBack() == Fields(m_cfg));
}

void TestCfgEditor::applyAfterDefaults()
{
    fillUnusual(&m_cfg);
    QSignalSpy applied(m_editor.get(), &CfgEditor::applyCfg);
    m_editor->openPreferences();
    child<QPushButton>("pus_byDef")->click();
    child<QCommandLinkButton>("com_apply")->click();
    QCOMPARE(applied.count(), 1);

    const Fields saved = readBack();
    QVERIFY(!saved.autoSave);
    QVERIFY(saved.askForClose);
    QVERIFY(saved.wellWin);
    QCOMPARE(saved.language, QStringLiteral("en"));
    QCOMPARE(saved.prefixe, QStringLiteral("m_"));
    QVERIFY(saved.autoAddSetGetFct);
    QVERIFY(saved.actionBar);
    QVERIFY(saved.itemBar);
    QCOMPARE(saved.actionBarIconSize, 64);
    QCOMPARE(saved.itemBarIconSize, 64);
    QCOMPARE(saved.fontFamily, QStringLiteral("Ubuntu"));
    QVERIFY(Fields(m_cfg) == saved);
}

void TestCfgEditor::unknownValuesAreStoredAsShown()
{
    // A fresh record applied without a change: the language becomes empty and the
    // sizes stay as shown.
    m_cfg.setActionBarIconSize(20);
    m_editor->openPreferences();
    child<QCommandLinkButton>("com_apply")->click();
    QCOMPARE(m_cfg.language(), QString());
    QCOMPARE(m_cfg.actionBarIconSize(), 32);
    QCOMPARE(m_cfg.itemBarIconSize(), 64);
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains(" language=\"\""));
    QVERIFY(bytes.contains(" actionBarIconSize=\"32\""));
}

void TestCfgEditor::chosenFontReachesTheRecord()
{
    const QFont *font = m_cfg.font(); // what the class boxes keep
    m_editor->openPreferences();
    auto *combo = child<QFontComboBox>("fon_font");
    QVERIFY(combo->count() > 1);
    // Any installed family other than the one shown.
    int index = combo->currentIndex() == 0 ? 1 : 0;
    const QString family = combo->itemText(index);
    combo->setCurrentIndex(index);
    child<QCommandLinkButton>("com_apply")->click();
    QCOMPARE(m_cfg.font(), font);
    QCOMPARE(font->family(), family);
    QCOMPARE(readBack().fontFamily, family);

    // Reopening shows it.
    combo->setCurrentIndex(index == 0 ? 1 : 0);
    m_editor->openPreferences();
    QCOMPARE(combo->currentFont().family(), family);
}

void TestCfgEditor::missingFontFamilyIsKept_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("shownBefore");
    QTest::newRow("not installed") << QStringLiteral("Kalinga") << QString();
    QTest::newRow("not installed, after an installed one")
        << QStringLiteral("Kalinga") << QStringLiteral("DejaVu Serif");
    QTest::newRow("installed") << QStringLiteral("DejaVu Serif") << QStringLiteral("Kalinga");
    QTest::newRow("empty, from a missing attribute") << QString() << QStringLiteral("DejaVu Serif");
}

void TestCfgEditor::missingFontFamilyIsKept()
{
    QFETCH(QString, family);
    QFETCH(QString, shownBefore);
    if (!shownBefore.isEmpty()) {
        m_cfg.setFont(QFont(shownBefore));
        m_editor->openPreferences();
        child<QPushButton>("pus_cancel")->click();
    }
    // Applying other settings must not swap the font for a look-alike.
    m_cfg.setFont(QFont(family));
    m_editor->openPreferences();
    auto *combo = child<QFontComboBox>("fon_font");
    QCOMPARE(combo->currentText(), family);
    child<QCheckBox>("che_wellWin")->click();
    child<QCommandLinkButton>("com_apply")->click();
    QCOMPARE(m_cfg.font()->family(), family);
    QCOMPARE(readBack().fontFamily, family);
    QVERIFY(!m_cfg.wellWin());

    // Picking a family from the list replaces it.
    m_editor->openPreferences();
    const int index = combo->findText(QStringLiteral("DejaVu Sans Mono"));
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    QCOMPARE(combo->currentText(), QStringLiteral("DejaVu Sans Mono"));
    child<QCommandLinkButton>("com_apply")->click();
    QCOMPARE(m_cfg.font()->family(), QStringLiteral("DejaVu Sans Mono"));
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
    child<QCheckBox>("che_actionBar")->click();
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    child<QCommandLinkButton>("com_apply")->click();
    QVERIFY(answerer.waitUntilAnswered());

    QCOMPARE(answerer.seen().size(), 1);
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.kind, QStringLiteral("QMessageBox"));
    QCOMPARE(box.title, QStringLiteral("Erreur"));
    QCOMPARE(box.text, QStringLiteral("Impossible de sauvegarder vos configurations."));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    QVERIFY(m_editor->isVisible());
    QCOMPARE(applied.count(), 0);
    QVERIFY(QFileInfo(blocker).isFile());
    // The record already holds what the user chose; the form still shows it.
    QVERIFY(!m_cfg.actionBar());
    QVERIFY(!child<QCheckBox>("che_actionBar")->isChecked());

    // Once the file can be written, the same dialog applies.
    Cfg::setPathOverride(m_path);
    child<QCommandLinkButton>("com_apply")->click();
    QCOMPARE(applied.count(), 1);
    QVERIFY(!m_editor->isVisible());
    QVERIFY(!readBack().actionBar);
    QCOMPARE(answerer.seen().size(), 1);
}

void TestCfgEditor::escapeCancels()
{
    QSignalSpy applied(m_editor.get(), &CfgEditor::applyCfg);
    m_editor->openPreferences();
    auto *prefix = child<QLineEdit>("lin_prefix");
    prefix->setText(QStringLiteral("x_"));
    QTest::keyClick(prefix, Qt::Key_Escape);
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(*m_cfg.prefixe(), QStringLiteral("m_"));
    QCOMPARE(prefix->text(), QStringLiteral("m_"));
    QCOMPARE(applied.count(), 0);
}

QTEST_MAIN(TestCfgEditor)
#include "tst_cfgeditor.moc"
