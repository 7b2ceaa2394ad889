// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the Apple Health import on a 200 MB export.xml laid out as the Health app writes one
// for a watch's wearer: heart rates every five minutes and step counts over three years, then
// 5,000 blood-pressure correlations, half of them with the cuff's heart rate at their instant.
// Goals: read within 10 s, and the resident size grows by at most twice the size of the readings
// kept (the file is streamed, the heart rates are never all held). The floor is reading the same
// bytes through QFile in 1 MB pieces; the ratio to it is reported beside the time.
#include "report/apple_health.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

using namespace tonolog;

namespace {

constexpr int bloodPressureReadings = 5000;
constexpr qint64 recordBytes = 200LL << 20;
constexpr std::int64_t firstInstant = 1546297200; // 2019-01-01 00:00 +0100

const char* const head = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE HealthData [
<!-- HealthKit Export Version: 12 -->
<!ELEMENT HealthData (ExportDate,Me,(Record|Correlation|Workout|ActivitySummary)*)>
<!ATTLIST HealthData
  locale CDATA #REQUIRED
>
<!ELEMENT Record ((MetadataEntry|HeartRateVariabilityMetadataList)*)>
<!ATTLIST Record
  type          CDATA #REQUIRED
  unit          CDATA #IMPLIED
  value         CDATA #IMPLIED
  sourceName    CDATA #REQUIRED
  sourceVersion CDATA #IMPLIED
  device        CDATA #IMPLIED
  creationDate  CDATA #IMPLIED
  startDate     CDATA #REQUIRED
  endDate       CDATA #REQUIRED
>
<!ELEMENT Correlation ((MetadataEntry|Record)*)>
<!ATTLIST VisionPrescription
  type             CDATA #REQUIRED
  dateIssued       CDATA #REQUIRED
]>
<HealthData locale="en_GB">
 <ExportDate value="2022-02-01 10:00:00 +0100"/>
 <Me HKCharacteristicTypeIdentifierDateOfBirth="1950-05-01" HKCharacteristicTypeIdentifierBiologicalSex="HKBiologicalSexFemale"/>
)";

std::string dateText(std::int64_t instant) {
    const LocalDateTime t = utcDateTime(instant + 3600);
    const CivilDate d = civilFromDate(t.date);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d +0100", d.year, d.month, d.day,
                  t.secondOfDay / 3600, t.secondOfDay / 60 % 60, t.secondOfDay % 60);
    return text;
}

void appendRecord(std::string& xml, const char* type, const char* source, const char* unit,
                  const std::string& date, int value, bool metadata) {
    char text[1024];
    std::snprintf(
        text, sizeof text,
        R"( <Record type="%s" sourceName="%s" sourceVersion="9.1" device="&lt;&lt;HKDevice: )"
        R"(0x281a3c0a0&gt;, name:Apple Watch, manufacturer:Apple Inc., model:Watch, hardware:Watch6,2, )"
        R"(software:9.1&gt;" unit="%s" creationDate="%s" startDate="%s" endDate="%s" value="%d")",
        type, source, unit, date.c_str(), date.c_str(), date.c_str(), value);
    xml += text;
    xml += metadata
               ? ">\n  <MetadataEntry key=\"HKMetadataKeyHeartRateMotionContext\" value=\"0\"/>\n </Record>\n"
               : "/>\n";
}

// Writes the export into `path`; returns the number of readings with a heart rate at their instant.
int writeExport(const QString& path, qint64 size, int readings) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    std::string xml = head;
    qint64 written = 0;
    const auto flush = [&] {
        written += file.write(xml.data(), static_cast<qint64>(xml.size()));
        xml.clear();
    };
    const char* const watch = "Ann\xE2\x80\x99s Apple Watch";
    const char* const cuff = "OMRON connect";
    int placed = 0;
    int pulses = 0;
    for (std::int64_t step = 0; written < size || placed < readings; ++step) {
        const std::int64_t instant = firstInstant + step * 300;
        appendRecord(xml, "HKQuantityTypeIdentifierHeartRate", watch, "count/min", dateText(instant),
                     60 + step % 40, true);
        if (step % 2 == 0)
            appendRecord(xml, "HKQuantityTypeIdentifierStepCount", watch, "count", dateText(instant + 60),
                         static_cast<int>(step % 900), false);
        if (step % 41 == 7 && placed < readings) { // the cuff's pulse, at the reading's instant
            if (placed % 2 == 0) {
                appendRecord(xml, "HKQuantityTypeIdentifierHeartRate", cuff, "count/min",
                             dateText(instant + 7), 55 + placed % 30, false);
                ++pulses;
            }
            ++placed;
        }
        if (xml.size() > (1 << 20))
            flush();
    }
    for (int n = 0; n < readings; ++n) {
        const std::int64_t instant = firstInstant + (7 + 41 * static_cast<std::int64_t>(n)) * 300 + 7;
        const std::string date = dateText(instant);
        xml += R"( <Correlation type="HKCorrelationTypeIdentifierBloodPressure" sourceName="OMRON connect" )"
               R"(sourceVersion="7.8.0" creationDate=")" +
               date + R"(" startDate=")" + date + R"(" endDate=")" + date + "\">\n";
        xml += "  <MetadataEntry key=\"HKWasUserEntered\" value=\"0\"/>\n ";
        appendRecord(xml, "HKQuantityTypeIdentifierBloodPressureDiastolic", cuff, "mmHg", date, 70 + n % 20,
                     false);
        xml += " ";
        appendRecord(xml, "HKQuantityTypeIdentifierBloodPressureSystolic", cuff, "mmHg", date, 110 + n % 40,
                     false);
        xml += " </Correlation>\n";
    }
    xml += "</HealthData>\n";
    flush();
    return pulses;
}

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"); 0 where there is none.
double statusBytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() * 1024;
    }
    return 0;
}

