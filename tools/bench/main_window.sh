#!/usr/bin/env bash
# The main window's speed in three settings, each in a Wine prefix of its
# own inside the build tree: the demo data of `./bpm run` (without the
# rating service, whose address points at a closed port), the large lists
# that bench_main_window.exe --large makes and removes itself, and every
# browser with its profiles of 300 add-ons each (--profiles, likewise). Runs
# under an Xvfb of its own unless DISPLAY is set. Prints the program's figures.
#   tools/bench/main_window.sh [RUNS]     (3 runs of each unless told)
# BRIVO_BUILD_DIR names the build tree (build/, or build-x64/ in the x64 mode).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
. scripts/wine-env
if [ "$BRIVO_MODE" = x64 ]; then default_tree=build-x64; else default_tree=build; fi
tree=$(realpath -m "${BRIVO_BUILD_DIR:-$root/$default_tree}")
runs=${1:-3}
exe=$tree/bin/bench_main_window.exe
[ -f "$tree/CMakeCache.txt" ] || { echo "main_window.sh: configure $tree first (./bpm build)" >&2; exit 1; }
cmake --build "$tree" -j "${BRIVO_JOBS:-2}" --target bench_main_window >/dev/null

xvfb_pid=""
prefixes=()
cleanup() {
  for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
# The display must be there before Wine's services start in a prefix, or the
# windows would belong to a desktop without one.
if [ -z "${DISPLAY:-}" ]; then
  n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi
export WINEARCH=win64 WINEDEBUG=-all
# No request waits on a name lookup or a service.
export BRIVO_RATING_URL=http://127.0.0.1:9 BRIVO_WEB_URL=http://127.0.0.1:9 BRIVO_AD_URL=http://127.0.0.1:9

demo=$tree/bench-main-demo
prefixes+=("$demo")
scripts/wine-prefix "$demo"
echo "== demo data ($demo)"
for s in chromium firefox ie startmenu; do
  WINEPREFIX=$demo BRIVO_BUILD=$tree BRIVO_DEMO_ENV=/dev/null bash "scripts/demo.d/$s.sh" >/dev/null
done
scripts/wine-run "$demo" "$exe" --runs="$runs"

large=$tree/bench-main-large
prefixes+=("$large")
scripts/wine-prefix "$large"
echo "== 2 000 Internet Explorer add-ons and 2 000 Chrome extensions ($large)"
scripts/wine-run "$large" "$exe" --large --runs="$runs"

many=$tree/bench-main-profiles
prefixes+=("$many")
scripts/wine-prefix "$many"
echo "== 7 browsers, 3 profiles each where they have profiles, 300 add-ons per profile ($many)"
scripts/wine-run "$many" "$exe" --profiles --runs="$runs"
