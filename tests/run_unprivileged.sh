#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test as the unprivileged user "nobody" when the suite runs as root, since root ignores
# file permissions.
if [ "$(id -u)" = 0 ]; then
    exec setpriv --reuid=65534 --regid=65534 --clear-groups --reset-env "$@"
fi
exec "$@"
