// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QColor>
#include <QFont>
#include <QString>

#include "document/report_pages.h"
#include "document/report_stats.h"

#include <array>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace tonolog {

// Paints a report for the doctor on the pages of a PDF writer or a printer: the header, the
// summary, the chart of the period and every reading of it in a table that continues over as many
// pages as it needs, never cutting a line, its header repeated and each page numbered. The
// painter's unit is the twip.
class ReportRenderer {
public:
    ReportRenderer(const Report& report, const ReadingTable& table);

    // Lays the report out on the device's pages; the number of pages.
    int layOut(QPagedPaintDevice& device);
    int pageCount() const { return static_cast<int>(pages_.size()); }

    // Paints the first pageLimit pages (all of them when negative) onto the device, which must not
    // be painted on yet. `pagePainted(k)` is called after page k (1-based) and may stop the work
    // by returning false. False when stopped or when the device cannot be painted on.
    bool render(QPagedPaintDevice& device, int pageLimit, const std::function<bool(int)>& pagePainted);

private:
    struct Line {
        int reading = 0; // index into the period's readings
        int height = 0;
        bool showsNote = false;
    };

    // The report's font in a size of points; made once.
    const QFont& font(int points, bool bold = false) const;
    void measure(QPagedPaintDevice& device);
    int paintHeader(QPainter* painter, int pageNumber);
    int paintSummary(QPainter* painter, int top);
    int paintFigures(QPainter* painter, int top);
    int paintChart(QPainter* painter, int top);
    void paintChartGround(QPainter& painter, const ChartFrame& frame);
    void paintChartReadings(QPainter& painter, const ChartFrame& frame);
    void paintChartLegend(QPainter& painter, const ChartFrame& frame);
    int paintTableHeader(QPainter* painter, int top);
    void paintLine(QPainter* painter, const Line& line, int top);
    void paintFooter(QPainter* painter, int pageNumber);
    void text(QPainter* painter, const QFont& font, double x, double y, const QString& text,
              const QColor& colour = Qt::black);
    void textRight(QPainter* painter, const QFont& font, double right, double y, const QString& text,
                   const QColor& colour = Qt::black);

    const Report& report_;
    const ReadingTable& table_;
    double width_ = 0;  // of the printable area, twips
    double height_ = 0; //
    int bodyLine_ = 0;
    int tableLine_ = 0;
    int firstPageTableTop_ = 0;
    bool anyNotCounted_ = false;
    static constexpr int maxPoints = 20;
    mutable std::array<QFont, 2 * maxPoints + 2> fonts_;
    std::vector<Line> lines_;
    std::vector<PageLines> pages_;
};

// A report's page: A4, or Letter where the locale measures in US units; portrait; 15 mm margins.
void setUpReportPage(QPagedPaintDevice& device);

// The period in the program's date form: "Nov./16/2026 to Nov./22/2026".
QString periodText(Date from, Date to);

// What the report's first page says, as sentences for a screen reader: the title, the owner and
// the period, the counts, the means, the extremes, the share at or above the threshold and the
// verdict.
QString reportInWords(const Report& report);

} // namespace tonolog
