// The welcome window and the About window.
#include "windows/aboutus.h"
#include "windows/wellwin.h"

#include <QApplication>
#include <QCommandLinkButton>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTranslator>
#include <QUrl>

#include <memory>

namespace {

// Stands in for the web browser and the mail program.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

// Translates the texts of one context by marking them, to show which ones are looked up.
class MarkingTranslator : public QTranslator
{
public:
    explicit MarkingTranslator(const char *context)
        : m_context(context)
    {}
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, m_context) != 0)
            return QString();
        const QString source = QString::fromUtf8(sourceText);
        // The feedback address stays an address, moved to a page of the translation.
        if (source.startsWith(QLatin1String("https://")))
            return source + QStringLiteral("?lang=xx");
        return QLatin1Char('[') + source + QLatin1Char(']');
    }

private:
    const char *m_context;
};

struct Fragment
{
    QString text;
    QTextCharFormat format;
};

QList<Fragment> fragments(const QTextBlock &block)
{
    QList<Fragment> list;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        list.append({it.fragment().text(), it.fragment().charFormat()});
    return list;
}

} // namespace

class TestAuxWindows : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void welcomeForm();
    void welcomeText();
    void feedbackOpensThePage();
    void feedbackAddressIsTranslatable();
    void aboutForm();
    void aboutText();
    void aboutLinksOpenFromTheKeyboard();
    void modality_data();
    void modality();
    void textsAreTranslated();
    void escapeCloses();

private:
    UrlCatcher m_catcher;
};

void TestAuxWindows::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    m_catcher.urls.clear();
}

void TestAuxWindows::welcomeForm()
{
    WellWin window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Bienvenue !"));
    QCOMPARE(window.size(), QSize(361, 181));
    QCOMPARE(window.font().family(), QStringLiteral("Kalinga"));
    QVERIFY(window.windowFlags().testFlag(Qt::Tool));
    QVERIFY(!window.isVisible());

    auto *title = window.findChild<QLabel *>(QStringLiteral("label"));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("Varnel"));
    QCOMPARE(title->font().pointSize(), 14);
    QCOMPARE(title->alignment(), Qt::AlignCenter);

    for (const QString &name : {QStringLiteral("line"), QStringLiteral("line_2")}) {
        auto *line = window.findChild<QFrame *>(name);
        QVERIFY(line);
        QCOMPARE(line->frameShape(), QFrame::HLine);
        QCOMPARE(line->frameShadow(), QFrame::Sunken);
    }

    auto *feedback = window.findChild<QCommandLinkButton *>(QStringLiteral("com_feedback"));
    QVERIFY(feedback);
    QCOMPARE(feedback->text(), QStringLiteral("Feedback"));
    QCOMPARE(feedback->description(), QStringLiteral("Laissez vos commentaires sur le site"));
    QCOMPARE(feedback->iconSize(), QSize(40, 40));
    QCOMPARE(feedback->icon()
                 .pixmap(QSize(27, 32))
                 .toImage()
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied),
             QImage(QStringLiteral(":/OtherIcone/FavIcon.png"))
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

void TestAuxWindows::welcomeText()
{
    WellWin window;
    auto *label = window.findChild<QLabel *>(QStringLiteral("label_2"));
    QVERIFY(label);
    QCOMPARE(label->textFormat(), Qt::RichText);
    QTextDocument doc;
    doc.setHtml(label->text());
    const QStringList paragraphs = {
        QStringLiteral("Varnel (VNL) est un logiciel amateur libre. "),
        QStringLiteral("Afin d'être toujours plus performant et toujours plus intutif, VNL "),
        QStringLiteral("a besoin de vos avis,vos impressions, vos rapports de bugs et "),
        QStringLiteral("vos idées d'amméliorations.")};
    QCOMPARE(doc.toPlainText(), paragraphs.join(QLatin1Char('\n')));
    QCOMPARE(doc.blockCount(), 4);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QCOMPARE(block.blockFormat().topMargin(), 0.0);
        QCOMPARE(block.blockFormat().bottomMargin(), 0.0);
        QCOMPARE(block.blockFormat().leftMargin(), 0.0);
        QCOMPARE(block.blockFormat().rightMargin(), 0.0);
        const QList<Fragment> pieces = fragments(block);
        QCOMPARE(pieces.size(), 1);
        QCOMPARE(pieces.first().format.fontPointSize(), 8.0);
        QCOMPARE(pieces.first().format.fontFamilies().toStringList(),
                 QStringList(QStringLiteral("Kalinga")));
        QVERIFY(pieces.first().format.fontWeight() <= QFont::Normal);
        QVERIFY(!pieces.first().format.fontItalic());
    }
}

