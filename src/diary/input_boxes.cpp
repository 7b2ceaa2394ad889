#include "canvas/twips.h"
#include "diary/press_and_hold.h"
#include "document/conversions.h"
#include "platform/clock.h"
#include "shell/controls.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "shell/resources.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tonolog {

namespace {

// Watches the Diary page's boxes for the focus leaving them and for the Enter key.
class DiaryInputWatcher : public QObject {
public:
    explicit DiaryInputWatcher(MainForm& form) : QObject(&form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusOut) {
            // Switching to another program or opening a menu does not leave the box; the menus
            // and buttons of this window cannot take the focus.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                form_.leaveBox(box);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                form_.enterPressedIn(box);
                return true;
            }
        }
        return false;
    }

private:
    MainForm& form_;
};

} // namespace

void MainForm::connectDiaryPage() {
    DiaryControls& d = ui.diary;
    diaryWatcher_ = new DiaryInputWatcher(*this);
    auto markEdited = [this] { entryChanged = 1; };
    QList<QLineEdit*> boxes{d.InputDate, d.InputNote};
    for (std::size_t i = 0; i < 3; ++i)
        boxes << d.InputSys[i] << d.InputDia[i] << d.InputPul[i] << d.InputTime[i];
    for (QLineEdit* box : boxes) {
        connect(box, &QLineEdit::textChanged, this, markEdited);
        box->installEventFilter(diaryWatcher_);
    }
    d.InputName->installEventFilter(diaryWatcher_);
    connect(d.InputName, &QLineEdit::textChanged, this, [this](const QString& text) {
        document.userName = toStd(text);
        updatePageTitles();
        entryChanged = 1;
    });

    auto pressedLook = [](ImageButton* button) {
        connect(button, &ImageButton::pressed, button, [button] { button->showPressedPicture(true); });
        connect(button, &ImageButton::released, button, [button] { button->showPressedPicture(false); });
    };
    pressedLook(d.ImgInputDate);
    connect(d.ImgInputDate, &ImageButton::clicked, this, &MainForm::openCalendar);
    for (int i = 0; i < 3; ++i) {
        ImageButton* button = d.ImgInputTime[static_cast<std::size_t>(i)];
        pressedLook(button);
        connect(button, &ImageButton::released, this, [this, i] { fillCurrentTime(i); });
    }

    // Previous day / Next day: a click steps once at the release; holding repeats.
    dayButtons = new PressAndHold(platform_.clock, dayButtonState, this);
    const std::pair<ImageButton*, int> dayButtonDirections[] = {{d.ImgDiaryUp, -1}, {d.ImgDiaryDown, +1}};
    for (const auto& [button, direction] : dayButtonDirections) {
        connect(button, &ImageButton::pressed, this, [this, button = button, direction = direction] {
            button->showPressedPicture(true);
            dayButtons->press([this, direction] { stepDay(direction); });
        });
        connect(button, &ImageButton::released, this, [this, button = button] {
            button->showPressedPicture(false);
            dayButtons->release();
        });
    }

    connect(ui.MonthView, &QCalendarWidget::clicked, this, &MainForm::takeCalendarDate);
    connect(ui.MonthView, &QCalendarWidget::activated, this, &MainForm::takeCalendarDate);
    // The calendar goes away as soon as the focus goes anywhere else.
    // A message box shown while it opens (the commit of the box it left) does not count.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!ui.MonthView->isVisible() || now == nullptr || now->window() != this)
            return;
        if (now != ui.MonthView && !ui.MonthView->isAncestorOf(now))
            ui.MonthView->hide();
    });

    // Labels and the page itself cannot take the focus: a click there moves it to the tab strip,
    // so the box that had it is left.
    for (Label* label : {d.LblName, d.LblDate, d.LblSys, d.LblDia, d.LblPul, d.LblTime, d.LblNote})
        connect(label, &Label::clicked, ui.mainTab, &MainTab::takeFocus);
    for (Label* label : d.LblNum)
        connect(label, &Label::clicked, ui.mainTab, &MainTab::takeFocus);
    connect(d.ImgDiaryLogo, &ImageButton::pressed, ui.mainTab, &MainTab::takeFocus);
    connect(ui.mainTab->page(0), &TabPage::clicked, ui.mainTab, &MainTab::takeFocus);

    for (int r = 0; r < ListControls::rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        for (Label* label : {ui.list.LblNumData[row], ui.list.LblDateData[row]}) {
            connect(label, &Label::doubleClicked, this, [this, r] { openDayFromList(r); });
            connect(label, &Label::mouseMoved, this, &MainForm::showHandOverDayLabel);
        }
    }
}

void MainForm::leaveBox(QWidget* box) {
    if (box != ui.diary.InputDate) {
        // The commit rule: a rejected entry stays edited, so leaving the next box tries again.
        if (entryChanged == 1) {
            commitEntry();
            if (entryHasErrors == 0)
                entryChanged = 0;
        }
        return;
    }
    // The date rule: leaving the date box opens the day typed into it.
    if (entryChanged == 0 || ui.diary.InputDate->text().isEmpty())
        return;
    const auto date = parseDate(toStd(ui.diary.InputDate->text()));
    if (!date)
        return;
    ui.diary.InputDate->setText(fromStd(formatDayKey(*date)));
    currentDay.date = *date;
    loadDay(*date);
}

void MainForm::enterPressedIn(QWidget* box) {
    const DiaryControls& d = ui.diary;
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

void MainForm::openCalendar() {
    const auto typed = parseDate(toStd(ui.diary.InputDate->text()));
    const CivilDate c = civilFromDate(typed.value_or(today()));
    ui.MonthView->setSelectedDate(QDate(c.year, c.month, c.day));
    // Just below the date box, wherever the window's rescaling has put it.
    const QPoint below = ui.diary.InputDate->mapTo(centralWidget(), QPoint(0, ui.diary.InputDate->height()));
    ui.MonthView->move(below);
    ui.MonthView->raise();
    // The calendar takes the focus, so the box that had it is left (and a pending edit committed).
    ui.MonthView->show();
    ui.MonthView->setFocus(Qt::OtherFocusReason);
    if (QWidget* inner = ui.MonthView->focusProxy())
        inner->setFocus(Qt::OtherFocusReason);
}

void MainForm::takeCalendarDate(const QDate& date) {
    if (!ui.MonthView->isVisible())
        return;
    const Date d = dateFromCivil(date.year(), date.month(), date.day());
    ui.diary.InputDate->setText(fromStd(formatDayKey(d)));
    currentDay.date = d;
    ui.MonthView->hide();
    loadDay(d);
    ui.diary.InputDate->setFocus(Qt::OtherFocusReason);
}

void MainForm::fillCurrentTime(int reading) {
    const QTime t = platform_.clock.now().time();
    QLineEdit* box = ui.diary.InputTime[static_cast<std::size_t>(reading)];
    box->setText(fromStd(formatTime12(TimeOfDay{t.hour(), t.minute(), 0})));
    box->setFocus(Qt::OtherFocusReason);
}

} // namespace tonolog
