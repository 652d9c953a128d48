#!/bin/bash
# plymouthrender.sh RENDER THEME_DIR OUT_DIR SECONDS [PASSWORD_AT]: runs the renderer script
# RENDER (render-plymouth.sh) in a private network namespace. With PASSWORD_AT, a client in
# that namespace asks plymouthd for a password that many seconds after the daemon answers, so
# that the theme's prompt is on the later screenshots only.
set -euo pipefail
[ $# -ge 4 ] || { echo "usage: $0 RENDER THEME_DIR OUT_DIR SECONDS [PASSWORD_AT]" >&2; exit 2; }
# plymouth's client socket is abstract, so a client reaches only the daemon of its namespace:
# the renderer and the client share this one (RT_NS tells the renderer it is private already).
[ -n "${RT_NS:-}" ] || exec unshare -n -- env RT_NS=1 "$0" "$@"
render=$1 theme=$2 out=$3 seconds=$4 at=${5:-}
asker=
if [ -n "$at" ]; then
  (
    for _ in {1..100}; do plymouth --ping && break; sleep 0.1; done
    sleep "$at"
    exec timeout "$seconds" plymouth ask-for-password --prompt=Passphrase
  ) >/dev/null 2>&1 &
  asker=$!
fi
bash "$render" "$theme" "$out" "$seconds" &
renderer=$!
# A script plymouthd cannot parse leaves the renderer's "plymouth show-splash" waiting for its
# time-out; once the daemon's log reports the parser error, the daemon is ended so that the
# renderer fails at once (it finds the error in the log itself).
(
  while kill -0 $renderer 2>/dev/null; do
    daemon=$(pgrep -P $renderer -x plymouthd || true)
    if [ -n "$daemon" ]; then
      log=$(tr '\0' '\n' <"/proc/$daemon/cmdline" 2>/dev/null |
        sed -n 's/.*plymouth\.debug=stream:\([^ ]*\).*/\1/p')
      if [ -n "$log" ] && grep -q "Parser error" "$log" 2>/dev/null; then
        kill -9 "$daemon" 2>/dev/null
        break
      fi
    fi
    sleep 0.1
  done
) &
watcher=$!
rc=0
wait $renderer || rc=$?
kill $watcher 2>/dev/null || true
wait $watcher 2>/dev/null || true
[ -z "$asker" ] || wait "$asker" || true
exit $rc
