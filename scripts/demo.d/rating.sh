#!/usr/bin/env bash
# The rating service of the demo: the loopback stand-in (tools/ratingservice)
# seeded with ratings and reviews of the demo add-ons, in several languages.
# Run by `./bpm run`; it leaves the service running in the background and
# writes its address to BRIVO_DEMO_ENV, which `./bpm run` hands to the
# program as BRIVO_RATING_URL.
set -euo pipefail
: "${BRIVO_BUILD:?BRIVO_BUILD must name the build tree}"
. "$(dirname "$0")/stand-in.bash"
start_stand_in rating.sh ratingservice "$BRIVO_BUILD/demo-rating" --db "$BRIVO_BUILD/demo-rating/ratings.sqlite"
if [ -n "${BRIVO_DEMO_ENV:-}" ]; then
  echo "BRIVO_RATING_URL=$url" >>"$BRIVO_DEMO_ENV"
fi
echo "rating.sh: rating service with the demo reviews at $url"
