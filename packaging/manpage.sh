#!/bin/sh
# Builds a manual page from its source: @VERSION@ and @DATE@ filled in, @SYNOPSIS@ replaced by
# the usage lines of "CLI --help", and each ".SS command" followed by that command's usage.
# Usage: manpage.sh CLI SOURCE OUTPUT VERSION DATE
set -eu
cli=$1 source=$2 output=$3 version=$4 date=$5
help=$("$cli" --help)
printf '%s\n' "$help" | awk -v source="$source" -v version="$version" -v date="$date" '
  # A usage line in roff: the program and the command bold, options bold, values italic.
  function roff(usage,    n, i, w, t, pre, post, out, joined) {
    n = split(usage, w, " ")
    out = "\\fBmirovane\\-cli\\fR"
    for (i = 1; i <= n; i++) {
      t = w[i]; pre = ""; post = ""
      while (substr(t, 1, 1) == "[") { pre = pre "["; t = substr(t, 2) }
      while (t != "" && substr(t, length(t)) == "]") { post = post "]"; t = substr(t, 1, length(t) - 1) }
      bold = (i == 1 || substr(t, 1, 2) == "--")
      gsub(/-/, "\\-", t)
      # An option and its value stay on one line: an unpaddable space joins them.
      out = out (joined ? "\\ " : " ") pre (bold ? "\\fB" : "\\fI") t "\\fR" post
      joined = (i > 1 && bold && post == "" && i < n && w[i + 1] !~ /^[[|-]/)
    }
    return out
  }
  /^  mirovane-cli / { line = substr($0, 16); split(line, w, " "); usage[w[1]] = line; order[++count] = line; next }
  END {
    while ((getline text < source) > 0) {
      gsub(/@VERSION@/, version, text)
      gsub(/@DATE@/, date, text)
      # Each usage a paragraph of its own, its further lines indented under the command and
      # never broken inside a word, so that a long one fits a terminal.
      if (text == "@SYNOPSIS@") {
        print ".nh"
        print ".ad l"
        print ".in +4n"
        for (i = 1; i <= count; i++) { if (i > 1) print ".br"; print ".ti -4n"; print roff(order[i]) }
        print ".in -4n"
        print ".ad"
        print ".hy"
        continue
      }
      print text
      if (text ~ /^\.SS /) {
        name = substr(text, 5)
        if (name in usage) { print roff(usage[name]); print ".PP" }
      }
    }
  }' > "$output.tmp"
mv "$output.tmp" "$output"
