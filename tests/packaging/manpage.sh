#!/usr/bin/env bash
# The manual page of mirovane-cli against its --help: the same commands, each command's
# options described under it and nothing else, the same exit codes; and groff reads the
# page without a warning.
set -uo pipefail
cli=$1 page=$2
help=$("$cli" --help) || { echo "FAIL: $cli --help"; exit 1; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }
plain() { sed 's/\\-/-/g; s/\\f[BIRP]//g'; }

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

if command -v man >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "groff: $warnings"
fi
exit $failed
