// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QTemporaryDir>

namespace tonolog::bench {

// The offscreen platform with a private runtime directory, as Qt wants one, for as long as it lives.
struct OffscreenRuntime {
    QTemporaryDir dir;
    OffscreenRuntime() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QFile::setPermissions(dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
    }
};

} // namespace tonolog::bench
