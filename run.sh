#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts OrbelQuint. Without a display it prints
# this week's page of the sample timetable with the command-line tool instead. With --web [PORT] it
# builds the web page and serves it on this machine, printing its address.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
if [ "${1:-}" = "--web" ]; then
    exec scripts/web serve "${2:-8080}"
fi
scripts/build -DORBELQUINT_WARNINGS_AS_ERRORS=OFF  # test.sh turns them on for CI
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Geen beeldscherm gevonden: dit is de weekpagina van het voorbeeld voor deze week." >&2
    page=$(build/bin/orbelquint-week build/bin/voorbeeld.htm "$(date +%d-%m-%Y)")
    # Shown as the viewer reads it: as UTF-8 when it is, else in the data files' code page.
    if iconv -f UTF-8 -t UTF-8 <<<"$page" >/dev/null 2>&1; then
        printf '%s\n' "$page"
    else
        iconv -f WINDOWS-1252 -t UTF-8 <<<"$page"
    fi
    exit
fi
exec build/bin/orbelquint
