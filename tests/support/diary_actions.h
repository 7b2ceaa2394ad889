// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/main_form.h"

#include <QLineEdit>
#include <QString>

namespace tonolog {

// What a user does on the Diary page, through the real widgets.
namespace diary {

// Clicks into the box, selects what it holds and types the text (an empty text clears it).
void typeInto(QLineEdit* box, const QString& text);
// Presses Tab in the box that has the focus, so it is left.
void pressTab(MainForm& form);
void pressEnter(MainForm& form);
// A click on the "SYS." label, which takes the focus to the tab strip.
void clickLabel(QWidget* label);
// The day row of a date as the table holds it, or an empty list when there is none.
QStringList rowOf(MainForm& form, int year, int month, int day);
// Stores a value no box would let through (SYS 300, say) in sub-column 1..12 of the row at the
// position, as a commit stores a day.
void storeValue(MainForm& form, int position, int column, const std::string& text);
// Resizes the window until its client area has this size.
void setClientSize(MainForm& form, QSize client);

} // namespace diary
} // namespace tonolog
