#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Tonolog and starts it, with an optional diary file: scripts/run.sh [diary.tnl]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-release" --target tonolog
exec "$root/build-release/tonolog" "$@"
