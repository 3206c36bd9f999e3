#!/usr/bin/env bash
# Screenshots of the control gallery at 96 and 144 DPI, checked at the
# places whose colours the design fixes (title bar, caption text, the
# button state slices, list rows, the side column) rather than against
# whole images, which font hinting would break.
#   gallery_screenshots.sh PREFIX GALLERY_EXE OUT_DIR
# Runs on an Xvfb of its own, large enough for the gallery at 144 DPI, with
# the prefix's Wine processes started afresh on it; needs xdotool and
# ImageMagick. The prefix's DPI is put back to 96 at the end.
set -uo pipefail
prefix=$1 gallery=$2 out=$3
here=$(cd "$(dirname "$0")/../../.." && pwd)
mkdir -p "$out"
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
n=60
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 2200x1500x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
wineserver -k 2>/dev/null
set_dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
trap 'set_dpi 96; wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null' EXIT
failures=0

pixel() {  # shot x y -> #RRGGBB
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -1 | grep -o '#[0-9A-F]\{6\}'
}

expect_colour() {  # name shot x y colour tolerance
  local got
  got=$(pixel "$2" "$3" "$4")
  local dist
  dist=$(python3 -c "a='$got'[1:];b='$5'[1:];print(max(abs(int(a[i:i+2],16)-int(b[i:i+2],16)) for i in (0,2,4)))")
  if [ "$dist" -gt "$6" ]; then
    echo "FAIL $1: $got at ($3,$4), expected $5"
    failures=$((failures + 1))
  else
    echo "ok   $1: $got"
  fi
}

for dpi in 96 144; do
  set_dpi "$dpi"
  "$here/scripts/wine-run" "$prefix" "$gallery" --exit-after=40 >/dev/null 2>&1 &
  app=$!
  geometry=""
  for _ in $(seq 120); do
    geometry=$(xdotool search --onlyvisible --name "Control gallery" getwindowgeometry --shell 2>/dev/null) && break
    sleep 0.5
  done
  if [ -z "$geometry" ]; then
    echo "FAIL the gallery did not appear at $dpi DPI"
    failures=$((failures + 1))
    continue
  fi
  eval "$geometry"
  sleep 3
  shot=$out/gallery-$dpi.png
  import -window root "$shot"
  s() { python3 -c "print($1 + round($2 * $dpi / 96))"; }
  echo "gallery at $dpi DPI: ${WIDTH}x${HEIGHT} at $X,$Y"
  [ "$WIDTH" = "$(s 0 960)" ] && [ "$HEIGHT" = "$(s 0 640)" ] || {
    echo "FAIL window size ${WIDTH}x${HEIGHT} at $dpi DPI"
    failures=$((failures + 1))
  }
  expect_colour "title bar ($dpi)" "$shot" "$(s "$X" 400)" "$(s "$Y" 4)" "#1695E6" 2
  # The caption: white text on the title bar.
  whites=$(convert "$shot" -crop "$(s 0 120)x$(s 0 20)+$(s "$X" 30)+$(s "$Y" 5)" -fuzz 10% -fill red -opaque white \
           -fill black +opaque red -format '%[fx:round(mean*w*h)]' info:)
  if [ "$whites" -lt 20 ]; then echo "FAIL no caption text ($dpi)"; failures=$((failures + 1)); else echo "ok   caption text ($dpi): $whites white pixels"; fi
  expect_colour "button normal slice ($dpi)" "$shot" "$(s "$X" 275)" "$(s "$Y" 40)" "#1695E6" 6
  expect_colour "button hover slice ($dpi)" "$shot" "$(s "$X" 365)" "$(s "$Y" 40)" "#3AA9F0" 6
  expect_colour "button pressed slice ($dpi)" "$shot" "$(s "$X" 455)" "$(s "$Y" 40)" "#0E74B5" 6
  expect_colour "selected tab ($dpi)" "$shot" "$(s "$X" 190)" "$(s "$Y" 72)" "#1695E6" 6
  expect_colour "even list row ($dpi)" "$shot" "$(s "$X" 450)" "$(s "$Y" 101)" "#EFEFEF" 3
  expect_colour "odd list row ($dpi)" "$shot" "$(s "$X" 450)" "$(s "$Y" 200)" "#FFFFFF" 3
  expect_colour "side column ($dpi)" "$shot" "$(s "$X" 90)" "$(s "$Y" 300)" "#2B3A4A" 3
  expect_colour "form border ($dpi)" "$shot" "$(( X + $(s 0 960) - 1 ))" "$(s "$Y" 300)" "#E9E9E9" 3
  wineserver -k 2>/dev/null
  wait "$app" 2>/dev/null
done
[ "$failures" = 0 ] && echo "all gallery checks passed"
exit $((failures > 0))
