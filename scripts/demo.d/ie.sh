#!/usr/bin/env bash
# Demo data for the Internet Explorer list and the plug-in scan: helper
# objects, toolbars, a toolbar button, a menu item and context-menu entries in
# both registry views, and three plug-ins. Run by `./bpm run` with WINEPREFIX
# set to the demo prefix. Every entry's key is deleted before it is written
# again, so each run (also after the program removed or switched add-ons)
# leaves the same state.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the demo prefix}"
export WINEDEBUG=-all

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Invented products; the class identifiers were made up for the demo.
LUMEN='{6F1C2A3B-8D4E-4B7A-9C21-3E5F7A9B0C11}'     # helper, 64-bit only
QUILL='{A83D5E71-2C9F-4E06-B4A8-71D2C6E39F22}'     # helper, both views
TIDE='{D29B7C64-5A1E-4F83-8E3D-0B6A4C7D2E33}'      # helper, 32-bit, switched off
KESTREL='{3B7E9D15-6C2A-4D48-A1F0-92C8E5B7D444}'   # toolbar, 64-bit
HARBOUR='{C64A1F38-9E7B-42D5-8B36-5D0E2F1A9C55}'   # toolbar, 32-bit
SNAPNOTE='{8E2D4B97-1F6C-4A3E-9D58-C7B0A2E6F166}'  # toolbar button, 32-bit
GLOW='{F41A6C23-7B9D-4E15-A2C8-36E9D0B4A777}'      # Tools menu item, 64-bit
# Internet Explorer's own class behind the buttons and menu items of the
# Extensions key.
BUTTON_CLASS='{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}'

HKLM='HKEY_LOCAL_MACHINE'
HKCU='HKEY_CURRENT_USER'
HKCR='HKEY_CLASSES_ROOT'
BHO="$HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects"
IE="$HKLM\\SOFTWARE\\Microsoft\\Internet Explorer"
SETTINGS="$HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings"
MENUEXT="$HKCU\\Software\\Microsoft\\Internet Explorer\\MenuExt"
# Wine's own libraries with icons, one copy per view.
SYS64='C:\windows\system32'
SYS32='C:\windows\syswow64'

