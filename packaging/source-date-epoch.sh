#!/bin/sh
# Prints the time every release file carries, in seconds since 1970: SOURCE_DATE_EPOCH when
# it is set, else the time of the clone's last commit, so that a rebuild gives the same bytes
# (outside a clone, the time now).
set -eu
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "$SOURCE_DATE_EPOCH"
else
    git -C "$(dirname "$0")" log -1 --format=%ct 2>/dev/null || date +%s
fi
