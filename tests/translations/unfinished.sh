#!/usr/bin/env bash
# The English translation against the sources: lupdate reads every translatable text of src/
# into a copy of the translation file; a text it marks unfinished has no English yet, and a
# vanished one is English for a text the sources no longer have.
set -uo pipefail
lupdate=$1 ts=$2 sources=$3
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cp "$ts" "$copy"
"$lupdate" -silent -locations none "$sources" -ts "$copy" || exit 1
unfinished=$(grep -c 'type="unfinished"' "$copy")
vanished=$(grep -c 'type="vanished"\|type="obsolete"' "$copy")
if [ "$unfinished" -ne 0 ] || [ "$vanished" -ne 0 ]; then
  echo "FAIL: $unfinished texts without English, $vanished translations of texts no longer used:"
  grep -B2 'type="unfinished"\|type="vanished"\|type="obsolete"' "$copy" | grep '<source>'
  exit 1
fi
