// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/apple_health.h"

#include <QTemporaryDir>
#include <QtTest>

#include <zip.h>

using namespace tonolog;

namespace {

// An export as iOS 16 writes it: the document type's subset has a declaration left open, and a
// name holds a vertical tab. The pulse of the first reading stands before it; the second has none.
const QByteArray exportXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE HealthData [
<!ELEMENT HealthData (ExportDate,Me,(Record|Correlation)*)>
<!ATTLIST VisionPrescription
  type CDATA #REQUIRED
<!ELEMENT Record (MetadataEntry*)>
]>
<HealthData locale="en_US">
 <Record type="HKQuantityTypeIdentifierHeartRate" sourceName="Ann)"
                             "\v"
                             R"(s Watch" startDate="2019-01-01 08:00:00 +0100" value="71"/>
 <Record type="HKQuantityTypeIdentifierHeartRate" startDate="2019-01-02 21:00:00 +0100" value="90"/>
 <Record type="HKQuantityTypeIdentifierStepCount" startDate="2019-01-02 20:30:00 +0000" value="64"/>
 <Correlation type="HKCorrelationTypeIdentifierBloodPressure" startDate="2019-01-01 08:00:00 +0100">
  <Record type="HKQuantityTypeIdentifierBloodPressureDiastolic" value="80"/>
  <Record type="HKQuantityTypeIdentifierBloodPressureSystolic" value="132.0"/>
 </Correlation>
 <Correlation type="HKCorrelationTypeIdentifierBloodPressure" startDate="2019-01-02 20:30:00 +0000">
  <Record type="HKQuantityTypeIdentifierBloodPressureSystolic" value="118"/>
  <Record type="HKQuantityTypeIdentifierBloodPressureDiastolic" value="76"/>
 </Correlation>
</HealthData>
)";

LocalDateTime oneHourEast(std::int64_t utcSeconds) {
    return utcDateTime(utcSeconds + 3600);
}

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

QString zipped(const QTemporaryDir& dir, const QByteArray& bytes, const char* entry) {
    const QString path = dir.filePath(QStringLiteral("export.zip"));
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_source_t* source = zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
    zip_file_add(zip, entry, source, ZIP_FL_ENC_UTF_8);
    zip_close(zip);
    return path;
}

} // namespace

class AppleHealthTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsBloodPressureWithThePulseAtItsInstant_data() {
        QTest::addColumn<bool>("zip");
        QTest::newRow("export.xml") << false;
        QTest::newRow("ZIP archive") << true;
    }
    void readsBloodPressureWithThePulseAtItsInstant() {
        QFETCH(bool, zip);
        QTemporaryDir dir;
        const QString path = zip ? zipped(dir, exportXml, "apple_health_export/export.xml")
                                 : write(dir, QStringLiteral("export.xml"), exportXml);
        QVERIFY(isAppleHealthExport(path));
        const AppleHealthRead health = readAppleHealth(path, oneHourEast);
        QVERIFY2(health.ok, qPrintable(health.why));
        const std::vector<ImportedReading>& r = health.read.readings;
        QCOMPARE(r.size(), 2u);
        QCOMPARE(r[0].date, dateFromCivil(2019, 1, 1));
        QCOMPARE(r[0].minute, 8 * 60);
        QCOMPARE(r[0].line, 12);
        QCOMPARE(r[0].sys + '/' + r[0].dia + ' ' + r[0].pul, std::string("132/80 71"));
        QCOMPARE(r[1].date, dateFromCivil(2019, 1, 2));
        QCOMPARE(r[1].minute, 21 * 60 + 30);
        QCOMPARE(r[1].line, 16);
        QCOMPARE(r[1].sys + '/' + r[1].dia + ' ' + r[1].pul, std::string("118/76 "));
    }

    void refusesWhatIsNoSoundExport() {
        QTemporaryDir dir;
        QByteArray broken = exportXml;
        broken.replace("</Correlation>", "</Correl>");
        const AppleHealthRead damaged =
            readAppleHealth(write(dir, QStringLiteral("b.xml"), broken), oneHourEast);
        QVERIFY(!damaged.ok);
        QVERIFY2(damaged.why.startsWith(QStringLiteral("The Apple Health export is damaged at line 15:")),
                 qPrintable(damaged.why));

        const QByteArray other = "<?xml version=\"1.0\"?>\n<ClinicalDocument/>\n";
        const QString xml = write(dir, QStringLiteral("other.xml"), other);
        QVERIFY(!isAppleHealthExport(xml));
        QCOMPARE(readAppleHealth(xml, oneHourEast).why,
                 QStringLiteral("The file is not an Apple Health export."));
        const QString zip = zipped(dir, other, "apple_health_export/export_cda.xml");
        QVERIFY(!isAppleHealthExport(zip));
        QVERIFY(!readAppleHealth(zip, oneHourEast).ok);
    }

    void progressCancels() {
        QTemporaryDir dir;
        const AppleHealthRead health = readAppleHealth(write(dir, QStringLiteral("export.xml"), exportXml),
                                                       oneHourEast, [](qint64, qint64) { return false; });
        QVERIFY(health.cancelled && !health.ok);
        QVERIFY(health.read.readings.empty());
    }
};

QTEST_MAIN(AppleHealthTest)
#include "test_apple_health.moc"
