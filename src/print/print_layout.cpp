#include "print/print_layout.h"

#include "canvas/canvas.h"
#include "canvas/controls.h"
#include "canvas/twips.h"

namespace tonolog {

namespace {

// A left edge placed at run time, kept in whole twips: the widget's pixels would round it to 15.
const char* const exactLeftProperty = "tonologLeftTwips";

template <class W> W* placed(W* widget, const QString& name, QRect designTwips) {
    widget->setObjectName(name);
    widget->setGeometry(twips::toPixels(designTwips));
    return widget;
}

Label* label(QWidget* parent, const QString& name, const QString& text, QRect r, double points) {
    auto* l = placed(new Label(text, parent), name, r);
    QFont font = l->font();
    font.setPointSizeF(points);
    l->setFont(font);
    return l;
}

QString indexed(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

} // namespace

QRect twipsRect(const QWidget* widget) {
    QRect r = twips::geometryOf(widget);
    const QVariant left = widget->property(exactLeftProperty);
    if (left.isValid())
        r.moveLeft(left.toInt());
    return r;
}

void placeLeft(QWidget* widget, int leftTwips) {
    widget->setProperty(exactLeftProperty, leftTwips);
    widget->move(twips::toPixels(leftTwips), widget->y());
}

PrintDlg::PrintDlg() {
    setObjectName(QStringLiteral("PrintDlg"));
    setWindowTitle(QStringLiteral("Now printing..."));
    QFont form(QStringLiteral("Tahoma"));
    form.setPointSizeF(9);
    setFont(form);
    constexpr double big = 14.25;
    constexpr double small = 12.0;
    constexpr double comment = 9.75;

    PicFormBack = placed(new Canvas(this), QStringLiteral("PicFormBack"), {240, 240, 10575, 12615});
    LblListTitle = label(PicFormBack, QStringLiteral("LblListTitle"), QString(), {480, 360, 4695, 375}, big);
    LblComment = label(PicFormBack, QStringLiteral("LblComment"),
                       QStringLiteral("S:Systolic D:Diastolic P:Pulse"), {5160, 480, 2655, 255}, comment);
    LblListUnit = label(PicFormBack, QStringLiteral("LblListUnit"), QStringLiteral("mmHg"),
                        {8760, 480, 615, 255}, comment);
    PicViewArea = placed(new Canvas(PicFormBack), QStringLiteral("PicViewArea"), {480, 840, 7335, 11295});
    PicGraphArea = placed(new Canvas(PicFormBack), QStringLiteral("PicGraphArea"), {8040, 840, 2055, 11295});
    // The graph's bars are a picture on paper: keep it at four times the screen's resolution.
    // The page and the rows are plain colour, kept one pixel to a pixel: on a screen of 1.5
    // device pixels to a pixel their sizes would not be whole pixels, and the paper would get
    // them a little larger than designed.
    PicGraphArea->setPictureRatio(4);
    PicFormBack->setPictureRatio(1);
    PicViewArea->setPictureRatio(1);
    LblList100 =
        label(PicGraphArea, QStringLiteral("LblList100"), QStringLiteral("100"), {480, 0, 375, 255}, 9);
    LblList200 =
        label(PicGraphArea, QStringLiteral("LblList200"), QStringLiteral("200"), {1320, 0, 375, 255}, 9);
    LblList50 =
        label(PicGraphArea, QStringLiteral("LblList50"), QStringLiteral("50"), {480, 11040, 375, 255}, 9);
    LblList150 =
        label(PicGraphArea, QStringLiteral("LblList150"), QStringLiteral("150"), {1320, 11040, 375, 255}, 9);

    for (int r = 0; r < rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        const int t = 240 + 1560 * r;
        LblNumData[row] =
            label(PicViewArea, indexed("LblNumData", r), QString::number(r + 1), {240, t, 1095, 375}, big);
        LblDateData[row] =
            label(PicViewArea, indexed("LblDateData", r), QString(), {240, t + 360, 1095, 615}, small);
        for (int j = 0; j < 3; ++j) {
            const int k = 3 * r + j;
            const auto s = static_cast<std::size_t>(k);
            const int x = 1680 + 1800 * j;
            LblSysTitle[s] =
                label(PicViewArea, indexed("LblSysTitle", k), QStringLiteral(" S"), {x, t, 1215, 375}, big);
            LblSysData[s] =
                label(PicViewArea, indexed("LblSysData", k), QString(), {x + 480, t, 615, 375}, big);
            LblDiaTitle[s] = label(PicViewArea, indexed("LblDiaTitle", k), QStringLiteral(" D"),
                                   {x, t + 360, 1215, 375}, big);
            LblDiaData[s] =
                label(PicViewArea, indexed("LblDiaData", k), QString(), {x + 480, t + 360, 615, 375}, big);
            LblPulTitle[s] = label(PicViewArea, indexed("LblPulTitle", k), QStringLiteral(" P"),
                                   {x + 1200, t, 615, 735}, big);
            LblPulData[s] =
                label(PicViewArea, indexed("LblPulData", k), QString(), {x + 1200, t + 360, 615, 375}, big);
            LblTimeData[s] =
                label(PicViewArea, indexed("LblTimeData", k), QString(), {x, t + 720, 1215, 375}, big);
            LblAmpmData[s] =
                label(PicViewArea, indexed("LblAmpmData", k), QString(), {x + 1200, t + 720, 615, 375}, big);
            ShapeSys[s] = placed(new ShapeFrame(PicViewArea), indexed("ShapeSys", k), {x, t, 1815, 1095});
        }
        LblNoteTitle[row] = label(PicViewArea, indexed("LblNoteTitle", r), QStringLiteral(" NOTES:"),
                                  {1680, t + 1080, 5415, 375}, small);
        LblNoteData[row] = label(PicViewArea, indexed("LblNoteData", r), QStringLiteral("note"),
                                 {2760, t + 1080, 4335, 300}, small);
        ShapeNote[row] =
            placed(new ShapeFrame(PicViewArea), indexed("ShapeNote", r), {1680, t + 1080, 5415, 375});
    }
    resize(twips::toPixels(11055), twips::toPixels(13095));
}

} // namespace tonolog
