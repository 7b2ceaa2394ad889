#include "canvas/busy_pointer.h"
#include "canvas/canvas.h"
#include "canvas/canvas_set.h"
#include "canvas/controls.h"
#include "canvas/page_palette.h"
#include "canvas/text.h"
#include "canvas/twips.h"
#include "document/document.h"
#include "document/list_rows.h"
#include "listpage/chart_scale.h"
#include "listpage/list_controls.h"
#include "platform/printer_surface.h"
#include "print/page_printing.h"
#include "print/print_layout.h"

#include <QApplication>
#include <QPainter>

namespace tonolog {

namespace {

const QColor black(0, 0, 0);
const QColor white(255, 255, 255);

// The text right-aligned in this many characters; a longer one as it is.
QString rightAligned(const QString& text, int width) {
    return text.rightJustified(width, QLatin1Char(' '), false);
}

int fontPoints(const QWidget* w) {
    return roundToInt(w->font().pointSizeF());
}

} // namespace

void PagePrinting::printList() {
    const BusyPointer busy;
    PrintDlg& d = printLayout();
    QPalette form = d.palette();
    form.setColor(QPalette::Window, white);
    d.setPalette(form);
    d.PicFormBack->setBackgroundColor(palette_.paletteListPage);
    d.PicViewArea->setBackgroundColor(list_.PicViewArea->backgroundColor());
    d.LblListTitle->setText(list_.LblListTitle->text());
    drawPrintScale();
    DspPrintDlg();
    const std::unique_ptr<PrinterSurface> surface = surfaces_(printer_);
    renderListPage(*surface);
    reportIfFailed(listPrinted_);
}

void PagePrinting::drawPrintScale() {
    PrintDlg& d = printLayout();
    drawChartScale(canvases_, CanvasSet::printChart, *d.PicGraphArea,
                   {d.LblList100, d.LblList200, d.LblList50, d.LblList150}, placeLeft);
}

void PagePrinting::showPrintRow(bool visible, int row) {
    setRowVisible(printLayout(), row, visible);
}

// Fills the layout's seven rows as the List page fills its four, with points of pen width 4
// and no tooltips.
void PagePrinting::DspPrintDlg() {
    PrintDlg& d = printLayout();
    Canvas* graph = d.PicGraphArea;
    const ListChart chart{static_cast<double>(graph->widthTwips()),
                          readingPitch(twipsRect(d.LblSysTitle[0]).y(), twipsRect(d.LblSysTitle[3]).y())};
    graph->setPenWidth(4);
    graph->setLineStyle(Canvas::LineStyle::solid);
    const int slotHeight = twipsRect(d.LblSysTitle[0]).height();
    ListRow row;
    for (int r = 0; r < PrintDlg::rows; ++r) {
        const auto rr = static_cast<std::size_t>(r);
        const bool filled = fillListRow(document_.table(), document_.listTopIndex() + r, chart,
                                        twipsRect(d.LblSysTitle[3 * rr]).y(), slotHeight, row);
        showPrintRow(filled, r);
        if (!filled)
            continue;
        d.LblNumData[rr]->setText(fromStd(row.number));
        d.LblDateData[rr]->setText(fromStd(row.dateCaption));
        for (std::size_t j = 0; j < 3; ++j) {
            const std::size_t k = 3 * rr + j;
            const ListSlot& slot = row.slots[j];
            d.LblSysData[k]->setText(fromStd(slot.sys));
            d.LblDiaData[k]->setText(fromStd(slot.dia));
            d.LblPulData[k]->setText(fromStd(slot.pul));
            d.LblTimeData[k]->setText(fromStd(slot.time));
            d.LblAmpmData[k]->setText(fromStd(slot.ampm));
            if (slot.mark.kind == ListMark::bar)
                canvases_.drawLine(CanvasSet::printChart, slot.mark.x1, slot.mark.y, slot.mark.x2,
                                   slot.mark.y, black, CanvasSet::Shape::filledBox);
            else if (slot.mark.kind == ListMark::dot)
                canvases_.drawPoint(CanvasSet::printChart, slot.mark.x1, slot.mark.y, black);
        }
        d.LblNoteData[rr]->setText(fromStd(row.note));
    }
}

void PagePrinting::renderListPage(PrinterSurface& surface) {
    PrintDlg& d = printLayout();
    const QPoint origin = surface.logicalOrigin();
    const int xL = origin.x() + 240;
    const int yL = origin.y() + 240;
    const QPoint rows(xL + 480, yL + 840);
    const QPoint graph(xL + 8040, yL + 840);
    surface.setOrientation(PrinterSurface::portrait);

    const int titleSize = fontPoints(d.LblListTitle);
    const int dateSize = fontPoints(d.LblDateData[0]);
    const int commentSize = fontPoints(d.LblComment);
    surface.setFontName(d.font().family());
    // The second line of the date and of the pulse stands one title label lower: the layout's
    // label, which keeps its size (the window's own changes with the window, and would move the
    // year out of its box on paper).
    const int lineH = twipsRect(d.LblListTitle).height();

    // The note patch: the page beneath the note line (the row canvas where it lies, the page's
    // colour elsewhere), to paint over what a long note writes beyond its box.
    const QRect back = twipsRect(d.PicFormBack);
    const int noteHeight = twipsRect(d.LblNoteTitle[0]).height();
    QImage patch(twips::toPixels(back.width()), twips::toPixels(noteHeight), QImage::Format_RGB32);
    patch.fill(palette_.paletteListPage);
    {
        QPainter painter(&patch);
        painter.drawImage(twips::toPixels(twipsRect(d.PicViewArea).x()), 0, d.PicViewArea->image());
    }

    surface.setPenWidth(2);
    surface.drawImage(xL, yL, d.PicFormBack->image());
    surface.drawImage(rows.x(), rows.y(), d.PicViewArea->image());
    surface.setFontSize(titleSize);
    surface.printText(xL + 480, yL + 360, d.LblListTitle->text());
    surface.setFontSize(commentSize);
    surface.printText(xL + 5160, yL + 480, d.LblComment->text());
    surface.printText(xL + 8760, yL + 480, d.LblListUnit->text());

    // A control's rectangle on the page.
    const auto at = [&rows](const QWidget* w) { return twipsRect(w).translated(rows); };
    for (int r = 0; r < PrintDlg::rows; ++r) {
        const auto rr = static_cast<std::size_t>(r);
        if (d.LblNumData[rr]->isHidden())
            continue;
        surface.setFontSize(titleSize);
        const QRect number = at(d.LblNumData[rr]);
        surface.printText(number.x(), number.y(), d.LblNumData[rr]->text());

        const QRect dateBox = at(d.LblDateData[rr]);
        surface.drawBox(dateBox.x(), dateBox.y(), dateBox.x() + dateBox.width(),
                        dateBox.y() + dateBox.height(), white, true);
        surface.drawBox(dateBox.x(), dateBox.y(), dateBox.x() + dateBox.width(),
                        dateBox.y() + dateBox.height(), black, false);
        surface.setFontSize(dateSize);
        QString caption = d.LblDateData[rr]->text();
        caption.remove(QStringLiteral("\r\n"));
        caption.remove(QLatin1Char(' '));
        if (const auto day = parseDate(toStd(caption))) {
            const QString key = fromStd(formatDayKey(*day));
            surface.printText(dateBox.x(), dateBox.y(), QStringLiteral(" ") + key.left(8));
            surface.printText(dateBox.x(), dateBox.y() + lineH, QStringLiteral(" ") + key.mid(8));
        }

        const QRect firstSlot = at(d.LblSysTitle[3 * rr]);
        const QRect noteTitle = at(d.LblNoteTitle[rr]);
        surface.drawBox(firstSlot.x(), firstSlot.y(), firstSlot.x() + noteTitle.width(),
                        noteTitle.y() + noteTitle.height(), white, true);
        const QString note = d.LblNoteData[rr]->text();
        surface.printText(noteTitle.x(), noteTitle.y(), QStringLiteral(" NOTES: ") + note);
        if (!note.isEmpty()) {
            // A long note ends 20 twips right of its box.
            const int xN = noteTitle.x() + noteTitle.width() + 20;
            const int from = xN - xL;
            surface.drawImagePart(xN, noteTitle.y(), back.width() - from, patch, from, 20);
        }

        surface.setFontSize(titleSize);
        for (std::size_t j = 0; j < 3; ++j) {
            const std::size_t k = 3 * rr + j;
            const QRect sys = at(d.LblSysTitle[k]);
            const QRect dia = at(d.LblDiaTitle[k]);
            const QRect pul = at(d.LblPulTitle[k]);
            const QRect time = at(d.LblTimeData[k]);
            const QRect ampm = at(d.LblAmpmData[k]);
            const QString sysText = d.LblSysData[k]->text();
            const QString diaText = d.LblDiaData[k]->text();
            const QString pulText = d.LblPulData[k]->text();
            surface.printText(sys.x(), sys.y(),
                              sysText.isEmpty() ? QStringLiteral(" S")
                                                : QStringLiteral(" S    ") + rightAligned(sysText, 3));
            surface.printText(dia.x(), dia.y(),
                              diaText.isEmpty() ? QStringLiteral(" D")
                                                : QStringLiteral(" D    ") + rightAligned(diaText, 3));
            surface.printText(pul.x(), pul.y(), QStringLiteral(" P"));
            if (!pulText.isEmpty())
                surface.printText(pul.x(), pul.y() + lineH, rightAligned(pulText, 3));
            if (!d.LblTimeData[k]->text().isEmpty())
                surface.printText(time.x(), time.y(), rightAligned(d.LblTimeData[k]->text(), 8));
            if (!d.LblAmpmData[k]->text().isEmpty())
                surface.printText(ampm.x(), ampm.y(), QStringLiteral(" ") + d.LblAmpmData[k]->text());
            surface.setPenWidth(1);
            surface.drawLine(dia.x(), dia.y(), dia.x() + dia.width(), dia.y(), black);
            const int cellHeight = twipsRect(d.ShapeSys[3 * rr]).height();
            surface.drawLine(pul.x(), pul.y(), pul.x(), pul.y() + cellHeight, black);
        }
        const QRect firstTime = at(d.LblTimeData[3 * rr]);
        surface.drawLine(firstTime.x(), firstTime.y(), firstTime.x() + noteTitle.width(), firstTime.y(),
                         black);

        surface.setPenWidth(4);
        for (std::size_t j = 1; j < 3; ++j) {
            const QRect cell = at(d.ShapeSys[3 * rr + j]);
            surface.drawLine(cell.x(), cell.y(), cell.x(), cell.y() + cell.height(), black);
        }
        const QRect noteFrame = at(d.ShapeNote[rr]);
        surface.drawLine(noteFrame.x(), noteFrame.y(), noteFrame.x() + noteFrame.width(), noteFrame.y(),
                         black);
        const QRect cell = at(d.ShapeSys[3 * rr]);
        const int frameHeight = noteFrame.height() + twipsRect(d.ShapeSys[3 * rr + 1]).height();
        surface.drawBox(cell.x(), cell.y(), cell.x() + noteFrame.width(), cell.y() + frameHeight, black,
                        false);
    }

    const QRect rowCanvas = twipsRect(d.PicViewArea);
    surface.drawBox(rows.x(), rows.y(), rows.x() + rowCanvas.width(), rows.y() + rowCanvas.height(), black,
                    false);
    const QRect graphCanvas = twipsRect(d.PicGraphArea);
    surface.drawImage(graph.x(), graph.y(), d.PicGraphArea->image());
    surface.drawBox(graph.x(), graph.y(), graph.x() + graphCanvas.width(), graph.y() + graphCanvas.height(),
                    black, false);
    surface.setFontSize(commentSize);
    for (const Label* label : {d.LblList50, d.LblList100, d.LblList150, d.LblList200}) {
        const QRect r = twipsRect(label).translated(graph);
        surface.printText(r.x(), r.y(), rightAligned(label->text(), 3));
    }
    listPrinted_ = surface.endDocument();
}

} // namespace tonolog
