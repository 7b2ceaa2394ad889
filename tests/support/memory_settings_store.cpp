// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/memory_settings_store.h"

namespace tonolog {

QString MemorySettingsStore::read(const QString& section, const QString& key,
                                  const QString& defaultValue) const {
    return values_.value(keyOf(section, key), defaultValue);
}

bool MemorySettingsStore::write(const QString& section, const QString& key, const QString& value) {
    ++writeCount_;
    if (failWrites_)
        return false;
    values_.insert(keyOf(section, key), value);
    return true;
}

bool MemorySettingsStore::sync() {
    ++syncCount_;
    return !failWrites_;
}

void MemorySettingsStore::preset(const QString& section, const QString& key, const QString& value) {
    values_.insert(keyOf(section, key), value);
}

bool MemorySettingsStore::contains(const QString& section, const QString& key) const {
    return values_.contains(keyOf(section, key));
}

} // namespace tonolog
