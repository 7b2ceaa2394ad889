// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/settings_store.h"

#include <QSettings>

namespace tonolog {

// The settings store as QSettings in the platform's native format for organisation and application
// "Tonolog" (on Linux ~/.config/Tonolog/Tonolog.conf). A value lives under the key "Section/Key".
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();

    QString read(const QString& section, const QString& key, const QString& defaultValue) const override;
    // Stores the value and writes it out at once, so a failure is reported to the caller. Once a
    // write has failed, QSettings keeps reporting the failure for the life of this store.
    bool write(const QString& section, const QString& key, const QString& value) override;
    bool sync() override;

    // Where the values are kept.
    QString fileName() const { return settings_.fileName(); }

private:
    static QString keyOf(const QString& section, const QString& key);
    void keepPrivate();

    QSettings settings_;
};

} // namespace tonolog
