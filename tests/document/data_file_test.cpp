// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/data_file.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

using namespace tonolog;

namespace {

const Date today = dateFromCivil(2026, 12, 7);

Document load(const std::string& text) {
    Document doc;
    doc.reset(DateTime{today, 40000});
    readDiaryText(doc, text, today);
    return doc;
}

DayRecord dayOf(int y, int m, int d, const std::string& sys, const std::string& note = {}) {
    DayRecord r;
    r.date = dateFromCivil(y, m, d);
    r.sys[0] = sys;
    r.dia[0] = "80";
    r.time[0] = "7:05am";
    r.pul[2] = "66";
    r.note = note;
    return r;
}

void addDay(ReadingTable& table, int y, int m, int d, const std::string& sys, const std::string& note = {}) {
    const DayRecord r = dayOf(y, m, d, sys, note);
    addRowFromRecord(table, r, table.count() + 1, formatDayKey(r.date));
}

// A committed day: the document is unsaved.
void addDay(Document& doc, int y, int m, int d, const std::string& sys) {
    doc.putDay(dayOf(y, m, d, sys), false, DateTime{today, 0});
}

// A document whose backup lies in the directory.
Document documentIn(const TempDir& dir) {
    return Document(dir.file(backupFileName));
}

} // namespace

TEST(DataFileFormat, WritesTheDocumentedExample) {
    ReadingTable table;
    DayRecord r;
    r.date = dateFromCivil(2004, 1, 5);
    r.sys = {"128", "", "135"};
    r.dia = {"84", "", "88"};
    r.pul = {"66", "", "70"};
    r.time = {"7:05am", "", "9:40pm"};
    r.note = "after walk";
    addRowFromRecord(table, r, 1, "Jan./05/2004");
    DayRecord n;
    n.date = dateFromCivil(2004, 1, 6);
    n.note = "forgot cuff";
    addRowFromRecord(table, n, 2, "Jan./06/2004");
    EXPECT_EQ(formatDiary("Ann", table), "Ann,\r\n"
                                         "Jan./05/2004,128,84,66,7:05am,,,,,135,88,70,9:40pm,after walk,\r\n"
                                         "Jan./06/2004,,,,,,,,,,,,,forgot cuff,\r\n");
}

TEST(DataFileFormat, RoundTripKeepsTableNameAndNotes) {
    ReadingTable table;
    addDay(table, 2004, 3, 2, "128", "after walk, tired");
    addDay(table, 2004, 1, 5, " 12.7 ", "");
    addDay(table, 2003, 12, 31, "250", "ünïcödé 血圧");
    const Document back = load(formatDiary("Doe, John", table));
    EXPECT_EQ(back.userName(), "Doe, John");
    ASSERT_EQ(back.table().count(), 3);
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(back.table().rowAt(p).key(), table.rowAt(p).key());
        for (int c = 1; c <= 14; ++c)
            EXPECT_EQ(back.table().rowAt(p).column(c), table.rowAt(p).column(c)) << p << "/" << c;
    }
}

TEST(DataFileFormat, NameAndNoteCommaRules) {
    EXPECT_EQ(load("Doe, John,\r\n").userName(), "Doe, John");
    EXPECT_EQ(load("Doe,,John,\r\n").userName(), "Doe,John");
    const Document doc = load("Ann,\r\n"
                              "Jan./05/2004,,,,,,,,,,,,,one, two,\r\n"
                              "Jan./06/2004,,,,,,,,,,,,,one,,two,\r\n"
                              "Jan./07/2004,,,,,,,,,,,,,trailing,,\r\n");
    ASSERT_EQ(doc.table().count(), 3);
    EXPECT_EQ(doc.table().rowAt(1).column(noteColumn), "one, two");
    EXPECT_EQ(doc.table().rowAt(2).column(noteColumn), "one,two");
    EXPECT_EQ(doc.table().rowAt(3).column(noteColumn), "trailing");
}