// Starts the peak resident size anew at the present one (Linux).
bool resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

double stringBytes(const std::string& s) {
    return s.capacity() > std::string().capacity() ? static_cast<double>(s.capacity() + 1) : 0;
}

// The memory the readings read take: their vectors and the strings beyond the vectors.
double keptBytes(const ReadingsRead& read) {
    double bytes = static_cast<double>(read.readings.capacity() * sizeof(ImportedReading) +
                                       read.refused.capacity() * sizeof(RefusedReading));
    for (const ImportedReading& r : read.readings)
        bytes += stringBytes(r.time) + stringBytes(r.sys) + stringBytes(r.dia) + stringBytes(r.pul) +
                 stringBytes(r.note);
    for (const RefusedReading& r : read.refused)
        bytes += stringBytes(r.text) + stringBytes(r.why);
    return bytes;
}

LocalDateTime centralEuropean(std::int64_t utcSeconds) {
    return utcDateTime(utcSeconds + 3600);
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void wholeExport(benchmark::State& state) {
    static QTemporaryDir dir;
    const QString warmUp = dir.filePath(QStringLiteral("small.xml"));
    const QString path = dir.filePath(QStringLiteral("export.xml"));
    static const int pulses = writeExport(path, recordBytes, bloodPressureReadings);
    static const bool small = writeExport(warmUp, 1 << 20, 50) >= 0;
    if (pulses < 0 || !small) {
        state.SkipWithError("the export cannot be written");
        return;
    }
    // The code and Qt's first allocations resident before the resident size is taken.
    benchmark::DoNotOptimize(readAppleHealth(warmUp, centralEuropean).ok);

    double readSeconds = 0, floorSeconds = 0, growth = 0, kept = 0;
    std::size_t readings = 0, withPulse = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QByteArray piece(1 << 20, Qt::Uninitialized);
        while (file.read(piece.data(), piece.size()) > 0) {
        }
        floorSeconds += secondsSince(start);

        const double before = statusBytes("VmRSS");
        const bool peakReset = resetPeak();
        start = std::chrono::steady_clock::now();
        const AppleHealthRead health = readAppleHealth(path, centralEuropean);
        readSeconds += secondsSince(start);
        growth = (peakReset ? statusBytes("VmHWM") : statusBytes("VmRSS")) - before;
        if (!health.ok) {
            state.SkipWithError(qPrintable(health.why));
            return;
        }
        kept = keptBytes(health.read);
        readings = health.read.readings.size();
        withPulse = 0;
        for (const ImportedReading& r : health.read.readings)
            withPulse += r.pul.empty() ? 0 : 1;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["export_MB"] = static_cast<double>(QFile(path).size()) / (1 << 20);
    state.counters["read_s"] = readSeconds / n;
    state.counters["floor_s"] = floorSeconds / n;
    state.counters["ratio"] = floorSeconds > 0 ? readSeconds / floorSeconds : 0;
    state.counters["goal_s"] = 10;
    state.counters["readings"] = static_cast<double>(readings);
    state.counters["with_pulse"] = static_cast<double>(withPulse);
    state.counters["kept_KB"] = kept / 1024;
    state.counters["rss_growth_KB"] = growth / 1024;
    state.counters["growth_per_kept"] = kept > 0 ? growth / kept : 0;
    if (readings != bloodPressureReadings || withPulse != static_cast<std::size_t>(pulses))
        state.SkipWithError("the readings or their pulses are not all there");
    else if (readSeconds / n > 10)
        state.SkipWithError("slower than its goal");
    else if (growth > 2 * kept)
        state.SkipWithError("the resident size grew beyond its goal");
}
BENCHMARK(wholeExport)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();
