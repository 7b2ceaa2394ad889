// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/busy_pointer.h"
#include "canvas/page_palette.h"
#include "canvas/text.h"
#include "document/document.h"
#include "document/list_rows.h"
#include "platform/printer_surface.h"
#include "platform/words.h"
#include "print/page_printing.h"

#include <QRect>

#include <algorithm>
#include <vector>

namespace tonolog {

namespace {

const QColor black(0, 0, 0);
const QColor white(255, 255, 255);

// The printed list page, in twips from the page's corner: the page's ground, the rows beside the
// chart, seven rows of three readings and a note. A row's parts are given from the row's top.
namespace layout {
constexpr QRect ground{240, 240, 10575, 12615};
constexpr QPoint title{480, 360};
constexpr QPoint comment{5160, 480};
constexpr QPoint unit{8760, 480};
constexpr QRect rows{480, 840, 7335, 11295}; // within the ground
constexpr QRect chart{8040, 840, 2055, 11295};
constexpr int rowCount = 7;
constexpr int rowPitch = 1560;
constexpr int firstRowTop = 240;
constexpr QPoint number{240, 0};
constexpr QRect dateBox{240, 360, 1095, 615};
constexpr int slotLeft = 1680;
constexpr int slotPitch = 1800;
constexpr QRect cell{0, 0, 1815, 1095}; // from the slot's corner
constexpr int labelHeight = 375;
constexpr int pulseLeft = 1200;
constexpr int noteTop = 1080;
constexpr int noteWidth = 5415;
// A long note is cut this far right of its box.
constexpr int noteOverhang = 20;
constexpr int scaleLabelWidth = 375;
constexpr int bottomScaleTop = 11040;
constexpr int titlePoints = 14;
constexpr int datePoints = 12;
constexpr int commentPoints = 10;
// The chart's bars are as thick as a pen of four pixels, its dots as wide as one of five.
constexpr int barHalfThickness = 30;
constexpr int dotDiameter = 75;
} // namespace layout

// The text right-aligned in this many characters; a longer one as it is.
QString rightAligned(const QString& text, int width) {
    return text.rightJustified(width, QLatin1Char(' '), false);
}

int rowTop(int row) {
    return layout::firstRowTop + layout::rowPitch * row;
}

// One reading's cell: its SYS, DIA, pulse, time and half of the day, and the cell's inner lines.
void printSlot(PrinterSurface& surface, QPoint corner, const ListSlot& slot) {
    const QPoint dia = corner + QPoint(0, layout::labelHeight - 15);
    const QPoint pulse = corner + QPoint(layout::pulseLeft, 0);
    const QPoint time = corner + QPoint(0, 2 * (layout::labelHeight - 15));
    const QString sys = fromStd(slot.sys);
    const QString diaText = fromStd(slot.dia);
    surface.printText(corner.x(), corner.y(),
                      sys.isEmpty() ? Tonolog::tr(" S") : Tonolog::tr(" S    ") + rightAligned(sys, 3));
    surface.printText(dia.x(), dia.y(),
                      diaText.isEmpty() ? Tonolog::tr(" D")
                                        : Tonolog::tr(" D    ") + rightAligned(diaText, 3));
    surface.printText(pulse.x(), pulse.y(), Tonolog::tr(" P"));
    if (!slot.pul.empty())
        surface.printText(pulse.x(), pulse.y() + layout::labelHeight, rightAligned(fromStd(slot.pul), 3));
    if (!slot.time.empty())
        surface.printText(time.x(), time.y(), rightAligned(fromStd(slot.time), 8));
    if (!slot.ampm.empty())
        surface.printText(pulse.x(), time.y(), QStringLiteral(" ") + fromStd(slot.ampm));
    surface.setPenWidth(1);
    surface.drawLine(dia.x(), dia.y(), dia.x() + layout::pulseLeft + 15, dia.y(), black);
    surface.drawLine(pulse.x(), pulse.y(), pulse.x(), pulse.y() + layout::cell.height(), black);
}

// One day's row: its number, its date in a white box, the note and the three readings' cells.
// The row's top is `top` below the rows' corner.
void printRow(PrinterSurface& surface, QPoint rows, int top, const ListRow& row, const QString& dayKey) {
    surface.setFontSize(layout::titlePoints);
    surface.printText(rows.x() + layout::number.x(), rows.y() + top, fromStd(row.number));

    const QRect date = layout::dateBox.translated(rows + QPoint(0, top));
    surface.drawBox(date.x(), date.y(), date.x() + date.width(), date.y() + date.height(), white, true);
    surface.drawBox(date.x(), date.y(), date.x() + date.width(), date.y() + date.height(), black, false);
    surface.setFontSize(layout::datePoints);
    if (!dayKey.isEmpty()) {
        surface.printText(date.x(), date.y(), QStringLiteral(" ") + dayKey.left(8));
        surface.printText(date.x(), date.y() + layout::labelHeight, QStringLiteral(" ") + dayKey.mid(8));
    }

    const QPoint firstSlot = rows + QPoint(layout::slotLeft, top);
    const QPoint note = firstSlot + QPoint(0, layout::noteTop);
    surface.drawBox(firstSlot.x(), firstSlot.y(), firstSlot.x() + layout::noteWidth,
                    note.y() + layout::labelHeight, white, true);
    surface.printTextWithin(note.x(), note.y(), layout::noteWidth + layout::noteOverhang,
                            Tonolog::tr(" NOTES: ") + fromStd(row.note));

    surface.setFontSize(layout::titlePoints);
    for (std::size_t j = 0; j < 3; ++j)
        printSlot(surface, firstSlot + QPoint(layout::slotPitch * static_cast<int>(j), 0), row.slots[j]);
    const QPoint firstTime = firstSlot + QPoint(0, 2 * (layout::labelHeight - 15));
    surface.drawLine(firstTime.x(), firstTime.y(), firstTime.x() + layout::noteWidth, firstTime.y(), black);

    surface.setPenWidth(4);
    for (int j = 1; j < 3; ++j) {
        const int x = firstSlot.x() + layout::slotPitch * j;
        surface.drawLine(x, firstSlot.y(), x, firstSlot.y() + layout::cell.height(), black);
    }
    surface.drawLine(note.x(), note.y(), note.x() + layout::noteWidth, note.y(), black);
    surface.drawBox(firstSlot.x(), firstSlot.y(), firstSlot.x() + layout::noteWidth,
                    firstSlot.y() + layout::cell.height() + layout::labelHeight, black, false);
}

// The chart with its corner at `graph`: the three zones, the dotted grid at 50, 100, 150 and 200,
// the readings' bars and dots, the frame and the scale.
void printChart(PrinterSurface& surface, QPoint graph, const std::vector<ListMark>& marks) {
    const double w = layout::chart.width();
    const int h = layout::chart.height();
    const int x90 = chartX(w, 90);
    const int x140 = chartX(w, 140);
    surface.setPenWidth(1);
    surface.drawBox(graph.x(), graph.y(), graph.x() + x90, graph.y() + h, zoneLow, true);
    surface.drawBox(graph.x() + x90, graph.y(), graph.x() + x140, graph.y() + h, zoneMiddle, true);
    surface.drawBox(graph.x() + x140, graph.y(), graph.x() + layout::chart.width(), graph.y() + h, zoneHigh,
                    true);
    surface.setDotted(true);
    for (const int value : {100, 200, 50, 150}) {
        const int x = graph.x() + chartX(w, value);
        surface.drawLine(x, graph.y(), x, graph.y() + h, black);
    }
    surface.setDotted(false);
    for (const ListMark& mark : marks) {
        // A bar ends at the strip's edges, as on the screen.
        if (mark.kind == ListMark::bar)
            surface.drawBox(graph.x() + std::max(0, mark.x1 - layout::barHalfThickness),
                            graph.y() + mark.y - layout::barHalfThickness,
                            graph.x() + std::min(layout::chart.width(), mark.x2 + layout::barHalfThickness),
                            graph.y() + mark.y + layout::barHalfThickness, black, true);
        else if (mark.kind == ListMark::dot)
            surface.drawDot(graph.x() + mark.x1, graph.y() + mark.y, layout::dotDiameter, black);
    }
    surface.setPenWidth(4);
    surface.drawBox(graph.x(), graph.y(), graph.x() + layout::chart.width(), graph.y() + h, black, false);
    surface.setFontSize(layout::commentPoints);
    // Each scale number's right edge on its line.
    for (const auto& [value, top] : {std::pair{50, layout::bottomScaleTop}, std::pair{100, 0},
                                     std::pair{150, layout::bottomScaleTop}, std::pair{200, 0}})
        surface.printText(graph.x() + chartX(w, value) - layout::scaleLabelWidth, graph.y() + top,
                          rightAligned(QString::number(value), 3));
}

} // namespace

QString PagePrinting::listTitle() const {
    const ReadingTable& table = document_.table();
    const int top = document_.listTopIndex();
    const int last = std::min(table.count(), top + layout::rowCount - 1);
    return fromStd(listPrintTitle(document_.userName(), table.dayOf(top), table.dayOf(last)));
}

void PagePrinting::printList() {
    bool printed = false;
    std::unique_ptr<PrinterSurface> surface;
    {
        const BusyPointer busy;
        surface = surfaces_(*printer_);
        printed = renderListPage(*surface);
    }
    reportIfFailed(printed, *surface);
}

// The List page's seven days from its first row on, painted from the diary: the rows' texts and
// frames, and the chart's zones, grid, bars and dots.
bool PagePrinting::renderListPage(PrinterSurface& surface) {
    const QPoint origin = surface.logicalOrigin();
    const QPoint page = origin + layout::ground.topLeft();
    const QPoint rows = page + layout::rows.topLeft();
    surface.setOrientation(PrinterSurface::portrait);
    surface.setFontName(QStringLiteral("Tahoma"));
    surface.setPenWidth(2);
    surface.drawBox(page.x(), page.y(), page.x() + layout::ground.width(), page.y() + layout::ground.height(),
                    palette_.paletteListPage, true);
    surface.drawBox(rows.x(), rows.y(), rows.x() + layout::rows.width(), rows.y() + layout::rows.height(),
                    palette_.paletteListRows, true);
    surface.setFontSize(layout::titlePoints);
    surface.printText(page.x() + layout::title.x(), page.y() + layout::title.y(),
                      fromStd(listPageTitle(document_.userName())));
    surface.setFontSize(layout::commentPoints);
    surface.printText(page.x() + layout::comment.x(), page.y() + layout::comment.y(),
                      Tonolog::tr("S:Systolic D:Diastolic P:Pulse"));
    surface.printText(page.x() + layout::unit.x(), page.y() + layout::unit.y(), Tonolog::tr("mmHg"));

    const ListChart chart{static_cast<double>(layout::chart.width()), readingPitch(rowTop(0), rowTop(1))};
    std::vector<ListMark> marks;
    ListRow row;
    for (int r = 0; r < layout::rowCount; ++r) {
        const int position = document_.listTopIndex() + r;
        if (!fillListRow(document_.table(), position, chart, rowTop(r), layout::labelHeight, row))
            continue;
        const auto day = document_.table().dayOf(position);
        printRow(surface, rows, rowTop(r), row, day ? fromStd(formatDayKey(*day)) : QString());
        for (const ListSlot& slot : row.slots)
            marks.push_back(slot.mark);
    }
    surface.drawBox(rows.x(), rows.y(), rows.x() + layout::rows.width(), rows.y() + layout::rows.height(),
                    black, false);
    printChart(surface, page + layout::chart.topLeft(), marks);
    return surface.endDocument();
}

} // namespace tonolog
