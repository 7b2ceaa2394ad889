// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_renderer.h"

#include "canvas/page_palette.h"
#include "canvas/text.h"
#include "document/conversions.h"
#include "platform/words.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tonolog {

namespace {

constexpr double twipsPerInch = 1440.0;

QPen dashedPen(const QColor& colour) {
    QPen pen(colour, 20, Qt::DashLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// Columns of the table of readings, twips from the left of the printable area.
constexpr int dateLeft = 0;
constexpr int timeLeft = 1500;
constexpr int sysRight = 3250;
constexpr int diaRight = 4000;
constexpr int pulRight = 4750;
constexpr int noteLeft = 5050;

constexpr int footerHeight = 600;
constexpr int chartHeight = 3600;
constexpr int chartScaleWidth = 450;
// Charts of more readings than this join them without a dot each.
constexpr int maxDottedReadings = 250;

const QColor sysColour{159, 0, 0};
const QColor diaColour{0, 0, 234};
const QColor notCountedColour{128, 128, 128};
const QColor ruleColour{160, 160, 160};

const char* const disclaimer = QT_TRANSLATE_NOOP(
    "Tonolog", "This report summarises readings entered by the user; it is not a diagnosis.");

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString dayText(Date date) {
    return fromStd(formatDayKey(date));
}

QString extremeText(const char* what, const std::optional<Extreme>& extreme) {
    if (!extreme)
        return Tonolog::tr(what) + QStringLiteral(" -");
    return Tonolog::tr("%1 %2 on %3").arg(Tonolog::tr(what)).arg(extreme->value).arg(dayText(extreme->date));
}

int lineSpacingOf(const QFont& font, QPaintDevice* device) {
    return roundToInt(QFontMetricsF(font, device).lineSpacing());
}

} // namespace

QString reportInWords(const Report& report) {
    const ReportSummary& s = report.summary;
    const ReportOptions& o = report.options;
    QStringList sentences;
    sentences << Tonolog::tr("Home blood pressure report") << fromStd(report.ownerName)
              << Tonolog::tr("Period: %1").arg(periodText(o.from, o.to))
              << Tonolog::tr("%1 readings on %2 days").arg(s.readingsCounted).arg(s.daysWithReadings);
    if (s.readingsCounted > 0) {
        sentences << Tonolog::tr("Mean SYS %1, DIA %2, PUL %3")
                         .arg(fromStd(formatMeanAndSpread(s.whole.sys)),
                              fromStd(formatMeanAndSpread(s.whole.dia)),
                              fromStd(formatMeanAndSpread(s.whole.pul)))
                  << extremeText(QT_TRANSLATE_NOOP("Tonolog", "Lowest SYS"), s.lowestSys)
                  << extremeText(QT_TRANSLATE_NOOP("Tonolog", "Highest SYS"), s.highestSys)
                  << extremeText(QT_TRANSLATE_NOOP("Tonolog", "Lowest DIA"), s.lowestDia)
                  << extremeText(QT_TRANSLATE_NOOP("Tonolog", "Highest DIA"), s.highestDia)
                  << Tonolog::tr("At or above %1/%2: %3")
                         .arg(o.thresholdSys)
                         .arg(o.thresholdDia)
                         .arg(fromStd(formatThresholdShare(s)));
    }
    sentences << fromStd(thresholdVerdict(s, o));
    sentences.removeAll(QString());
    return sentences.join(QStringLiteral(". "));
}

void setUpReportPage(QPagedPaintDevice& device) {
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    device.setPageLayout(QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4),
                                     QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
}

QString periodText(Date from, Date to) {
    return dayText(from) + Tonolog::tr(" to ") + dayText(to);
}

ReportRenderer::ReportRenderer(const Report& report, const ReadingTable& table)
    : report_(report), table_(table) {}

const QFont& ReportRenderer::font(int points, bool bold) const {
    QFont& f = fonts_[static_cast<std::size_t>(2 * std::clamp(points, 1, maxPoints) + (bold ? 1 : 0))];
    if (f.pixelSize() != points * 20) {
        f = QFont(QStringLiteral("Arial"));
        // A point is 20 twips, and the painter's unit is the twip.
        f.setPixelSize(points * 20);
        f.setBold(bold);
    }
    return f;
}

int ReportRenderer::layOut(QPagedPaintDevice& device) {
    measure(device);
    return pageCount();
}

void ReportRenderer::measure(QPagedPaintDevice& device) {
    width_ = device.width() * twipsPerInch / device.logicalDpiX();
    height_ = device.height() * twipsPerInch / device.logicalDpiY();
    bodyLine_ = lineSpacingOf(font(10), &device);
    anyNotCounted_ = std::any_of(report_.period.readings.begin(), report_.period.readings.end(),
                                 [](const PeriodReading& r) {
                                     return r.use == ReadingUse::FirstDay || r.use == ReadingUse::BadValue;
                                 });
    tableLine_ = lineSpacingOf(font(9), &device);

    int top = paintHeader(nullptr, 1);
    top = paintSummary(nullptr, top);
    top = paintChart(nullptr, top);
    firstPageTableTop_ = top;

    const int tableHeader = paintTableHeader(nullptr, 0);
    const int bottom = roundToInt(height_) - footerHeight;
    const int laterTop = paintHeader(nullptr, 2);
    // Only a note longer than a whole page is cut, at the page's end (the CSV export keeps it whole).
    const int maxNoteLines = std::max(1, (bottom - laterTop - tableHeader) / tableLine_);
    const QFontMetricsF metrics(font(9), &device);
    const double noteWidth = width_ - noteLeft;
    lines_.clear();
    lines_.reserve(report_.period.readings.size());
    std::vector<int> heights;
    heights.reserve(report_.period.readings.size());
    int lastPosition = 0;
    for (std::size_t i = 0; i < report_.period.readings.size(); ++i) {
        const PeriodReading& r = report_.period.readings[i];
        Line line{static_cast<int>(i), tableLine_, false};
        // The day's note stands on its first line.
        if (r.position != lastPosition) {
            lastPosition = r.position;
            const std::string_view note = table_.rowAt(r.position).column(noteColumn);
            line.showsNote = !trimBlanks(note).empty();
            if (line.showsNote) {
                const QString shown = fromView(note);
                if (metrics.horizontalAdvance(shown) > noteWidth) {
                    const double wrapped =
                        metrics.boundingRect(QRectF(0, 0, noteWidth, 1e9), Qt::TextWordWrap, shown).height();
                    const int noteLines =
                        std::clamp(roundToInt(wrapped / metrics.lineSpacing()), 1, maxNoteLines);
                    line.height = noteLines * tableLine_;
                }
            }
        }
        lines_.push_back(line);
        heights.push_back(line.height);
    }
    pages_ = paginate(heights, bottom - firstPageTableTop_ - tableHeader, bottom - laterTop - tableHeader);
}

bool ReportRenderer::render(QPagedPaintDevice& device, int pageLimit,
                            const std::function<bool(int)>& pagePainted) {
    measure(device);
    QPainter painting;
    QPainter* painter = &painting;
    if (!painter->begin(&device))
        return false;
    const double scale = device.logicalDpiX() / twipsPerInch;
    const int pages = pageLimit < 0 ? pageCount() : std::min(pageLimit, pageCount());
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !device.newPage()) {
            painter->end();
            return false;
        }
        painter->resetTransform();
        painter->scale(scale, device.logicalDpiY() / twipsPerInch);
        int top = paintHeader(painter, page);
        if (page == 1) {
            top = paintSummary(painter, top);
            top = paintChart(painter, top);
        }
        const PageLines& lines = pages_[static_cast<std::size_t>(page - 1)];
        if (lines.end > lines.first) {
            top = paintTableHeader(painter, top);
            for (int i = lines.first; i < lines.end; ++i) {
                paintLine(painter, lines_[static_cast<std::size_t>(i)], top);
                top += lines_[static_cast<std::size_t>(i)].height;
            }
        }
        paintFooter(painter, page);
        if (pagePainted && !pagePainted(page)) {
            painter->end();
            return false;
        }
    }
    return painter->end();
}

