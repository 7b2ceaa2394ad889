// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tonolog {

// The per-user settings store: text values by section and key under the application "Tonolog".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString& section, const QString& key, const QString& defaultValue) const = 0;
    // Returns false when the values could not be stored.
    virtual bool write(const QString& section, const QString& key, const QString& value) = 0;
    virtual bool sync() = 0;
};

} // namespace tonolog
