// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/import_readings.h"

#include <QString>
#include <QtGlobal>

#include <functional>

// The blood-pressure readings of an Apple Health export: the export.xml the Health app writes,
// alone or in the ZIP archive it shares.
namespace tonolog {

// True when the file is an Apple Health export by its content: an XML file whose root element is
// <HealthData>, or a ZIP archive holding such a file (normally apple_health_export/export.xml).
bool isAppleHealthExport(const QString& path);

struct AppleHealthRead {
    bool ok = false;
    bool cancelled = false;
    QString why; // in plain words when !ok
    ReadingsRead read;
};

// The export's blood-pressure readings: each correlation of type
// HKCorrelationTypeIdentifierBloodPressure with its systolic and diastolic records, and as the
// pulse the heart rate recorded at the correlation's very instant. Day and time are the
// correlation's start made local by toLocal. The file is streamed twice (the readings, then
// the heart rates at their instants), never held whole; progress(doneBytes, totalBytes) is called
// now and then, and returning false cancels the read.
AppleHealthRead readAppleHealth(const QString& path, const ToLocalTime& toLocal,
                                const std::function<bool(qint64, qint64)>& progress = {});

} // namespace tonolog
