#!/usr/bin/env bash
# The rating service of the demo: the loopback stand-in (tools/ratingservice)
# seeded with ratings and reviews of the demo add-ons, in several languages.
# Run by `./bpm run`; it leaves the service running in the background and
# writes its address to BRIVO_DEMO_ENV, which `./bpm run` hands to the
# program as BRIVO_RATING_URL. The service ends by itself when `./bpm run`
# (the parent of this script) has ended, or after an hour without requests.
set -euo pipefail
: "${BRIVO_BUILD:?BRIVO_BUILD must name the build tree}"
root=$(cd "$(dirname "$0")/../.." && pwd)
state=$BRIVO_BUILD/demo-rating
mkdir -p "$state"

# One demo service at a time: a previous one that is still up is told to go.
if [ -f "$state/port" ]; then
  curl -fsS -m 2 "http://127.0.0.1:$(cat "$state/port")/__quit" >/dev/null 2>&1 || true
  for _ in $(seq 20); do [ -f "$state/port" ] || break; sleep 0.1; done
fi
rm -f "$state/port"

setsid python3 "$root/tools/ratingservice/serve.py" --seed demo --db "$state/ratings.sqlite" \
  --port-file "$state/port" --idle-timeout 3600 --watch-pid "$PPID" \
  </dev/null >"$state/service.log" 2>&1 &

for _ in $(seq 100); do [ -f "$state/port" ] && break; sleep 0.05; done
if [ ! -f "$state/port" ]; then
  echo "rating.sh: the rating service did not start (see $state/service.log)" >&2
  exit 1
fi
url="http://127.0.0.1:$(cat "$state/port")"
if [ -n "${BRIVO_DEMO_ENV:-}" ]; then
  echo "BRIVO_RATING_URL=$url" >>"$BRIVO_DEMO_ENV"
fi
echo "rating.sh: rating service with the demo reviews at $url"
