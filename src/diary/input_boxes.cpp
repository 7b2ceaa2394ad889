// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/clock_dates.h"
#include "canvas/controls.h"
#include "canvas/press_and_hold.h"
#include "canvas/text.h"
#include "canvas/twips.h"
#include "diary/diary_page.h"
#include "document/conversions.h"
#include "document/document.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace tonolog {

namespace {

// Watches the Diary page's boxes for the focus leaving them and for the Enter key.
class DiaryInputWatcher : public QObject {
public:
    explicit DiaryInputWatcher(DiaryPage& page) : QObject(&page), page_(page) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == calendar) {
            // In the open calendar, Page Up and Page Down turn its month rather than step a day;
            // Escape closes it and leaves the date as it was.
            if (event->type() == QEvent::ShortcutOverride) {
                auto* keyEvent = static_cast<QKeyEvent*>(event);
                if (keyEvent->key() == Qt::Key_PageUp || keyEvent->key() == Qt::Key_PageDown ||
                    keyEvent->key() == Qt::Key_Escape)
                    keyEvent->accept();
            } else if (event->type() == QEvent::KeyPress &&
                       static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                page_.closeCalendar();
                return true;
            }
            return false;
        }
        // In the date box, Alt+Down and F4 open the calendar, as they open a drop-down list.
        if (watched == dateBox &&
            (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
            auto* keyEvent = static_cast<QKeyEvent*>(event);
            const bool opens =
                (keyEvent->key() == Qt::Key_Down && keyEvent->modifiers() == Qt::AltModifier) ||
                (keyEvent->key() == Qt::Key_F4 && keyEvent->modifiers() == Qt::NoModifier);
            if (opens) {
                keyEvent->accept();
                if (event->type() == QEvent::KeyPress)
                    page_.openCalendar();
                return event->type() == QEvent::KeyPress;
            }
        }
        auto* box = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusOut) {
            // Switching to another program or opening a menu does not leave the box; the menus
            // and buttons of this window cannot take the focus.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                reason != Qt::MenuBarFocusReason)
                page_.leaveBox(box);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                page_.enterPressedIn(box);
                return true;
            }
        }
        return false;
    }

public:
    // The calendar's grid of days, which has the focus while the calendar is open.
    QObject* calendar = nullptr;
    QObject* dateBox = nullptr;

private:
    DiaryPage& page_;
};

} // namespace

DiaryPage::DiaryPage(DiaryControls& controls, QCalendarWidget& monthView, Document& document,
                     const Clock& clock, MessageBoxService& messages, HandPointer& pointer, DiaryHost& host,
                     QObject* parent)
    : QObject(parent), ui_(controls), monthView_(monthView), document_(document), clock_(clock),
      messages_(messages), pointer_(pointer), host_(host) {
    connectControls();
}

DiaryPage::~DiaryPage() = default;

void DiaryPage::connectControls() {
    DiaryControls& d = ui_;
    auto* watcher = new DiaryInputWatcher(*this);
    auto markEdited = [this] {
        entryChanged = true;
        unmarkCorrectedBoxes();
    };
    QList<QLineEdit*> boxes{d.InputDate, d.InputNote};
    for (std::size_t i = 0; i < 3; ++i)
        boxes << d.InputSys[i] << d.InputDia[i] << d.InputPul[i] << d.InputTime[i];
    for (QLineEdit* box : boxes) {
        connect(box, &QLineEdit::textChanged, this, markEdited);
        box->installEventFilter(watcher);
    }
    d.InputName->installEventFilter(watcher);
    watcher->dateBox = d.InputDate;
    // A name or note keeps every character the file can hold, however long.
    d.InputName->setMaxLength(std::numeric_limits<int>::max());
    d.InputNote->setMaxLength(std::numeric_limits<int>::max());
    if (QWidget* days = monthView_.focusProxy()) {
        watcher->calendar = days;
        days->installEventFilter(watcher);
    }
    connect(d.InputName, &QLineEdit::textChanged, this, [this](const QString& text) {
        document_.setUserName(toStd(text));
        host_.ownerNameEdited();
        entryChanged = true;
    });

    connectButtons();

    connect(&monthView_, &QCalendarWidget::clicked, this, &DiaryPage::takeCalendarDate);
    connect(&monthView_, &QCalendarWidget::activated, this, &DiaryPage::takeCalendarDate);
    // The calendar goes away as soon as the focus goes anywhere else.
    // A message box shown while it opens (the commit of the box it left) does not count.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!monthView_.isVisible() || now == nullptr || now->window() != monthView_.window())
            return;
        if (now != &monthView_ && !monthView_.isAncestorOf(now))
            monthView_.hide();
    });

    // Labels and the page itself cannot take the focus: a click there moves it to the tab strip,
    // so the box that had it is left.
    auto leavePage = [this] { host_.focusTabStrip(); };
    for (Label* label : {d.LblName, d.LblDate, d.LblSys, d.LblDia, d.LblPul, d.LblTime, d.LblNote})
        connect(label, &Label::clicked, this, leavePage);
    for (Label* label : d.LblNum)
        connect(label, &Label::clicked, this, leavePage);
    connect(d.ImgDiaryLogo, &ImageButton::pressed, this, leavePage);
}