TEST(DataFileFormat, WriterKeepsEveryLineOnItsLine) {
    ReadingTable table;
    DayRecord r;
    r.date = dateFromCivil(2004, 1, 5);
    r.sys[0] = "120";
    r.time[0] = "7,05";
    r.note = "line\none";
    addRowFromRecord(table, r, 1, "Jan./05/2004");
    const std::string text = formatDiary("Ann\r\nSmith", table);
    EXPECT_EQ(text, "Ann  Smith,\r\nJan./05/2004,120,,,7 05,,,,,,,,,line one,\r\n");
    const Document back = load(text);
    ASSERT_EQ(back.table().count(), 1);
    EXPECT_EQ(back.table().rowAt(1).column(1), "120");
    EXPECT_EQ(back.table().rowAt(1).column(5), "");
}

struct DayLineCase {
    const char* sys;
    bool kept;
};

class DayLineChecks : public ::testing::TestWithParam<DayLineCase> {};

TEST_P(DayLineChecks, DropsBadReadingsKeepsTheRest) {
    const std::string line =
        std::string("Jan./05/2004,") + GetParam().sys + ",80,60,7:00am,,,,,,,,,note,\r\n";
    const Document doc = load("Ann,\r\n" + line + "Jan./06/2004,120,,,,,,,,,,,,,\r\n");
    ASSERT_EQ(doc.table().count(), GetParam().kept ? 2 : 1);
    EXPECT_EQ(doc.table().rowAt(doc.table().count()).key(), "Jan./06/2004");
}

INSTANTIATE_TEST_SUITE_P(Values, DayLineChecks,
                         ::testing::Values(DayLineCase{"251", false}, DayLineCase{"-1", false},
                                           DayLineCase{"12x", false}, DayLineCase{"250", true},
                                           DayLineCase{"", true}, DayLineCase{"0", true},
                                           DayLineCase{" 128 ", true}, DayLineCase{"250.4", true},
                                           DayLineCase{"250.5", true}, DayLineCase{"250.6", false},
                                           DayLineCase{"40000", false}));

TEST(DataFileReader, EachReadingFieldIsCheckedTimesAndNotesAreNot) {
    // PUL of reading 3 (field 12) out of range drops the line; a nonsense time (field 13) does not.
    const Document doc = load("Ann,\r\n"
                              "Jan./05/2004,,,,,,,,,,,251,,,\r\n"
                              "Jan./06/2004,,,,xyz,,,,abc,,,,whenever,,\r\n"
                              "not a date,120,,,,,,,,,,,,,\r\n"
                              "\r\n"
                              "2004/1/7,120,,,,,,,,,,,,,\r\n");
    ASSERT_EQ(doc.table().count(), 2);
    EXPECT_EQ(doc.table().rowAt(1).column(4), "xyz");
    EXPECT_EQ(doc.table().rowAt(2).key(), "Jan./07/2004"); // as the program writes it
    EXPECT_EQ(doc.table().rowAt(2).column(dayNumberColumn), "37993");
}

TEST(DataFileReader, WindowAndListPositionAfterALoad) {
    const Document doc = load("Ann,\r\n"
                              "Mar./10/2004,120,,,,,,,,,,,,,\r\n"
                              "Jan./05/2004,120,,,,,,,,,,,,,\r\n"
                              "Mar./02/2004,120,,,,,,,,,,,,,\r\n"
                              "Jan./09/2004,120,,,,,,,,,,,,,\r\n"
                              "Feb./09/2004,120,,,,,,,,,,,,,\r\n");
    EXPECT_EQ(doc.trendWindowStart(), dateFromCivil(2004, 3, 1));
    EXPECT_EQ(doc.trendWindowEnd(), dateFromCivil(2004, 3, 31));
    EXPECT_EQ(doc.listTopIndex(), 2);
    EXPECT_EQ(doc.table().rowAt(1).key(), "Jan./05/2004");
    EXPECT_EQ(doc.table().rowAt(5).key(), "Mar./10/2004");
    EXPECT_EQ(doc.firstDay(), DateTime::atMidnight(dateFromCivil(2004, 1, 5)));
    EXPECT_EQ(doc.lastDay(), (DateTime{today, 40000})); // widened only, never narrowed
}

