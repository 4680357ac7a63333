#!/usr/bin/env bash
# Runs the map page test in headless Chromium (the Debian package), installing
# the test's npm packages (playwright-core, no browser download) on first use.
#   run.sh TELEMETRY_DUMP WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -d "$here/node_modules/playwright-core" ]; then
  (cd "$here" && npm ci --no-audit --no-fund --loglevel=error >&2)
fi
exec node "$here/page_test.mjs" "$@"
