#include "canvas/controls.h"
#include "shell/main_form.h"
#include "support/diary_actions.h"
#include "support/form_harness.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QtTest>

using namespace tonolog;

// How long leaving an edited box takes, from the key to the backup on disk, with the largest
// diary the program holds.
class CommitLatencyTest : public QObject {
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
        QCOMPARE(form.document.table.count(), ReadingTable::maxRows - 1);

        QList<qint64> times;
        for (int round = 0; round < 9; ++round) {
            diary::typeInto(form.ui.diary.InputSys[0], QString::number(120 + round));
            QElapsedTimer timer;
            timer.start();
            diary::clickLabel(form.ui.diary.LblSys); // leaving the box commits and writes the backup
            times << timer.nsecsElapsed() / 1000;
            QCOMPARE(form.diary().entryChanged, std::int16_t(0));
        }
        QCOMPARE(form.document.table.count(), ReadingTable::maxRows);
        QVERIFY(FormHarness::readFile(h.backupPath()).contains(",128,"));
        std::sort(times.begin(), times.end());
        qInfo("commit with %d days, leaving the box to the backup on disk: median %lld us, worst %lld us",
              form.document.table.count(), times[times.size() / 2], times.last());
        // A loose ceiling that only a real regression breaks on a busy machine.
        QVERIFY2(times[times.size() / 2] < 1000 * 1000, "a commit took longer than a second");
    }
};

QTEST_MAIN(CommitLatencyTest)
#include "test_commit_latency.moc"
