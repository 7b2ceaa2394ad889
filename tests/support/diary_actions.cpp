// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/diary_actions.h"

#include "document/dates.h"

#include <QApplication>
#include <QTest>
#include <QtTest>

namespace tonolog::diary {

void typeInto(QLineEdit* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

void pressTab(MainForm& form) {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused != nullptr ? focused : &form, Qt::Key_Tab);
}

void pressEnter(MainForm& form) {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused != nullptr ? focused : &form, Qt::Key_Return);
}

void clickLabel(QWidget* label) {
    QTest::mouseClick(label, Qt::LeftButton);
}

QStringList rowOf(MainForm& form, int year, int month, int day) {
    const int position = form.document.table().findByKey(formatDayKey(dateFromCivil(year, month, day)));
    if (position == 0)
        return {};
    const DayRow& row = form.document.table().rowAt(position);
    QStringList columns{QString::fromStdString(std::string(row.key()))};
    for (int c = 1; c <= 13; ++c)
        columns << QString::fromStdString(std::string(row.column(c)));
    return columns;
}

void storeValue(MainForm& form, int position, int column, const std::string& text) {
    DayRecord day = form.document.dayRecord(*form.document.table().dayOf(position));
    const std::size_t reading = static_cast<std::size_t>((column - 1) / 4);
    std::array<std::string, 3>* fields[] = {&day.sys, &day.dia, &day.pul, &day.time};
    (*fields[(column - 1) % 4])[reading] = text;
    form.document.putDay(day, false, {});
}

void setClientSize(MainForm& form, QSize client) {
    const QSize now = form.centralWidget()->size();
    form.resize(form.size() + (client - now));
    QTRY_COMPARE(form.centralWidget()->size(), client);
}

} // namespace tonolog::diary
