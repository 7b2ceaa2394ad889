// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "canvas/controls.h"
#include "canvas/resources.h"
#include "document/conversions.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"

#include <QtTest>

using namespace tonolog;

namespace {

const QColor black(0, 0, 0);

// What the window shows, in device pixels.
QImage screenOf(MainForm& form) {
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The device pixel of the window on which a widget's top-left corner is drawn.
QPoint deviceCorner(MainForm& form, const QWidget* widget) {
    const QPoint corner = widget->mapTo(&form, QPoint(0, 0));
    const double ratio = form.devicePixelRatioF();
    return QPoint(roundToInt(corner.x() * ratio), roundToInt(corner.y() * ratio));
}

MainForm& startOnTheList(FormHarness& h) {
    const QString path = h.file(QStringLiteral("ann.tnl"));
    FormHarness::writeFile(path, "Ann,\r\nJan./05/2004,120,80,66,7:05am,,,,,,,,,,\r\n");
    MainForm& form = h.start(path);
    diary::setClientSize(form, MainForm::designClientPixels());
    MainTab* tab = form.ui.mainTab;
    QTest::mouseClick(tab->strip(), Qt::LeftButton, {}, tab->strip()->tabRect(1).center());
    return form;
}

} // namespace

// The window on a screen of 2 (or, run a second time, 1.5) device pixels to a pixel: what the
// screen shows is the canvases' pictures and the buttons' drawings pixel for pixel, never scaled.
class HiDpiTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        const double ratio = qgetenv("QT_SCALE_FACTOR").toDouble();
        QVERIFY(ratio == 2 || ratio == 1.5);
    }

    // The bar of a reading is 4 pixels thick: 8 device pixels at 2, 6 at 1.5.
    void listBarOnTheScreen() {
        FormHarness h;
        MainForm& form = startOnTheList(h);
        const double ratio = form.devicePixelRatioF();
        Canvas* chart = form.ui.list.PicGraphArea;
        const QImage screen = screenOf(form);
        const QPoint corner = deviceCorner(form, chart);
        // Reading 1 of row 0 stands at y 385 twips; 120 lies at x 986.
        const QPoint middle = corner + chart->toDevice(900, 385);
        int top = middle.y();
        while (screen.pixelColor(middle.x(), top - 1) == black)
            --top;
        int bottom = middle.y();
        while (screen.pixelColor(middle.x(), bottom + 1) == black)
            ++bottom;
        QCOMPARE(bottom - top + 1, ratio == 2 ? 8 : 6);
        QCOMPARE(top, corner.y() + chart->toDevice(0, 385).y() - (ratio == 2 ? 4 : 3));

        // Between the scale labels the screen holds the chart's picture unchanged.
        const QImage& picture = chart->picture();
        for (int y = picture.height() / 4; y < picture.height() * 3 / 4; ++y)
            for (int x = 1; x < picture.width() - 1; ++x)
                QCOMPARE(screen.pixelColor(corner + QPoint(x, y)), picture.pixelColor(x, y));
    }

    // A button shows the drawing made for its size: at 2 the twice-as-dense one itself.
    void buttonDrawingPixelForPixel() {
        FormHarness h;
        MainForm& form = startOnTheList(h);
        ImageButton* up = form.ui.list.ImgListUp;
        const double ratio = form.devicePixelRatioF();
        const QSize size(roundToInt(up->width() * ratio), roundToInt(up->height() * ratio));
        const QImage drawing = (ratio == 2 ? bitmapResource2x(1007).toImage() : bitmapAtSize(1007, size))
                                   .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(drawing.size(), size);
        const QImage screen = screenOf(form);
        const QPoint corner = deviceCorner(form, up);
        int opaque = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb p = drawing.pixel(x, y);
                if (qAlpha(p) < 255)
                    continue;
                ++opaque;
                QCOMPARE(screen.pixel(corner + QPoint(x, y)), p | 0xff000000u);
            }
        QVERIFY(opaque > size.width() * size.height() / 2);

        // The hand pointer over a day label (32 pixels) is as large in device pixels, its hot spot
        // the same in pixels.
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(form.ui.list.LblDateData[0], &move);
        const int side = ratio == 2 ? 64 : 48;
        QCOMPARE(form.cursor().pixmap().size(), QSize(side, side));
        QCOMPARE(form.cursor().pixmap().devicePixelRatio(), ratio);
        QCOMPARE(form.cursor().hotSpot(), QPoint(12, 1));
    }

    // A frame's sides are whole device pixels, as many as fit in a pixel: 1 at 1.5, 2 at 2. The
    // sides it shares with its neighbours (they overlap by a pixel) stay such a line.
    void frameSidesEqual() {
        FormHarness h;
        MainForm& form = startOnTheList(h);
        const QWidget* frame = form.ui.list.ShapeSys[0];
        const QImage screen = screenOf(form);
        const double ratio = form.devicePixelRatioF();
        const QPoint corner = deviceCorner(form, frame);
        const QPoint far =
            corner + QPoint(roundToInt(frame->width() * ratio), roundToInt(frame->height() * ratio));
        // The black run met first from `from`, walking by `step`.
        auto line = [&screen](QPoint from, QPoint step) {
            while (screen.pixelColor(from) != black)
                from += step;
            int n = 0;
            for (; screen.pixelColor(from) == black; from += step)
                ++n;
            return n;
        };
        const int width = ratio == 2 ? 2 : 1;
        const int middleY = (corner.y() + far.y()) / 2;
        const int rightX = corner.x() + (far.x() - corner.x()) * 3 / 4;
        QCOMPARE(line({corner.x() - 2, middleY}, {1, 0}), width);
        QCOMPARE(line({far.x() + 2, middleY}, {-1, 0}), width); // shared with the second slot
        QCOMPARE(line({rightX, corner.y() - 2}, {0, 1}), width);
        QCOMPARE(line({rightX, far.y() + 3}, {0, -1}), width); // shared with the note's frame
    }

    // The keyboard's focus on an image button and on a box is a black ring of at least two device
    // pixels with white inside it.
    void theFocusRingIsClearAtEveryScale() {
        FormHarness h;
        MainForm& form = h.start();
        for (QWidget* control : {static_cast<QWidget*>(form.ui.diary.ImgDiaryDown),
                                 static_cast<QWidget*>(form.ui.diary.InputSys[0])}) {
            control->setFocus(Qt::TabFocusReason);
            QVERIFY(control->hasFocus());
            const QImage image = control->grab().toImage();
            const int y = image.height() / 2;
            int black = 0;
            int x = 0;
            while (x < image.width() / 3 && qGray(image.pixel(x, y)) > 60)
                ++x;
            while (x < image.width() / 3 && qGray(image.pixel(x, y)) <= 60) {
                ++black;
                ++x;
            }
            QVERIFY2(black >= 2, qPrintable(control->objectName()));
            QVERIFY(x < image.width() && qGray(image.pixel(x, y)) >= 230);
        }
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_hidpi.moc"
