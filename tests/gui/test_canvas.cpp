// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "canvas/canvas_set.h"

#include <QApplication>
#include <QtTest>

using namespace tonolog;

namespace {

const QColor white(255, 255, 255);
const QColor black(0, 0, 0);
const QColor red(200, 0, 0);

// A canvas of 100 x 60 device-independent pixels as canvas number 2, on a white background.
struct Sheet {
    Sheet() {
        canvas.resize(100, 60);
        canvas.setBackgroundColor(white);
        canvases.setCanvas(CanvasSet::listChart, &canvas);
    }
    QColor at(int x, int y) const { return canvas.picture().pixelColor(x, y); }
    int count(const QColor& color) const {
        int n = 0;
        const QImage& p = canvas.picture();
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                n += p.pixelColor(x, y) == color ? 1 : 0;
        return n;
    }
    Canvas canvas;
    CanvasSet canvases;
};

} // namespace

// The whole test runs at a device pixel ratio of 2: the picture is kept in device pixels, and a
// pen of one pixel is two device pixels wide.
class CanvasTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pictureIsInDevicePixels() {
        Sheet s;
        QCOMPARE(s.canvas.devicePixelRatioF(), 2.0);
        QCOMPARE(s.canvas.picture().size(), QSize(200, 120));
        QCOMPARE(s.canvas.widthTwips(), 1500);
        QCOMPARE(s.canvas.toDevice(15, 30), QPoint(2, 4));
    }

    // A filled rectangle of no height with pen 4 is a bar 4 pixels (8 device pixels) thick,
    // whichever end comes first.
    void barEitherWayRound() {
        Sheet a;
        a.canvas.setPenWidth(4);
        a.canvases.drawLine(2, 150, 450, 900, 450, black, CanvasSet::Shape::filledBox);
        Sheet b;
        b.canvas.setPenWidth(4);
        b.canvases.drawLine(2, 900, 450, 150, 450, black, CanvasSet::Shape::filledBox);
        QCOMPARE(a.canvas.picture(), b.canvas.picture());
        const int y = 60; // 450 twips
        for (int row = y - 4; row <= y + 3; ++row)
            QCOMPARE(a.at(50, row), black);
        QCOMPARE(a.at(50, y - 5), white);
        QCOMPARE(a.at(50, y + 4), white);
        QCOMPARE(a.count(black), (120 - 20 + 8) * 8);
    }

    void unknownNumbersDrawNothing() {
        Sheet s;
        const QImage blank = s.canvas.picture();
        // The print layout's canvases do not exist yet.
        for (int number : {0, 4, 5, 7})
            s.canvases.drawLine(number, 0, 0, 900, 600, black, CanvasSet::Shape::filledBox);
        QCOMPARE(s.canvas.picture(), blank);
    }

    void filledCircleKeepsTheFillSettings() {
        Sheet s;
        s.canvases.drawCircle(2, 150, 450, 450, black, red, CanvasSet::CircleStyle::filled);
        QCOMPARE(s.at(60, 60), red);
        QCOMPARE(s.canvas.fillStyle(), Canvas::FillStyle::transparent);
        // An outline afterwards is an outline only.
        s.canvases.drawCircle(2, 150, 1050, 450, black, red, CanvasSet::CircleStyle::outline);
        QCOMPARE(s.at(140, 60), white);
        QCOMPARE(s.at(140, 60 - 20), black);
    }

    void dotAsWideAsThePen() {
        Sheet s;
        s.canvas.setPenWidth(5); // 10 device pixels
        s.canvases.drawPoint(2, 750, 450, black);
        QCOMPARE(s.at(100, 60), black);
        QCOMPARE(s.at(95, 60), black);
        QCOMPARE(s.at(104, 60), black);
        QCOMPARE(s.at(94, 60), white);
        QCOMPARE(s.at(95, 55), white); // round: no corners
        QVERIFY(s.count(black) > 60 && s.count(black) < 100);
    }

    void dottedAndSolidLines() {
        Sheet s;
        s.canvases.drawLine(2, 300, 0, 300, 900, black, CanvasSet::Shape::line);
        s.canvas.setLineStyle(Canvas::LineStyle::dotted);
        s.canvases.drawLine(2, 600, 0, 600, 900, black, CanvasSet::Shape::line);
        int solid = 0;
        int dotted = 0;
        for (int y = 0; y < 120; ++y) {
            solid += s.at(40, y) == black ? 1 : 0;
            dotted += s.at(80, y) == black ? 1 : 0;
        }
        QCOMPARE(solid, 120);
        QVERIFY(dotted > 20 && dotted < 80);
    }

    // A resize to the same size (a hidden page's first show) keeps the drawing; a new size
    // starts blank.
    void resizeKeepsOrStartsAfresh() {
        Sheet s;
        s.canvases.drawLine(2, 0, 0, 1500, 900, black, CanvasSet::Shape::filledBox);
        QResizeEvent same(s.canvas.size(), s.canvas.size());
        QApplication::sendEvent(&s.canvas, &same);
        QCOMPARE(s.at(10, 10), black);
        // A hidden canvas hears of its new size only when shown; the set's fit replaces it now.
        s.canvas.resize(120, 60);
        QVERIFY(s.canvases.fitPictures());
        QVERIFY(!s.canvases.fitPictures());
        QCOMPARE(s.at(10, 10), white);
        QCOMPARE(s.canvas.picture().width(), 240);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    CanvasTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_canvas.moc"
