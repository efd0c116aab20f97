#!/usr/bin/env bash
# screenshot.sh BUILD_DIR OUT.png: shows the demo window under Wine and saves the screen
# once the demo has painted, so that a person can look at the panels.
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
ready=$(mktemp -u /tmp/quorvex-ui-demo.XXXXXX)
export QUORVEX_SCREENSHOT="$out" QUORVEX_READY="$ready"
"$here/../../../scripts/wine-run" "$build" bash -c '
  cd "$QUORVEX_BUILD_DIR/tests/win32/ui"
  wine ./quorvex_ui_demo.exe --seconds 900 --ready "Z:${QUORVEX_READY//\//\\}" &
  demo=$!
  # Wine may start slowly on a busy machine: wait for the demo, not for a fixed time.
  for _ in $(seq 1 900); do [ -e "$QUORVEX_READY" ] && break; sleep 1; done
  [ -e "$QUORVEX_READY" ] || { echo "the demo did not come up"; kill $demo; exit 1; }
  import -window root "$QUORVEX_SCREENSHOT"
  rm -f "$QUORVEX_READY"
  kill $demo 2>/dev/null || true
  wait $demo 2>/dev/null || true
'
echo "screenshot: $out"