// The date and time buttons show their pressed picture while held; the day buttons step once at
// the release and repeat while held.
void DiaryPage::connectButtons() {
    DiaryControls& d = ui_;
    auto pressedLook = [](ImageButton* button) {
        connect(button, &ImageButton::pressed, button, [button] { button->showPressedPicture(true); });
        connect(button, &ImageButton::released, button, [button] { button->showPressedPicture(false); });
    };
    pressedLook(d.ImgInputDate);
    connect(d.ImgInputDate, &ImageButton::clicked, this, &DiaryPage::openCalendar);
    for (int i = 0; i < 3; ++i) {
        ImageButton* button = d.ImgInputTime[static_cast<std::size_t>(i)];
        pressedLook(button);
        connect(button, &ImageButton::released, this, [this, i] { fillCurrentTime(i); });
    }

    dayButtons = new PressAndHold(clock_, dayButtonState, this);
    connectHeldButton(d.ImgDiaryUp, dayButtons, [this] { stepDay(-1); });
    connectHeldButton(d.ImgDiaryDown, dayButtons, [this] { stepDay(+1); });
    addStepKeys(d.ImgDiaryUp, stepBackKeys(), [this] { stepDay(-1); });
    addStepKeys(d.ImgDiaryDown, stepOnKeys(), [this] { stepDay(+1); });
}

void DiaryPage::leaveBox(QWidget* box) {
    if (host_.switchingPage())
        return;
    if (box != ui_.InputDate) {
        // The commit rule: a rejected entry stays edited, so leaving the next box tries again.
        if (entryChanged) {
            commitEntry(CommitCause::leavingBox);
            if (!entryHasErrors)
                entryChanged = false;
        }
        return;
    }
    // The date rule: leaving the date box opens the day typed into it.
    if (!entryChanged || ui_.InputDate->text().isEmpty())
        return;
    const auto date = parseDate(toStd(ui_.InputDate->text()));
    if (!date)
        return;
    ui_.InputDate->setText(fromStd(formatDayKey(*date)));
    currentDay.date = *date;
    loadDay(*date);
}

void DiaryPage::enterPressedIn(QWidget* box) {
    const DiaryControls& d = ui_;
    QWidget* next = nullptr;
    if (box == d.InputDate)
        next = d.InputSys[0];
    for (std::size_t i = 0; i < 3; ++i) {
        if (box == d.InputSys[i])
            next = d.InputDia[i];
        else if (box == d.InputDia[i])
            next = d.InputPul[i];
        else if (box == d.InputPul[i])
            next = d.InputTime[i];
        else if (box == d.InputTime[i])
            next = i < 2 ? static_cast<QWidget*>(d.InputSys[i + 1]) : d.InputNote;
    }
    if (next != nullptr)
        next->setFocus(Qt::TabFocusReason);
}

void DiaryPage::openCalendar() {
    const auto typed = parseDate(toStd(ui_.InputDate->text()));
    const CivilDate c = civilFromDate(typed.value_or(todayFrom(clock_)));
    monthView_.setSelectedDate(QDate(c.year, c.month, c.day));
    // As large as the window's rescaling made the date box, never smaller than designed.
    if (!calendarDesign_.isValid()) {
        calendarDesign_ = monthView_.size();
        calendarFont_ = monthView_.font();
    }
    const double scale = std::max(1.0, ui_.InputDate->height() / double(twips::toPixels(dateBoxHeightTwips)));
    QFont font = calendarFont_;
    font.setPointSizeF(calendarFont_.pointSizeF() * scale);
    monthView_.setFont(font);
    monthView_.resize((QSizeF(calendarDesign_) * scale).toSize());
    // Just below the date box, wherever the window's rescaling has put it.
    const QPoint below = ui_.InputDate->mapTo(monthView_.parentWidget(), QPoint(0, ui_.InputDate->height()));
    monthView_.move(below);
    monthView_.raise();
    // The calendar takes the focus, so the box that had it is left (and a pending edit committed).
    monthView_.show();
    monthView_.setFocus(Qt::OtherFocusReason);
    if (QWidget* inner = monthView_.focusProxy())
        inner->setFocus(Qt::OtherFocusReason);
}

void DiaryPage::closeCalendar() {
    if (!monthView_.isVisible())
        return;
    monthView_.hide();
    ui_.InputDate->setFocus(Qt::OtherFocusReason);
}

void DiaryPage::takeCalendarDate(const QDate& date) {
    if (!monthView_.isVisible())
        return;
    const Date d = dateFromCivil(date.year(), date.month(), date.day());
    ui_.InputDate->setText(fromStd(formatDayKey(d)));
    currentDay.date = d;
    monthView_.hide();
    loadDay(d);
    ui_.InputDate->setFocus(Qt::OtherFocusReason);
}

void DiaryPage::fillCurrentTime(int reading) {
    const QTime t = clock_.now().time();
    QLineEdit* box = ui_.InputTime[static_cast<std::size_t>(reading)];
    box->setText(fromStd(formatTime12(TimeOfDay{t.hour(), t.minute(), 0})));
    box->setFocus(Qt::OtherFocusReason);
}

} // namespace tonolog
