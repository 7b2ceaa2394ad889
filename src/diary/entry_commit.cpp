// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/clock_dates.h"
#include "canvas/message_box.h"
#include "canvas/text.h"
#include "diary/diary_page.h"
#include "document/conversions.h"
#include "document/document.h"
#include "document/entry_rules.h"
#include "platform/words.h"

#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace tonolog {

namespace {

EntryTexts entryOnPage(const DiaryControls& d) {
    EntryTexts entry;
    entry.date = toStd(d.InputDate->text());
    for (std::size_t i = 0; i < 3; ++i) {
        entry.sys[i] = toStd(d.InputSys[i]->text());
        entry.dia[i] = toStd(d.InputDia[i]->text());
        entry.pul[i] = toStd(d.InputPul[i]->text());
    }
    return entry;
}

} // namespace

EntryFaults DiaryPage::validateEntry() {
    return checkEntry(entryOnPage(ui_));
}

std::int16_t DiaryPage::countFilledInputs() {
    const DiaryControls& d = ui_;
    std::int16_t filled = 0;
    for (std::size_t i = 0; i < 3; ++i)
        for (const QLineEdit* box : {d.InputSys[i], d.InputDia[i], d.InputPul[i], d.InputTime[i]})
            if (!box->text().isEmpty())
                ++filled;
    if (!d.InputNote->text().isEmpty())
        ++filled;
    return filled;
}

void DiaryPage::commitEntry(CommitCause cause) {
    const EntryFaults faults = validateEntry();
    if (faults.any()) {
        entryHasErrors = true;
        if (!showingFaults_ && (faults != lastEntryErrors || cause == CommitCause::command)) {
            const int page = host_.currentPage();
            if (page == 1 || page == 2)
                host_.colourTabs(page);
            lastEntryErrors = faults;
            showingFaults_ = true;
            showMessage(messages_, fromStd(entryErrorMessage(faults)), MessageButtons::Ok,
                        MessageIcon::Question);
            showingFaults_ = false;
            // After the message the user corrects the first faulty box, where it is on screen.
            if (host_.currentPage() == 0) {
                const std::vector<BoxFault> found = boxFaults(faults);
                QTimer::singleShot(0, boxOf(found.front()),
                                   [box = QPointer<QLineEdit>(boxOf(found.front()))] {
                                       if (box != nullptr)
                                           box->setFocus(Qt::OtherFocusReason);
                                   });
            }
        }
        lastEntryErrors = faults;
        markFaults(faults);
        return;
    }

    entryHasErrors = false;
    lastEntryErrors = {};
    markFaults({});
    const DiaryControls& d = ui_;
    currentDay.date = parseDate(toStd(d.InputDate->text())).value_or(currentDay.date);
    for (std::size_t i = 0; i < 3; ++i) {
        currentDay.sys[i] = toStd(d.InputSys[i]->text());
        currentDay.dia[i] = toStd(d.InputDia[i]->text());
        currentDay.pul[i] = toStd(d.InputPul[i]->text());
        currentDay.time[i] = normaliseTimeText(toStd(d.InputTime[i]->text()));
    }
    currentDay.note = toStd(d.InputNote->text());

    if (document_.putDay(currentDay, countFilledInputs() == 0, nowFrom(clock_)) == PutResult::full)
        showMessage(messages_,
                    Tonolog::tr("The diary is full: it holds 32767 days, and no day can be added."),
                    MessageButtons::Ok, MessageIcon::Exclamation);

    host_.entryCommitted();
}

QLineEdit* DiaryPage::boxOf(const BoxFault& fault) const {
    const auto i = static_cast<std::size_t>(fault.reading);
    switch (fault.box) {
    case BoxFault::date:
        return ui_.InputDate;
    case BoxFault::sys:
        return ui_.InputSys[i];
    case BoxFault::dia:
        return ui_.InputDia[i];
    case BoxFault::pul:
        return ui_.InputPul[i];
    }
    return ui_.InputDate;
}

void DiaryPage::markFaults(const EntryFaults& faults) {
    static const char* plainTip = "tonologPlainToolTip";
    static const char* plainDescription = "tonologPlainDescription";
    std::vector<QLineEdit*> marked;
    for (const BoxFault& fault : boxFaults(faults)) {
        QLineEdit* box = boxOf(fault);
        if (std::find(marked_.begin(), marked_.end(), box) == marked_.end()) {
            box->setProperty(plainTip, box->toolTip());
            box->setProperty(plainDescription, box->accessibleDescription());
            box->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid rgb(200, 0, 0); }"));
        }
        box->setToolTip(fromStd(fault.text));
        box->setAccessibleDescription(fromStd(fault.text));
        marked.push_back(box);
    }
    for (QLineEdit* box : marked_) {
        if (std::find(marked.begin(), marked.end(), box) != marked.end())
            continue;
        box->setStyleSheet(QString());
        box->setToolTip(box->property(plainTip).toString());
        box->setAccessibleDescription(box->property(plainDescription).toString());
    }
    marked_ = std::move(marked);
}

void DiaryPage::unmarkCorrectedBoxes() {
    if (marked_.empty())
        return;
    // Only marks go: a fault typed now is said when the box is left.
    const std::vector<BoxFault> now = boxFaults(validateEntry());
    EntryFaults kept = lastEntryErrors;
    for (const BoxFault& fault : boxFaults(lastEntryErrors)) {
        const bool stillWrong = std::any_of(now.begin(), now.end(), [&](const BoxFault& f) {
            return f.box == fault.box && f.reading == fault.reading;
        });
        if (stillWrong)
            continue;
        ReadingFaults& r = kept.readings[static_cast<std::size_t>(fault.reading)];
        switch (fault.box) {
        case BoxFault::date:
            kept.badDate = false;
            break;
        case BoxFault::sys:
            r.badSys = r.sysRange = false;
            break;
        case BoxFault::dia:
            r.badDia = r.diaRange = false;
            break;
        case BoxFault::pul:
            r.badPul = r.pulRange = false;
            break;
        }
    }
    markFaults(kept);
}

bool DiaryPage::commitPendingEntry() {
    if (entryChanged) {
        commitEntry();
        if (entryHasErrors)
            return false;
        entryChanged = false;
    }
    return true;
}

void DiaryPage::takeInValidEntry() {
    if (entryChanged && !validateEntry().any()) {
        commitEntry();
        entryChanged = false;
    }
}

} // namespace tonolog
