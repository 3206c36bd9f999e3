# Sourced by the demo's service scripts (rating.sh, web.sh), not run by
# itself. start_stand_in SCRIPT TOOL STATE_DIR [SERVE_ARGS...] starts
# tools/TOOL/serve.py seeded with the demo content in the background, after
# telling a previous demo service of the same state folder to go, and sets
# `url` to its address. The service ends by itself when `./bpm run` (the
# parent of the calling script) has ended, or after an hour without requests.
start_stand_in() {
  local script=$1 tool=$2 state=$3; shift 3
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  mkdir -p "$state"
  # One demo service at a time: a previous one that is still up is told to go.
  if [ -f "$state/port" ]; then
    curl -fsS -m 2 "http://127.0.0.1:$(cat "$state/port")/__quit" >/dev/null 2>&1 || true
    for _ in $(seq 20); do [ -f "$state/port" ] || break; sleep 0.1; done
  fi
  rm -f "$state/port"
  setsid python3 "$root/tools/$tool/serve.py" --seed demo "$@" \
    --port-file "$state/port" --idle-timeout 3600 --watch-pid "$PPID" \
    </dev/null >"$state/service.log" 2>&1 &
  for _ in $(seq 100); do [ -f "$state/port" ] && break; sleep 0.05; done
  if [ ! -f "$state/port" ]; then
    echo "$script: the $tool stand-in did not start (see $state/service.log)" >&2
    exit 1
  fi
  url="http://127.0.0.1:$(cat "$state/port")"
}
