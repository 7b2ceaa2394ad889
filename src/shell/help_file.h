// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The help file, "Tonolog.hlp": a UTF-8 text file in a small format of the program's own, read by
// the help window (shell/help_window.h). Only Qt Core is used here.
//
// Format
// ------
// - The file is UTF-8; a byte order mark at its start is skipped. Lines end in LF, CR LF or CR.
//   Bytes that are not valid UTF-8 become replacement characters; tabs and other control
//   characters become blanks.
// - Everything before the first topic is ignored, so the file can start with a comment of its
//   own.
// - "== Title" at the start of a line starts a topic. Trailing "=" signs and blanks of the title
//   are dropped ("== Title ==" is the same). A topic line without a title starts a topic that is
//   skipped up to the next topic line.
// - Directly after the title line come the header lines, in any order, each optional:
//       id: backup
//       keywords: backup, TL_Backup, crash; recall
//   The id names the topic for links; it is lower-cased, and every run of characters other than
//   letters, digits and "_" becomes one "-" ("Start Here!" gives "start-here"). Without an id (or
//   with one that comes out empty) the id is made the same way from the title; an id already
//   taken gets "-2", "-3", ... appended.
//   Keywords are separated by commas or semicolons; blanks around them are dropped and empty ones
//   skipped. A topic without keywords is listed in the keyword index under its title. The first
//   line that is not a header line ends the header; later "id:" lines are ordinary text.
// - The body follows: paragraphs separated by blank lines. The lines of a paragraph are joined
//   with a blank. A line starting with "- " or "* " is an item of a bulleted list; the lines that
//   follow it, up to a blank line or the next item, continue the item. A line starting with
//   "===" is a sub-heading (its trailing "=" signs are dropped too).
// - In body text, "[[id]]" is a link to the topic with that id, shown as that topic's title, and
//   "[[id|text]]" the same link shown as the text. A link to an unknown id shows its text (or
//   the id) without a link. There is no other markup: every other character stands for itself.
//
// Nothing in a file can make reading it fail: what does not fit the rules above is read as text
// or skipped.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tonolog {

struct HelpBlock {
    enum class Kind { Paragraph, ListItem, Heading };
    Kind kind = Kind::Paragraph;
    QString text; // with "[[...]]" links still in it
};

struct HelpTopic {
    QString id;
    QString title;
    QStringList keywords;
    QList<HelpBlock> blocks;
};

// One line of the keyword index: a keyword and the topics it leads to, in file order. Keywords
// that differ only in letter case are one entry, spelt as they first appear.
struct HelpIndexEntry {
    QString keyword;
    QList<int> topics; // positions in HelpFile::topics()
};

class HelpFile {
public:
    HelpFile() = default;

    static HelpFile parse(const QByteArray& bytes);
    static HelpFile parse(const QString& text);

    bool isEmpty() const { return topics_.isEmpty(); }
    const QList<HelpTopic>& topics() const { return topics_; }
    // The position of the topic with this id (letter case ignored), or -1.
    int topicIndex(const QString& id) const;

    // The keyword index, sorted by keyword without regard to letter case.
    const QList<HelpIndexEntry>& index() const { return index_; }
    // The entries of the index that match what the user typed, as positions in index(): first
    // those whose keyword starts with it, then those that contain it elsewhere, each group in
    // index order. Letter case and repeated blanks do not count; an empty text matches every
    // entry.
    QList<int> matchingEntries(const QString& typed) const;

    // A topic as HTML for a text browser; links point to "topic:<id>". Empty for a bad position.
    QString topicHtml(int topic) const;
    // The page shown for an index entry with several topics: the keyword and a link to each.
    QString topicsFoundHtml(int entry) const;

private:
    void finish();
    QString linkedHtml(const QString& text) const;

    QList<HelpTopic> topics_;
    QList<HelpIndexEntry> index_;
};

// The id that a title or a written id comes to (see the format above); may be empty.
QString helpTopicId(const QString& text);

} // namespace tonolog
