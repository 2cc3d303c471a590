// Every embedded image is present at its path and size.
#include <QImage>
#include <QTest>

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void images_data();
    void images();
};

void TestResources::images_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("logo") << ":/OtherIcone/IconeVNL-200x110.png" << QSize(200, 110);
    QTest::newRow("apply") << ":/OtherIcone/Apply.png" << QSize(152, 114);
    QTest::newRow("add") << ":/OtherIcone/Add.png" << QSize(77, 77);
    QTest::newRow("favicon") << ":/OtherIcone/FavIcon.png" << QSize(27, 32);
    QTest::newRow("delete") << ":/OtherIcone/Delete.png" << QSize(132, 125);
    QTest::newRow("add class") << ":/IconeMainWindow/AddClass.png" << QSize(179, 179);
    QTest::newRow("aggregation") << ":/IconeMainWindow/AgregationLink.png" << QSize(114, 133);
    QTest::newRow("generate") << ":/IconeMainWindow/Generate.png" << QSize(95, 114);
    QTest::newRow("new") << ":/IconeMainWindow/New.png" << QSize(58, 77);
    QTest::newRow("load") << ":/IconeMainWindow/Load.png" << QSize(80, 152);
    QTest::newRow("save") << ":/IconeMainWindow/Save.png" << QSize(152, 152);
    QTest::newRow("inheritance") << ":/IconeMainWindow/InheritanceLink.png" << QSize(114, 134);
    QTest::newRow("quit") << ":/IconeMainWindow/Quit.png" << QSize(101, 156);
    QTest::newRow("settings") << ":/IconeMainWindow/Cfgs.png" << QSize(115, 156);
    QTest::newRow("association") << ":/IconeMainWindow/AssociationLink.png" << QSize(114, 133);
}

void TestResources::images()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);

    // A pictogram, not a blank or a single-colour square: it has transparent margins
    // and more than a couple of colours.
    QSet<QRgb> colours;
    int transparent = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            colours.insert(pixel);
            transparent += qAlpha(pixel) == 0;
        }
    }
    QVERIFY2(colours.size() > 3, qPrintable(path));
    QVERIFY2(transparent > 0, qPrintable(path));
    QVERIFY2(transparent < image.width() * image.height(), qPrintable(path));
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
