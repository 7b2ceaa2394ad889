// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tonolog {

namespace {
QString withSlash(QString dir) {
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}
} // namespace

Locations Locations::forThisUser() {
    Locations l;
    l.appDir = withSlash(QCoreApplication::applicationDirPath());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    // The backup holds the diary: its directory, and the program's directory above it, are the
    // user's alone.
    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFile::setPermissions(data, ownerOnly);
    QFile::setPermissions(QFileInfo(data).absolutePath(), ownerOnly);
    l.backupDir = withSlash(data);
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QDir(documents).exists())
        documents = QDir::homePath();
    l.documentsDir = withSlash(documents);
    return l;
}

} // namespace tonolog