void ReportRenderer::text(QPainter* painter, const QFont& f, double x, double y, const QString& shown,
                          const QColor& colour) {
    if (painter == nullptr)
        return;
    painter->setFont(f);
    painter->setPen(colour);
    painter->drawText(QRectF(x, y, width_ - x, 1e5), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      shown);
}

void ReportRenderer::textRight(QPainter* painter, const QFont& f, double right, double y,
                               const QString& shown, const QColor& colour) {
    if (painter == nullptr)
        return;
    painter->setFont(f);
    painter->setPen(colour);
    painter->drawText(QRectF(0, y, right, 1e5), Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, shown);
}

int ReportRenderer::paintHeader(QPainter* painter, int pageNumber) {
    const QString period = periodText(report_.options.from, report_.options.to);
    const QString owner = fromStd(report_.ownerName);
    if (pageNumber > 1) {
        // Later pages say whose report they belong to, should they come apart.
        text(painter, font(8), 0, 0,
             Tonolog::tr("Home blood pressure report \u00b7 %1 \u00b7 %2").arg(owner, period),
             ruleColour.darker(150));
        return 2 * lineSpacingOf(font(8), nullptr);
    }
    int top = 0;
    text(painter, font(16, true), 0, top, Tonolog::tr("Home blood pressure report"));
    top += lineSpacingOf(font(16, true), nullptr);
    text(painter, font(12, true), 0, top, owner.isEmpty() ? Tonolog::tr("(no name)") : owner);
    top += lineSpacingOf(font(12, true), nullptr);
    const int days = report_.options.to.serial - report_.options.from.serial + 1;
    QString periodLine = Tonolog::tr("Period: %1 (%2 %3)")
                             .arg(period)
                             .arg(days)
                             .arg(days == 1 ? Tonolog::tr("day") : Tonolog::tr("days"));
    if (report_.options.leaveOutFirstDay)
        periodLine += Tonolog::tr("; the first day with readings is left out");
    text(painter, font(10), 0, top, periodLine);
    top += bodyLine_;
    text(painter, font(10), 0, top, Tonolog::tr("Made on %1").arg(dayText(report_.madeOn)));
    top += bodyLine_ + bodyLine_ / 2;
    return top;
}

