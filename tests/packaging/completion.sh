#!/usr/bin/env bash
# The bash completion of mirovane-cli, driven as bash drives it (COMP_WORDS, COMP_CWORD),
# against the program's own --help and its answers.
set -uo pipefail
cli=$1 script=$2
PATH=$(dirname "$cli"):$PATH
source "$script"
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# Completes the last word of the arguments; prints the offers sorted, one per line.
offers() {
  COMP_WORDS=(mirovane-cli "$@"); COMP_CWORD=$#; COMPREPLY=()
  _mirovane_cli 2>/dev/null
  printf '%s\n' "${COMPREPLY[@]}" | grep -v '^$' | sort
}
expect() { # expect "WANTED WORDS" ARGS...
  local want=$1; shift
  local got; got=$(offers "$@")
  # shellcheck disable=SC2086 # the wanted words are split on purpose
  [ "$got" = "$(printf '%s\n' $want | sort)" ] ||
    fail "[$*] offers [$(echo $got)], expected [$(echo $want)]"
}

help=$("$cli" --help)
commands=$(printf '%s\n' "$help" | awk '/^Commands:/ { on = 1; next } /^$/ { on = 0 } on && /^  [^ ]/ { print $1 }')
expect "$commands --help --version -h" ""

# Every command's options, as its usage line lists them.
for name in $commands; do
  usage=$(printf '%s\n' "$help" | awk -v c="$name" '$1 == "mirovane-cli" && $2 == c' | head -1)
  expect "$(printf '%s\n' "$usage" | grep -o -- '--[a-z-]*'; echo --help)" "$name" x -
done

# --format offers only what the command accepts: the program then fails on the missing
# project (2), not on the format (1).
for name in $commands; do
  printf '%s\n' "$help" | grep -q "mirovane-cli $name .*--format" || continue
  formats=$(offers "$name" x y --format "")
  [ -n "$formats" ] || fail "$name --format offers nothing"
  for format in $formats; do
    "$cli" "$name" /nonexistent/p.mrv out --format "$format" >/dev/null 2>&1
    [ $? -eq 2 ] || fail "$name refuses the offered --format $format"
  done
done

# File arguments by kind; numbers and names get nothing.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/sub"
touch "$dir"/{a.mrv,b.png,c.gif,d.txt,e.zip,f.webp,g.mp4}
expect "$dir/sub $dir/a.mrv" info "$dir/"
expect "$dir/sub $dir/b.png $dir/c.gif $dir/f.webp $dir/g.mp4" import-frames p.mrv "$dir/"
expect "$dir/sub $dir/b.png $dir/c.gif" import-long --x 5 p.mrv "$dir/"
expect "$dir/sub $dir/a.mrv" import-long p.mrv s.png --output "$dir/"
expect "$dir/sub" export-plymouth p.mrv "$dir/"
expect "$dir/sub $dir/e.zip" export-bootanimation p.mrv "$dir/"
expect "$dir/sub $dir/a.mrv" new "$dir/"
expect "cell screen" export-animation p.mrv o.gif --area ""
expect "" export-animation p.mrv o.gif --loops ""
expect "" demo d ""
exit $failed