TEST(DataFileReader, EmptyDiaries) {
    Document nameOnly = load("Ann,\r\n");
    EXPECT_EQ(nameOnly.table().count(), 0);
    EXPECT_EQ(nameOnly.listTopIndex(), 1);
    EXPECT_EQ(nameOnly.trendWindowStart(), dateFromCivil(2026, 12, 1));
    EXPECT_EQ(nameOnly.trendWindowEnd(), dateFromCivil(2026, 12, 31));

    const Document backup = load(std::string(emptyBackupLine));
    EXPECT_EQ(backup.userName(), "");
    EXPECT_EQ(backup.table().count(), 0);

    Document noLines;
    noLines.setUserName("Before");
    readDiaryText(noLines, "", today);
    EXPECT_EQ(noLines.userName(), "Before");
    EXPECT_EQ(noLines.table().count(), 0);

    EXPECT_EQ(formatDiary("", ReadingTable{}), ",\r\n");
}

TEST(DataFileReader, FileWithoutNameLine) {
    const Document doc = load("Jan./05/2004,128,,,,,,,,,,,,x,\r\nJan./06/2004,120,,,,,,,,,,,,,\r\n");
    EXPECT_EQ(doc.userName(), "Jan./05/2004,128,x");
    ASSERT_EQ(doc.table().count(), 1);
    EXPECT_EQ(doc.table().rowAt(1).key(), "Jan./06/2004");
}

TEST(DataFileReader, CharacterSetsAndLineEnds) {
    // LF-only, no final line end, a byte-order mark, and Windows-1252 text.
    EXPECT_EQ(load("Ann,\nJan./05/2004,120,,,,,,,,,,,,,").table().count(), 1);
    EXPECT_EQ(load("\xEF\xBB\xBF"
                   "Ann,\r\n")
                  .userName(),
              "Ann");
    const Document old = load("Ren\xE9"
                              "e,\r\nJan./05/2004,120,,,,,,,,,,,,caf\xE9 \x80"
                              "5,\r\n");
    EXPECT_EQ(old.userName(), "Ren\xC3\xA9"
                              "e");
    ASSERT_EQ(old.table().count(), 1);
    EXPECT_EQ(old.table().rowAt(1).column(noteColumn), "caf\xC3\xA9 \xE2\x82\xAC"
                                                       "5");
}

TEST(DataFileReader, ATooLongDiaryStopsAt32767Days) {
    std::string text = "Ann,\r\n";
    const Date start = dateFromCivil(1950, 1, 1);
    for (int i = 0; i < ReadingTable::maxRows + 5; ++i)
        text += formatDayKey(Date{start.serial + i}) + ",120,,,,,,,,,,,,,\r\n";
    Document doc;
    EXPECT_EQ(readDiaryText(doc, text, today), LoadStatus::TooManyDays);
    EXPECT_EQ(doc.table().count(), ReadingTable::maxRows);
    EXPECT_EQ(doc.listTopIndex(), ReadingTable::maxRows - 3);
}

TEST(LoadFile, NamedFileIsReadAndNamesTheDocument) {
    TempDir dir;
    Document doc = documentIn(dir);
    TempDir::write(dir.file("ann.tnl"), "Ann,\r\nJan./05/2004,120,,,,,,,,,,,,,\r\n");
    EXPECT_EQ(doc.open(dir.file("ann.tnl"), today).status, LoadStatus::Loaded);
    EXPECT_EQ(doc.userName(), "Ann");
    EXPECT_EQ(doc.fileName(), "ann.tnl");
    EXPECT_EQ(doc.folder(), dir.path() + "/");
    EXPECT_FALSE(doc.isDirty());
}