int ReportRenderer::paintSummary(QPainter* painter, int top) {
    const ReportSummary& s = report_.summary;
    const ReportOptions& o = report_.options;
    const QFont body = font(10);
    const QFont bold = font(10, true);
    text(painter, font(11, true), 0, top, Tonolog::tr("Summary"));
    top += lineSpacingOf(font(11, true), nullptr);
    QString counts = Tonolog::tr("Days with readings: %1    Readings counted: %2")
                         .arg(s.daysWithReadings)
                         .arg(s.readingsCounted);
    if (s.readingsLeftOut > 0)
        counts += Tonolog::tr("    Readings left out: %1 (a value that is not a whole number from 0 to 250)")
                      .arg(s.readingsLeftOut);
    text(painter, body, 0, top, counts);
    top += bodyLine_;
    // Without readings the verdict below says so, and there are no figures.
    if (s.readingsCounted > 0)
        top = paintFigures(painter, top);
    text(painter, bold, 0, top, fromStd(thresholdVerdict(s, o)));
    top += bodyLine_ + bodyLine_ / 2;
    return top;
}

// Mean and standard deviation, the whole period and morning and evening apart; the extremes and
// the share at or above the threshold.
int ReportRenderer::paintFigures(QPainter* painter, int top) {
    const ReportSummary& s = report_.summary;
    const ReportOptions& o = report_.options;
    const QFont body = font(10);
    const QFont bold = font(10, true);
    constexpr int columns[] = {3350, 4700, 6450, 8200};
    top += bodyLine_ / 3;
    text(painter, bold, columns[0], top, Tonolog::tr("Readings"));
    text(painter, bold, columns[1], top, Tonolog::tr("SYS mmHg"));
    text(painter, bold, columns[2], top, Tonolog::tr("DIA mmHg"));
    text(painter, bold, columns[3], top, Tonolog::tr("PUL /min"));
    top += bodyLine_;
    const std::pair<QString, const SeriesFigures*> rows[] = {
        {Tonolog::tr("Whole period"), &s.whole},
        {Tonolog::tr("Morning (04:00\u201311:59)"), &s.morning},
        {Tonolog::tr("Evening (18:00\u201303:59)"), &s.evening}};
    for (const auto& [caption, figures] : rows) {
        text(painter, body, 0, top, caption);
        text(painter, body, columns[0], top, QString::number(figures->readings));
        text(painter, body, columns[1], top, fromStd(formatMeanAndSpread(figures->sys)));
        text(painter, body, columns[2], top, fromStd(formatMeanAndSpread(figures->dia)));
        text(painter, body, columns[3], top, fromStd(formatMeanAndSpread(figures->pul)));
        top += bodyLine_;
    }
    text(painter, font(8), 0, top,
         Tonolog::tr(
             "Mean \u00b1 standard deviation. Readings without a time count in the whole period only."),
         notCountedColour);
    top += bodyLine_ + bodyLine_ / 3;
    text(painter, body, 0, top,
         extremeText(QT_TRANSLATE_NOOP("Tonolog", "Lowest SYS"), s.lowestSys) + QStringLiteral("    ") +
             extremeText(QT_TRANSLATE_NOOP("Tonolog", "Highest SYS"), s.highestSys));
    top += bodyLine_;
    text(painter, body, 0, top,
         extremeText(QT_TRANSLATE_NOOP("Tonolog", "Lowest DIA"), s.lowestDia) + QStringLiteral("    ") +
             extremeText(QT_TRANSLATE_NOOP("Tonolog", "Highest DIA"), s.highestDia));
    top += bodyLine_;
    text(painter, body, 0, top,
         Tonolog::tr("Readings at or above %1/%2 mmHg: %3")
             .arg(o.thresholdSys)
             .arg(o.thresholdDia)
             .arg(fromStd(formatThresholdShare(s))));
    top += bodyLine_;
    return top;
}

