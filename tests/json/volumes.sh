#!/bin/sh
# Folders that Windows programs under Wine cannot write as they would like:
#   small/   a 64 KB volume that a large file fills up
#   sealed/  an immutable folder holding "Preferences": nothing can be added,
#            renamed or removed in it
# "up <dir>" makes them where the system allows it (as root); "down <dir>"
# undoes it. Either way the script succeeds: the tests skip what is missing.
dir=$2
case "$1" in
  up)
    "$0" down "$dir"
    mkdir -p "$dir/small" "$dir/sealed"
    mount -t tmpfs -o size=64k brivo-small "$dir/small" 2>/dev/null || rmdir "$dir/small"
    printf '{"sealed":true,"list":[1,2,3]}' > "$dir/sealed/Preferences"
    chattr +i "$dir/sealed" 2>/dev/null || rm -rf "$dir/sealed"
    ;;
  down)
    [ -d "$dir/sealed" ] && chattr -i "$dir/sealed" 2>/dev/null
    mountpoint -q "$dir/small" 2>/dev/null && umount "$dir/small"
    rm -rf "$dir"
    ;;
esac
exit 0