TEST(LoadFile, MissingFileEmptiesTheDiaryAndReports) {
    TempDir dir;
    Document doc = documentIn(dir);
    doc.setUserName("Previous");
    addDay(doc, 2004, 1, 5, "120");
    const LoadReport report = doc.open(dir.file("gone.tnl"), today);
    EXPECT_EQ(report.status, LoadStatus::CannotOpen);
    EXPECT_EQ(report.reason, "No such file or directory");
    EXPECT_EQ(doc.table().count(), 0);
    EXPECT_EQ(doc.userName(), "");
    EXPECT_EQ(doc.trendWindowStart(), dateFromCivil(2026, 12, 1));
    EXPECT_EQ(doc.fileName(), "gone.tnl"); // the window names it all the same
}

TEST(LoadFile, TooLongDiaryIsOpenedUntitledSoItCannotBeOverwritten) {
    TempDir dir;
    Document doc = documentIn(dir);
    std::string text = "Ann,\r\n";
    for (int i = 0; i < ReadingTable::maxRows + 1; ++i)
        text += formatDayKey(Date{20000 + i}) + ",120,,,,,,,,,,,,,\r\n";
    TempDir::write(dir.file("long.tnl"), text);
    EXPECT_EQ(doc.open(dir.file("long.tnl"), today).status, LoadStatus::TooManyDays);
    EXPECT_TRUE(doc.isUntitled());
    // A save has no file to write; the backup takes the commits.
    EXPECT_FALSE(doc.save().ok);
    EXPECT_TRUE(doc.writeBackup().ok);
    EXPECT_EQ(TempDir::read(dir.file("long.tnl")), text);
}

// A recalled backup that long is kept whole beside it before anything can rewrite it.
TEST(LoadFile, TooLongBackupIsKeptWholeUnderAnotherName) {
    TempDir dir;
    Document doc = documentIn(dir);
    std::string text = "Ann,\r\n";
    for (int i = 0; i < ReadingTable::maxRows + 5; ++i)
        text += formatDayKey(Date{20000 + i}) + ",120,,,,,,,,,,,,,\r\n";
    TempDir::write(doc.backupPath(), text);
    const LoadReport report = doc.recallBackup(today);
    EXPECT_EQ(report.status, LoadStatus::TooManyDays);
    const std::string kept = dir.file("TL_Backup (complete).tnl");
    EXPECT_EQ(report.keptCopy, kept);
    EXPECT_EQ(TempDir::read(kept), text);
    EXPECT_TRUE(doc.isDirty());
    EXPECT_TRUE(doc.writeBackup().ok); // the first commit's backup
    EXPECT_EQ(TempDir::read(kept), text);
}

// What is read writes back to itself: a lone CR inside a field, two byte-order marks.
TEST(ReadDiaryText, OddBytesReadBackToThemselves) {
    for (const std::string& input :
         {std::string("Ann,\r\r\nJan./05/2004,120,,,,,,,,,,,,\r\r\n"), std::string("\r,"),
          std::string("\xef\xbb\xbf\xef\xbb\xbf"
                      "A,")}) {
        Document first;
        readDiaryText(first, input, today);
        const std::string written = formatDiary(first.userName(), first.table());
        Document second;
        readDiaryText(second, written, today);
        EXPECT_EQ(formatDiary(second.userName(), second.table()), written) << input;
        EXPECT_EQ(second.userName(), first.userName());
    }
    Document bom;
    readDiaryText(bom,
                  "\xef\xbb\xbf\xef\xbb\xbf"
                  "A,",
                  today);
    EXPECT_EQ(bom.userName(), "A");
}

