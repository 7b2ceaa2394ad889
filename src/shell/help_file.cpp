// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/help_file.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace tonolog {

namespace {

const QString linkScheme = QStringLiteral("topic:");

// Blanks for tabs and control characters, so that nothing odd reaches the text browser.
QString cleanLine(QString line) {
    for (QChar& c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return line;
}

// "== Title ==" and "=== Heading" without their equal signs and blanks.
QString withoutEquals(const QString& line) {
    qsizetype start = 0;
    while (start < line.size() && line[start] == QLatin1Char('='))
        ++start;
    qsizetype end = line.size();
    while (end > start && (line[end - 1] == QLatin1Char('=') || line[end - 1].isSpace()))
        --end;
    return line.mid(start, end - start).trimmed();
}

bool isTopicLine(const QString& line) {
    return line.startsWith(QLatin1String("==")) && !line.startsWith(QLatin1String("==="));
}

bool isHeadingLine(const QString& line) {
    return line.startsWith(QLatin1String("==="));
}

bool isListItemLine(const QString& line) {
    return line.startsWith(QLatin1String("- ")) || line.startsWith(QLatin1String("* ")) ||
           line == QLatin1String("-") || line == QLatin1String("*");
}

// A header line "name: value"; gives the lower-case name and the value.
bool headerLine(const QString& line, QString& name, QString& value) {
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    name = line.left(colon).trimmed().toLower();
    if (name != QLatin1String("id") && name != QLatin1String("keywords"))
        return false;
    value = line.mid(colon + 1).trimmed();
    return true;
}

QString foldedKey(const QString& text) {
    return text.simplified().toCaseFolded();
}

} // namespace

QString helpTopicId(const QString& text) {
    QString id;
    for (const QChar c : text.trimmed().toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('_'))
            id += c;
        else if (!id.isEmpty() && !id.endsWith(QLatin1Char('-')))
            id += QLatin1Char('-');
    }
    while (id.endsWith(QLatin1Char('-')))
        id.chop(1);
    return id;
}

namespace {

// A topic's header line: its id, or keywords parted by commas or semicolons.
void takeHeader(HelpTopic& topic, const QString& name, QString value) {
    if (name == QLatin1String("id")) {
        topic.id = helpTopicId(value);
        return;
    }
    value.replace(QLatin1Char(';'), QLatin1Char(','));
    const QStringList words = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        const QString keyword = word.simplified();
        if (!keyword.isEmpty())
            topic.keywords.append(keyword);
    }
}

// A line of a topic's body: a blank line ends a paragraph, a heading or a list item stands alone,
// and any other line continues the paragraph or list item that is open. Gives the block the next
// line continues, if any.
HelpBlock* takeBodyLine(HelpTopic& topic, const QString& trimmed, HelpBlock* open) {
    if (trimmed.isEmpty())
        return nullptr;
    if (isHeadingLine(trimmed)) {
        const QString heading = withoutEquals(trimmed);
        if (!heading.isEmpty())
            topic.blocks.append(HelpBlock{HelpBlock::Kind::Heading, heading});
        return nullptr;
    }
    if (isListItemLine(trimmed)) {
        topic.blocks.append(HelpBlock{HelpBlock::Kind::ListItem, trimmed.mid(1).trimmed()});
        return &topic.blocks.last();
    }
    const QString words = trimmed.simplified();
    if (open == nullptr) {
        topic.blocks.append(HelpBlock{HelpBlock::Kind::Paragraph, words});
        return &topic.blocks.last();
    }
    if (!open->text.isEmpty())
        open->text += QLatin1Char(' ');
    open->text += words;
    return open;
}

} // namespace

HelpFile HelpFile::parse(const QByteArray& bytes) {
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    return parse(QString::fromUtf8(data));
}

HelpFile HelpFile::parse(const QString& text) {
    HelpFile file;
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (normalised.startsWith(QChar(0xFEFF)))
        normalised.remove(0, 1);

    enum class State { Outside, Skipping, Header, Body };
    State state = State::Outside;
    HelpTopic* topic = nullptr;
    HelpBlock* open = nullptr; // the paragraph or list item that the next line continues

    const QStringList lines = normalised.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = cleanLine(raw);
        const QString trimmed = line.trimmed();

        if (isTopicLine(trimmed) && !line.front().isSpace()) {
            open = nullptr;
            const QString title = withoutEquals(trimmed);
            if (title.isEmpty()) {
                state = State::Skipping;
                topic = nullptr;
                continue;
            }
            file.topics_.append(HelpTopic{});
            topic = &file.topics_.last();
            topic->title = title;
            state = State::Header;
            continue;
        }
        if (state == State::Outside || state == State::Skipping || topic == nullptr)
            continue;

        if (state == State::Header) {
            QString name;
            QString value;
            if (headerLine(trimmed, name, value)) {
                takeHeader(*topic, name, value);
                continue;
            }
            state = State::Body;
        }

        open = takeBodyLine(*topic, trimmed, open);
    }
    file.finish();
    return file;
}

