// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/twips.h"
#include "shell/about_form.h"
#include "shell/help_commands.h"
#include "shell/help_file.h"
#include "shell/help_window.h"
#include "shell/main_form.h"
#include "support/form_harness.h"
#include "support/scripted_message_box.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace tonolog;

namespace {

// The help file as it ships, from the source tree.
QString shippedHelpFile() {
    return QStringLiteral(QT_TESTCASE_SOURCEDIR "/../resources/help/Tonolog.hlp");
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeExecutable(const QString& path, const QByteArray& script) {
    FormHarness::writeFile(path, script);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup |
                                    QFile::ExeOther | QFile::ReadGroup | QFile::ReadOther);
}

// Runs `act` while the modal About box is up, then presses its OK button; `trigger` opens it.
// Returns whether the box was seen.
bool whileAboutIsOpen(const std::function<void()>& trigger, const std::function<void(AboutForm&)>& act) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<AboutForm*>(QApplication::activeModalWidget());
        if (about == nullptr)
            return;
        seen = true;
        act(*about);
        if (about->isVisible())
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
    });
    // A box that nothing closed must not hang the run.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    guard.start(10000);
    trigger();
    return seen;
}

void clickItem(QListWidget* list, QListWidgetItem* item) {
    QVERIFY(item != nullptr);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// The offscreen platform cannot raise a window and says so each time the help comes to the front.
QtMessageHandler previousHandler = nullptr;
void withoutRaiseWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support raise()")))
        return;
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

QListWidgetItem* itemNamed(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

class HelpAboutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { previousHandler = qInstallMessageHandler(withoutRaiseWarnings); }
    void init() { QStandardPaths::setTestModeEnabled(true); }

    // --- The help file ---

    void readsTopicsHeadersAndBlocks() {
        const QByteArray text = "\xEF\xBB\xBFpreamble, ignored\r\n"
                                "keywords: not, a, topic\r\n"
                                "== First topic ==\r\n"
                                "keywords: Alpha, beta; ; alpha ,  gamma delta \r\n"
                                "id: Start Here\r\n"
                                "One line\r\n"
                                "and the next.\r\n"
                                "\r\n"
                                "=== Part\r\n"
                                "- item one\r\n"
                                "  continued\r\n"
                                "- item two\r"
                                "\r"
                                "id: just text\n"
                                "==\n"
                                "a topic without a title is skipped\n"
                                "== Second\n";
        const HelpFile file = HelpFile::parse(text);
        QCOMPARE(file.topics().size(), 2);
        const HelpTopic& first = file.topics()[0];
        QCOMPARE(first.title, QStringLiteral("First topic"));
        QCOMPARE(first.id, QStringLiteral("start-here"));
        QCOMPARE(first.keywords, QStringList({"Alpha", "beta", "gamma delta"}));
        QCOMPARE(first.blocks.size(), 5);
        QCOMPARE(first.blocks[0].text, QStringLiteral("One line and the next."));
        QCOMPARE(first.blocks[1].kind, HelpBlock::Kind::Heading);
        QCOMPARE(first.blocks[2].kind, HelpBlock::Kind::ListItem);
        QCOMPARE(first.blocks[2].text, QStringLiteral("item one continued"));
        QCOMPARE(first.blocks[3].text, QStringLiteral("item two"));
        QCOMPARE(first.blocks[4].text, QStringLiteral("id: just text"));
        // Without keywords a topic is indexed under its title; without an id it gets one.
        QCOMPARE(file.topics()[1].keywords, QStringList({"Second"}));
        QCOMPARE(file.topics()[1].id, QStringLiteral("second"));
    }

    void badInputIsReadAsTextOrSkipped() {
        QCOMPARE(HelpFile::parse(QByteArray()).topics().size(), 0);
        QCOMPARE(HelpFile::parse(QByteArray("no topic here\n== \n=====\ntext")).topics().size(), 0);
        // Invalid UTF-8, control characters and a NUL byte do not end the topic.
        static const char bytes[] = "== A\xff\xfe\n\tx\x01y\0z\n";
        const HelpFile odd = HelpFile::parse(QByteArray(bytes, sizeof bytes - 1));
        QCOMPARE(odd.topics().size(), 1);
        QVERIFY(odd.topics()[0].title.startsWith(QLatin1Char('A')));
        QCOMPARE(odd.topics()[0].blocks.size(), 1);
        QVERIFY(odd.topics()[0].blocks[0].text.startsWith(QLatin1String("x y")));
        // Equal ids become distinct; links that are unknown or unclosed stay as text; HTML is escaped.
        const HelpFile links = HelpFile::parse(QStringLiteral(
            "== Same\n[[same-2|next]] [[nowhere]] <b>&</b> [[open\n== Same\nid: same\n[[same]]"));
        QCOMPARE(links.topics()[0].id, QStringLiteral("same"));
        QCOMPARE(links.topics()[1].id, QStringLiteral("same-2"));
        QCOMPARE(links.topicHtml(0),
                 QStringLiteral("<h2>Same</h2>\n<p><a href=\"topic:same-2\">next</a> nowhere "
                                "&lt;b&gt;&amp;&lt;/b&gt; [[open</p>\n"));
        QVERIFY(links.topicHtml(1).contains(QLatin1String("<a href=\"topic:same\">Same</a>")));
        QVERIFY(links.topicHtml(2).isEmpty());
        QVERIFY(links.topicHtml(-1).isEmpty());
    }

    void keywordIndexMatchesPrefixesFirst() {
        const HelpFile file = HelpFile::parse(QStringLiteral("== One\nkeywords: backup, TL_Backup, Print\n"
                                                             "== Two\nkeywords: BACKUP file, print, zone\n"));
        QStringList keywords;
        for (const HelpIndexEntry& e : file.index())
            keywords << e.keyword;
        QCOMPARE(keywords, QStringList({"backup", "BACKUP file", "Print", "TL_Backup", "zone"}));
        QCOMPARE(file.index()[2].topics, QList<int>({0, 1}));
        QCOMPARE(file.matchingEntries(QStringLiteral(" Back ")), QList<int>({0, 1, 3}));
        QCOMPARE(file.matchingEntries(QString()).size(), 5);
        QVERIFY(file.matchingEntries(QStringLiteral("xyz")).isEmpty());
        QVERIFY(file.topicsFoundHtml(2).contains(QLatin1String("href=\"topic:two\"")));
    }

    void shippedFileCoversTheGuide() {
        const HelpFile file = HelpFile::parse(readAll(shippedHelpFile()));
        for (const char* id :
             {"welcome", "getting-started", "diary-page", "entering-readings", "choosing-a-day",
              "entry-messages", "list-page", "trend-page", "printing", "file-menu", "unsaved-work", "backup",
              "file-format", "other-messages", "medical-note"})
            QVERIFY2(file.topicIndex(QString::fromLatin1(id)) >= 0, id);
        QString all;
        for (const HelpTopic& topic : file.topics()) {
            QVERIFY2(topic.keywords.size() >= 3, qPrintable(topic.title));
            for (const HelpBlock& block : topic.blocks) {
                all += block.text + QLatin1Char('\n');
                // Every link leads somewhere.
                for (qsizetype at = block.text.indexOf(QLatin1String("[[")); at >= 0;
                     at = block.text.indexOf(QLatin1String("[["), at + 2)) {
                    const QString target = block.text.mid(at + 2)
                                               .section(QLatin1String("]]"), 0, 0)
                                               .section(QLatin1Char('|'), 0, 0);
                    QVERIFY2(file.topicIndex(target) >= 0, qPrintable(target));
                }
            }
        }
        for (const char* message :
             {"Invalid date.", "Invalid SYS.", "Invalid DIA.", "Invalid PUL.", "Range of SYS is 0 to 250.",
              "Range of DIA is 0 to 250.", "Range of PUL is 0 to 250.", "Data file cannot be opened.",
              "Backup data was kept from the last time.", "Would you like to overwrite the file?",
              "TL_Backup", "~/.local/share/Tonolog/Tonolog/", "mmm./dd/yyyy"})
            QVERIFY2(all.contains(QString::fromLatin1(message)), message);
    }

    // --- Where the help file is ---

    void helpFileLiesInTheProgramDirectory() {
        QCOMPARE(helpFileIn(QStringLiteral("/x/")), QStringLiteral("/x/Tonolog.hlp"));
        QCOMPARE(helpFileIn(QStringLiteral("/")), QStringLiteral("/Tonolog.hlp"));
        QCOMPARE(helpFileIn(QStringLiteral("/x")), QStringLiteral("/x/Tonolog.hlp"));
        QVERIFY(installedHelpFiles(QStringLiteral("/opt/tonolog/bin/"))
                    .contains(QStringLiteral("/opt/tonolog/share/tonolog/Tonolog.hlp")));

        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("bin")) + QLatin1Char('/');
        const QString installed = dir.filePath(QStringLiteral("share/Tonolog.hlp"));
        const QStringList places{dir.filePath(QStringLiteral("none/Tonolog.hlp")), installed};
        QDir().mkpath(program);
        QDir().mkpath(dir.filePath(QStringLiteral("share")));
        QCOMPARE(findHelpFile(program, places), program + QStringLiteral("Tonolog.hlp"));
        FormHarness::writeFile(installed, "== Installed\n");
        QCOMPARE(findHelpFile(program, places), installed);
        FormHarness::writeFile(program + QStringLiteral("Tonolog.hlp"), "== Next to the program\n");
        QCOMPARE(findHelpFile(program, places), program + QStringLiteral("Tonolog.hlp"));
    }

    // --- The Help menu ---

    void helpMenuAsksForContentsAndIndex() {
        FormHarness h;
        FormHarness::writeFile(h.locations.appDir + QStringLiteral("Tonolog.hlp"), "== Topic\n");
        MainForm& form = h.start();
        const QString expected = h.locations.appDir + QStringLiteral("Tonolog.hlp");
        QCOMPARE(form.help().helpFilePath(), expected);

        form.ui.menu.actHelpContents->trigger();
        form.ui.menu.actHelpTopics->trigger();
        const auto& asked = h.dialogs.helpAsked();
        QCOMPARE(asked.size(), std::size_t{2});
        QCOMPARE(asked[0].helpFile, expected);
        QCOMPARE(asked[0].command, 15);
        QCOMPARE(asked[1].helpFile, expected);
        QCOMPARE(asked[1].command, 261);
        QCOMPARE(h.messages.count(), 0);
    }

    // --- The help window ---

    void contentsShowTheChosenTopic() {
        ScriptedMessageBox messages;
        HelpWindowViewer viewer(messages);
        viewer.show(shippedHelpFile(), 15);
        HelpWindow* w = viewer.window();
        QVERIFY(w != nullptr);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Tonolog Help"));
        QVERIFY(!w->isModal());
        auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("HelpTabs"));
        auto* contents = w->findChild<QListWidget*>(QStringLiteral("HelpContents"));
        auto* view = w->findChild<QTextBrowser*>(QStringLiteral("HelpTopicView"));
        QCOMPARE(tabs->currentWidget(), contents);
        QCOMPARE(contents->count(), w->helpFile().topics().size());
        QVERIFY(view->toPlainText().startsWith(QLatin1String("Welcome to Tonolog")));

        clickItem(contents, itemNamed(contents, QStringLiteral("The Trend page")));
        QVERIFY(view->toPlainText().contains(QLatin1String("the 16th of one month to the 15th")));

        // A link in the topic leads to its topic.
        QTextCursor link = view->document()->find(QStringLiteral("Printing"));
        while (!link.isNull() && !link.charFormat().isAnchor())
            link = view->document()->find(QStringLiteral("Printing"), link);
        QVERIFY(!link.isNull());
        QTextCursor inside(view->document());
        inside.setPosition(link.selectionStart() + 1);
        view->setTextCursor(inside);
        view->ensureCursorVisible();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cursorRect(inside).center());
        QCOMPARE(w->currentTopic(), w->helpFile().topicIndex(QStringLiteral("printing")));
        QCOMPARE(contents->currentItem()->text(), QStringLiteral("Printing"));
        QCOMPARE(messages.count(), 0);

        // Escape closes it, as Ctrl+W does the next time.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        viewer.show(shippedHelpFile(), 15);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keySequence(w, QKeySequence(Qt::CTRL | Qt::Key_W));
        QVERIFY(!w->isVisible());
    }

    void indexNarrowsAsTheUserTypes() {
        ScriptedMessageBox messages;
        HelpWindowViewer viewer(messages);
        viewer.show(shippedHelpFile(), 15);
        viewer.show(shippedHelpFile(), 261);
        HelpWindow* w = viewer.window();
        auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("HelpTabs"));
        auto* search = w->findChild<QLineEdit*>(QStringLiteral("HelpIndexSearch"));
        auto* keywords = w->findChild<QListWidget*>(QStringLiteral("HelpIndexList"));
        auto* view = w->findChild<QTextBrowser*>(QStringLiteral("HelpTopicView"));
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(w->focusWidget(), search);
        QVERIFY(search->text().isEmpty());
        const int everything = keywords->count();
        QCOMPARE(everything, w->helpFile().index().size());

        QTest::keyClicks(search, QStringLiteral("back"));
        QVERIFY(keywords->count() > 0 && keywords->count() < everything);
        QVERIFY(keywords->item(0)->text().startsWith(QLatin1String("back"), Qt::CaseInsensitive));
        for (int i = 0; i < keywords->count(); ++i)
            QVERIFY(keywords->item(i)->text().contains(QLatin1String("back"), Qt::CaseInsensitive));
        QCOMPARE(keywords->currentRow(), 0);
        QTest::keyClick(search, Qt::Key_Down);
        QCOMPARE(keywords->currentRow(), 1);

        clickItem(keywords, itemNamed(keywords, QStringLiteral("TL_Backup")));
        QCOMPARE(w->currentTopic(), w->helpFile().topicIndex(QStringLiteral("backup")));
        QVERIFY(view->toPlainText().startsWith(QLatin1String("The backup and recalling it")));

        // A keyword of two topics lists both.
        search->clear();
        QTest::keyClicks(search, QStringLiteral("previous data"));
        clickItem(keywords, itemNamed(keywords, QStringLiteral("Previous data")));
        QCOMPARE(w->currentTopic(), -1);
        QVERIFY(view->toPlainText().contains(QLatin1String("The List page")));
        QVERIFY(view->toPlainText().contains(QLatin1String("The Trend page")));

        // Asking for the index again starts with an empty box; for the contents, on Contents.
        viewer.show(shippedHelpFile(), 261);
        QVERIFY(search->text().isEmpty());
        QCOMPARE(keywords->count(), everything);
        viewer.show(shippedHelpFile(), 15);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(messages.count(), 0);
    }

    void changedOrOtherFileIsReadAgain() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tonolog.hlp"));
        FormHarness::writeFile(path, "== First\n");
        ScriptedMessageBox messages;
        HelpWindowViewer viewer(messages);
        viewer.show(path, 15);
        HelpWindow* w = viewer.window();
        QCOMPARE(w->helpFile().topics()[0].title, QStringLiteral("First"));
        FormHarness::writeFile(path, "== Second, longer\n== Third\n");
        viewer.show(path, 15);
        QCOMPARE(viewer.window(), w);
        QCOMPARE(w->helpFile().topics().size(), 2);
        viewer.show(shippedHelpFile(), 15);
        QVERIFY(w->helpFile().topicIndex(QStringLiteral("backup")) >= 0);
    }

    void missingHelpFileIsReported() {
        ScriptedMessageBox messages;
        HelpWindowViewer viewer(messages);
        const QString missing = QStringLiteral("/nonexistent/Tonolog.hlp");
        viewer.show(missing, 15);
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("Tonolog"));
        QCOMPARE(messages.last().text, QStringLiteral("The help file cannot be found.\n") + missing);
        QCOMPARE(messages.last().buttons, MessageButtons::Ok);
        QCOMPARE(messages.last().icon, MessageIcon::Exclamation);
        QVERIFY(viewer.window() == nullptr);

        QTemporaryDir dir;
        viewer.show(dir.path(), 261); // a directory is no help file
        QCOMPARE(messages.count(), 2);
        const QString empty = dir.filePath(QStringLiteral("empty.hlp"));
        FormHarness::writeFile(empty, "no topics at all\n");
        viewer.show(empty, 15);
        QCOMPARE(messages.count(), 3);
        QCOMPARE(messages.last().text, QStringLiteral("The help file holds no help topics.\n") + empty);
        QVERIFY(viewer.window() == nullptr);
    }

    // --- The About box ---

    void versionHasTwoMinorDigits() {
        QCOMPARE(versionText(0, 7), QStringLiteral("Version 0.07"));
        QCOMPARE(versionText(0, 12), QStringLiteral("Version 0.12"));
        QCOMPARE(versionText(1, 0), QStringLiteral("Version 1.00"));
    }

    void aboutFromTheMenuIsModalAndClosesWithOK() {
        FormHarness h;
        MainForm& form = h.start();
        QString title, version, name, ok;
        bool modal = false, owned = true, icon = false, isDefault = false;
        const bool seen = whileAboutIsOpen([&] { form.ui.menu.actAbout->trigger(); },
                                           [&](AboutForm& about) {
                                               title = about.windowTitle();
                                               version = about.lblVersion->text();
                                               name = about.lblTitle->text();
                                               ok = about.cmdOK->text();
                                               modal = about.isModal();
                                               owned = about.parentWidget() != nullptr;
                                               icon = !about.picIcon->pixmap().isNull();
                                               isDefault = about.cmdOK->isDefault();
                                           });
        QVERIFY(seen);
        QCOMPARE(title, QStringLiteral("Version info."));
        QCOMPARE(version, QStringLiteral("Version 0.07"));
        QCOMPARE(name, QStringLiteral("Tonolog"));
        QCOMPARE(ok, QStringLiteral("OK"));
        QVERIFY(modal);
        QVERIFY(!owned);
        QVERIFY(icon);
        QVERIFY(isDefault);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(qobject_cast<AboutForm*>(w) == nullptr);
    }

    void escapeClosesTheAboutBox() {
        ScriptedMessageBox messages;
        AboutForm about(messages, SystemInfoTools{});
        bool closedByEscape = false;
        QTimer::singleShot(0, [&] {
            QTest::keyClick(&about, Qt::Key_Escape);
            closedByEscape = !about.isVisible();
        });
        about.exec();
        QVERIFY(closedByEscape);
    }

    void aboutBoxFollowsItsDesign() {
        ScriptedMessageBox messages;
        AboutForm about(messages, SystemInfoTools{});
        about.show();
        // Nothing overlaps, and everything lies inside the box.
        const QList<QWidget*> parts{about.lblTitle, about.lblVersion, about.lblDescription,
                                    about.cmdOK,    about.cmdSysInfo, about.lblDisclaimer};
        for (QWidget* a : parts) {
            QVERIFY(about.rect().contains(a->geometry()));
            for (QWidget* b : parts)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + QLatin1Char('/') + b->objectName()));
        }
        QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("System info.(&S)..."));
        QCOMPARE(about.Line1[0]->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(about.Line1[1]->palette().color(QPalette::Window), QColor(128, 128, 128));
        // The notice lies below the rule, left of the buttons, and the box is tall enough for it.
        const QRect notice = about.lblDisclaimer->geometry();
        QVERIFY(notice.top() > about.Line1[0]->geometry().bottom());
        QVERIFY(notice.right() < about.cmdOK->geometry().left());
        QVERIFY(notice.bottom() < about.height());
        QVERIFY(notice.height() >= about.lblDisclaimer->heightForWidth(notice.width()));
        QVERIFY(about.lblDisclaimer->text().contains(QLatin1String("not a medical device")));
        QVERIFY(about.lblDisclaimer->text().contains(QLatin1String("warranty")));
        QVERIFY(!about.lblDescription->text().isEmpty());
    }

    void systemInfoStartsTheFirstToolFound() {
        QTemporaryDir dir;
        const QString marker = dir.filePath(QStringLiteral("ran"));
        writeExecutable(dir.filePath(QStringLiteral("fake-sysinfo")),
                        "#!/bin/sh\necho \"$@\" > '" + marker.toUtf8() + "'\n");
        ScriptedMessageBox messages;
        AboutForm about(messages,
                        SystemInfoTools{{{QStringLiteral("missing-sysinfo"), {}},
                                         {QStringLiteral("fake-sysinfo"), {QStringLiteral("--overview")}}},
                                        {dir.path()}});
        about.show();
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        QTRY_VERIFY(QFile::exists(marker));
        QTRY_COMPARE(readAll(marker), QByteArray("--overview\n"));
        QCOMPARE(messages.count(), 0);
        QVERIFY(about.isVisible());
    }

    void systemInfoLooksInPath() {
        QTemporaryDir dir;
        writeExecutable(dir.filePath(QStringLiteral("kinfocenter")), "#!/bin/sh\n");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", dir.path().toUtf8());
        const SystemInfoTools tools = SystemInfoTools::standard();
        qputenv("PATH", path);
        const std::optional<SystemInfoTool> found = tools.find();
        QVERIFY(found.has_value());
        QCOMPARE(found->program, dir.filePath(QStringLiteral("kinfocenter")));
    }

    void noSystemInfoSaysSoAndStaysOpen_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("executable");
        QTest::newRow("nothing on the search path") << QByteArray() << false;
        QTest::newRow("not executable") << QByteArray("#!/bin/sh\n") << false;
        QTest::newRow("cannot start") << QByteArray("#!/nonexistent/interpreter\n") << true;
    }

    void noSystemInfoSaysSoAndStaysOpen() {
        QFETCH(QByteArray, script);
        QFETCH(bool, executable);
        QTemporaryDir dir;
        const QString tool = dir.filePath(QStringLiteral("sysinfo-tool"));
        if (!script.isEmpty())
            FormHarness::writeFile(tool, script);
        if (executable)
            writeExecutable(tool, script);
        ScriptedMessageBox messages;
        AboutForm about(messages, SystemInfoTools{{{QStringLiteral("sysinfo-tool"), {}}}, {dir.path()}});
        about.show();
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("Tonolog"));
        QCOMPARE(messages.last().text, QString::fromUtf8("現時点ではｼｽﾃﾑ情報を使用できません"));
        QCOMPARE(messages.last().buttons, MessageButtons::Ok);
        QCOMPARE(messages.last().icon, MessageIcon::None);
        QVERIFY(about.isVisible());
    }

    void systemInfoFromTheMenuWithoutAnyTool() {
        FormHarness h;
        MainForm& form = h.start();
        QTemporaryDir emptyDir;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", emptyDir.path().toUtf8());
        bool stillOpen = false;
        const bool seen = whileAboutIsOpen([&] { form.ui.menu.actAbout->trigger(); },
                                           [&](AboutForm& about) {
                                               QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
                                               stillOpen = about.isVisible();
                                           });
        qputenv("PATH", path);
        QVERIFY(seen);
        QVERIFY(stillOpen);
        QCOMPARE(h.messages.count(), 1);
        QCOMPARE(h.messages.last().icon, MessageIcon::None);
    }
};

QTEST_MAIN(HelpAboutTest)
#include "test_help_about.moc"
