#!/usr/bin/env bash
# Builds the Debian package from a build folder, installs into a temporary root,
# and starts the installed tool through its launcher in a fresh home folder.
# Usage: install-test.sh <build folder>
set -euo pipefail
build=$(readlink -f "${1:?usage: install-test.sh <build folder>}")
tmp=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The package.
cpack --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$tmp"/pkg/velmora_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no .deb was built"
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/velmora ./usr/bin/velmora-launch ./usr/bin/velmora-recorder \
         ./usr/share/velmora/config/lang.ini ./usr/share/velmora/logo/logo.jpg \
         ./usr/share/applications/velmora.desktop \
         ./usr/share/icons/hicolor/256x256/apps/velmora.png; do
  grep -q " $f\$" <<<"$contents" || fail "the package lacks $f"
done
grep -q "/libDravin_protocol.so\$" <<<"$contents" || fail "the package lacks libDravin_protocol.so"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 fonts-liberation; do
  grep -q "$d" <<<"$depends" || fail "the package does not depend on $d: $depends"
done

# The installation.
DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >/dev/null
usr=$tmp/root/usr
runpath=$(readelf -d "$usr/bin/velmora" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
grep -q '\$ORIGIN/\.\./' <<<"$runpath" || fail "the installed tool does not look beside its bin folder: $runpath"
# An empty entry would make the loader search the working folder.
for path in "$runpath" "$(readelf -d "$build/bin/velmora" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')"; do
  case ":$path:" in *::*) fail "a runpath with an empty entry: [$path]" ;; esac
done

# A first start in a fresh home: the launcher makes the working folder.
home=$tmp/home
mkdir -p "$home" "$tmp/run" "$tmp/recorder"
chmod 700 "$tmp/run"
start() {
  env -i PATH="$PATH" HOME="$home" XDG_RUNTIME_DIR="$tmp/run" \
    VELMORA_RECORDER_DIR="$tmp/recorder" QT_QPA_PLATFORM=offscreen \
    "$usr/bin/velmora-launch" >"$tmp/tool.log" 2>&1 &
  pid=$!
}
# Waits until the tool runs with the installed library loaded, then for one more second.
expect_running() {
  local lib="$usr/lib"
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || { cat "$tmp/tool.log" >&2; fail "the tool ended early"; }
    grep -q "$lib/.*libDravin_protocol.so" "/proc/$pid/maps" 2>/dev/null && break
    sleep 0.1
  done
  grep -q "$lib/.*libDravin_protocol.so" "/proc/$pid/maps" || fail "the installed library was not loaded"
  sleep 1
  kill -0 "$pid" 2>/dev/null || { cat "$tmp/tool.log" >&2; fail "the tool ended within a second"; }
  kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""
}
start
expect_running
work=$home/.local/share/velmora
cmp -s "$work/config/lang.ini" "$usr/share/velmora/config/lang.ini" || fail "config/lang.ini was not copied"
cmp -s "$work/logo/logo.jpg" "$usr/share/velmora/logo/logo.jpg" || fail "logo/logo.jpg was not copied"

# A second start keeps what the user changed.
echo "; changed by the user" >>"$work/config/lang.ini"
start
expect_running
grep -q "changed by the user" "$work/config/lang.ini" || fail "the launcher overwrote the user's language file"
echo "install test passed"