TEST(WriteFile, SaveAsNamesTheDocumentClearsDirtyAndDeletesTheBackup) {
    TempDir dir;
    Document doc = documentIn(dir);
    doc.setUserName("Ann");
    addDay(doc, 2004, 1, 5, "120");
    EXPECT_TRUE(doc.isDirty());
    TempDir::write(doc.backupPath(), "backup");
    EXPECT_TRUE(doc.saveAs(dir.file("ann.tnl")).ok);
    EXPECT_FALSE(doc.isDirty());
    EXPECT_EQ(doc.fileName(), "ann.tnl");
    EXPECT_FALSE(fileExists(doc.backupPath()));
    EXPECT_EQ(TempDir::read(dir.file("ann.tnl")), formatDiary("Ann", doc.table()));
}

TEST(WriteFile, BackupWriteTouchesNothingElse) {
    TempDir dir;
    Document doc = documentIn(dir);
    addDay(doc, 2004, 1, 5, "120");
    EXPECT_TRUE(doc.writeBackup().ok);
    EXPECT_TRUE(doc.isDirty());
    EXPECT_TRUE(doc.isUntitled());
    EXPECT_TRUE(fileExists(doc.backupPath()));
    EXPECT_TRUE(doc.writeEmptyBackup().ok);
    EXPECT_EQ(TempDir::read(doc.backupPath()), ",,,,,,,,,,,,,,\r\n");
}

TEST(WriteFile, FailedSaveChangesNothing) {
    TempDir dir;
    Document doc = documentIn(dir);
    doc.setUserName("Ann");
    addDay(doc, 2004, 1, 5, "120");
    TempDir::write(doc.backupPath(), "backup");
    const WriteResult result = doc.saveAs(dir.file("no-such-directory/ann.tnl"));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_TRUE(doc.isDirty());
    EXPECT_TRUE(doc.isUntitled());
    EXPECT_EQ(TempDir::read(doc.backupPath()), "backup");
}

// Days of one month one after another, read without taking the month apart again: the same days
// as the date rule, in any letter case, and no day that the month does not have.
TEST(DataFileReader, DaysOfOneMonthInARow) {
    const Document doc =
        load("Ann,\r\nFeb./27/2004,1,\r\nFeb./28/2004,2,\r\nFeb./30/2004,3,\r\nFEB./29/2004,4,\r\n"
             "Feb./1a/2004,5,\r\nFeb./00/2004,6,\r\nMar./01/2004,7,\r\nFeb./29/2005,8,\r\n");
    ASSERT_EQ(doc.table().count(), 4);
    EXPECT_EQ(doc.table().rowAt(3).key(), "Feb./29/2004");
    EXPECT_EQ(doc.table().rowAt(3).column(dayNumberColumn), formatDayNumber(dateFromCivil(2004, 2, 29)));
    EXPECT_EQ(doc.table().rowAt(4).key(), "Mar./01/2004");
}

namespace {

// Everything a load sets, as text.
std::string everythingOf(const Document& doc) {
    std::string all = doc.userName() + "|" + std::to_string(doc.trendWindowStart().serial) + "|" +
                      std::to_string(doc.listTopIndex()) + "\n";
    for (int p = 1; p <= doc.table().count(); ++p) {
        all += doc.table().rowAt(p).key();
        for (int c = 1; c <= subColumnCount; ++c)
            all += "|" + std::string(doc.table().rowAt(p).column(c));
        all += "\n";
    }
    return all;
}

std::string longDiary(int days) {
    std::string text = "Ann,\r\n";
    for (int i = 0; i < days; ++i)
        text += formatDayKey(Date{38000 + i}) + ",120,80,66,7:05am,,,,,,,,," + (i % 5 ? "" : "a walk, fine") +
                ",\r\n";
    return text;
}

} // namespace

