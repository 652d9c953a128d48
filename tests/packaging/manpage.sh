#!/usr/bin/env bash
# The manual page of mirovane-cli against its --help: the same commands, each command's
# options described under it and nothing else, the same exit codes; the file names it gives
# against what the commands write; and groff reads the page without a warning.
set -uo pipefail
cli=$1 page=$2
help=$("$cli" --help) || { echo "FAIL: $cli --help"; exit 1; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }
plain() { sed 's/\\-/-/g; s/\\f[BIRP]//g; s/\\ / /g'; }

# The lines of one section (.SH) of the page, or of one command (.SS) of COMMANDS.
section() { awk -v h=".SH $1" '$0 == h { on = 1; next } /^\.SH / { on = 0 } on' "$page"; }
command_text() {
  section COMMANDS | awk -v h=".SS $1" '$0 == h { on = 1; next } /^\.SS / { on = 0 } on'
}
# The options an item list (.TP) describes: the first option on the line after each .TP.
described() { awk 'tp { print; tp = 0 } /^\.TP/ { tp = 1 }' | plain | grep -o -- '--[a-z-]*' |
              awk '!seen[$0]++' | sort; }
sorted_words() { tr ' ' '\n' | grep -v '^$' | sort; }

help_commands=$(printf '%s\n' "$help" | awk '/^Commands:/ { on = 1; next } /^$/ { on = 0 }
                                             on && /^  [^ ]/ { print $1 }' | sort)
page_commands=$(section COMMANDS | sed -n 's/^\.SS //p' | sort)
[ -n "$help_commands" ] || fail "no commands in --help"
[ "$help_commands" = "$page_commands" ] ||
  fail "commands differ: --help has [$(echo $help_commands)], the page [$(echo $page_commands)]"

for name in $help_commands; do
  usage=$(printf '%s\n' "$help" | awk -v c="$name" '$1 == "mirovane-cli" && $2 == c' | head -1)
  want=$(printf '%s\n' "$usage" | grep -o -- '--[a-z-]*' | sort -u)
  have=$(command_text "$name" | described)
  [ "$want" = "$have" ] ||
    fail "$name: --help has [$(echo $want)], the page describes [$(echo $have)]"
  # The usage line built into the page is the one the program prints.
  command_text "$name" | plain | grep -qxF -- "mirovane-cli ${usage#*mirovane-cli }" ||
    fail "$name: the page's usage line is not '$usage'"
done
for option in --help --version; do
  section OPTIONS | described | grep -qx -- "$option" || fail "OPTIONS does not describe $option"
done

help_codes=$(printf '%s\n' "$help" | sed -n 's/^Exit codes: //p' | grep -o '[0-9]\+ [a-z]' |
             cut -d' ' -f1 | sorted_words)
page_codes=$(section "EXIT STATUS" | awk 'tp { print $2; tp = 0 } /^\.TP/ { tp = 1 }' | sort)
[ -n "$help_codes" ] && [ "$help_codes" = "$page_codes" ] ||
  fail "exit codes: --help has [$(echo $help_codes)], the page [$(echo $page_codes)]"

# The file names the page gives against what the commands write: each command runs in a
# scratch folder, the file it wrote must be there, and the page's text for the command must
# name it with the value given replaced by the page's name for it (seq001.png: PREFIX001.png).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
names() { # names COMMAND "ARGUMENTS" WRITTEN PAGE_NAME [WRITTEN PAGE_NAME ...]
  local name=$1 args=$2 text
  shift 2
  # shellcheck disable=SC2086 # the arguments are split on purpose
  "$cli" "$name" $args >/dev/null 2>&1 || { fail "$name $args failed"; return; }
  text=$(command_text "$name" | plain | sed 's/\\e/\\/g' | tr '\n' ' ')
  while [ $# -gt 1 ]; do
    [ -e "$1" ] || fail "$name $args did not write $1"
    grep -qF -- "$2" <<<"$text" || fail "$name: the page does not say $2"
    shift 2
  done
}
names demo "$work/d" "$work/d/demo.mrv" "DIR/demo.mrv" "$work/d/background.png" \
  "DIR/background.png" "$work/d/frames/001.png" "DIR/frames/001.png"
# The exports of a new project, whose pictures are missing: quick, and the names are the same.
"$cli" new "$work/first.mrv" >/dev/null
p=$work/first.mrv
names new "$work/n.mrv" "$work/n.mrv" \
  "$("$cli" info "$p" | sed -n 's/^  001  \(.*\) at .*/\1/p')"
names export-sequence "$p $work/seq --loops 1" "$work/seq001.png" "PREFIX001.png"
names export-images "$p $work/i/bg.png" "$work/i/bg_Frame/001.png" "NAME_Frame"
names export-plymouth "$p $work --name th" "$work/th/th.plymouth" "DIR/NAME: NAME.plymouth" \
  "$work/th/th.script" "NAME.script"
"$cli" export-animation "$work/d/demo.mrv" "$work/a.gif" --loops 1 >/dev/null 2>&1
names import-frames "$p $work/a.gif --output $work/o.mrv" "$work/a_frames" "name_frames"
names export-bootanimation "$p $work/b.zip --frame-time 200" "$work/b.zip" "desc.txt"
zip=$(python3 -m zipfile -l "$work/b.zip" 2>/dev/null)
for entry in desc.txt part0/ part1/; do
  grep -q "^$entry" <<<"$zip" || fail "export-bootanimation wrote no $entry"
done
command_text export-images | grep -q "must exist" && fail "export-images: the page says its folder must exist"

if command -v man >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "groff: $warnings"
fi
exit $failed
