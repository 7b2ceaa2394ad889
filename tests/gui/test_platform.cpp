// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"
#include "platform/help_viewer.h"
#include "platform/qt_dialog_service.h"
#include "platform/qt_printer_surface.h"
#include "platform/qt_settings_store.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

using namespace tonolog;

namespace {

const QString diaryFilter = QStringLiteral("TNL Files (*.tnl)|*.tnl|All Files (*.*)|*.*");

// Runs `act` on the modal dialog of type T once it is up; gives up after about five seconds, in which
// case the dialog under test stays open and the test fails by its result or its timeout.
template <typename T> void whenShown(std::function<void(T*)> act, int triesLeft = 500) {
    QTimer::singleShot(10, [act, triesLeft] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            act(dialog);
            return;
        }
        if (triesLeft > 0)
            whenShown<T>(act, triesLeft - 1);
    });
}

// Answers a message box that the given dialog may put up while it handles the next call; records its
// text. A box that does not appear leaves the text empty.
void answerBoxOf(QWidget* owner, QMessageBox::StandardButton press, QString* text) {
    QPointer<QWidget> guard(owner);
    QTimer::singleShot(0, [guard, press, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (guard.isNull() || box == nullptr || box->parentWidget() != guard)
            return;
        *text = box->text();
        box->button(press)->click();
    });
}

struct FileDialogSeen {
    bool shown = false;
    QString title;
    QString directory;
    QStringList nameFilters;
    QString selectedFilter;
    QStringList selectedFiles;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    bool nonNative = false;
    bool confirmsOverwrite = false;
    bool modal = false;
    QString boxText; // a message box the dialog showed on accepting
};

void record(QFileDialog* dialog, FileDialogSeen* seen) {
    seen->shown = true;
    seen->title = dialog->windowTitle();
    seen->directory = dialog->directory().absolutePath();
    seen->nameFilters = dialog->nameFilters();
    seen->selectedFilter = dialog->selectedNameFilter();
    seen->selectedFiles = dialog->selectedFiles();
    seen->acceptMode = dialog->acceptMode();
    seen->fileMode = dialog->fileMode();
    seen->nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
    seen->confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
    seen->modal = dialog->isModal();
}

// Types the name and presses the accepting button; answers a question about it with `boxAnswer`.
void chooseWhenShown(const QString& name, FileDialogSeen* seen,
                     QMessageBox::StandardButton boxAnswer = QMessageBox::Yes) {
    whenShown<QFileDialog>([name, seen, boxAnswer](QFileDialog* dialog) {
        record(dialog, seen);
        // selectFile() leaves the name box alone while it has the focus; type into it instead.
        auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (nameBox == nullptr) {
            dialog->reject();
            return;
        }
        nameBox->setText(name);
        answerBoxOf(dialog, boxAnswer, &seen->boxText);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, as its button would
        // Still up after a "No" or a warning: leave it as cancelled.
        if (dialog->isVisible())
            dialog->reject();
    });
}

void cancelWhenShown(FileDialogSeen* seen) {
    whenShown<QFileDialog>([seen](QFileDialog* dialog) {
        record(dialog, seen);
        dialog->reject();
    });
}

FileDialogRequest openRequest(const QString& dir) {
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.initialDir = dir;
    request.filter = diaryFilter;
    request.filterIndex = 1;
    request.fileMustExist = true;
    return request;
}

FileDialogRequest saveRequest(const QString& dir) {
    FileDialogRequest request;
    request.title = QStringLiteral("Save as");
    request.initialDir = dir;
    request.filter = diaryFilter;
    request.filterIndex = 1;
    request.askBeforeOverwrite = true;
    request.defaultSuffix = QStringLiteral("tnl");
    return request;
}

bool touch(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("Owner,\r\n") == 8;
}

class RecordingHelpViewer : public HelpViewer {
public:
    void show(const QString& helpFile, int command) override { calls.push_back({helpFile, command}); }
    std::vector<std::pair<QString, int>> calls;
};

struct PrintDialogSeen {
    bool shown = false;
    bool printToFile = true;
    bool pageRange = true;
    bool selection = true;
    bool currentPage = true;
    bool rangeWidgets = true;
    QString proposedFile;
};

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsHome_;
    QTemporaryDir files_;

