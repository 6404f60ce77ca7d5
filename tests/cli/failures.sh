#!/usr/bin/env bash
# Runs the built program where something goes wrong and checks that the
# reports stay whole: this run's complete reports or the earlier ones byte for
# byte, never a mix, never a temporary file left behind.
#
#   failures.sh CASE PROGRAM...      (PROGRAM may be e.g. "wine vdwcoex.exe")
set -u
case_name=$1
shift
program=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
earlier=$'earlier report\r\n'
export LANGUAGE=en  # the messages checked below are the English ones

fail() { echo "FAIL ($case_name): $*" >&2; exit 1; }

# Reports of a plain run with c = 1.5 and with c = 2.5, to compare with.
for c in 1.5 2.5; do
  mkdir "$work/ref-$c"
  (cd "$work/ref-$c" && echo "$c" | "${program[@]}" > /dev/null) || fail "a plain run failed"
done

# A fresh folder holding earlier reports; the program's status lands in $status.
fresh() {
  rm -rf "$work/run" && mkdir "$work/run" && cd "$work/run" || exit 1
  printf '%s' "$earlier" > vdw_coex.dat
  printf '%s' "$earlier" > clatente.dat
}
run() { echo "${1:-1.5}" | "${program[@]}" > console.out 2> stderr.txt; status=$?; }

expect_reports() { # c: the reports are that run's complete reports
  for f in vdw_coex.dat clatente.dat; do
    cmp -s "$f" "$work/ref-$1/$f" || fail "$f is not the complete report for c = $1"
  done
}
expect_earlier() {
  for f in "$@"; do
    [ "$(cat "$f")" == "$(printf '%s' "$earlier")" ] || fail "the earlier $f was not kept"
  done
}
expect_only() { # the names the folder may hold
  local left; left=$(ls -A | sort | tr '\n' ' ')
  [ "$left" == "$(printf '%s\n' "$@" | sort | tr '\n' ' ')" ] || fail "left behind: $left"
}
expect_failure() { # text the one line on standard error must hold
  [ "$status" -ne 0 ] && [ "$status" -lt 128 ] || fail "status $status"
  [ "$(wc -l < stderr.txt)" -eq 1 ] && grep -q -- "$1" stderr.txt ||
    fail "expected one line with '$1' on stderr, got: $(cat stderr.txt)"
}

case "$case_name" in
replaces)  # earlier reports are replaced whole
  fresh; run 1.5
  [ "$status" -eq 0 ] || fail "status $status"
  expect_reports 1.5; expect_only vdw_coex.dat clatente.dat console.out stderr.txt ;;

console)  # the reports never depend on standard output
  for how in reader-gone closed full; do
    fresh
    case $how in
      reader-gone) set -o pipefail; echo 1.5 | "${program[@]}" 2> stderr.txt | head -c 20 > /dev/null
                   status=$?; set +o pipefail ;;
      closed) echo 1.5 | "${program[@]}" 2> stderr.txt >&-; status=$? ;;
      full) echo 1.5 | "${program[@]}" 2> stderr.txt > /dev/full; status=$? ;;
    esac
    expect_failure "standard output"; expect_reports 1.5
  done ;;

link)  # a report that is a link to a regular file is written through it
  fresh; mkdir elsewhere; mv vdw_coex.dat elsewhere/; ln -s elsewhere/vdw_coex.dat vdw_coex.dat
  run 1.5
  [ "$status" -eq 0 ] && [ -L vdw_coex.dat ] || fail "status $status, or the link was replaced"
  expect_reports 1.5; expect_only vdw_coex.dat clatente.dat console.out stderr.txt elsewhere ;;

file-size-limit)
  fresh; (ulimit -f 100; run 1.5; exit $status); status=$?
  expect_failure "cannot write clatente.dat: File too large"; expect_earlier vdw_coex.dat clatente.dat
  expect_only vdw_coex.dat clatente.dat console.out stderr.txt ;;

memory-limit)  # every limit: a complete run, or a message with the earlier reports kept
  short=0
  for kb in $(seq 3000 100 12000); do
    fresh; (ulimit -v "$kb"; run 1.5; exit $status); status=$?
    # Status 127 without our prefix: the dynamic loader gave up before the program began.
    [ "$status" -eq 127 ] && ! grep -q '^vdwcoex: ' stderr.txt && continue
    if [ "$status" -eq 0 ]; then expect_reports 1.5; else
      expect_failure "vdwcoex: "; expect_earlier vdw_coex.dat clatente.dat; short=$((short + 1))
    fi
    expect_only vdw_coex.dat clatente.dat console.out stderr.txt
  done
  [ "$short" -gt 0 ] || fail "no limit made the run short of memory" ;;

signal)  # interrupted while writing: the earlier reports stay, nothing is left
  for sig in INT TERM; do
    fresh; echo 1.5 > reply.txt
    # From the fourth write on (the search trace, once the reports are under
    # way) every write waits two seconds.
    strace -o /dev/null -e trace=write -e inject=write:delay_enter=2000000:when=4+ \
      "${program[@]}" < reply.txt > console.out 2> stderr.txt &
    tracer=$!
    sleep 1
    kill -"$sig" "$(pgrep -P "$tracer")"
    wait "$tracer"; status=$?
    [ "$status" -ge 128 ] || fail "SIG$sig did not end the run (status $status)"
    expect_earlier vdw_coex.dat clatente.dat; expect_only vdw_coex.dat clatente.dat console.out stderr.txt reply.txt
  done ;;

concurrent)  # two runs at once in one folder: each report is one run's, whole
  fresh
  for i in $(seq 1 50); do
    echo 2.5 | "${program[@]}" > /dev/null & a=$!
    echo 1.5 | "${program[@]}" > /dev/null; b=$?
    wait $a && [ $b -eq 0 ] || fail "a run failed"
    for f in vdw_coex.dat clatente.dat; do
      cmp -s $f "$work/ref-1.5/$f" || cmp -s $f "$work/ref-2.5/$f" || fail "$f mixes two runs (pair $i)"
    done
  done
  expect_only vdw_coex.dat clatente.dat ;;

*) fail "unknown case" ;;
esac
echo "$case_name: passed"
