// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/resources.h"

#include <QImage>
#include <QtTest>

#include <cstdlib>

using namespace tonolog;

namespace {

QImage imageOf(int id) {
    return bitmapResource(id).toImage().convertToFormat(QImage::Format_ARGB32);
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

    // Every number gives its own picture: a pressed button looks other than a raised one, and no
    // two buttons or logos share a picture by mistake.
    void everyNumberHasItsOwnPicture() {
        QList<QImage> seen;
        for (int id : {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011,
                       1012, 1013, 1014, 1015, 1016, 1017, 1018, 1101, 1102, 1103}) {
            const QImage image = imageOf(id);
            QVERIFY2(!seen.contains(image), qPrintable(QString::number(id)));
            seen << image;
        }
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
    }

    void windowIconComesInSeveralSizes() {
        const QIcon icon = iconResource(101);
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        for (int side : {16, 24, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    }
};

QTEST_MAIN(ResourcesTest)
#include "test_resources.moc"
