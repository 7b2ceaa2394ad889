// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "list_rows.h"

#include "words.h"

#include "conversions.h"
#include "dates.h"
#include "entry_rules.h"

#include <algorithm>
#include <optional>

namespace tonolog {

namespace {

// The value a chart mark stands for: a whole number, at most 250; a text that is not a number
// has no mark.
std::optional<int> chartedValue(std::string_view stored) {
    const auto value = parseInt16(stored);
    if (!value)
        return std::nullopt;
    return std::min<int>(*value, chartScaleTop);
}

} // namespace

int chartX(double chartWidth, int value) {
    return roundClampedToInt16(chartWidth / chartScaleTop * value);
}

std::string listDateCaption(std::string_view key) {
    const auto date = parseDate(key);
    if (!date)
        return std::string(key);
    const std::string text = formatDayKey(*date); // "Jan./05/2004"
    return " " + text.substr(0, 8) + "\r\n  " + text.substr(8);
}

SplitTime splitTime12(std::string_view stored) {
    const auto time = parseTimeOfDay(stored);
    if (!time)
        return {};
    const bool pm = time->hour >= 12;
    int hour = time->hour;
    if (!pm && hour == 0)
        hour = 12;
    else if (pm && hour >= 13)
        hour -= 12;
    std::string minutes = std::to_string(time->minute);
    if (minutes.size() < 2)
        minutes.insert(0, 1, '0');
    return SplitTime{std::to_string(hour) + ":" + minutes, pm ? "pm" : "am"};
}

namespace {

// One reading in words, its parts joined by commas; empty for a reading with nothing in it.
std::string describeSlot(const ListSlot& slot) {
    std::string words;
    const auto add = [&words](const std::string& part) { words += (words.empty() ? "" : ", ") + part; };
    if (!slot.sys.empty() && !slot.dia.empty())
        add(translatedWith(QT_TRANSLATE_NOOP("Tonolog", "%1 over %2"), {slot.sys, slot.dia}));
    else if (!slot.sys.empty())
        add(translatedWith(QT_TRANSLATE_NOOP("Tonolog", "SYS %1"), {slot.sys}));
    else if (!slot.dia.empty())
        add(translatedWith(QT_TRANSLATE_NOOP("Tonolog", "DIA %1"), {slot.dia}));
    if (!slot.pul.empty())
        add(translatedWith(QT_TRANSLATE_NOOP("Tonolog", "pulse %1"), {slot.pul}));
    if (!slot.time.empty())
        add(translatedWith(QT_TRANSLATE_NOOP("Tonolog", "at %1"), {slot.time + slot.ampm}));
    return words;
}

} // namespace

std::string describeListReadings(const ListRow& row) {
    std::string date = row.dateCaption;
    std::erase_if(date, [](char c) { return c == ' ' || c == '\r' || c == '\n'; });
    std::string readings;
    for (const ListSlot& slot : row.slots)
        if (const std::string words = describeSlot(slot); !words.empty())
            readings += (readings.empty() ? "" : "; ") + words;
    return date + ": " +
           (readings.empty() ? translated(QT_TRANSLATE_NOOP("Tonolog", "no readings")) : readings);
}

std::string describeListRow(const ListRow& row) {
    std::string words = describeListReadings(row);
    if (!row.note.empty())
        words += "; " + translatedWith(QT_TRANSLATE_NOOP("Tonolog", "note: %1"), {row.note});
    return words;
}

int readingPitch(int firstRowTop, int secondRowTop) {
    return roundClampedToInt16((secondRowTop - firstRowTop) / 3.0);
}

int listMarkY(int slotTop, int slotHeight, int readingPitch, int reading) {
    return roundClampedToInt16(static_cast<double>(slotTop) - slotHeight + (reading + 1) * readingPitch);
}

bool fillListRow(const ReadingTable& table, int position, const ListChart& chart, int slotTop, int slotHeight,
                 ListRow& out) {
    if (position < 1 || position > table.count())
        return false;
    const DayRow& day = table.rowAt(position);
    out.position = position;
    out.number = std::to_string(position);
    out.dateCaption = listDateCaption(day.key());
    for (int k = 0; k < 3; ++k) {
        ListSlot& slot = out.slots[static_cast<std::size_t>(k)];
        const std::string_view sys = day.column(4 * k + 1);
        const std::string_view dia = day.column(4 * k + 2);
        slot.sys = displayedReading(sys);
        slot.dia = displayedReading(dia);
        slot.pul = displayedReading(day.column(4 * k + 3));
        SplitTime time = splitTime12(day.column(4 * k + 4));
        slot.time = std::move(time.time);
        slot.ampm = std::move(time.ampm);

        slot.mark = ListMark{};
        const auto sysValue = chartedValue(sys);
        const auto diaValue = chartedValue(dia);
        if (!sysValue && !diaValue)
            continue;
        slot.mark.y = listMarkY(slotTop, slotHeight, chart.readingPitch, k);
        if (sysValue && diaValue) {
            const int xs = chartX(chart.width, *sysValue);
            const int xd = chartX(chart.width, *diaValue);
            slot.mark.kind = ListMark::bar;
            slot.mark.x1 = std::min(xs, xd);
            slot.mark.x2 = std::max(xs, xd);
        } else {
            slot.mark.kind = ListMark::dot;
            slot.mark.x1 = slot.mark.x2 = chartX(chart.width, sysValue ? *sysValue : *diaValue);
        }
    }
    out.note = std::string(day.column(noteColumn));
    return true;
}

std::int16_t listTopAfterStepUp(std::int16_t listTopIndex) {
    return static_cast<std::int16_t>(std::max(1, listTopIndex - 1));
}

std::int16_t listTopAfterStepDown(std::int16_t listTopIndex, int count) {
    int top = listTopIndex + 1;
    if (top > count - 3)
        top = count - 3;
    if (top < 1)
        top = 1;
    return static_cast<std::int16_t>(top);
}

namespace {

std::string ownerOrNew(std::string_view owner) {
    return owner.empty() ? translated(QT_TRANSLATE_NOOP("Tonolog", "(New)")) : std::string(owner);
}

} // namespace

std::string listPageTitle(std::string_view owner) {
    return translatedWith(QT_TRANSLATE_NOOP("Tonolog", "%1 's data list"), {ownerOrNew(owner)});
}

std::string trendPageTitle(std::string_view owner) {
    return translatedWith(QT_TRANSLATE_NOOP("Tonolog", "%1 's BP Trend"), {ownerOrNew(owner)});
}

std::string shortMonthOf(Date date) {
    return formatDayKey(date).substr(0, 4);
}

namespace {

// "Tonolog – Hanna Berg – what", or "Tonolog – what" without a name.
std::string printTitle(std::string_view owner, const std::string& what) {
    const std::string dash = " \u2013 ";
    return "Tonolog" + dash + (owner.empty() ? std::string() : std::string(owner) + dash) + what;
}

} // namespace

std::string daySpanText(Date first, Date last) {
    const CivilDate a = civilFromDate(first);
    const CivilDate b = civilFromDate(last);
    const std::string dayA = std::to_string(a.day);
    const std::string dayB = std::to_string(b.day);
    const std::string yearA = std::to_string(a.year);
    const std::string yearB = std::to_string(b.year);
    if (first == last)
        return shortMonthOf(first) + " " + dayA + ", " + yearA;
    if (a.year == b.year && a.month == b.month)
        return shortMonthOf(first) + " " + dayA + "\u2013" + dayB + ", " + yearA;
    if (a.year == b.year)
        return shortMonthOf(first) + " " + dayA + " \u2013 " + shortMonthOf(last) + " " + dayB + ", " + yearA;
    return shortMonthOf(first) + " " + dayA + ", " + yearA + " \u2013 " + shortMonthOf(last) + " " + dayB +
           ", " + yearB;
}

std::string listPrintTitle(std::string_view owner, std::optional<Date> first, std::optional<Date> last) {
    if (!first || !last)
        return printTitle(owner, translated(QT_TRANSLATE_NOOP("Tonolog", "data list")));
    return printTitle(
        owner, translatedWith(QT_TRANSLATE_NOOP("Tonolog", "data list %1"), {daySpanText(*first, *last)}));
}

std::string trendPrintTitle(std::string_view owner, Date windowStart) {
    const std::string month =
        shortMonthOf(windowStart) + " " + std::to_string(civilFromDate(windowStart).year);
    return printTitle(owner, translatedWith(QT_TRANSLATE_NOOP("Tonolog", "trend %1"), {month}));
}

std::string reportPrintTitle(std::string_view owner, Date from, Date to) {
    return printTitle(owner,
                      translatedWith(QT_TRANSLATE_NOOP("Tonolog", "report %1"), {daySpanText(from, to)}));
}

} // namespace tonolog
