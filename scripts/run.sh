#!/usr/bin/env bash
# Builds the tool and starts it on a copy of the demo working directory, with the
# virtual recorder attached.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "velmora needs a display. Without one, run it under a virtual X server:" >&2
  echo "    xvfb-run -a scripts/run.sh" >&2
  exit 1
fi

# The demo folder stays as committed: the tool runs in a copy that keeps the
# operator's language choice from run to run.
workdir=$root/build/demo
[ -d "$workdir" ] || cp -r "$root/demo" "$workdir"
export VELMORA_RECORDER_DIR=${VELMORA_RECORDER_DIR:-$root/build/demo-recorder}
"$root/build/bin/velmora-recorder" attach
cd "$workdir"
exec "$root/build/bin/velmora"
