#include "canvas/resources.h"

#include <QImage>
#include <QMap>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

using namespace tonolog;

namespace {

QImage imageOf(int id) {
    return bitmapResource(id).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Mean brightness of the picture's visible pixels, weighted by their opacity.
double meanBrightness(const QImage& image) {
    double sum = 0;
    double weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const double a = qAlpha(p) / 255.0;
            sum += a * (0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p));
            weight += a;
        }
    }
    return weight > 0 ? sum / weight : 0;
}

// The sum of each colour channel over the picture's visible pixels.
struct ChannelSums {
    double red = 0;
    double green = 0;
    double blue = 0;
};

ChannelSums channelSums(const QImage& image) {
    ChannelSums sums;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const double a = qAlpha(p) / 255.0;
            sums.red += a * qRed(p);
            sums.green += a * qGreen(p);
            sums.blue += a * qBlue(p);
        }
    }
    return sums;
}

// The white symbol on a button: opaque pixels that are (near) white.
bool isSymbol(QRgb p) {
    return qAlpha(p) == 255 && qRed(p) >= 230 && qGreen(p) >= 230 && qBlue(p) >= 230;
}

// How many symbol pixels the first row (from the top) that has any holds.
int symbolPixelsInTopRow(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            count += isSymbol(image.pixel(x, y)) ? 1 : 0;
        if (count > 0)
            return count;
    }
    return 0;
}

// How many symbol pixels the first column (from the left) that has any holds.
int symbolPixelsInLeftColumn(const QImage& image) {
    for (int x = 0; x < image.width(); ++x) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            count += isSymbol(image.pixel(x, y)) ? 1 : 0;
        if (count > 0)
            return count;
    }
    return 0;
}

int largestChannelDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initResources(); }

    void bitmapsHaveTheirControlSizes_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QSize>("size");
        const QSize dayButton(55, 65);
        const QSize smallButton(50, 30);
        const QSize trendButton(65, 55);
        const QSize logo(81, 41);
        for (int id = 1001; id <= 1004; ++id)
            QTest::addRow("%d day button", id) << id << dayButton;
        for (int id = 1005; id <= 1006; ++id)
            QTest::addRow("%d date/time button", id) << id << smallButton;
        for (int id = 1007; id <= 1010; ++id)
            QTest::addRow("%d list button", id) << id << dayButton;
        for (int id = 1011; id <= 1012; ++id)
            QTest::addRow("%d list print", id) << id << smallButton;
        for (int id = 1013; id <= 1016; ++id)
            QTest::addRow("%d trend button", id) << id << trendButton;
        for (int id = 1017; id <= 1018; ++id)
            QTest::addRow("%d trend print", id) << id << smallButton;
        for (int id = 1101; id <= 1103; ++id)
            QTest::addRow("%d logo", id) << id << logo;
    }
    void bitmapsHaveTheirControlSizes() {
        QFETCH(int, id);
        QFETCH(QSize, size);
        const QPixmap pixmap = bitmapResource(id);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), size);
    }

    void pressedPictureIsDarker_data() {
        QTest::addColumn<int>("released");
        QTest::addColumn<int>("pressed");
        for (int id = 1001; id <= 1017; id += 2)
            QTest::addRow("%d/%d", id, id + 1) << id << id + 1;
    }
    void pressedPictureIsDarker() {
        QFETCH(int, released);
        QFETCH(int, pressed);
        const QImage up = imageOf(released);
        const QImage down = imageOf(pressed);
        QCOMPARE(down.size(), up.size());
        QVERIFY(down != up);
        QVERIFY2(
            meanBrightness(down) < meanBrightness(up) - 5,
            qPrintable(
                QStringLiteral("released %1, pressed %2").arg(meanBrightness(up)).arg(meanBrightness(down))));
    }

    void buttonsWearTheirPagesColour_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<char>("channel");
        for (int id = 1001; id <= 1006; ++id)
            QTest::addRow("%d diary", id) << id << 'g';
        for (int id = 1007; id <= 1012; ++id)
            QTest::addRow("%d list", id) << id << 'b';
        for (int id = 1013; id <= 1018; ++id)
            QTest::addRow("%d trend", id) << id << 'r';
    }
    void buttonsWearTheirPagesColour() {
        QFETCH(int, id);
        QFETCH(char, channel);
        const ChannelSums sums = channelSums(imageOf(id));
        const double strongest = channel == 'r' ? sums.red : channel == 'g' ? sums.green : sums.blue;
        const double others = sums.red + sums.green + sums.blue - strongest;
        QVERIFY2(strongest > others / 2 * 1.1,
                 qPrintable(QStringLiteral("r %1 g %2 b %3").arg(sums.red).arg(sums.green).arg(sums.blue)));
    }

    void logosStandOnTheirPagesColour_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QColor>("page");
        QTest::newRow("diary") << 1101 << QColor(218, 237, 229);
        QTest::newRow("list") << 1102 << QColor(230, 230, 255);
        QTest::newRow("trend") << 1103 << QColor(255, 223, 223);
    }
    void logosStandOnTheirPagesColour() {
        QFETCH(int, id);
        QFETCH(QColor, page);
        const QImage image = imageOf(id);
        QMap<QRgb, int> counts;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QCOMPARE(qAlpha(image.pixel(x, y)), 255);
                ++counts[image.pixel(x, y)];
            }
        }
        QRgb commonest = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (it.value() > counts.value(commonest))
                commonest = it.key();
        }
        QCOMPARE(QColor(commonest), page);
        // More than the plain ground: the name and the trace take up a fair part of the picture.
        QVERIFY(counts.value(commonest) < image.width() * image.height() * 9 / 10);
    }

    void logosDiffer() {
        QVERIFY(imageOf(1101) != imageOf(1102));
        QVERIFY(imageOf(1102) != imageOf(1103));
        QVERIFY(imageOf(1101) != imageOf(1103));
    }

    void verticalArrowsPointTheirWay_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("up");
        QTest::newRow("previous day") << 1001 << true;
        QTest::newRow("previous day, pressed") << 1002 << true;
        QTest::newRow("next day") << 1003 << false;
        QTest::newRow("next day, pressed") << 1004 << false;
        QTest::newRow("previous data") << 1007 << true;
        QTest::newRow("previous data, pressed") << 1008 << true;
        QTest::newRow("next data") << 1009 << false;
        QTest::newRow("next data, pressed") << 1010 << false;
    }
    void verticalArrowsPointTheirWay() {
        QFETCH(int, id);
        QFETCH(bool, up);
        // An upward triangle starts at its tip, a downward one at its broad base.
        const int top = symbolPixelsInTopRow(imageOf(id));
        QVERIFY(top > 0);
        if (up)
            QVERIFY2(top <= 6, qPrintable(QString::number(top)));
        else
            QVERIFY2(top >= 14, qPrintable(QString::number(top)));
    }

    void trendArrowsPointTheirWay_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("left");
        QTest::newRow("previous") << 1013 << true;
        QTest::newRow("previous, pressed") << 1014 << true;
        QTest::newRow("next") << 1015 << false;
        QTest::newRow("next, pressed") << 1016 << false;
    }
    void trendArrowsPointTheirWay() {
        QFETCH(int, id);
        QFETCH(bool, left);
        // A left arrow starts at its tip; a right arrow at the end of its shaft.
        const int first = symbolPixelsInLeftColumn(imageOf(id));
        QVERIFY(first > 0);
        if (left)
            QVERIFY2(first <= 3, qPrintable(QString::number(first)));
        else
            QVERIFY2(first >= 6, qPrintable(QString::number(first)));
    }

    void rightArrowMirrorsLeftArrow() {
        QCOMPARE(largestChannelDifference(imageOf(1013).mirrored(true, false), imageOf(1015)), 0);
        QCOMPARE(largestChannelDifference(imageOf(1014).mirrored(true, false), imageOf(1016)), 0);
        QVERIFY(imageOf(1013) != imageOf(1015));
    }

    void unknownNumbersGiveNothing_data() {
        QTest::addColumn<int>("id");
        for (int id : {-1, 0, 101, 1000, 1019, 1100, 1104, 65535})
            QTest::addRow("%d", id) << id;
    }
    void unknownNumbersGiveNothing() {
        QFETCH(int, id);
        QVERIFY(bitmapResource(id).isNull());
        if (id != 101) {
            QVERIFY(iconResource(id).isNull());
            QCOMPARE(cursorResource(id).shape(), Qt::ArrowCursor);
        }
    }

    void handPointerHasItsHotSpotAtTheFingertip() {
        const QCursor cursor = cursorResource(101);
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(32, 32));
        const QPoint hot = cursor.hotSpot();
        QVERIFY(image.rect().contains(hot));
        // The hot spot is on the picture, and it is the topmost point of the hand.
        QCOMPARE(qAlpha(image.pixel(hot)), 255);
        for (int y = 0; y < hot.y(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(qAlpha(image.pixel(x, y)), 0);
        }
        int first = -1;
        int last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, hot.y())) > 0) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        QVERIFY2(std::abs((first + last) / 2.0 - hot.x()) <= 1.0,
                 qPrintable(QStringLiteral("tip %1..%2, hot spot %3").arg(first).arg(last).arg(hot.x())));
        // A hand, not a speck: the picture fills a good part of its square.
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        QVERIFY(opaque > 200);
    }

    void windowIconComesInSeveralSizes() {
        const QIcon icon = iconResource(101);
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        for (int side : {16, 24, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
        const QImage image = icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(32, 32));
        // A red heart: transparent in the corners, red below the middle.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        const QRgb body = image.pixel(16, 22);
        QCOMPARE(qAlpha(body), 255);
        QVERIFY(qRed(body) > 2 * qGreen(body));
        QVERIFY(qRed(body) > 2 * qBlue(body));
    }
};

QTEST_MAIN(ResourcesTest)
#include "test_resources.moc"