private Q_SLOTS:
    void initTestCase() {
        // Never the user's own settings: the test locations, and below them a directory of our own
        // for the native settings file.
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(settingsHome_.isValid());
        QVERIFY(files_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsHome_.path());
    }

    void init() {
        QDir dir(files_.path());
        QVERIFY(dir.removeRecursively());
        QVERIFY(QDir().mkpath(files_.path()));
        QVERIFY(touch(files_.filePath(QStringLiteral("diary.tnl"))));
        QVERIFY(touch(files_.filePath(QStringLiteral("notes.txt"))));
        QFile::remove(settingsHome_.filePath(QStringLiteral("Tonolog/Tonolog.conf")));
    }

    // --- name filters ---

    void filterTextBecomesNameFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("diary files first")
            << diaryFilter << QStringList{"TNL Files (*.tnl)", "All Files (*)"};
        QTest::newRow("several patterns")
            << QStringLiteral("Text (*.txt;*.csv)|*.txt;*.csv") << QStringList{"Text (*.txt *.csv)"};
        QTest::newRow("description without patterns")
            << QStringLiteral("Diaries|*.tnl") << QStringList{"Diaries (*.tnl)"};
        QTest::newRow("parentheses that are not the pattern")
            << QStringLiteral("Diary (Tonolog)|*.tnl") << QStringList{"Diary (Tonolog) (*.tnl)"};
        QTest::newRow("description left without its pattern")
            << QStringLiteral("TNL Files (*.tnl)|*.tnl|All Files") << QStringList{"TNL Files (*.tnl)"};
        QTest::newRow("empty") << QString() << QStringList{};
    }

    void filterTextBecomesNameFilters() {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(QtDialogService::nameFilters(filter), expected);
    }

    // --- the open dialog ---

    void openShowsTheRequestAndReturnsTheChosenFile() {
        QtDialogService service;
        FileDialogSeen seen;
        chooseWhenShown(QStringLiteral("diary.tnl"), &seen);
        const FileDialogResult result = service.showOpen(openRequest(files_.path()));

        QVERIFY(seen.shown);
        QCOMPARE(seen.title, QStringLiteral("Open"));
        QCOMPARE(seen.directory, QDir(files_.path()).absolutePath());
        QCOMPARE(seen.nameFilters, (QStringList{"TNL Files (*.tnl)", "All Files (*)"}));
        QCOMPARE(seen.selectedFilter, QStringLiteral("TNL Files (*.tnl)"));
        QCOMPARE(seen.acceptMode, QFileDialog::AcceptOpen);
        QCOMPARE(seen.fileMode, QFileDialog::ExistingFile);
        QVERIFY(seen.nonNative);
        QVERIFY(seen.modal);
        QCOMPARE(seen.boxText, QString());

        QVERIFY(result.accepted);
        QCOMPARE(result.fullPath, files_.filePath(QStringLiteral("diary.tnl")));
        QCOMPARE(result.fileName, QStringLiteral("diary.tnl"));
    }

    void openStartsOnThePreviousFile() {
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        FileDialogRequest request = openRequest(elsewhere.path());
        request.initialFileName = files_.filePath(QStringLiteral("notes.txt"));
        request.filterIndex = 2;

        QtDialogService service;
        FileDialogSeen seen;
        whenShown<QFileDialog>([&seen](QFileDialog* dialog) {
            record(dialog, &seen);
            static_cast<QDialog*>(dialog)->accept(); // as it stands
        });
        const FileDialogResult result = service.showOpen(request);

        QVERIFY(seen.shown);
        QCOMPARE(seen.directory, QDir(files_.path()).absolutePath());
        QCOMPARE(seen.selectedFilter, QStringLiteral("All Files (*)"));
        QCOMPARE(seen.selectedFiles, QStringList{files_.filePath(QStringLiteral("notes.txt"))});
        QVERIFY(result.accepted);
        QCOMPARE(result.fullPath, files_.filePath(QStringLiteral("notes.txt")));
        QCOMPARE(result.fileName, QStringLiteral("notes.txt"));
    }

    void openWithAFilterIndexOutOfRangeSelectsTheFirst() {
        FileDialogRequest request = openRequest(files_.path());
        request.filterIndex = 3;
        QtDialogService service;
        FileDialogSeen seen;
        cancelWhenShown(&seen);
        service.showOpen(request);
        QVERIFY(seen.shown);
        QCOMPARE(seen.selectedFilter, QStringLiteral("TNL Files (*.tnl)"));
    }

    void openRefusesAFileThatDoesNotExist() {
        QtDialogService service;
        FileDialogSeen seen;
        chooseWhenShown(QStringLiteral("missing.tnl"), &seen, QMessageBox::Ok);
        const FileDialogResult result = service.showOpen(openRequest(files_.path()));

        QVERIFY(seen.shown);
        QVERIFY2(seen.boxText.contains(QLatin1String("missing.tnl")), qPrintable(seen.boxText));
        QVERIFY(!result.accepted);
        QCOMPARE(result.fullPath, QString());
        QCOMPARE(result.fileName, QString());
    }

    void cancelledOpenReturnsNothing() {
        QtDialogService service;
        FileDialogSeen seen;
        cancelWhenShown(&seen);
        const FileDialogResult result = service.showOpen(openRequest(files_.path()));
        QVERIFY(seen.shown);
        QVERIFY(!result.accepted);
        QCOMPARE(result.fullPath, QString());
        QCOMPARE(result.fileName, QString());
    }

    // --- the save dialog ---

    void saveShowsTheRequestAndReturnsANewFile() {
        QtDialogService service;
        FileDialogSeen seen;
        // A name typed without its suffix gets ".tnl".
        chooseWhenShown(QStringLiteral("new diary"), &seen);
        const FileDialogResult result = service.showSave(saveRequest(files_.path()));

        QVERIFY(seen.shown);
        QCOMPARE(seen.title, QStringLiteral("Save as"));
        QCOMPARE(seen.directory, QDir(files_.path()).absolutePath());
        QCOMPARE(seen.nameFilters, (QStringList{"TNL Files (*.tnl)", "All Files (*)"}));
        QCOMPARE(seen.selectedFilter, QStringLiteral("TNL Files (*.tnl)"));
        QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
        QCOMPARE(seen.fileMode, QFileDialog::AnyFile);
        QVERIFY(seen.confirmsOverwrite);
        QVERIFY(seen.nonNative);
        QCOMPARE(seen.boxText, QString()); // a new file needs no question

        QVERIFY(result.accepted);
        QCOMPARE(result.fullPath, files_.filePath(QStringLiteral("new diary.tnl")));
        QCOMPARE(result.fileName, QStringLiteral("new diary.tnl"));
        QVERIFY(!QFileInfo::exists(result.fullPath)); // choosing writes nothing
    }

    void saveAsksBeforeReplacingAFile_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("replace") << int(QMessageBox::Yes) << true;
        QTest::newRow("keep") << int(QMessageBox::No) << false;
    }

    void saveAsksBeforeReplacingAFile() {
        QFETCH(int, answer);
        QFETCH(bool, accepted);
        QtDialogService service;
        FileDialogSeen seen;
        chooseWhenShown(QStringLiteral("diary.tnl"), &seen, static_cast<QMessageBox::StandardButton>(answer));
        const FileDialogResult result = service.showSave(saveRequest(files_.path()));

        QVERIFY(seen.shown);
        QVERIFY2(seen.boxText.contains(QLatin1String("diary.tnl")), qPrintable(seen.boxText));
        QCOMPARE(result.accepted, accepted);
        QCOMPARE(result.fullPath, accepted ? files_.filePath(QStringLiteral("diary.tnl")) : QString());
    }

    void saveWithoutTheQuestionTakesAnExistingFile() {
        FileDialogRequest request = saveRequest(files_.path());
        request.askBeforeOverwrite = false;
        QtDialogService service;
        FileDialogSeen seen;
        chooseWhenShown(QStringLiteral("diary.tnl"), &seen, QMessageBox::No);
        const FileDialogResult result = service.showSave(request);

        QVERIFY(seen.shown);
        QVERIFY(!seen.confirmsOverwrite);
        QCOMPARE(seen.boxText, QString());
        QVERIFY(result.accepted);
        QCOMPARE(result.fileName, QStringLiteral("diary.tnl"));
    }

    void cancelledSaveReturnsNothing() {
        QtDialogService service;
        FileDialogSeen seen;
        cancelWhenShown(&seen);
        const FileDialogResult result = service.showSave(saveRequest(files_.path()));
        QVERIFY(seen.shown);
        QVERIFY(!result.accepted);
        QCOMPARE(result.fullPath, QString());
    }

    // --- the printer dialog ---

    // Shown with or without a printer installed: "Print to File" writes a PDF. No page range, no
    // selection; a cancel prints nothing.
    void printerDialogOffersAFileButNoRangeOrSelection() {
        QtDialogService service;
        PrintDialogSeen seen;
        whenShown<QPrintDialog>([&seen](QPrintDialog* dialog) {
            seen.shown = true;
            seen.printToFile = dialog->testOption(QAbstractPrintDialog::PrintToFile);
            seen.pageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
            seen.selection = dialog->testOption(QAbstractPrintDialog::PrintSelection);
            seen.currentPage = dialog->testOption(QAbstractPrintDialog::PrintCurrentPage);
            // Whatever the options, Qt with CUPS shows the range box; it is not there to use.
            const auto* range = dialog->findChild<QWidget*>(QStringLiteral("gbPrintRange"));
            // (It sits in the options part, which stays folded until asked for.)
            seen.rangeWidgets = range != nullptr && !range->isHidden();
            const auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
            seen.proposedFile = file != nullptr ? file->text() : QString();
            dialog->reject();
        });
        QPrinter printer;
        QVERIFY(
            !service.showPrinter(printer, QStringLiteral("/home/ann/Documents/Tonolog \u2013 trend.pdf")));
        QVERIFY(seen.shown);
        QVERIFY(seen.printToFile);
        QVERIFY(!seen.pageRange);
        QVERIFY(!seen.selection);
        QVERIFY(!seen.currentPage);
        QVERIFY(!seen.rangeWidgets);
        QCOMPARE(seen.proposedFile, QStringLiteral("/home/ann/Documents/Tonolog \u2013 trend.pdf"));
    }

    // A printed file that stops short of its end (a disk that filled up as it was written) is no
    // print.
    void aPrintedFileCutShortIsSaid() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cut.pdf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n1 0 obj\n");
        file.close();
        QPrinter printer;
        printer.setOutputFileName(path);
        QCOMPARE(checkPrintedFile(printer), QStringLiteral("The file was not written completely."));
    }

    // --- help ---

    void helpGoesToTheViewer() {
        RecordingHelpViewer viewer;
        QtDialogService service(&viewer);
        service.showHelp(QStringLiteral("/opt/tonolog/Tonolog.hlp"), 15);
        service.showHelp(QStringLiteral("/opt/tonolog/Tonolog.hlp"), 261);
        QCOMPARE(viewer.calls.size(), std::size_t(2));
        QCOMPARE(viewer.calls[0].first, QStringLiteral("/opt/tonolog/Tonolog.hlp"));
        QCOMPARE(viewer.calls[0].second, 15);
        QCOMPARE(viewer.calls[1].second, 261);

        QtDialogService withoutViewer;
        withoutViewer.showHelp(QStringLiteral("/opt/tonolog/Tonolog.hlp"), 15); // no viewer: nothing
        QCOMPARE(viewer.calls.size(), std::size_t(2));
    }

    // --- settings ---

    void settingsLiveInTheApplicationsOwnFile() {
        const QtSettingsStore store;
        QCOMPARE(store.fileName(), settingsHome_.filePath(QStringLiteral("Tonolog/Tonolog.conf")));
    }

    void settingsRoundTrip() {
        const QString path = QStringLiteral("/home/ann/Blutdruck, 2024/Tagebuch ü;1.tnl");
        {
            QtSettingsStore store;
            QVERIFY(store.write(QStringLiteral("FormSize"), QStringLiteral("Top"), QStringLiteral("1440")));
            QVERIFY(store.write(QStringLiteral("FormSize"), QStringLiteral("Left"), QStringLiteral("-120")));
            QVERIFY(store.write(QStringLiteral("History"), QStringLiteral("Path1"), path));
            QVERIFY(store.write(QStringLiteral("History"), QStringLiteral("Path2"), QString()));
            QVERIFY(store.sync());
            // Read back at once by the same store.
            QCOMPARE(store.read(QStringLiteral("FormSize"), QStringLiteral("Top"), QStringLiteral("600")),
                     QStringLiteral("1440"));
        }
        // The recent files are the user's alone: the file 0600 in a 0700 directory.
        const QFileInfo written(settingsHome_.filePath(QStringLiteral("Tonolog/Tonolog.conf")));
        QCOMPARE(written.permissions() & 0x0777, QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(QFileInfo(written.absolutePath()).permissions() & 0x0077, QFileDevice::Permissions{});
        const QtSettingsStore again;
        QCOMPARE(again.read(QStringLiteral("FormSize"), QStringLiteral("Top"), QStringLiteral("600")),
                 QStringLiteral("1440"));
        QCOMPARE(again.read(QStringLiteral("FormSize"), QStringLiteral("Left"), QStringLiteral("600")),
                 QStringLiteral("-120"));
        QCOMPARE(again.read(QStringLiteral("History"), QStringLiteral("Path1"), QString()), path);
        QCOMPARE(again.read(QStringLiteral("History"), QStringLiteral("Path2"), QStringLiteral("x")),
                 QString());
        QCOMPARE(again.read(QStringLiteral("History"), QStringLiteral("Path3"), QStringLiteral("none")),
                 QStringLiteral("none"));
        // Sections stay apart.
        QCOMPARE(again.read(QStringLiteral("History"), QStringLiteral("Top"), QStringLiteral("600")),
                 QStringLiteral("600"));

        QFile file(settingsHome_.filePath(QStringLiteral("Tonolog/Tonolog.conf")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("[FormSize]\nLeft=-120\nTop=1440\n"), text.constData());
        QVERIFY2(text.contains("[History]\n"), text.constData());
    }

    void settingsReadsAHandEditedFile() {
        QVERIFY(QDir().mkpath(settingsHome_.filePath(QStringLiteral("Tonolog"))));
        QFile file(settingsHome_.filePath(QStringLiteral("Tonolog/Tonolog.conf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[FormSize]\nTop=300\n[History]\nPath1=/data/a,b.tnl\n");
        file.close();
        const QtSettingsStore store;
        QCOMPARE(store.read(QStringLiteral("FormSize"), QStringLiteral("Top"), QStringLiteral("600")),
                 QStringLiteral("300"));
        QCOMPARE(store.read(QStringLiteral("History"), QStringLiteral("Path1"), QString()),
                 QStringLiteral("/data/a,b.tnl"));
    }

    void settingsWriteOverAnUnreadableFile() {
        QVERIFY(QDir().mkpath(settingsHome_.filePath(QStringLiteral("Tonolog"))));
        QFile file(settingsHome_.filePath(QStringLiteral("Tonolog/Tonolog.conf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[FormSize\nTop=300\n");
        file.close();
        {
            // QSettings reads this with a FormatError.
            QtSettingsStore store;
            QVERIFY(store.write(QStringLiteral("FormSize"), QStringLiteral("Top"), QStringLiteral("720")));
            QVERIFY(store.sync());
        }
        const QtSettingsStore again;
        QCOMPARE(again.read(QStringLiteral("FormSize"), QStringLiteral("Top"), QStringLiteral("600")),
                 QStringLiteral("720"));
    }

    void settingsReportAFailedWrite() {
        // Where the file should be there is a directory: no user, root included, can write it.
        QVERIFY(QDir().mkpath(settingsHome_.filePath(QStringLiteral("Tonolog/Tonolog.conf"))));
        QtSettingsStore store;
        QVERIFY(!store.write(QStringLiteral("FormSize"), QStringLiteral("Top"), QStringLiteral("1")));
        QVERIFY(!store.sync());
        QVERIFY(QDir(settingsHome_.filePath(QStringLiteral("Tonolog/Tonolog.conf"))).removeRecursively());
    }

    // --- clocks ---

    void systemClockTellsTheTimeAndCountsOn() {
        SystemClock clock;
        const QDateTime before = QDateTime::currentDateTime();
        const QDateTime now = clock.now();
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(before <= now && now <= after);

        const qint64 start = clock.elapsedMs();
        QVERIFY(start >= 0);
        QTest::qWait(60);
        const qint64 later = clock.elapsedMs();
        QVERIFY2(later - start >= 50, qPrintable(QString::number(later - start)));
        QVERIFY(SystemClock().elapsedMs() >= later); // one timer for all
    }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