// Ids, list items without text, keywords and the index, once every topic has been read.
void HelpFile::finish() {
    QSet<QString> taken;
    for (HelpTopic& topic : topics_) {
        QString base = topic.id.isEmpty() ? helpTopicId(topic.title) : topic.id;
        if (base.isEmpty())
            base = QStringLiteral("topic");
        QString id = base;
        for (int n = 2; taken.contains(id); ++n)
            id = base + QLatin1Char('-') + QString::number(n);
        taken.insert(id);
        topic.id = id;

        topic.blocks.erase(std::remove_if(topic.blocks.begin(), topic.blocks.end(),
                                          [](const HelpBlock& b) { return b.text.isEmpty(); }),
                           topic.blocks.end());

        QStringList unique;
        QSet<QString> seen;
        for (const QString& keyword : topic.keywords) {
            const QString key = foldedKey(keyword);
            if (!seen.contains(key)) {
                seen.insert(key);
                unique.append(keyword);
            }
        }
        if (unique.isEmpty())
            unique.append(topic.title);
        topic.keywords = unique;
    }

    QHash<QString, qsizetype> entryOf;
    for (int t = 0; t < topics_.size(); ++t) {
        for (const QString& keyword : topics_[t].keywords) {
            const QString key = foldedKey(keyword);
            const auto found = entryOf.constFind(key);
            if (found == entryOf.constEnd()) {
                entryOf.insert(key, index_.size());
                index_.append(HelpIndexEntry{keyword, {t}});
            } else {
                index_[*found].topics.append(t);
            }
        }
    }
    std::stable_sort(index_.begin(), index_.end(), [](const HelpIndexEntry& a, const HelpIndexEntry& b) {
        const int folded = QString::compare(a.keyword, b.keyword, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : QString::compare(a.keyword, b.keyword, Qt::CaseSensitive) < 0;
    });
}

int HelpFile::topicIndex(const QString& id) const {
    const QString wanted = id.trimmed().toLower();
    for (int t = 0; t < topics_.size(); ++t) {
        if (topics_[t].id == wanted)
            return t;
    }
    return -1;
}

QList<int> HelpFile::matchingEntries(const QString& typed) const {
    const QString key = foldedKey(typed);
    QList<int> starting;
    QList<int> containing;
    for (int e = 0; e < index_.size(); ++e) {
        const QString keyword = foldedKey(index_[e].keyword);
        if (keyword.startsWith(key))
            starting.append(e);
        else if (keyword.contains(key))
            containing.append(e);
    }
    return starting + containing;
}

QString HelpFile::linkedHtml(const QString& text) const {
    QString html;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf(QLatin1String("[["), at);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1String("]]"), open + 2);
        if (open < 0 || close < 0) {
            html += text.mid(at).toHtmlEscaped();
            break;
        }
        html += text.mid(at, open - at).toHtmlEscaped();
        const QString inside = text.mid(open + 2, close - open - 2);
        const qsizetype bar = inside.indexOf(QLatin1Char('|'));
        const QString target = (bar < 0 ? inside : inside.left(bar)).trimmed();
        QString shown = bar < 0 ? QString() : inside.mid(bar + 1).trimmed();
        const int topic = topicIndex(helpTopicId(target));
        if (shown.isEmpty())
            shown = topic >= 0 ? topics_[topic].title : target;
        if (topic >= 0) {
            html += QStringLiteral("<a href=\"%1%2\">%3</a>")
                        .arg(linkScheme, topics_[topic].id.toHtmlEscaped(), shown.toHtmlEscaped());
        } else {
            html += shown.toHtmlEscaped();
        }
        at = close + 2;
    }
    return html;
}

QString HelpFile::topicHtml(int topic) const {
    if (topic < 0 || topic >= topics_.size())
        return QString();
    const HelpTopic& t = topics_[topic];
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(t.title.toHtmlEscaped());
    bool inList = false;
    for (const HelpBlock& block : t.blocks) {
        const bool item = block.kind == HelpBlock::Kind::ListItem;
        if (item && !inList)
            html += QStringLiteral("<ul>\n");
        if (!item && inList)
            html += QStringLiteral("</ul>\n");
        inList = item;
        switch (block.kind) {
        case HelpBlock::Kind::Paragraph:
            html += QStringLiteral("<p>%1</p>\n").arg(linkedHtml(block.text));
            break;
        case HelpBlock::Kind::ListItem:
            html += QStringLiteral("<li>%1</li>\n").arg(linkedHtml(block.text));
            break;
        case HelpBlock::Kind::Heading:
            html += QStringLiteral("<h3>%1</h3>\n").arg(linkedHtml(block.text));
            break;
        }
    }
    if (inList)
        html += QStringLiteral("</ul>\n");
    return html;
}

QString HelpFile::topicsFoundHtml(int entry) const {
    if (entry < 0 || entry >= index_.size())
        return QString();
    const HelpIndexEntry& e = index_[entry];
    QString html =
        QStringLiteral("<h2>%1</h2>\n<p>Topics for this keyword:</p>\n<ul>\n").arg(e.keyword.toHtmlEscaped());
    for (int t : e.topics) {
        html += QStringLiteral("<li><a href=\"%1%2\">%3</a></li>\n")
                    .arg(linkScheme, topics_[t].id.toHtmlEscaped(), topics_[t].title.toHtmlEscaped());
    }
    html += QStringLiteral("</ul>\n");
    return html;
}

} // namespace tonolog