// A file is loaded as it is read, a piece at a time: the same diary as reading its whole text, across
// the seams of the pieces, and it is saved in pieces as the same bytes that formatDiary makes.
TEST(LoadFile, ReadsAFileAsItsWholeText) {
    const std::string marks = [] {
        std::string m;
        for (int i = 0; i < 30000; ++i)
            m += "\xEF\xBB\xBF";
        return m;
    }();
    const std::string tooMany = longDiary(ReadingTable::maxRows + 10);
    for (const std::string& input :
         {longDiary(3000), marks + "Ann,\r\nJan./05/2004,120,\r\n", marks + "\xEF\xBB",
          longDiary(3000) + "Jan./05/2010,120,,,,,,,,,,,,caf\xE9,\r\n", tooMany + "\xE9", tooMany}) {
        TempDir dir;
        Document byFile = documentIn(dir);
        TempDir::write(dir.file("diary.tnl"), input);
        Document byText;
        EXPECT_EQ(byFile.open(dir.file("diary.tnl"), today).status, readDiaryText(byText, input, today));
        EXPECT_EQ(everythingOf(byFile), everythingOf(byText));
        ASSERT_TRUE(byFile.saveAs(dir.file("saved.tnl")).ok);
        EXPECT_EQ(TempDir::read(dir.file("saved.tnl")), formatDiary(byText.userName(), byText.table()));
    }
}

// A save that fails part-way, as on a full disk, leaves the file as it was and no temporary.
TEST(WriteFile, ASaveThatFailsPartWayLeavesTheFile) {
    TempDir dir;
    Document doc = documentIn(dir);
    TempDir::write(dir.file("diary.tnl"), longDiary(3000));
    doc.open(dir.file("diary.tnl"), today);
    TempDir::write(dir.file("diary.tnl"), "before");
    EXPECT_FALSE(doc.save(failingWriteAfter(100000)).ok);
    EXPECT_EQ(TempDir::read(dir.file("diary.tnl")), "before");
    EXPECT_EQ(dir.entryCount(), 1);
}

namespace {

std::string utf16(const std::string& ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return out;
}

std::string utf32LittleEndian(const std::u32string& text) {
    std::string out("\xFF\xFE\0\0", 4);
    for (const char32_t c : text)
        for (int k = 0; k < 4; ++k)
            out += static_cast<char>((c >> (8 * k)) & 0xFF);
    return out;
}

struct OddFile {
    const char* what;
    std::string bytes;
    std::string name;
    int days;
    std::string firstNote;
};

class OddFiles : public testing::TestWithParam<OddFile> {};

const std::string twoDays = "Ann,\r\nJan./05/2004,120,,,,,,,,,,,,walk,\r\nJan./06/2004,121,,,,,,,,,,,,,\r\n";

} // namespace

