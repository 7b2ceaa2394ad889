// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QVariant>

namespace tonolog {

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tonolog"),
                QStringLiteral("Tonolog")) {}

// The recent files name the user's diaries: the settings are for the user's eyes only.
// The directory is closed to others before the file is first written in it.
void QtSettingsStore::keepPrivate() {
    const QFileInfo file(settings_.fileName());
    QDir().mkpath(file.absolutePath());
    QFile::setPermissions(file.absolutePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (file.exists())
        QFile::setPermissions(file.absoluteFilePath(), QFile::ReadOwner | QFile::WriteOwner);
}

QString QtSettingsStore::keyOf(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

QString QtSettingsStore::read(const QString& section, const QString& key, const QString& defaultValue) const {
    const QVariant value = settings_.value(keyOf(section, key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited value with an unquoted comma reads back as a list; it was one text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool QtSettingsStore::write(const QString& section, const QString& key, const QString& value) {
    settings_.setValue(keyOf(section, key), value);
    return sync();
}

bool QtSettingsStore::sync() {
    // QSettings tells of a failed write only through its status, and only after writing. A
    // FormatError says that the file found there could not be read; it has been written over with
    // the values of this store, so the write itself went through.
    keepPrivate();
    settings_.sync();
    keepPrivate();
    return settings_.status() != QSettings::AccessError;
}

} // namespace tonolog
