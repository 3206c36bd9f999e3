#!/usr/bin/env bash
# The web site and advertisement server of the demo: the loopback stand-in
# (tools/webservice) with its demo update page, news message and banner feed.
# Run by `./bpm run`; it leaves the service running in the background and
# writes its address to BRIVO_DEMO_ENV, which `./bpm run` hands to the
# program as BRIVO_WEB_URL and BRIVO_AD_URL. The service ends by itself when
# `./bpm run` (the parent of this script) has ended, or after an hour without
# requests.
set -euo pipefail
: "${BRIVO_BUILD:?BRIVO_BUILD must name the build tree}"
root=$(cd "$(dirname "$0")/../.." && pwd)
state=$BRIVO_BUILD/demo-web
mkdir -p "$state"

# One demo service at a time: a previous one that is still up is told to go.
if [ -f "$state/port" ]; then
  curl -fsS -m 2 "http://127.0.0.1:$(cat "$state/port")/__quit" >/dev/null 2>&1 || true
  for _ in $(seq 20); do [ -f "$state/port" ] || break; sleep 0.1; done
fi
rm -f "$state/port"

setsid python3 "$root/tools/webservice/serve.py" --seed demo \
  --port-file "$state/port" --idle-timeout 3600 --watch-pid "$PPID" \
  </dev/null >"$state/service.log" 2>&1 &

for _ in $(seq 100); do [ -f "$state/port" ] && break; sleep 0.05; done
if [ ! -f "$state/port" ]; then
  echo "web.sh: the web service did not start (see $state/service.log)" >&2
  exit 1
fi
url="http://127.0.0.1:$(cat "$state/port")"
if [ -n "${BRIVO_DEMO_ENV:-}" ]; then
  printf 'BRIVO_WEB_URL=%s\nBRIVO_AD_URL=%s\n' "$url" "$url" >>"$BRIVO_DEMO_ENV"
fi
echo "web.sh: web site and advertisement server of the demo at $url"
