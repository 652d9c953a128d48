#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop reads from it with the
# freedesktop tools: the desktop entry, the metainfo, the project file type and its
# association with the editor, and the icon the entry names. Exit 77 (skipped) without them.
set -uo pipefail
build=$1

missing=()
for tool in desktop-file-validate update-desktop-database appstreamcli update-mime-database \
            xdg-mime; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "desktop files skipped: ${missing[*]} not installed (scripts/deps.sh --test)"
  exit 77
fi

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1
share=$prefix/share
failed=0
fail() { echo "FAIL: $*"; failed=1; }

desktop=$(ls "$share"/applications/*.desktop)
metainfo=$(ls "$share"/metainfo/*.metainfo.xml)
mimexml=$(ls "$share"/mime/packages/*.xml)
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"

# The type the entry opens is the one the package defines, and the metainfo names both.
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mimexml")
grep -qx "MimeType=$type;" "$desktop" || fail "$desktop does not open $type"
grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "$metainfo does not name $type"
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
  fail "$metainfo does not launch $(basename "$desktop")"

# The database built from the package: the extension, the root element and the magic.
mime_log=$(XDG_DATA_DIRS=$share update-mime-database "$share/mime" 2>&1) || fail "update-mime-database: $mime_log"
[ -z "$mime_log" ] || fail "update-mime-database complained: $mime_log"
grep -qx "50:$type:\*.mrv" "$share/mime/globs2" || fail "no *.mrv glob for $type"
grep -qx " MRV $type" "$share/mime/XMLnamespaces" ||
  fail "no MRV root element for $type"
grep -aq "<MRV" "$share/mime/magic" || fail "no <MRV magic for $type"

# The editor is the default application for the type, as a file manager asks.
update-desktop-database "$share/applications" || fail "update-desktop-database"
default=$(XDG_DATA_HOME=$prefix/home XDG_DATA_DIRS=$share XDG_CONFIG_HOME=$prefix/config \
          XDG_CONFIG_DIRS=$prefix/config xdg-mime query default "$type" 2>/dev/null)
[ "$default" = "$(basename "$desktop")" ] || fail "xdg-mime default for $type is '$default'"

# The icon the entry names, at every size the theme is drawn and scalable.
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
for size in 16 32 48 64 128 256; do
  [ -f "$share/icons/hicolor/${size}x${size}/apps/$icon.png" ] || fail "no ${size}px icon $icon"
done

exit $failed
