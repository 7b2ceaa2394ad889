// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/controls.h"
#include "shell/main_form.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"

#include <QLineEdit>
#include <QtTest>

using namespace tonolog;

// Leaving an edited box on the largest diary the program holds: the day goes in as the last row
// the table can take and reaches the backup on disk. How long it takes is bench_app's to measure.
class FullDiaryCommitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commitOnAFullDiary() {
        FormHarness h;
        QByteArray text = "Ann,\r\n";
        const Date first = dateFromCivil(2004, 1, 21); // after today, so the commit adds the first row
        for (int i = 0; i < ReadingTable::maxRows - 1; ++i)
            text += QByteArray::fromStdString(formatDayKey(Date{first.serial + i})) +
                    ",128,84,66,7:05am,,,,,135,88,70,9:40pm,after a walk,\r\n";
        const QString path = h.file(QStringLiteral("long.tnl"));
        FormHarness::writeFile(path, text);
        MainForm& form = h.start(path);
        QCOMPARE(form.document.table().count(), ReadingTable::maxRows - 1);

        for (int round = 0; round < 9; ++round) {
            diary::typeInto(form.ui.diary.InputSys[0], QString::number(120 + round));
            diary::clickLabel(form.ui.diary.LblSys); // leaving the box commits and writes the backup
            QVERIFY(!form.diary().entryChanged);
        }
        QCOMPARE(form.document.table().count(), ReadingTable::maxRows);
        QVERIFY(FormHarness::readFile(h.backupPath()).contains("\r\nJan./20/2004,128,"));
    }
};

QTEST_MAIN(FullDiaryCommitTest)
#include "test_full_diary_commit.moc"
