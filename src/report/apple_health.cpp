// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/apple_health.h"

#include "platform/words.h"

#include <QFile>
#include <QIODevice>
#include <QXmlStreamReader>

#include <zip.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tonolog {

namespace {

constexpr QLatin1StringView healthDataTag("HealthData");
constexpr QLatin1StringView correlationTag("Correlation");
constexpr QLatin1StringView recordTag("Record");
constexpr QLatin1StringView typeAttribute("type");
constexpr QLatin1StringView startDateAttribute("startDate");
constexpr QLatin1StringView valueAttribute("value");
constexpr QLatin1StringView bloodPressureType("HKCorrelationTypeIdentifierBloodPressure");
constexpr QLatin1StringView systolicType("HKQuantityTypeIdentifierBloodPressureSystolic");
constexpr QLatin1StringView diastolicType("HKQuantityTypeIdentifierBloodPressureDiastolic");
constexpr QLatin1StringView heartRateType("HKQuantityTypeIdentifierHeartRate");

QString cannotRead(const QString& reason) {
    return Tonolog::tr("The file cannot be read: %1").arg(reason);
}

QString notAnExport() {
    return Tonolog::tr("The file is not an Apple Health export.");
}

struct ZipDiscard {
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
struct ZipClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipDiscard>;
using ZipEntry = std::unique_ptr<zip_file_t, ZipClose>;

ZipArchive openZip(const QString& path, QString* why) {
#ifdef Q_OS_WIN
    const QByteArray name = path.toUtf8(); // libzip takes UTF-8 names on Windows
#else
    const QByteArray name = QFile::encodeName(path);
#endif
    int code = ZIP_ER_OK;
    ZipArchive zip(zip_open(name.constData(), ZIP_RDONLY, &code));
    if (!zip) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        *why = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
    }
    return zip;
}

// Where the export.xml is: the file itself, or an entry of the ZIP archive the file is.
struct Location {
    QString path;
    zip_int64_t entry = -1;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// XML allows no control character but tab, line feed and carriage return, and exports carry
// vertical tabs in names; a blank takes their place (a byte for a byte, so every count stays).
void blankControls(char* bytes, qint64 count) {
    for (qint64 i = 0; i < count; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            bytes[i] = ' ';
    }
}

// The document type's internal subset as iOS 16 writes it leaves declarations without their
// closing '>', and the XML reader stops there. Nothing in it matters here (it declares no entity
// and no default value), so the whole declaration becomes blanks but for its line breaks, which
// keep the lines where the file has them.
void blankDocumentType(QByteArray& head) {
    qsizetype i = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (;;) {
        while (i < head.size() && isBlank(head[i]))
            ++i;
        const QByteArrayView rest = QByteArrayView(head).sliced(i);
        if (rest.startsWith("<?") || rest.startsWith("<!--")) { // the XML declaration, a comment
            const QByteArrayView close = rest.startsWith("<?") ? QByteArrayView("?>") : QByteArrayView("-->");
            const qsizetype at = head.indexOf(close, i);
            if (at < 0)
                return;
            i = at + close.size();
            continue;
        }
        if (!rest.startsWith("<!DOCTYPE"))
            return;
        const qsizetype open = head.indexOf('[', i);
        if (open < 0 || head.indexOf('>', i) < open)
            return; // no internal subset: the reader takes the declaration as it is
        qsizetype end = open;
        for (;;) { // the subset ends with ']' and the declaration's '>'
            end = head.indexOf(']', end + 1);
            if (end < 0)
                return; // beyond the head: left to the reader
            qsizetype k = end + 1;
            while (k < head.size() && isBlank(head[k]))
                ++k;
            if (k < head.size() && head[k] == '>') {
                end = k;
                break;
            }
        }
        for (qsizetype k = i; k <= end; ++k) {
            if (head[k] != '\n' && head[k] != '\r')
                head[k] = ' ';
        }
        return;
    }
}

// The bytes of an export.xml as the XML reader is given them, read piece by piece from the file
// or out of the ZIP archive, with the mends of blankDocumentType and blankControls.
class ExportBytes final : public QIODevice {
public:
    // False with the reason in failure() when the export.xml cannot be read.
    bool openAt(const Location& where);
    qint64 total() const { return total_; } // bytes of the export.xml, 0 where the archive does not tell
    qint64 done() const { return done_; }
    const QString& failure() const { return failure_; }
    bool isSequential() const override { return true; }
    // Asked before every piece is read: false stops the reading (the person cancelled).
    void askBeforeReading(std::function<bool(qint64)> carryOn) { carryOn_ = std::move(carryOn); }
    bool stopped() const { return stopped_; }
    // The parser has taken a whole token: what follows starts a new one.
    void tokenTaken() { tokenStart_ = done_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    static constexpr qsizetype headSize = 64 * 1024; // the prolog, with its document type
    qint64 readRaw(char* data, qint64 maxSize);

    QFile file_;
    ZipArchive zip_;
    ZipEntry entry_;
    QByteArray head_;
    qsizetype headServed_ = 0;
    bool mend_ = true;
    qint64 total_ = 0;
    std::function<bool(qint64)> carryOn_;
    bool stopped_ = false;
    qint64 tokenStart_ = 0;
    // No element or text of a real export comes near this; a file that does (a ZIP bomb, say)
    // would take all the memory before the parser saw its end.
    static constexpr qint64 largestToken = 64LL * 1024 * 1024;
    qint64 done_ = 0;
    QString failure_;
};

bool ExportBytes::openAt(const Location& where) {
    if (where.entry < 0) {
        file_.setFileName(where.path);
        if (!file_.open(QIODevice::ReadOnly)) {
            failure_ = file_.errorString();
            return false;
        }
        total_ = file_.size();
    } else {
        zip_ = openZip(where.path, &failure_);
        if (!zip_)
            return false;
        const auto index = static_cast<zip_uint64_t>(where.entry);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(zip_.get(), index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) != 0)
            total_ = static_cast<qint64>(stat.size);
        entry_.reset(zip_fopen_index(zip_.get(), index, 0));
        if (!entry_) {
            failure_ = QString::fromUtf8(zip_strerror(zip_.get()));
            return false;
        }
    }
    head_.resize(headSize);
    qsizetype got = 0;
    while (got < headSize) {
        const qint64 n = readRaw(head_.data() + got, headSize - got);
        if (n <= 0)
            break;
        got += n;
    }
    if (!failure_.isEmpty())
        return false;
    head_.resize(got);
    // UTF-16 (which Apple never writes) is left as it is: the mends work on UTF-8 bytes.
    const QByteArrayView h(head_);
    mend_ = !h.startsWith("\xFF\xFE") && !h.startsWith("\xFE\xFF") &&
            !(h.size() >= 2 && (h[0] == 0 || h[1] == 0));
    if (mend_) {
        blankDocumentType(head_);
        blankControls(head_.data(), head_.size());
    }
    return QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 ExportBytes::readRaw(char* data, qint64 maxSize) {
    if (entry_) {
        const zip_int64_t n = zip_fread(entry_.get(), data, static_cast<zip_uint64_t>(maxSize));
        if (n < 0)
            failure_ = QString::fromUtf8(zip_file_strerror(entry_.get()));
        return n;
    }
    const qint64 n = file_.read(data, maxSize);
    if (n < 0)
        failure_ = file_.errorString();
    return n;
}

qint64 ExportBytes::readData(char* data, qint64 maxSize) {
    if (carryOn_ && !carryOn_(done_)) {
        stopped_ = true;
        return -1;
    }
    if (done_ - tokenStart_ > largestToken) {
        failure_ = Tonolog::tr("A part of it is far larger than any Apple Health export holds.");
        return -1;
    }
    qint64 n = 0;
    if (headServed_ < head_.size()) {
        n = std::min<qint64>(maxSize, head_.size() - headServed_);
        std::memcpy(data, head_.constData() + headServed_, static_cast<std::size_t>(n));
        headServed_ += n;
        if (headServed_ == head_.size()) {
            head_ = QByteArray();
            headServed_ = 0;
        }
    } else {
        n = readRaw(data, maxSize);
        if (n <= 0)
            return -1;
        if (mend_)
            blankControls(data, n);
    }
    done_ += n;
    return n;
}

// Whether the root element of the XML at `where` is <HealthData>.
bool holdsHealthData(const Location& where) {
    ExportBytes bytes;
    if (!bytes.openAt(where))
        return false;
    QXmlStreamReader xml(&bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.name() == healthDataTag;
    }
    return false;
}

struct Located {
    std::optional<Location> where;
    QString why;
};

// The export.xml of the file, told by content: the file itself, or in a ZIP archive the first
// XML entry with the root element <HealthData>, those named export.xml first (Apple's own is
// apple_health_export/export.xml; an archive packed again by hand may name it otherwise).
Located locate(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, cannotRead(file.errorString())};
    const QByteArray magic = file.read(4);
    file.close();
    if (magic != QByteArrayView("PK\x03\x04") && magic != QByteArrayView("PK\x05\x06")) {
        if (holdsHealthData(Location{path}))
            return {Location{path}, {}};
        return {{}, notAnExport()};
    }
    QString why;
    const ZipArchive zip = openZip(path, &why);
    if (!zip)
        return {{}, Tonolog::tr("The ZIP archive cannot be read: %1").arg(why)};
    std::vector<zip_int64_t> order; // the XML entries, those named export.xml first
    std::vector<zip_int64_t> others;
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(zip.get(), static_cast<zip_uint64_t>(i), 0);
        if (name == nullptr)
            continue;
        const QString base = QString::fromUtf8(name).section(QLatin1Char('/'), -1);
        // macOS adds its resource forks as "__MACOSX/.../._<name>"
        if (!base.endsWith(QLatin1StringView(".xml"), Qt::CaseInsensitive) ||
            base.startsWith(QLatin1StringView("._")))
            continue;
        (base.compare(QLatin1StringView("export.xml"), Qt::CaseInsensitive) == 0 ? order : others)
            .push_back(i);
    }
    order.insert(order.end(), others.begin(), others.end());
    constexpr std::size_t mostLookedAt = 8;
    for (std::size_t k = 0; k < order.size() && k < mostLookedAt; ++k) {
        if (holdsHealthData(Location{path, order[k]}))
            return {Location{path, order[k]}, {}};
    }
    return {{}, Tonolog::tr("The ZIP archive holds no Apple Health export (export.xml).")};
}

std::string utf8(QStringView text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A startDate as an instant, read from the attribute without a string made for it (heart rates
// come by the million).
std::optional<std::int64_t> instantOf(QStringView text) {
    char ascii[48];
    if (text.size() >= qsizetype(sizeof ascii))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80)
            return std::nullopt;
        ascii[i] = static_cast<char>(c);
    }
    return parseOffsetDateTime(std::string_view(ascii, static_cast<std::size_t>(text.size())));
}

// A blood-pressure correlation as the first pass finds it.
struct Correlation {
    int line = 0;
    std::string start; // its startDate as written
    std::optional<std::int64_t> instant;
    std::string sys, dia;
};

// Both passes' progress as one: the first counts the export's bytes once, the second once more.
class Progress {
public:
    explicit Progress(const std::function<bool(qint64, qint64)>& report) : report_(report) {}
    void startPass(int pass, qint64 size) {
        pass_ = pass;
        size_ = size;
    }
    // False when the read is to stop.
    bool at(qint64 done) {
        const qint64 all = pass_ * size_ + done;
        if (!report_ || all - reported_ < step)
            return true;
        reported_ = all;
        return report_(all, 2 * size_);
    }

private:
    static constexpr qint64 step = 1 << 20;
    const std::function<bool(qint64, qint64)>& report_;
    int pass_ = 0;
    qint64 size_ = 0;
    qint64 reported_ = -step;
};

// Streams the export once, handing every start and end of an element to visit(xml, token);
// false with the result's why (or cancelled) set when the stream stops before its end.
template <typename Visit>
bool streamExport(const Location& where, Progress& progress, int pass, AppleHealthRead& result, Visit visit) {
    ExportBytes bytes;
    if (!bytes.openAt(where)) {
        result.why = cannotRead(bytes.failure());
        return false;
    }
    progress.startPass(pass, bytes.total());
    if (!progress.at(0)) {
        result.cancelled = true;
        return false;
    }
    bytes.askBeforeReading([&progress](qint64 done) { return progress.at(done); });
    QXmlStreamReader xml(&bytes);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        bytes.tokenTaken();
        if (token == QXmlStreamReader::StartElement || token == QXmlStreamReader::EndElement)
            visit(xml, token);
    }
    if (bytes.stopped()) {
        result.cancelled = true;
        return false;
    }
    if (!bytes.failure().isEmpty()) {
        result.why = cannotRead(bytes.failure());
        return false;
    }
    if (xml.hasError()) {
        result.why = Tonolog::tr("The Apple Health export is damaged at line %1: %2")
                         .arg(QString::number(xml.lineNumber()), xml.errorString());
        return false;
    }
    return true;
}

} // namespace