// Files that other programs wrote are read whole, not as a name and no days.
TEST_P(OddFiles, AreReadWhole) {
    const OddFile& file = GetParam();
    TempDir dir;
    Document byFile = documentIn(dir);
    TempDir::write(dir.file("diary.tnl"), file.bytes);
    EXPECT_EQ(byFile.open(dir.file("diary.tnl"), today).status, LoadStatus::Loaded);
    Document byText;
    readDiaryText(byText, file.bytes, today);
    for (const Document* doc : {&byFile, &byText}) {
        EXPECT_EQ(doc->userName(), file.name);
        ASSERT_EQ(doc->table().count(), file.days);
        EXPECT_EQ(doc->table().rowAt(1).column(noteColumn), file.firstNote);
        EXPECT_TRUE(doc->linesNotRead().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OddFiles,
    testing::Values(OddFile{"Utf16LittleEndian", utf16(twoDays, false), "Ann", 2, "walk"},
                    OddFile{"Utf16BigEndian", utf16(twoDays, true), "Ann", 2, "walk"},
                    OddFile{"Utf32",
                            utf32LittleEndian(U"Jos\u00E9,\r\nJan./05/2004,1,,,,,,,,,,,,\U0001F600,\r\n"),
                            "Jos\u00E9", 1, "\U0001F600"},
                    OddFile{"CarriageReturnsOnly",
                            "Ann,\rJan./05/2004,120,,,,,,,,,,,,walk,\rJan./06/2004,1,\r", "Ann", 2, "walk"},
                    // One Windows-1252 line spoils no other line of a UTF-8 diary.
                    OddFile{"OneOldLineInUtf8", "Jos\u00E9,\r\nJan./05/2004,120,,,,,,,,,,,,caf\xE9,\r\n",
                            "Jos\u00E9", 1, "caf\u00E9"}),
    [](const testing::TestParamInfo<OddFile>& row) { return std::string(row.param.what); });

TEST(LoadFile, ABinaryFileIsNoDiary) {
    TempDir dir;
    Document doc = documentIn(dir);
    TempDir::write(dir.file("photo.tnl"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    const LoadReport report = doc.open(dir.file("photo.tnl"), today);
    EXPECT_EQ(report.status, LoadStatus::CannotOpen);
    EXPECT_EQ(report.reason, "It is not a text file.");
}

// A day line the reader cannot take is kept with its number and why; lines of nothing but commas
// hold nothing to keep.
TEST(LinesNotRead, AreKeptWithTheirNumbers) {
    const Document doc = load("Ann,\r\nJan./05/2004,251,,,,,,,,,,,,,\r\n\r\n,,,,\r\n2004-13-45,1,\r\n"
                              "Jan./06/2004,120,\r\n");
    EXPECT_EQ(doc.table().count(), 1);
    ASSERT_EQ(doc.linesNotRead().size(), 2u);
    EXPECT_EQ(doc.linesNotRead()[0].lineNumber, 2);
    EXPECT_EQ(doc.linesNotRead()[0].why, "a value is not a whole number from 0 to 250");
    EXPECT_EQ(doc.linesNotRead()[1].lineNumber, 5);
    EXPECT_EQ(doc.linesNotRead()[1].why, "its date cannot be read");
}

// A key written another way is stored as the program writes it, and lines of one day become one
// row: no reading is lost, the same reading twice is one, and what finds no place is kept.
struct SameDayCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines; // the diary as written back
    std::vector<int> linesNotRead;  // their line numbers
};

class SameDays : public ::testing::TestWithParam<SameDayCase> {};

TEST_P(SameDays, BecomeOneRowAndLoseNoReading) {
    const SameDayCase& c = GetParam();
    const Document doc = load("Ann,\r\n" + c.text);
    std::string expected = "Ann,\r\n";
    for (const std::string& line : c.lines)
        expected += line + "\r\n";
    EXPECT_EQ(formatDiary(doc.userName(), doc.table()), expected);
    std::vector<int> notRead;
    for (const LineNotRead& line : doc.linesNotRead())
        notRead.push_back(line.lineNumber);
    EXPECT_EQ(notRead, c.linesNotRead);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SameDays,
    ::testing::Values(
        SameDayCase{"IsoKey",
                    "2004-02-05,120,80,60,8:00am,,,,,,,,,,\r\n",
                    {"Feb./05/2004,120,80,60,8:00am,,,,,,,,,,"},
                    {}},
        SameDayCase{
            "LowerCaseKeyAfterItsDay",
            "Feb./06/2004,120,80,60,8:00am,,,,,,,,,one,\r\nfeb./06/2004,130,85,,9:00pm,,,,,,,,,two,\r\n",
            {"Feb./06/2004,120,80,60,8:00am,130,85,,9:00pm,,,,,one / two,"},
            {}},
        SameDayCase{"TheSameReadingTwiceIsOne",
                    "Feb./06/2004,120,80,60,8:00am,,,,,,,,,,\r\n2004-02-06,120,80,60,8:00am,,,,,,,,,,\r\n",
                    {"Feb./06/2004,120,80,60,8:00am,,,,,,,,,,"},
                    {}},
        SameDayCase{
            "ReadingsBeyondThreeAreKept",
            "Feb./07/2004,1,,,,2,,,,3,,,,,\r\nMar./01/2004,5,,,,,,,,,,,,,\r\n2004-02-07,4,,,,,,,,,,,,,\r\n",
            {"Feb./07/2004,1,,,,2,,,,3,,,,,", "Mar./01/2004,5,,,,,,,,,,,,,"},
            {4}}),
    [](const auto& row) { return std::string(row.param.name); });