# .reg text: key names as they are, value names and texts with backslashes
# and quotes escaped.
esc() { local t=${1//\\/\\\\}; printf '%s' "${t//\"/\\\"}"; }
fresh_key() { printf '[-%s]\n\n[%s]\n' "$1" "$1"; }  # deleted, then made again
key() { printf '\n[%s]\n' "$1"; }
del_key() { printf '\n[-%s]\n' "$1"; }
str() {  # name (@ for the default value), text
  if [ "$1" = @ ]; then printf '@="%s"\n' "$(esc "$2")"; else printf '"%s"="%s"\n' "$(esc "$1")" "$(esc "$2")"; fi
}
dword() { printf '"%s"=dword:%08x\n' "$(esc "$1")" "$2"; }
class() {  # clsid, name, DLL; the view of the import decides CLSID or Wow6432Node\CLSID
  printf '\n'; fresh_key "$HKCR\\CLSID\\$1"; str @ "$2"
  key "$HKCR\\CLSID\\$1\\InprocServer32"; str @ "$3"; str ThreadingModel Apartment
}
helper() { printf '\n'; fresh_key "$BHO\\$1"; dword NoExplorer 1; }
plugin() {  # key, id, product, description, version, DLL
  printf '\n'; fresh_key "$1\\$2"
  str ProductName "$3"; str Description "$4"; str Version "$5"; str Path "$6"
}

# REGEDIT4 files are ANSI text with CRLF line ends; reg.exe imports each into
# the view given on its command line.
write_reg() { { printf 'REGEDIT4\n'; cat; printf '\n'; } | sed 's/$/\r/' >"$1"; }

# What 64-bit installers, and the user's own settings, hold.
{
  class "$LUMEN" 'Lumenfield Search Helper' "$SYS64\\shell32.dll"
  class "$QUILL" 'Quillmark Password Keeper' "$SYS64\\shell32.dll"
  class "$KESTREL" 'Kestrel Weather Bar' "$SYS64\\inetcpl.cpl"
  helper "$LUMEN"
  helper "$QUILL"
  key "$IE\\Toolbar"; str "$KESTREL" ''
  printf '\n'; fresh_key "$IE\\Extensions\\$GLOW"
  str CLSID "$BUTTON_CLASS"; str MenuText 'Glowworm Reading Mode'
  str MenuStatusBar 'Shows the page as plain text for reading'
  str Icon "$SYS64\\comdlg32.dll"; str Exec 'C:\Program Files\Glowworm\reader.exe'
  printf '\n'; fresh_key "$MENUEXT\\Send to Snapnote"
  str @ 'res://C:\Program Files (x86)\Snapnote\snapie.dll/send.htm'; dword Contexts 0x22
  printf '\n'; fresh_key "$MENUEXT\\Translate with Lingofox"
  str @ 'C:\Program Files (x86)\Lingofox\translate.htm'; dword Contexts 0x10
  # Switches the program may have written; only Tidewater starts switched off.
  for c in "$LUMEN" "$QUILL" "$KESTREL" "$HARBOUR" "$SNAPNOTE" "$GLOW"; do del_key "$SETTINGS\\$c"; done
  printf '\n'; fresh_key "$SETTINGS\\$TIDE"; dword Flags 1; str Version '*'
  plugin "$HKCU\\Software\\MozillaPlugins" '@cobalt-docs.example/CobaltViewer' 'Cobalt Document Viewer' \
    'Shows Cobalt documents inside the browser' '2.0.5' 'C:\Users\Public\Cobalt\npcobalt.dll'
  # A native 64-bit plug-in, which the program does not list.
  plugin "$HKLM\\SOFTWARE\\MozillaPlugins" '@fernhill.example/Fernhill3D' 'Fernhill 3D Viewer (64-bit)' \
    'Shows 3D models in 64-bit browsers' '5.1.0' 'C:\Program Files\Fernhill\npfern64.dll'
} | write_reg "$work/ie64.reg"

# What 32-bit installers hold: HKLM\SOFTWARE lands under Wow6432Node, the
# classes under HKCR\Wow6432Node\CLSID.
{
  class "$QUILL" 'Quillmark Password Keeper' "$SYS32\\shell32.dll"
  class "$TIDE" 'Tidewater Price Compare' "$SYS32\\comdlg32.dll"
  class "$HARBOUR" 'Harbourline News Toolbar' "$SYS32\\comctl32.dll"
  helper "$QUILL"
  helper "$TIDE"
  key "$IE\\Toolbar"; str "$HARBOUR" ''
  printf '\n'; fresh_key "$IE\\Extensions\\$SNAPNOTE"
  str CLSID "$BUTTON_CLASS"; str ButtonText 'Snapnote Clipper'; str MenuText 'Clip to Snapnote'
  str 'Default Visible' Yes; str Icon "$SYS32\\shell32.dll"; str HotIcon "$SYS32\\shell32.dll"
  str Exec 'C:\Program Files (x86)\Snapnote\clip.exe'
  plugin "$HKLM\\SOFTWARE\\MozillaPlugins" '@saffron-media.example/SaffronPlayer,version=4.2' \
    'Saffron Media Player' 'Plays Saffron audio and video streams' '4.2.118' \
    'C:\Program Files (x86)\Saffron Media\npsaffron.dll'
} | write_reg "$work/ie32.reg"

# Wine's reg.exe writes the keys of an import into the view its command line
# names but deletes the "[-KEY]" entries in its own view (32-bit in the x86
# mode, 64-bit in the x64 mode, see scripts/wine-mode), taking keys of the same
# name there with them. The file of reg.exe's own view goes last, so its
# deletions and keys come after the other file's.
if [ "${BRIVO_MODE:-x86}" = x64 ]; then views="32 64"; else views="64 32"; fi
for view in $views; do
  wine reg import "$work/ie$view.reg" "/reg:$view" >/dev/null 2>&1
done

# Where the program looks, as the 64-bit view names it.
WOW="$HKLM\\SOFTWARE\\Wow6432Node"
check() {  # key, value name ('' for the default value)
  local value=(/v "$2")
  [ -n "$2" ] || value=(/ve)
  if ! wine reg query "$1" "${value[@]}" /reg:64 >/dev/null 2>&1; then
    echo "ie.sh: demo data missing: $1 [$2]" >&2
    exit 1
  fi
}
check "$BHO\\$QUILL" NoExplorer
check "$WOW\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\$QUILL" NoExplorer
check "$HKCR\\CLSID\\$QUILL\\InprocServer32" ''
check "$HKCR\\Wow6432Node\\CLSID\\$TIDE\\InprocServer32" ''
check "$IE\\Toolbar" "$KESTREL"
check "$WOW\\Microsoft\\Internet Explorer\\Toolbar" "$HARBOUR"
check "$WOW\\Microsoft\\Internet Explorer\\Extensions\\$SNAPNOTE" ButtonText
check "$IE\\Extensions\\$GLOW" MenuText
check "$SETTINGS\\$TIDE" Flags
check "$MENUEXT\\Send to Snapnote" ''
check "$MENUEXT\\Translate with Lingofox" ''
check "$WOW\\MozillaPlugins\\@saffron-media.example/SaffronPlayer,version=4.2" ProductName
check "$HKCU\\Software\\MozillaPlugins\\@cobalt-docs.example/CobaltViewer" ProductName
check "$HKLM\\SOFTWARE\\MozillaPlugins\\@fernhill.example/Fernhill3D" ProductName
echo "ie.sh: Internet Explorer add-ons and plug-ins are in place"