bool isAppleHealthExport(const QString& path) {
    return locate(path).where.has_value();
}

AppleHealthRead readAppleHealth(const QString& path, const ToLocalTime& toLocal,
                                const std::function<bool(qint64, qint64)>& progress) {
    AppleHealthRead result;
    const Located located = locate(path);
    if (!located.where) {
        result.why = located.why;
        return result;
    }
    Progress passes(progress);

    // First the blood-pressure correlations, with their values and instants.
    std::vector<Correlation> found;
    bool inCorrelation = false;
    const auto readings = [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType token) {
        if (token == QXmlStreamReader::EndElement) {
            if (inCorrelation && xml.name() == correlationTag)
                inCorrelation = false;
            return;
        }
        if (xml.name() == correlationTag) {
            const QXmlStreamAttributes attributes = xml.attributes();
            inCorrelation = attributes.value(typeAttribute) == bloodPressureType;
            if (inCorrelation) {
                Correlation& c = found.emplace_back();
                c.line = static_cast<int>(xml.lineNumber());
                c.start = utf8(attributes.value(startDateAttribute));
                c.instant = parseOffsetDateTime(c.start);
            }
        } else if (inCorrelation && xml.name() == recordTag) {
            const QXmlStreamAttributes attributes = xml.attributes();
            const QStringView type = attributes.value(typeAttribute);
            if (type == systolicType)
                found.back().sys = utf8(attributes.value(valueAttribute));
            else if (type == diastolicType)
                found.back().dia = utf8(attributes.value(valueAttribute));
        }
    };
    if (!streamExport(*located.where, passes, 0, result, readings))
        return result;

    // Then the heart rates at those instants only, wherever they stand in the file; the first
    // one at an instant is its pulse.
    std::unordered_map<std::int64_t, std::optional<std::string>> pulseAt;
    for (const Correlation& c : found) {
        if (c.instant)
            pulseAt.emplace(*c.instant, std::nullopt);
    }
    const auto heartRates = [&](QXmlStreamReader& xml, QXmlStreamReader::TokenType token) {
        if (token != QXmlStreamReader::StartElement || xml.name() != recordTag)
            return;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (attributes.value(typeAttribute) != heartRateType)
            return;
        const std::optional<std::int64_t> instant = instantOf(attributes.value(startDateAttribute));
        if (!instant)
            return;
        const auto at = pulseAt.find(*instant);
        if (at != pulseAt.end() && !at->second)
            at->second = utf8(attributes.value(valueAttribute));
    };
    if (!pulseAt.empty() && !streamExport(*located.where, passes, 1, result, heartRates))
        return result;

    ReadingRules rules(ImportSource::appleHealth);
    for (const Correlation& c : found) {
        std::string text = c.start + ' ' + c.sys + '/' + c.dia;
        if (!c.instant) {
            rules.refuse(c.line, text, Tonolog::tr("Its date and time cannot be read.").toStdString());
            continue;
        }
        const std::optional<std::string>& pulse = pulseAt.at(*c.instant);
        const std::string pul = pulse ? *pulse : std::string();
        if (!pul.empty())
            text += ' ' + pul;
        const LocalDateTime local = toLocal(*c.instant);
        const TimeOfDay time{local.secondOfDay / 3600, local.secondOfDay / 60 % 60, local.secondOfDay % 60};
        rules.add(c.line, text, local.date, time, c.sys, c.dia, pul, {});
    }
    result.read = rules.take();
    result.ok = true;
    return result;
}

} // namespace tonolog