void TestAuxWindows::feedbackOpensThePage()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_catcher, "open");
    WellWin window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *feedback = window.findChild<QCommandLinkButton *>(QStringLiteral("com_feedback"));
    QTest::mouseClick(feedback, Qt::LeftButton);
    QCOMPARE(m_catcher.urls.size(), 1);
    const QUrl url = m_catcher.urls.first();
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QCOMPARE(url, QUrl(QStringLiteral("https://varnel.example.org/feedback")));
    // Opening the page leaves the window as it was.
    QVERIFY(window.isVisible());
}

void TestAuxWindows::feedbackAddressIsTranslatable()
{
    MarkingTranslator translator("WellWin");
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_catcher, "open");
    WellWin window;
    window.findChild<QCommandLinkButton *>(QStringLiteral("com_feedback"))->click();
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(m_catcher.urls,
             QList<QUrl>{QUrl(QStringLiteral("https://varnel.example.org/feedback?lang=xx"))});
}

void TestAuxWindows::aboutForm()
{
    AboutUs window;
    QCOMPARE(window.windowTitle(), QStringLiteral("A propos d'VNL"));
    QCOMPARE(window.size(), QSize(419, 305));
    QVERIFY(window.windowFlags().testFlag(Qt::Tool));
    QVERIFY(!window.isVisible());

    auto *logo = window.findChild<QLabel *>(QStringLiteral("label"));
    QVERIFY(logo);
    QCOMPARE(logo->text(), QString());
    QCOMPARE(logo->alignment(), Qt::AlignCenter);
    QCOMPARE(logo->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             QImage(QStringLiteral(":/OtherIcone/IconeVNL-200x110.png"))
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied));

    auto *line = window.findChild<QFrame *>(QStringLiteral("line"));
    QVERIFY(line);
    QCOMPARE(line->frameShape(), QFrame::HLine);
    QCOMPARE(line->frameShadow(), QFrame::Sunken);

    auto *text = window.findChild<QLabel *>(QStringLiteral("label_2"));
    QVERIFY(text);
    QVERIFY(text->openExternalLinks());
    QVERIFY(text->textInteractionFlags().testFlag(Qt::LinksAccessibleByMouse));
    QVERIFY(text->textInteractionFlags().testFlag(Qt::LinksAccessibleByKeyboard));
    // Links only: the text is not editable.
    QVERIFY(!text->textInteractionFlags().testFlag(Qt::TextEditable));
}

void TestAuxWindows::aboutText()
{
    AboutUs window;
    auto *label = window.findChild<QLabel *>(QStringLiteral("label_2"));
    QCOMPARE(label->textFormat(), Qt::RichText);
    QTextDocument doc;
    doc.setHtml(label->text());
    const QString site = QStringLiteral("https://varnel.example.org");
    const QString support = QStringLiteral("support@varnel.example.org");
    QCOMPARE(doc.toPlainText(), QStringLiteral("Varnel\n"
                                               "* Version : 1.0\n"
                                               "* Développeur : Les développeurs de Varnel\n"
                                               "\n"
                                               "* Site internet : ")
                                    + site + QStringLiteral("\n* Support : ") + support);

    QTextBlock block = doc.begin();
    const QList<Fragment> name = fragments(block);
    QCOMPARE(name.size(), 1);
    QCOMPARE(name.first().text, QStringLiteral("Varnel"));
    QCOMPARE(name.first().format.fontWeight(), 600);
    QVERIFY(!block.textList());

    // The five lines belong to one list; none of them is bold.
    QTextList *list = nullptr;
    int lines = 0;
    for (block = block.next(); block.isValid(); block = block.next(), ++lines) {
        QVERIFY(block.textList());
        if (list)
            QCOMPARE(block.textList(), list);
        list = block.textList();
        for (const Fragment &piece : fragments(block))
            QVERIFY(piece.format.fontWeight() <= QFont::Normal);
    }
    QCOMPARE(lines, 5);
    // The lines bring their own asterisks: the list draws no marker of its own.
    QCOMPARE(list->format().style(), QTextListFormat::ListStyleUndefined);

    // Each link shows its own address, underlined in #0000ff.
    QList<Fragment> links;
    for (block = doc.begin(); block.isValid(); block = block.next()) {
        for (const Fragment &piece : fragments(block)) {
            if (piece.format.isAnchor())
                links.append(piece);
        }
    }
    QCOMPARE(links.size(), 2);
    QCOMPARE(links.at(0).format.anchorHref(), site);
    QCOMPARE(links.at(0).text, site);
    QCOMPARE(links.at(1).format.anchorHref(), QStringLiteral("mailto:") + support);
    QCOMPARE(links.at(1).text, support);
    for (const Fragment &link : links) {
        QVERIFY(link.format.fontUnderline());
        QCOMPARE(link.format.foreground().color(), QColor(0x00, 0x00, 0xff));
    }
}

