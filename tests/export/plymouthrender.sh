#!/bin/bash
# plymouthrender.sh RENDER THEME_DIR OUT_DIR SECONDS [PASSWORD_AT]: runs the renderer script
# RENDER (render-plymouth.sh) in a private network namespace. With PASSWORD_AT, a client in
# that namespace asks plymouthd for a password that many seconds after the start, so that the
# theme's prompt is on the later screenshots.
set -euo pipefail
[ $# -ge 4 ] || { echo "usage: $0 RENDER THEME_DIR OUT_DIR SECONDS [PASSWORD_AT]" >&2; exit 2; }
# plymouth's client socket is abstract, so a client reaches only the daemon of its namespace:
# the renderer and the client share this one (RT_NS tells the renderer it is private already).
[ -n "${RT_NS:-}" ] || exec unshare -n -- env RT_NS=1 "$0" "$@"
render=$1 theme=$2 out=$3 seconds=$4 at=${5:-}
asker=
if [ -n "$at" ]; then
  (sleep "$at"; exec timeout "$seconds" plymouth ask-for-password --prompt=Passphrase) \
    >/dev/null 2>&1 &
  asker=$!
fi
rc=0
bash "$render" "$theme" "$out" "$seconds" || rc=$?
[ -z "$asker" ] || wait "$asker" || true
exit $rc
