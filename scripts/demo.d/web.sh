#!/usr/bin/env bash
# The web site and advertisement server of the demo: the loopback stand-in
# (tools/webservice) with its demo update page, news message and banner feed.
# Run by `./bpm run`; it leaves the service running in the background and
# writes its address to BRIVO_DEMO_ENV, which `./bpm run` hands to the
# program as BRIVO_WEB_URL and BRIVO_AD_URL.
set -euo pipefail
: "${BRIVO_BUILD:?BRIVO_BUILD must name the build tree}"
. "$(dirname "$0")/stand-in.bash"
start_stand_in web.sh webservice "$BRIVO_BUILD/demo-web"
if [ -n "${BRIVO_DEMO_ENV:-}" ]; then
  printf 'BRIVO_WEB_URL=%s\nBRIVO_AD_URL=%s\n' "$url" "$url" >>"$BRIVO_DEMO_ENV"
fi
echo "web.sh: web site and advertisement server of the demo at $url"
