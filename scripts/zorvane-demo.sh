#!/usr/bin/env bash
# Starts zorvane at a Linux desktop, on a bare Debian 12 machine as root:
# installs what is missing, builds zorvane and the demonstration folder
# maker, fills build/zorvane-demo with the data files and the sample
# attachments, and starts zorvane there. The drafts of its mails go to
# build/zorvane-demo/drafts (or $REPORTMAIL_DRAFTS_DIR when set) and open in
# the desktop's mail program; the work files appear in build/zorvane-demo/KR.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target zorvane make-demo-folder -j"$(nproc)"

demo="$top/build/zorvane-demo"
"$top/build/demo/sample_data/make-demo-folder" "$demo"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "zorvane-demo: built and ready in $demo, but zorvane is shown on a desktop (DISPLAY or WAYLAND_DISPLAY is not set)" >&2
  exit 1
fi
export REPORTMAIL_DRAFTS_DIR="${REPORTMAIL_DRAFTS_DIR:-$demo/drafts}"
mkdir -p "$REPORTMAIL_DRAFTS_DIR"
cd "$demo"
echo "zorvane runs in $demo; drafts go to $REPORTMAIL_DRAFTS_DIR"
exec "$top/build/demo/program/zorvane" "$@"