int ReportRenderer::paintChart(QPainter* painter, int top) {
    text(painter, font(11, true), 0, top, Tonolog::tr("Readings over the period"));
    top += lineSpacingOf(font(11, true), nullptr);
    const ChartFrame frame{static_cast<double>(chartScaleWidth), static_cast<double>(top),
                           width_ - chartScaleWidth, static_cast<double>(chartHeight)};
    // Under the chart its dates and legend, then the heading of the table.
    const int tableHeading = top + chartHeight + 3 * lineSpacingOf(font(8), nullptr);
    const int bottom = tableHeading + lineSpacingOf(font(11, true), nullptr);
    text(painter, font(11, true), 0, tableHeading, Tonolog::tr("Every reading"));
    if (painter == nullptr)
        return bottom;
    paintChartGround(*painter, frame);
    paintChartReadings(*painter, frame);
    paintChartLegend(*painter, frame);
    return bottom;
}

void ReportRenderer::paintChartGround(QPainter& painter, const ChartFrame& frame) {
    const QFont small = font(8);
    const int smallLine = lineSpacingOf(small, nullptr);
    const Date from = report_.options.from;
    const Date to = report_.options.to;
    const double right = frame.left + frame.width;
    const auto y = [&](double value) { return reportChartY(frame, value); };
    painter.setPen(Qt::NoPen);
    painter.fillRect(QRectF(QPointF(frame.left, y(90)), QPointF(right, y(0))), zoneLow);
    painter.fillRect(QRectF(QPointF(frame.left, y(140)), QPointF(right, y(90))), zoneMiddle);
    painter.fillRect(QRectF(QPointF(frame.left, y(chartScaleTop)), QPointF(right, y(140))), zoneHigh);
    for (int value = 50; value < chartScaleTop; value += 50) {
        painter.setPen(QPen(ruleColour, 8, Qt::DotLine));
        painter.drawLine(QPointF(frame.left, y(value)), QPointF(right, y(value)));
        textRight(&painter, small, frame.left - 60, y(value) - smallLine / 2.0, QString::number(value));
    }
    textRight(&painter, small, frame.left - 60, y(0) - smallLine / 2.0, QStringLiteral("0"));

    // The days under the chart: each day of a short period, else evenly spread dates.
    const int days = std::max(1, to.serial - from.serial + 1);
    const int labels = std::min(days, 7);
    for (int k = 0; k < labels; ++k) {
        const int day = labels == 1 ? 0 : roundToInt(static_cast<double>(k) * (days - 1) / (labels - 1));
        const Date date{from.serial + day};
        const double x = reportChartX(frame, from, to, date, 12 * 60);
        const QString shown = dayText(date);
        const double w = QFontMetricsF(small).horizontalAdvance(shown);
        text(&painter, small, std::clamp(x - w / 2, frame.left, right - w), y(0) + 40, shown);
    }
}

// The threshold as two dashed lines, the readings as two joined series, and the chart's frame.
void ReportRenderer::paintChartReadings(QPainter& painter, const ChartFrame& frame) {
    const Date from = report_.options.from;
    const Date to = report_.options.to;
    const double right = frame.left + frame.width;
    const auto y = [&](double value) { return reportChartY(frame, value); };
    const ReportOptions& o = report_.options;
    painter.setPen(dashedPen(sysColour));
    painter.drawLine(QPointF(frame.left, y(o.thresholdSys)), QPointF(right, y(o.thresholdSys)));
    painter.setPen(dashedPen(diaColour));
    painter.drawLine(QPointF(frame.left, y(o.thresholdDia)), QPointF(right, y(o.thresholdDia)));

    QPainterPath sys;
    QPainterPath dia;
    std::vector<QPointF> dots;
    const bool dotted = report_.summary.readingsCounted <= maxDottedReadings;
    for (const PeriodReading& r : report_.period.readings) {
        if (r.use != ReadingUse::Counted)
            continue;
        const double x = reportChartX(frame, from, to, r.date, r.minuteOfDay);
        for (auto [value, path] : {std::pair{r.sys, &sys}, std::pair{r.dia, &dia}}) {
            if (value < 0)
                continue;
            const QPointF point(x, y(value));
            if (path->elementCount() == 0)
                path->moveTo(point);
            else
                path->lineTo(point);
            if (dotted)
                dots.push_back(point);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(sysColour, 15));
    painter.drawPath(sys);
    painter.setPen(QPen(diaColour, 15));
    painter.drawPath(dia);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const QPointF& dot : dots)
        painter.drawEllipse(dot, 30, 30);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 10));
    painter.drawRect(QRectF(frame.left, frame.top, frame.width, frame.height));
}

