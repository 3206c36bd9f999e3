#!/usr/bin/env bash
# Demo data for the browser buttons: a start-menu registration for every demo
# browser (open and reinstall commands, description, an icon taken from one
# of Wine's own programs, the http ProgId it handles and its name under
# RegisteredApplications) and the web protocols' user choice naming Firefox
# as the default browser. Chrome, Firefox and Microsoft Edge are registered
# as 64-bit programs, Opera as a 32-bit one (under Wow6432Node). Run by `./bpm run`
# with WINEPREFIX set to the demo prefix. Every key is deleted before it is
# written again, so each run (also after the program made another browser
# the default) leaves the same state.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the demo prefix}"
export WINEDEBUG=-all

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

HKLM='HKEY_LOCAL_MACHINE'
HKCU='HKEY_CURRENT_USER'
CLIENTS="$HKLM\\SOFTWARE\\Clients\\StartMenuInternet"
CHOICES="$HKCU\\Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations"
DEFAULT_PROGID='FirefoxURL'
WINE_BROWSER='"C:\windows\system32\winebrowser.exe" "%1"'

esc() { local t=${1//\\/\\\\}; printf '%s' "${t//\"/\\\"}"; }
fresh_key() { printf '\n[-%s]\n\n[%s]\n' "$1" "$1"; }
key() { printf '\n[%s]\n' "$1"; }
str() {  # name (@ for the default value), text
  if [ "$1" = @ ]; then printf '@="%s"\n' "$(esc "$2")"; else printf '"%s"="%s"\n' "$(esc "$1")" "$(esc "$2")"; fi
}
registration() {  # start-menu key, display name, command, reinstall command, icon location, description, ProgId
  fresh_key "$CLIENTS\\$1"; str @ "$2"
  key "$CLIENTS\\$1\\shell\\open\\command"; str @ "$3"
  key "$CLIENTS\\$1\\InstallInfo"; str ReinstallCommand "$4"
  key "$CLIENTS\\$1\\DefaultIcon"; str @ "$5"
  key "$CLIENTS\\$1\\Capabilities"; str ApplicationName "$2"; str ApplicationDescription "$6"
  key "$CLIENTS\\$1\\Capabilities\\URLAssociations"; str http "$7"; str https "$7"
  # Where the Windows settings find the browser's default-apps page.
  key "$HKLM\\SOFTWARE\\RegisteredApplications"; str "$2" "Software\\Clients\\StartMenuInternet\\$1\\Capabilities"
}
write_reg() { { printf 'REGEDIT4\n'; cat; printf '\n'; } | sed 's/$/\r/' >"$1"; }

{
  registration 'Google Chrome' 'Google Chrome' \
    '"C:\Program Files\Google\Chrome\Application\chrome.exe"' \
    '"C:\Program Files\Google\Chrome\Application\chrome.exe" --make-default-browser' \
    'C:\windows\system32\winefile.exe,0' \
    'Google Chrome is a fast, simple and secure web browser.' 'ChromeHTML'
  registration 'IEXPLORE.EXE' 'Internet Explorer' \
    '"C:\Program Files\Internet Explorer\iexplore.exe"' \
    '"C:\Program Files\Internet Explorer\iexplore.exe" -reinstall' \
    'C:\Program Files\Internet Explorer\iexplore.exe,0' \
    'Browse the web with Internet Explorer.' 'IE.HTTP'
  registration 'FIREFOX.EXE' 'Mozilla Firefox' \
    '"C:\Program Files\Mozilla Firefox\firefox.exe"' \
    '"C:\Program Files\Mozilla Firefox\uninstall\helper.exe" /SetAsDefaultAppGlobal' \
    'C:\windows\system32\winemine.exe,0' \
    'Firefox delivers safe, easy web browsing.' 'FirefoxURL'
  registration 'Microsoft Edge' 'Microsoft Edge' \
    '"C:\Program Files (x86)\Microsoft\Edge\Application\msedge.exe"' \
    '"C:\Program Files (x86)\Microsoft\Edge\Application\msedge.exe" --make-default-browser' \
    'C:\windows\system32\taskmgr.exe,0' \
    'Microsoft Edge is the browser built for the modern web.' 'MSEdgeHTM'
  for protocol in ftp http https; do
    fresh_key "$CHOICES\\$protocol\\UserChoice"; str Progid "$DEFAULT_PROGID"
    # Making a browser the default writes its command here; the demo
    # browsers are not installed, so links keep opening in Wine's own browser.
    key "HKEY_CLASSES_ROOT\\$protocol\\shell\\open\\command"; str @ "$WINE_BROWSER"
  done
} | write_reg "$work/startmenu64.reg"

# A 32-bit installer's registration: HKLM\SOFTWARE lands under Wow6432Node.
{
  registration 'OperaStable' 'Opera Stable' \
    '"C:\Program Files (x86)\Opera\launcher.exe"' \
    '"C:\Program Files (x86)\Opera\launcher.exe" --set-default-browser' \
    'C:\windows\notepad.exe,0' \
    'Opera is a secure and innovative browser used by millions around the world.' 'OperaStable'
} | write_reg "$work/startmenu32.reg"

wine reg import "$work/startmenu64.reg" /reg:64 >/dev/null 2>&1
wine reg import "$work/startmenu32.reg" /reg:32 >/dev/null 2>&1

check() {  # key, value name ('' for the default value), expected text
  local value=(/v "$2")
  [ -n "$2" ] || value=(/ve)
  if ! wine reg query "$1" "${value[@]}" /reg:64 2>/dev/null | tr -d '\r' | grep -qF -- "$3"; then
    echo "startmenu.sh: demo data missing: $1 [$2]" >&2
    exit 1
  fi
}
check "$CLIENTS\\Google Chrome\\DefaultIcon" '' 'winefile.exe,0'
check "$CLIENTS\\IEXPLORE.EXE\\shell\\open\\command" '' 'iexplore.exe'
check "$CLIENTS\\FIREFOX.EXE\\Capabilities" ApplicationDescription 'Firefox delivers'
check "$CLIENTS\\Microsoft Edge\\Capabilities\\URLAssociations" http 'MSEdgeHTM'
check "$HKLM\\SOFTWARE\\RegisteredApplications" 'Microsoft Edge' 'Microsoft Edge\Capabilities'
check "$HKLM\\SOFTWARE\\Wow6432Node\\Clients\\StartMenuInternet\\OperaStable\\DefaultIcon" '' 'notepad.exe,0'
for protocol in ftp http https; do
  check "$CHOICES\\$protocol\\UserChoice" Progid "$DEFAULT_PROGID"
  check "HKEY_CLASSES_ROOT\\$protocol\\shell\\open\\command" '' 'winebrowser.exe'
done
echo "startmenu.sh: start-menu registrations in place; $DEFAULT_PROGID is the default browser"
