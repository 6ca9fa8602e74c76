#!/usr/bin/env bash
# Installs what is missing, builds in Release and prints this week's page of the sample timetable.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
scripts/build
build/bin/orbelquint-week build/bin/voorbeeld.htm "$(date +%d-%m-%Y)"
