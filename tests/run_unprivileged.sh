#!/bin/sh
# Runs a test as the unprivileged user "nobody" when the suite runs as root, since root ignores
# file permissions.
if [ "$(id -u)" = 0 ]; then
    exec setpriv --reuid=65534 --regid=65534 --clear-groups --reset-env "$@"
fi
exec "$@"
