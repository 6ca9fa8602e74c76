#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts OrbelQuint. Without a display it prints
# this week's page of the sample timetable with the command-line tool instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
scripts/build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Geen beeldscherm gevonden: dit is de weekpagina van het voorbeeld voor deze week." >&2
    exec build/bin/orbelquint-week build/bin/voorbeeld.htm "$(date +%d-%m-%Y)"
fi
exec build/bin/orbelquint
