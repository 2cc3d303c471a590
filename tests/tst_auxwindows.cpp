// The welcome window's feedback page, and the embedded images the windows show.
#include "windows/wellwin.h"

#include <QCommandLinkButton>
#include <QDesktopServices>
#include <QImage>
#include <QSet>
#include <QTest>
#include <QUrl>

class TestAuxWindows : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the web browser.
    void openUrl(const QUrl &url) { m_urls.append(url); }

private slots:
    void feedbackOpensThePage();
    void images_data();
    void images();

private:
    QList<QUrl> m_urls;
};

void TestAuxWindows::feedbackOpensThePage()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    WellWin window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.findChild<QCommandLinkButton *>(QStringLiteral("com_feedback")),
                      Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(m_urls, QList<QUrl>{QUrl(QStringLiteral("https://varnel.example.org/feedback"))});
    QVERIFY(window.isVisible());
}

void TestAuxWindows::images_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    const QList<QPair<const char *, QSize>> images = {
        {"OtherIcone/IconeVNL-200x110", {200, 110}},
        {"OtherIcone/Apply", {152, 114}},
        {"OtherIcone/Add", {77, 77}},
        {"OtherIcone/FavIcon", {27, 32}},
        {"OtherIcone/Delete", {132, 125}},
        {"IconeMainWindow/AddClass", {179, 179}},
        {"IconeMainWindow/AgregationLink", {114, 133}},
        {"IconeMainWindow/Generate", {95, 114}},
        {"IconeMainWindow/New", {58, 77}},
        {"IconeMainWindow/Load", {80, 152}},
        {"IconeMainWindow/Save", {152, 152}},
        {"IconeMainWindow/InheritanceLink", {114, 134}},
        {"IconeMainWindow/Quit", {101, 156}},
        {"IconeMainWindow/Cfgs", {115, 156}},
        {"IconeMainWindow/AssociationLink", {114, 133}}};
    for (const auto &image : images) {
        QTest::newRow(image.first)
            << QStringLiteral(":/%1.png").arg(QLatin1String(image.first)) << image.second;
    }
}

void TestAuxWindows::images()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QCOMPARE(image.size(), size);

    // A pictogram, not a blank or single-colour square: transparent margins around
    // more than a couple of colours.
    QSet<QRgb> colours;
    int transparent = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
            transparent += qAlpha(image.pixel(x, y)) == 0;
        }
    }
    QVERIFY(colours.size() > 3);
    QVERIFY(transparent > 0 && transparent < image.width() * image.height());
}

QTEST_MAIN(TestAuxWindows)
#include "tst_auxwindows.moc"