void TestAuxWindows::aboutLinksOpenFromTheKeyboard()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &m_catcher, "open");
    AboutUs window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *label = window.findChild<QLabel *>(QStringLiteral("label_2"));
    QCOMPARE(label->focusPolicy() & Qt::TabFocus, Qt::TabFocus);

    // Tab moves from link to link; Enter follows the one that has the focus.
    label->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(label->hasFocus());
    QTest::keyClick(label, Qt::Key_Tab);
    QCOMPARE(label->selectedText(), QStringLiteral("https://varnel.example.org"));
    QTest::keyClick(label, Qt::Key_Return);
    QTest::keyClick(label, Qt::Key_Tab);
    QCOMPARE(label->selectedText(), QStringLiteral("support@varnel.example.org"));
    QTest::keyClick(label, Qt::Key_Return);
    QCOMPARE(m_catcher.urls,
             (QList<QUrl>{QUrl(QStringLiteral("https://varnel.example.org")),
                          QUrl(QStringLiteral("mailto:support@varnel.example.org"))}));
}

void TestAuxWindows::modality_data()
{
    QTest::addColumn<bool>("welcome");
    QTest::newRow("welcome window") << true;
    QTest::newRow("About window") << false;
}

void TestAuxWindows::modality()
{
    QFETCH(bool, welcome);
    QWidget other;
    auto *button = new QPushButton(QStringLiteral("other"), &other);
    button->resize(200, 100);
    other.resize(200, 100);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    int clicks = 0;
    connect(button, &QPushButton::clicked, this, [&clicks] { ++clicks; });
    // Through the window system, as a user's click would come.
    QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, QPoint(100, 50));
    QCOMPARE(clicks, 1);

    std::unique_ptr<QWidget> window;
    if (welcome)
        window = std::make_unique<WellWin>();
    else
        window = std::make_unique<AboutUs>();
    QCOMPARE(window->windowModality(), Qt::ApplicationModal);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(QApplication::activeModalWidget(), window.get());
    QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, QPoint(100, 50));
    QCOMPARE(clicks, 1);

    // Closing only hides it, and the other window takes input again.
    window->close();
    QVERIFY(!window->isVisible());
    QVERIFY(!window->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, QPoint(100, 50));
    QCOMPARE(clicks, 2);
}

void TestAuxWindows::textsAreTranslated()
{
    MarkingTranslator welcomeContext("WellWin");
    MarkingTranslator aboutContext("AboutUs");
    QVERIFY(QCoreApplication::installTranslator(&welcomeContext));
    QVERIFY(QCoreApplication::installTranslator(&aboutContext));
    WellWin welcome;
    AboutUs about;
    QCoreApplication::removeTranslator(&welcomeContext);
    QCoreApplication::removeTranslator(&aboutContext);

    const auto marked = [](const QString &text) {
        return text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'));
    };
    QVERIFY(marked(welcome.windowTitle()));
    QVERIFY(marked(welcome.findChild<QLabel *>(QStringLiteral("label"))->text()));
    QVERIFY(marked(welcome.findChild<QLabel *>(QStringLiteral("label_2"))->text()));
    auto *feedback = welcome.findChild<QCommandLinkButton *>(QStringLiteral("com_feedback"));
    QVERIFY(marked(feedback->text()));
    QVERIFY(marked(feedback->description()));
    QVERIFY(marked(about.windowTitle()));
    QVERIFY(marked(about.findChild<QLabel *>(QStringLiteral("label_2"))->text()));
    // The logo has no text to translate.
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("label"))->text(), QString());
}

void TestAuxWindows::escapeCloses()
{
    WellWin welcome;
    welcome.show();
    QVERIFY(QTest::qWaitForWindowExposed(&welcome));
    QTest::keyClick(&welcome, Qt::Key_Escape);
    QVERIFY(!welcome.isVisible());

    AboutUs about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(TestAuxWindows)
#include "tst_auxwindows.moc"
