// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/settings_store.h"

#include <QMap>

namespace tonolog {

// A settings store in memory, keyed "Section/Key". It can be told to refuse writes, as a full disk
// or a read-only configuration directory would; a refused write stores nothing.
class MemorySettingsStore : public SettingsStore {
public:
    QString read(const QString& section, const QString& key, const QString& defaultValue) const override;
    bool write(const QString& section, const QString& key, const QString& value) override;
    bool sync() override;

    void setFailWrites(bool fail) { failWrites_ = fail; }
    // Puts a value in place without counting it as a write, as a previous run would have left it.
    void preset(const QString& section, const QString& key, const QString& value);
    bool contains(const QString& section, const QString& key) const;
    const QMap<QString, QString>& values() const { return values_; }
    int writeCount() const { return writeCount_; }
    int syncCount() const { return syncCount_; }

private:
    static QString keyOf(const QString& section, const QString& key) {
        return section + QLatin1Char('/') + key;
    }

    QMap<QString, QString> values_;
    bool failWrites_ = false;
    int writeCount_ = 0;
    int syncCount_ = 0;
};

} // namespace tonolog
