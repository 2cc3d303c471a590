// The preferences dialog: filling it from the record, defaults, cancel and apply.
#include "persistence/cfg.h"
#include "testsupport/modalanswerer.h"
#include "windows/cfgeditor.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Every field of a record, in one comparable line.
static QString recordState(Cfg &cfg)
{
    return QString::asprintf("%d %d %d %d %d %d %d %d ", cfg.autoSave(), cfg.askForClose(),
                             cfg.wellWin(), *cfg.autoAddSetGetFct(), cfg.actionBar(), cfg.itemBar(),
                             cfg.actionBarIconSize(), cfg.itemBarIconSize())
           + QStringList{cfg.language(), *cfg.prefixe(), cfg.font()->family()}.join(u' ');
}

class TestCfgEditor : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    const QString path = dir.filePath(u"cfgs.xml"_s);
    Cfg cfg;
    std::unique_ptr<CfgEditor> editor;
    QString atSignal; // the record and the file when the window hears of the change

    QAbstractButton *button(const char *name) const
    {
        return editor->findChild<QAbstractButton *>(QLatin1String(name));
    }
    QLineEdit *prefix() const { return editor->findChild<QLineEdit *>(u"lin_prefix"_s); }
    // The checked boxes and buttons without their prefix, the language, the font, the prefix.
    QString formState() const
    {
        QStringList state;
        for (const QAbstractButton *button : editor->findChildren<QAbstractButton *>())
            state << (button->isChecked() ? button->objectName().mid(4) : QString());
        for (const QComboBox *combo : editor->findChildren<QComboBox *>())
            state << combo->currentText();
        return (state << prefix()->text()).join(u' ').simplified();
    }

private slots:
    // One sitting: cancelled changes, then a record shown and changes applied.
    void preferences()
    {
        Cfg::setPathOverride(path);
        editor = std::make_unique<CfgEditor>(nullptr, &cfg);
        connect(editor.get(), &CfgEditor::applyCfg, this, [this] {
            Cfg saved;
            atSignal = recordState(cfg) + u'|'
                       + (saved.readCfg(path) == Cfg::ReadOk ? recordState(saved) : QString());
        });
        // Enabled or not: the label and the three sizes of the file bar, then the item bar.
        const auto enabled = [this] {
            QString states;
            for (const QWidget *widget :
                 editor->findChildren<QWidget *>(QRegularExpression(u"^(lab|rad)_(act|item)"_s)))
                states += QString::number(widget->isEnabled());
            return states;
        };
        cfg.setItemBar(false);
        editor->openPreferences();
        QCOMPARE(enabled(), u"11110000"_s);
        QTest::mouseClick(button("che_actionBar"), Qt::LeftButton);
        QTest::mouseClick(button("che_itemBar"), Qt::LeftButton);
        QCOMPARE(enabled(), u"00001111"_s);
        button("pus_byDef")->click();
        QCOMPARE(formState(), u"actionBar actMedium itemBar itemMedium askForClose wellWin "
                              "autoAddSetGetFct Ubuntu en m_"_s);
        QCOMPARE(enabled(), u"11111111"_s);
        button("pus_cancel")->click();
        QVERIFY(!cfg.itemBar() && !editor->isVisible() && !QFile::exists(path)
                && atSignal.isEmpty());

        // Every field differs from what the form showed, so that none keeps a value by
        // chance. Kalinga is not installed: shown and kept as written, not as a look-alike.
        QCOMPARE(
            cfg.readCfgData("<cfgs autoSave='true' askForClose='false' autoAddSetGetFct='false' "
                            "itemBar='true' actionBarIconSize='128' itemBarIconSize='32' "
                            "prefixe='my' font='Kalinga' language='fr'/>"),
            Cfg::ReadOk);
        editor->openPreferences();
        QCOMPARE(formState(), u"actBig itemBar itemLitle autoSave Kalinga fr my"_s);

        for (const char *name : {"che_askForClose", "che_actionBar", "rad_actLitle", "rad_itemBig"})
            button(name)->click();
        prefix()->setText(u"p\u00e9_"_s);
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
        const QString expected = u"1 1 0 0 1 1 32 128 fr p\u00e9_ Kalinga"_s;
        QCOMPARE(atSignal, expected + u'|' + expected);
    }
};

QTEST_MAIN(TestCfgEditor)
#include "tst_cfgeditor.moc"