// The legend under the dates.
void ReportRenderer::paintChartLegend(QPainter& painter, const ChartFrame& frame) {
    const QFont small = font(8);
    const int smallLine = lineSpacingOf(small, nullptr);
    const double legendTop = reportChartY(frame, 0) + 40 + smallLine;
    double x = frame.left;
    const auto legend = [&](const QPen& pen, const QString& caption) {
        painter.setPen(pen);
        painter.drawLine(QPointF(x, legendTop + smallLine / 2.0),
                         QPointF(x + 400, legendTop + smallLine / 2.0));
        text(&painter, small, x + 480, legendTop, caption);
        x += 480 + QFontMetricsF(small).horizontalAdvance(caption) + 400;
    };
    const ReportOptions& o = report_.options;
    legend(QPen(sysColour, 15), Tonolog::tr("SYS"));
    legend(QPen(diaColour, 15), Tonolog::tr("DIA"));
    legend(dashedPen(sysColour), Tonolog::tr("SYS threshold %1").arg(o.thresholdSys));
    legend(dashedPen(diaColour), Tonolog::tr("DIA threshold %1 mmHg").arg(o.thresholdDia));
}

int ReportRenderer::paintTableHeader(QPainter* painter, int top) {
    const QFont bold = font(9, true);
    if (anyNotCounted_) {
        text(painter, font(8), 0, top,
             Tonolog::tr(
                 "Grey lines are not in the figures: the first day with readings, or a value that is not a "
                 "whole number from 0 to 250."),
             notCountedColour);
        top += tableLine_;
    }
    text(painter, bold, dateLeft, top, Tonolog::tr("Date"));
    text(painter, bold, timeLeft, top, Tonolog::tr("Time"));
    textRight(painter, bold, sysRight, top, Tonolog::tr("SYS"));
    textRight(painter, bold, diaRight, top, Tonolog::tr("DIA"));
    textRight(painter, bold, pulRight, top, Tonolog::tr("PUL"));
    text(painter, bold, noteLeft, top, Tonolog::tr("Note"));
    top += tableLine_;
    if (painter != nullptr) {
        painter->setPen(QPen(ruleColour, 10));
        painter->drawLine(QPointF(0, top - 20), QPointF(width_, top - 20));
    }
    return top + 20;
}

void ReportRenderer::paintLine(QPainter* painter, const Line& line, int top) {
    const PeriodReading& r = report_.period.readings[static_cast<std::size_t>(line.reading)];
    const DayRow& row = table_.rowAt(r.position);
    const QFont body = font(9);
    const bool counted = r.use == ReadingUse::Counted || r.use == ReadingUse::NoteOnly;
    const QColor colour = counted ? QColor(Qt::black) : notCountedColour;
    text(painter, body, dateLeft, top, dayText(r.date), colour);
    if (r.reading > 0) {
        const int k = r.reading - 1;
        text(painter, body, timeLeft, top, fromView(trimBlanks(row.column(4 * k + 4))), colour);
        textRight(painter, body, sysRight, top, fromView(trimBlanks(row.column(4 * k + 1))), colour);
        textRight(painter, body, diaRight, top, fromView(trimBlanks(row.column(4 * k + 2))), colour);
        textRight(painter, body, pulRight, top, fromView(trimBlanks(row.column(4 * k + 3))), colour);
    }
    if (line.showsNote) {
        painter->setFont(body);
        painter->setPen(Qt::black);
        painter->drawText(QRectF(noteLeft, top, width_ - noteLeft, line.height),
                          Qt::AlignLeft | Qt::TextWordWrap, fromView(row.column(noteColumn)));
    }
}

void ReportRenderer::paintFooter(QPainter* painter, int pageNumber) {
    const QFont small = font(8);
    const double top = height_ - footerHeight + 200;
    painter->setPen(QPen(ruleColour, 10));
    painter->drawLine(QPointF(0, top - 80), QPointF(width_, top - 80));
    text(painter, small, 0, top, Tonolog::tr(disclaimer));
    textRight(painter, small, width_, top, Tonolog::tr("Page %1 of %2").arg(pageNumber).arg(pageCount()));
}

} // namespace tonolog
