# Sourced by the import benchmarks. median COMMAND...: the median of RUNS wall-clock times of
# the command, in seconds; the shell code in $prepare runs, untimed, before each.
median() {
  local times=() t
  for _ in $(seq "$RUNS"); do
    eval "$prepare"
    t=$( { TIMEFORMAT=%R; time "$@" >/dev/null 2>&1; } 2>&1 | tail -1)
    times+=("$t")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}
