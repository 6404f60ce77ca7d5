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
# LeakSanitizer cannot work under strace; the other sanitizers still do.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

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
run() { echo "${1:-1.5}" | "${program[@]}" "${@:2}" > console.out 2> stderr.txt; status=$?; }

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

# Holds an exclusive lock on the folder given, says "held", and keeps it
# until killed: as a live run holds its own, or as anyone may hold a folder.
# shellcheck disable=SC2016
hold_lock='import fcntl, os, sys, time
fd = os.open(sys.argv[1], os.O_RDONLY)
fcntl.flock(fd, fcntl.LOCK_EX)
print("held", flush=True)
time.sleep(120)'

# Another user, and a group it belongs to, for the cases that need them; the
# program is copied where that user may run it.
other_user() {
  [ "$(id -u)" -eq 0 ] || { echo "$case_name: needs root to set up another user"; exit 77; }
  # Another case running at the same time may be creating it too.
  id vdwcoex-test > /dev/null 2>&1 || { groupadd -f vdwcoex-research && useradd -M -N -g users \
    -G vdwcoex-research -s /bin/sh vdwcoex-test; } || id vdwcoex-test > /dev/null 2>&1 || fail "cannot create a test user"
  chmod 755 "$work"
  cp "${program[0]}" "$work/vdwcoex"
}
run_as_other_user() {
  echo "${1:-1.5}" | runuser -u vdwcoex-test -- "$work/vdwcoex" > console.out 2> stderr.txt; status=$?
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
      # A pipe whose reader is gone before the program starts, so that its
      # first write fails with EPIPE however the two are scheduled: a FIFO
      # opened for reading and writing, then for writing, then the first
      # descriptor closed.
      reader-gone) rm -f ../gone.fifo; mkfifo ../gone.fifo; exec 4<> ../gone.fifo 5> ../gone.fifo 4<&-
                   echo 1.5 | "${program[@]}" 2> stderr.txt >&5; status=$?; exec 5>&- ;;
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

in-place)  # a report with a second name is rewritten in place: twice over a full earlier
           # report, part-way under a file-size limit, and with standard error closed
  fresh; cp "$work/ref-2.5/vdw_coex.dat" vdw_coex.dat; ln vdw_coex.dat second
  for round in 1 2; do
    run 1.5
    [ "$status" -eq 0 ] || fail "round $round: status $status: $(cat stderr.txt)"
    expect_reports 1.5; cmp -s vdw_coex.dat second || fail "round $round: the second name was split"
  done
  # Both in place, so that nothing is written before the commit; the limit
  # lets the first part of vdw_coex.dat through, then stops it.
  fresh; ln vdw_coex.dat second; ln clatente.dat second-clatente
  (ulimit -f 20; run 1.5; exit $status); status=$?
  expect_failure "cannot write vdw_coex.dat: File too large"
  expect_earlier vdw_coex.dat clatente.dat second second-clatente
  # A failure said with standard error closed never lands in a report.
  fresh; ln vdw_coex.dat second; rm clatente.dat; mkdir clatente.dat
  echo 1.5 | "${program[@]}" > console.out 2>&-; status=$?
  [ "$status" -eq 1 ] || fail "with stderr closed: status $status"
  expect_earlier vdw_coex.dat second
  grep -q 'vdwcoex:' vdw_coex.dat && fail "the message went into vdw_coex.dat"
  rmdir clatente.dat ;;

read-only-report)  # a report its owner may not write (444) is not replaced either
  other_user; fresh; chown vdwcoex-test . vdw_coex.dat clatente.dat; chmod 444 vdw_coex.dat
  run_as_other_user 1.5
  expect_failure "cannot create vdw_coex.dat: Permission denied"
  expect_earlier vdw_coex.dat clatente.dat
  expect_only vdw_coex.dat clatente.dat console.out stderr.txt ;;

memory-limit)  # every limit: a complete run, or a message with the earlier reports kept
  # In memory where there is a tmpfs: the case is about memory, and a
  # thousand runs' syncs to a disk would take most of its time.
  if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    in_memory=$(mktemp -d /dev/shm/vdwcoex-XXXXXX)
    trap 'rm -rf "$work" "$in_memory"' EXIT
    cp -r "$work/ref-1.5" "$in_memory/" && work=$in_memory
  fi
  echo 1.5 > "$work/reply.txt"
  # One run under a limit of $1 KB, in a folder of its own holding earlier
  # reports; its status goes to status.txt there. The shell execs the
  # program, so the limit binds the program alone.
  attempt() {
    local dir="$work/mem-$1"
    rm -rf "$dir" && mkdir "$dir" && cd "$dir" || exit 1
    printf '%s' "$earlier" > vdw_coex.dat
    printf '%s' "$earlier" > clatente.dat
    (ulimit -v "$1"; exec "${program[@]}" < "$work/reply.txt" > console.out 2> stderr.txt)
    echo $? > ../status-$1
  }
  # Status 127 without our prefix: the dynamic loader gave up before the
  # program began. Where it first begins, by halving 3000..12000 KB.
  loads() { attempt "$1"; ! { [ "$(cat "$work/status-$1")" -eq 127 ] && ! grep -q '^vdwcoex: ' "$work/mem-$1/stderr.txt"; }; }
  low=3000 high=12000
  loads "$high" || fail "the program does not start in $high KB"
  while [ $((high - low)) -gt 4 ]; do
    mid=$(((low + high) / 8 * 4))
    if loads "$mid"; then high=$mid; else low=$mid; fi
  done
  # From there, in steps of 4 KB to 3 MB above it, then in steps of 100 KB,
  # as many at once as there are cores.
  limits=$(seq "$high" 4 $((high + 3000)); seq $((high + 3000)) 100 $((high + 6000)))
  jobs=$(nproc)
  n=0
  for kb in $limits; do
    attempt "$kb" &
    n=$((n + 1)); [ $((n % jobs)) -eq 0 ] && wait
  done
  wait
  # Checked with the shell's own means where it can: a thousand runs' worth
  # of helper programs would take longer than the runs.
  short=0
  for kb in $limits; do
    cd "$work/mem-$kb" || exit 1
    status=$(< "../status-$kb") said=$(< stderr.txt)
    [ "$status" -eq 127 ] && [[ $said != vdwcoex:* ]] && continue
    if [ "$status" -eq 0 ]; then expect_reports 1.5; else
      [ "$status" -lt 128 ] && [[ $said == vdwcoex:* && $said != *$'\n'* ]] ||
        fail "$kb KB: status $status: $said"
      [ "$(< vdw_coex.dat)" == "${earlier%$'\n'}" ] && [ "$(< clatente.dat)" == "${earlier%$'\n'}" ] ||
        fail "$kb KB: the earlier reports were not kept"
      short=$((short + 1))
    fi
    left=(*)
    [ "${left[*]}" == "clatente.dat console.out stderr.txt vdw_coex.dat" ] || fail "$kb KB: left ${left[*]}"
  done
  [ "$short" -gt 0 ] || fail "no limit made the run short of memory" ;;

signal)  # interrupted while writing: the earlier reports stay, nothing is left
  for sig in INT QUIT TERM HUP-ignored; do
    fresh; echo 1.5 > reply.txt
    # From the fourth write on (the search trace, once the reports are under
    # way) every write waits two seconds. The signals start with their
    # default action, as in a terminal, or HUP ignored, as under nohup.
    if [ "$sig" == HUP-ignored ]; then start=(nohup); sig=HUP; else start=(env --default-signal); fi
    "${start[@]}" strace -o /dev/null -e trace=write -e inject=write:delay_enter=2000000:when=4+ \
      "${program[@]}" < reply.txt > console.out 2> stderr.txt &
    tracer=$!
    sleep 1
    kill -"$sig" "$(pgrep -P "$tracer")"  # the program, traced: never another test's run
    wait "$tracer"; status=$?
    if [ "${start[0]}" == nohup ]; then
      [ "$status" -eq 0 ] || fail "SIGHUP under nohup ended the run (status $status)"
      expect_reports 1.5
    else
      [ "$status" -ge 128 ] || fail "SIG$sig did not end the run (status $status)"
      expect_earlier vdw_coex.dat clatente.dat
    fi
    expect_only vdw_coex.dat clatente.dat console.out stderr.txt reply.txt
  done ;;

sticky-folder)  # a shared folder where one report belongs to someone else
  other_user; fresh; chmod 1777 .
  chown vdwcoex-test vdw_coex.dat; chmod 666 vdw_coex.dat clatente.dat
  run_as_other_user 1.5
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  expect_reports 1.5; [ "$(stat -c %U clatente.dat)" == root ] || fail "clatente.dat changed owner"
  expect_only vdw_coex.dat clatente.dat console.out stderr.txt ;;

unwritable-folder)  # writable reports in a folder that takes no new file
  other_user; fresh; chmod 666 vdw_coex.dat clatente.dat; chmod 555 .
  run_as_other_user 1.5
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  expect_reports 1.5; chmod 755 .
  # And where there is no report yet, the message says what the folder refuses.
  rm vdw_coex.dat; printf '%s' "$earlier" > clatente.dat; chmod 555 .; run_as_other_user 1.5; chmod 755 .
  expect_failure "cannot create vdw_coex.dat: the folder $PWD takes no new files (Permission denied)"
  expect_earlier clatente.dat ;;

owner-and-links)  # owner, group, permissions and hard links are kept
  other_user; fresh
  chown vdwcoex-test:vdwcoex-research vdw_coex.dat; chmod 640 vdw_coex.dat
  ln clatente.dat second-name
  run 1.5
  [ "$status" -eq 0 ] || fail "status $status"
  [ "$(stat -c '%U:%G %a' vdw_coex.dat)" == "vdwcoex-test:vdwcoex-research 640" ] ||
    fail "vdw_coex.dat is now $(stat -c '%U:%G %a' vdw_coex.dat)"
  cmp -s second-name clatente.dat || fail "the hard link to clatente.dat was split"
  expect_reports 1.5 ;;

dangling-link)  # a link to a report not made yet, with a partner that cannot be written
  fresh; rm vdw_coex.dat; ln -s target.dat vdw_coex.dat; ln -sf /dev/full clatente.dat
  run 1.5
  expect_failure "cannot write clatente.dat"
  [ -L vdw_coex.dat ] && [ ! -e target.dat ] || fail "the failed run left target.dat"
  rm clatente.dat; run 1.5
  [ "$status" -eq 0 ] && [ -L vdw_coex.dat ] || fail "status $status, or the link was replaced"
  expect_reports 1.5 ;;

bind-mount)  # a report that is a mount point cannot be renamed over: written in place
  fresh; printf 'mounted\r\n' > ../mounted
  if ! unshare -m true 2> /dev/null; then echo "bind-mount: this machine allows no mounts"; exit 77; fi
  unshare -m bash -c 'mount --bind ../mounted clatente.dat && echo 1.5 | "$@" > console.out 2> stderr.txt' \
    - "${program[@]}"; status=$?
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  cmp -s ../mounted "$work/ref-1.5/clatente.dat" || fail "the mounted report was not written"
  cmp -s vdw_coex.dat "$work/ref-1.5/vdw_coex.dat" || fail "vdw_coex.dat is not the new report" ;;

append-only)  # a report nobody may rewrite: the other stays as it was too
  fresh
  if ! chattr +a clatente.dat 2> /dev/null; then echo "append-only: no chattr on this filesystem"; exit 77; fi
  run 1.5; chattr -a clatente.dat
  expect_failure "cannot write clatente.dat"; expect_earlier vdw_coex.dat clatente.dat ;;

held-open)  # (Windows) a report held open by another program: both stay as they were
  helper=$(dirname "${program[-1]}")/hold_open.exe
  fresh
  "${program[@]:0:${#program[@]}-1}" "$helper" clatente.dat 30 > held.txt &
  holder=$!
  for _ in $(seq 1 100); do grep -q held held.txt 2> /dev/null && break; sleep 0.2; done
  grep -q held held.txt || fail "the helper did not hold clatente.dat"
  run 1.5; kill "$holder"; wait "$holder" 2> /dev/null
  expect_failure "cannot write clatente.dat"; expect_earlier vdw_coex.dat clatente.dat
  rm held.txt; expect_only vdw_coex.dat clatente.dat console.out stderr.txt ;;

held-lock)  # (Windows) a folder's lock is one whatever the folder's spelling: a run
           # into RES waits for the lock held on res, and says so
  helper=$(dirname "${program[-1]}")/hold_lock.exe
  fresh; mkdir res
  "${program[@]:0:${#program[@]}-1}" "$helper" res 4 > held.txt &
  holder=$!
  for _ in $(seq 1 100); do grep -q held held.txt 2> /dev/null && break; sleep 0.2; done
  grep -q held held.txt || fail "the helper did not hold the lock"
  echo 1.5 | "${program[@]}" -o RES > console.out 2> stderr.txt; status=$?
  wait "$holder"
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  grep -q 'waiting for it to finish' stderr.txt || fail "the run into RES did not wait: $(cat stderr.txt)"
  cd res && expect_reports 1.5 ;;

concurrent)  # two runs at once in one folder: the reports always come from one run
  fresh
  for i in $(seq 1 "${PAIRS:-200}"); do
    echo 2.5 | "${program[@]}" > /dev/null & a=$!
    echo 1.5 | "${program[@]}" > /dev/null; b=$?
    wait $a && [ $b -eq 0 ] || fail "a run failed"
    cmp -s vdw_coex.dat "$work/ref-1.5/vdw_coex.dat" && c=1.5 || c=2.5
    for f in vdw_coex.dat clatente.dat; do
      cmp -s $f "$work/ref-$c/$f" || fail "the reports mix two runs (pair $i)"
    done
  done
  expect_only vdw_coex.dat clatente.dat
  # No vdw_coex.dat yet, and an empty clatente.dat with a second name (so
  # written in place): whether a file is there, and how long, is what the
  # run before left, read under the lock.
  for i in $(seq 1 30); do
    rm -f vdw_coex.dat clatente.dat second; : > clatente.dat; ln clatente.dat second
    "${program[@]}" -q 2.5 2> ../err-a.txt & a=$!
    "${program[@]}" -q 1.5 2> ../err-b.txt; b=$?
    wait $a && [ $b -eq 0 ] || fail "round $i: a run failed: $(cat ../err-a.txt ../err-b.txt)"
    cmp -s vdw_coex.dat "$work/ref-1.5/vdw_coex.dat" && c=1.5 || c=2.5
    for f in vdw_coex.dat clatente.dat; do
      cmp -s $f "$work/ref-$c/$f" || fail "round $i: $f is not the report of c = $c"
    done
    cmp -s clatente.dat second || fail "round $i: clatente.dat lost its second name"
  done ;;

signal-at-every-file-call)  # a signal at each call that makes, moves or removes a file
  # TERM at every such call; USR1 and ALRM, which also end a run, at those
  # of the replacement.
  for call_signal in openat:TERM link:TERM rename:TERM unlink:TERM link:USR1 rename:USR1 rename:ALRM unlink:ALRM; do
    call=${call_signal%:*} sig=${call_signal#*:}
    for n in $(seq 1 12); do
      fresh
      echo 1.5 | env --default-signal strace -o /dev/null -e trace=$call \
        -e inject=$call:signal=$sig:when=$n "${program[@]}" > console.out 2> stderr.txt; status=$?
      # A signal held back during the replacement ends the run after it.
      if [ "$status" -eq 0 ] || ! cmp -s vdw_coex.dat <(printf '%s' "$earlier"); then
        expect_reports 1.5
      else
        expect_earlier vdw_coex.dat clatente.dat
      fi
      expect_only vdw_coex.dat clatente.dat console.out stderr.txt
    done
  done ;;

write-only-folder)  # a folder that can be written but not read (733) cannot be locked
                    # against other runs: refused, nothing written
  other_user; fresh; chmod 666 vdw_coex.dat clatente.dat; chmod 733 .
  run_as_other_user 1.5; chmod 755 .
  expect_failure "cannot lock the folder $PWD against other runs (Permission denied): nothing is written"
  expect_earlier vdw_coex.dat clatente.dat
  expect_only vdw_coex.dat clatente.dat console.out stderr.txt ;;

memory-in-commit)  # no memory from the first rename on: the commit asks for none,
                   # so every file is new, with or without the CSV tables, in
                   # the folder or elsewhere
  [ -n "${VDWCOEX_FAIL_ALLOC:-}" ] || fail "VDWCOEX_FAIL_ALLOC names no library"
  folder="$work/a-folder-with-a-long-name-$(printf 'x%.0s' $(seq 60))"
  mkdir -p "$folder"
  for args in "" "--csv" "-o $folder --csv"; do
    for n in $(seq 1 12); do
      fresh; rm -f "$folder"/*
      # shellcheck disable=SC2086
      echo 1.5 | LD_PRELOAD=$VDWCOEX_FAIL_ALLOC VDWCOEX_FAIL_ALLOC_AFTER_RENAME=$n "${program[@]}" $args \
        > console.out 2> stderr.txt; status=$?
      [ "$status" -eq 0 ] && [ ! -s stderr.txt ] || fail "'$args', allocation $n: status $status: $(cat stderr.txt)"
      if [[ $args == -o* ]]; then cd "$folder" || exit 1; fi
      expect_reports 1.5
      cd "$work/run" || exit 1
    done
  done
  # On a terminal the closing line needs memory after the files are written:
  # short of it, the run says they were.
  command -v script > /dev/null || fail "script (util-linux) is needed"
  fresh
  LD_PRELOAD=$VDWCOEX_FAIL_ALLOC VDWCOEX_FAIL_ALLOC_AFTER_RENAME=1 \
    script -qec "echo 1.5 | '${program[*]}' > /dev/null" /dev/null < /dev/null > typescript
  grep -q 'out of memory; every file had been written' typescript || fail "closing line: $(cat typescript)"
  expect_reports 1.5 ;;

leftovers)  # what a killed run left is removed, never a live run's, never an earlier text
  fresh
  printf 'partial' > vdw_coex.dat.99999.tmp; printf 'partial' > clatente.dat.99999-3.tmp
  ln vdw_coex.dat vdw_coex.dat.77777.old        # killed before its rename: a second name
  printf 'an earlier text' > clatente.dat.77777.old  # killed after it: the only copy of that text
  printf 'live' > clatente.dat.88888.tmp
  # A killed --csv run's temporaries go too, though this run writes no CSV;
  # a backup of a file this run does not write is that file's run's business.
  printf 'partial' > vdw_coex.csv.99999.tmp; printf 'partial' > nature_argon.csv.99999-1.tmp
  # and a killed --eos run's, whatever its equation.
  printf 'partial' > rk_clatente.csv.99999.tmp; printf 'partial' > srk_coex_si.csv.99999-2.tmp
  printf 'partial' > nature_pr_argon.csv.99999.tmp
  printf 'an earlier table' > clatente.csv.77777.old; printf 'an earlier table' > pr_coex.csv.77777.old
  cp vdw_coex.dat vdw_coex.dat.66666.old         # killed before rewriting: a copy
  flock clatente.dat.88888.tmp -c 'touch ../held; sleep 3' &
  holder=$!
  for _ in $(seq 100); do [ -e ../held ] && break; sleep 0.05; done
  inode=$(stat -c %i vdw_coex.dat)
  run 1.5; wait "$holder"; rm -f ../held
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  expect_reports 1.5
  expect_only vdw_coex.dat clatente.dat console.out stderr.txt clatente.dat.77777.old clatente.dat.88888.tmp \
    clatente.csv.77777.old pr_coex.csv.77777.old
  # With its stale second name gone, the report was replaced, not rewritten.
  [ "$(stat -c %i vdw_coex.dat)" != "$inode" ] || fail "vdw_coex.dat was written in place" ;;

waiting)  # a run that waits for another's lock on the folder says so once, then goes on
  fresh
  flock . -c 'touch ../held; sleep 3' &
  holder=$!
  for _ in $(seq 100); do [ -e ../held ] && break; sleep 0.05; done
  run 1.5; wait "$holder"; rm -f ../held
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  [ "$(cat stderr.txt)" == "vdwcoex: another run is writing in this folder; waiting for it to finish" ] ||
    fail "stderr: $(cat stderr.txt)"
  expect_reports 1.5 ;;

one-file-twice)  # two of the run's names for one file, or for one name where no file is
                 # yet (symbolic links): refused, nothing written
  fresh; rm clatente.dat; ln vdw_coex.dat clatente.dat
  run 1.5
  expect_failure "vdw_coex.dat and clatente.dat are the same file: neither is written"
  expect_earlier vdw_coex.dat clatente.dat
  expect_only vdw_coex.dat clatente.dat console.out stderr.txt
  fresh; rm vdw_coex.dat clatente.dat; ln -s clatente.dat vdw_coex.dat
  run 1.5
  expect_failure "vdw_coex.dat and clatente.dat are the same file: neither is written"
  expect_only vdw_coex.dat console.out stderr.txt
  fresh; rm vdw_coex.dat clatente.dat; ln -s x vdw_coex.dat; ln -s ./x clatente.dat
  run 1.5
  expect_failure "vdw_coex.dat and clatente.dat are the same file: neither is written"
  expect_only vdw_coex.dat clatente.dat console.out stderr.txt ;;

protected-symlinks)  # in a sticky folder anyone may write, a link planted by another user is
                     # not followed, as the kernel would not follow it; one of the folder's owner is
  other_user; fresh; chmod 1777 .
  printf '%s' "$earlier" > target.dat
  rm vdw_coex.dat; ln -s target.dat vdw_coex.dat; chown -h vdwcoex-test vdw_coex.dat
  run 1.5
  expect_failure "cannot create vdw_coex.dat: Permission denied"
  expect_earlier target.dat clatente.dat
  chown -h root vdw_coex.dat
  run 1.5
  [ "$status" -eq 0 ] || fail "a link of the folder's owner: status $status: $(cat stderr.txt)"
  [ -L vdw_coex.dat ] && cmp -s target.dat "$work/ref-1.5/vdw_coex.dat" || fail "the link was not followed"
  # In such a folder of another user's, the runner's own link is followed and
  # a third user's is not; an ordinary folder follows any link.
  chown vdwcoex-test .
  printf '%s' "$earlier" > target.dat
  run 1.5
  [ "$status" -eq 0 ] && cmp -s target.dat "$work/ref-1.5/vdw_coex.dat" ||
    fail "the runner's link in another user's folder: status $status: $(cat stderr.txt)"
  printf '%s' "$earlier" > target.dat; chown -h nobody vdw_coex.dat
  run 1.5
  expect_failure "cannot create vdw_coex.dat: Permission denied"
  expect_earlier target.dat
  chmod 755 .
  run 1.5
  [ "$status" -eq 0 ] && cmp -s target.dat "$work/ref-1.5/vdw_coex.dat" ||
    fail "a third user's link in an ordinary folder: status $status: $(cat stderr.txt)" ;;

acl-and-attributes)  # an access list and user attributes are kept; the group gains nothing
  command -v setfacl > /dev/null && command -v setfattr > /dev/null || { echo "needs acl and attr"; exit 77; }
  other_user; fresh; chmod 640 vdw_coex.dat
  setfacl -m u:vdwcoex-test:rw vdw_coex.dat && setfattr -n user.note -v kept vdw_coex.dat ||
    { echo "this filesystem takes no ACL or attributes"; exit 77; }
  run 1.5
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  expect_reports 1.5
  acl=$(getfacl -cp vdw_coex.dat 2> /dev/null)
  grep -x 'user:vdwcoex-test:rw-' <<< "$acl" > /dev/null || fail "the ACL entry is gone: $acl"
  grep -x 'group::r--' <<< "$acl" > /dev/null || fail "the group's permissions changed: $acl"
  [ "$(getfattr --only-values -n user.note vdw_coex.dat 2> /dev/null)" == kept ] || fail "user.note is gone"
  # Attributes only root may see or set, and inode flags: kept as well.
  fresh
  setfattr -n trusted.note -v kept vdw_coex.dat && setfattr -n security.note -v kept clatente.dat &&
    chattr +d vdw_coex.dat && chattr +A clatente.dat || { echo "no trusted attributes or flags here"; exit 77; }
  run 1.5
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  expect_reports 1.5
  [ "$(getfattr --only-values -n trusted.note vdw_coex.dat 2> /dev/null)" == kept ] || fail "trusted.note is gone"
  [ "$(getfattr --only-values -n security.note clatente.dat 2> /dev/null)" == kept ] || fail "security.note is gone"
  [[ $(lsattr vdw_coex.dat) == ??????d* && $(lsattr clatente.dat) == ???????A* ]] ||
    fail "flags: $(lsattr vdw_coex.dat clatente.dat)" ;;

kill-in-place)  # SIGKILL while a report is rewritten in place: its earlier text is whole
               # beside it, and the next run says where; so is the other report's
  command -v strace > /dev/null || { echo "needs strace"; exit 77; }
  fresh; cp "$work/ref-1.5/clatente.dat" clatente.dat; ln clatente.dat second
  # Killed once the new text, shorter than the earlier, is written over it.
  echo 2.5 | strace -o /dev/null -e trace=ftruncate -e inject=ftruncate:signal=KILL "${program[@]}" \
    > console.out 2> stderr.txt
  left=(*.old)
  [ "${#left[@]}" -eq 2 ] || fail "left: ${left[*]}"
  cmp -s clatente.dat.*.old "$work/ref-1.5/clatente.dat" || fail "the earlier clatente.dat is not whole"
  expect_earlier vdw_coex.dat.*.old
  run 1.5
  [ "$status" -eq 0 ] || fail "the next run: status $status: $(cat stderr.txt)"
  expect_reports 1.5
  for old in "${left[@]}"; do
    grep -q "^vdwcoex: $old ([0-9]* bytes, [-0-9]* [0-9:]*) may be an earlier text of ${old%%.dat.*}.dat left by a run that was ended; it is kept$" stderr.txt ||
      fail "$old is not said: $(cat stderr.txt)"
  done
  [ "$(wc -l < stderr.txt)" -eq 2 ] || fail "stderr: $(cat stderr.txt)"
  expect_only vdw_coex.dat clatente.dat second console.out stderr.txt "${left[@]}" ;;

backup-name-taken)  # a file under the name a run would give its backup is someone's own
  fresh
  # shellcheck disable=SC2016
  bash -c 'echo precious > "vdw_coex.dat.$$.old"; exec "$@" <<< 1.5 > console.out 2> stderr.txt' _ "${program[@]}"
  status=$?
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  expect_reports 1.5
  precious=(vdw_coex.dat.*.old)
  [ "$(cat "${precious[0]}")" == precious ] || fail "the file under the backup's name was not kept"
  grep -q "^vdwcoex: ${precious[0]} (9 bytes, .*) may be an earlier text of vdw_coex.dat" stderr.txt ||
    fail "stderr: $(cat stderr.txt)"
  expect_only vdw_coex.dat clatente.dat console.out stderr.txt "${precious[0]}" ;;

append-only-folder)  # a folder that gives up no name: the reports are written in place, or
                     # created, and nothing is left beside them for ever
  fresh; rm clatente.dat
  chattr +a . 2> /dev/null || { echo "chattr +a is refused here"; exit 77; }
  run 1.5; chattr -a .
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  expect_reports 1.5
  expect_only vdw_coex.dat clatente.dat console.out stderr.txt ;;

created-meanwhile)  # in a folder that takes no new files, a report made by someone else
                   # after the run opened its files, before it locked the folder, is
                   # written in place, not refused as existing
  command -v strace > /dev/null || { echo "needs strace"; exit 77; }
  fresh; rm clatente.dat
  chattr +a . 2> /dev/null || { echo "chattr +a is refused here"; exit 77; }
  # The second flock is the commit's lock on the folder: held back two seconds.
  echo 1.5 | strace -o /dev/null -e trace=flock -e inject=flock:delay_enter=2000000:when=2 "${program[@]}" \
    > console.out 2> stderr.txt &
  runner=$!
  sleep 1; printf '%s' "$earlier" > clatente.dat
  wait "$runner"; status=$?
  chattr -a .
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  expect_reports 1.5 ;;

newline-in-path)  # a folder whose name holds a newline is named on one line
  fresh; folder=$'two\nlines'; mkdir -p "$folder/vdw_coex.dat"
  echo 1.5 | "${program[@]}" -o "$folder" > console.out 2> stderr.txt; status=$?
  expect_failure "cannot create 'two.nlines/vdw_coex.dat': Is a directory" ;;

workbook-memory)  # the workbook's making short of memory: the run's own message, status 1,
                  # nothing changed and no scratch folder left
  echo 1.5 > "$work/reply.txt"
  attempt() {  # a run with the workbook under a limit of $1 KB, in a folder of its own
    local dir="$work/mem-$1"
    rm -rf "$dir" && mkdir -p "$dir/tmp" && cd "$dir" || exit 1
    printf '%s' "$earlier" > vdw_coex.dat
    printf '%s' "$earlier" > clatente.dat
    (ulimit -v "$1"; TMPDIR=$dir/tmp exec "${program[@]}" --xlsx < "$work/reply.txt" > console.out 2> stderr.txt)
    echo $? > ../status-$1
  }
  short=0
  for kb in $(seq 12000 250 22000); do attempt "$kb" & done
  wait
  for kb in $(seq 12000 250 22000); do
    cd "$work/mem-$kb" || exit 1
    status=$(< "../status-$kb")
    # 127 without our prefix: the dynamic loader gave up before the program began.
    [ "$status" -eq 127 ] && ! grep -q '^vdwcoex: ' stderr.txt && continue
    if [ "$status" -eq 0 ]; then
      expect_reports 1.5; expect_only vdw_coex.dat clatente.dat vdwcoex.xlsx console.out stderr.txt tmp
    else
      [ "$status" -eq 1 ] && [ "$(cat stderr.txt)" == "vdwcoex: out of memory" ] ||
        fail "$kb KB: status $status: $(cat stderr.txt)"
      expect_earlier vdw_coex.dat clatente.dat
      expect_only vdw_coex.dat clatente.dat console.out stderr.txt tmp
      short=$((short + 1))
    fi
    [ -z "$(ls -A tmp)" ] || fail "$kb KB: left in the temporary folder: $(ls -A tmp)"
  done
  [ "$short" -gt 0 ] && [ "$short" -lt 41 ] || fail "$short of 41 limits were short of memory" ;;

workbook-signals)  # a run ended while its workbook is made leaves no scratch folder; one
                   # killed leaves it to the next run's clean-up
  command -v strace > /dev/null || { echo "needs strace"; exit 77; }
  export TMPDIR=$work/tmp
  for sig in TERM KILL; do
    fresh; rm -rf "$TMPDIR" && mkdir "$TMPDIR"
    # The run waits three seconds once its workbook is made, before it is read.
    echo 1.5 | strace -o /dev/null -e trace=waitid -e inject=waitid:delay_exit=3000000 "${program[@]}" --xlsx \
      > console.out 2> stderr.txt &
    tracer=$!
    for _ in $(seq 200); do compgen -G "$TMPDIR/vdwcoex-*/vdwcoex.xlsx" > /dev/null && break; sleep 0.05; done
    sleep 0.5
    kill -"$sig" "$(pgrep -P "$tracer")"
    wait "$tracer"; status=$?
    [ "$status" -ge 128 ] || fail "SIG$sig did not end the run (status $status)"
    expect_earlier vdw_coex.dat clatente.dat
    if [ "$sig" == KILL ]; then
      compgen -G "$TMPDIR/vdwcoex-*" > /dev/null || fail "no scratch folder to clean up: the case tests nothing"
      run 1.5 --xlsx
      [ "$status" -eq 0 ] || fail "the next run: status $status: $(cat stderr.txt)"
      expect_reports 1.5
    fi
    if [ "$sig" == KILL ]; then expect_only vdw_coex.dat clatente.dat console.out stderr.txt vdwcoex.xlsx
    else expect_only vdw_coex.dat clatente.dat console.out stderr.txt; fi
    [ -z "$(ls -A "$TMPDIR")" ] || fail "SIG$sig: left in the temporary folder: $(ls -A "$TMPDIR")"
  done ;;

workbook-scratch)  # the clean-up of killed runs' scratch folders removes only what a run made:
                   # folders of the same name holding anything else are the user's, untouched
  export TMPDIR=$work/tmp
  mark='vdwcoex: a scratch folder for one workbook, removed when its run ends'
  fresh; mkdir -p "$TMPDIR"
  mkdir -m 700 "$TMPDIR/vdwcoex-master"; mkdir "$TMPDIR/vdwcoex-master/src"
  echo notes > "$TMPDIR/vdwcoex-master/README.md"
  mkdir -m 700 "$TMPDIR/vdwcoex-backup"; echo data > "$TMPDIR/vdwcoex-backup/vdwcoex.xlsx"
  mkdir "$TMPDIR/vdwcoex-latest"; echo data > "$TMPDIR/vdwcoex-latest/tmp.abc"
  mkdir -m 700 "$TMPDIR/vdwcoex-plain1"  # empty, as mkdtemp makes one, but never marked
  # Marked, but holding a file of the user's besides; marked with another
  # text; marked, as a live run's, and locked.
  mkdir -m 700 "$TMPDIR/vdwcoex-mixed1" "$TMPDIR/vdwcoex-other1" "$TMPDIR/vdwcoex-locked"
  echo "$mark" > "$TMPDIR/vdwcoex-mixed1/.vdwcoex-scratch"; echo mine > "$TMPDIR/vdwcoex-mixed1/mine.txt"
  echo other > "$TMPDIR/vdwcoex-other1/.vdwcoex-scratch"
  echo "$mark" > "$TMPDIR/vdwcoex-locked/.vdwcoex-scratch"; echo part > "$TMPDIR/vdwcoex-locked/vdwcoex.xlsx"
  before=$(cd "$TMPDIR" && find . -printf '%p %s\n' | sort)
  /usr/bin/python3 -c "$hold_lock" "$TMPDIR/vdwcoex-locked" > "$work/held" &
  holder=$!
  for _ in $(seq 100); do [ -s "$work/held" ] && break; sleep 0.05; done
  run 1.5 --xlsx
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  after=$(cd "$TMPDIR" && find . -printf '%p %s\n' | sort)
  [ "$after" == "$before" ] || fail "the temporary folder changed: $(diff <(echo "$before") <(echo "$after"))"
  expect_reports 1.5
  # A folder a killed run left, with the library's temporary in it, goes.
  mkdir -m 700 "$TMPDIR/vdwcoex-Killed"; echo "$mark" > "$TMPDIR/vdwcoex-Killed/.vdwcoex-scratch"
  echo part > "$TMPDIR/vdwcoex-Killed/vdwcoex.xlsx"; echo part > "$TMPDIR/vdwcoex-Killed/tmp.AbCdEf"
  run 1.5 --xlsx
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  [ ! -e "$TMPDIR/vdwcoex-Killed" ] || fail "a killed run's scratch folder was kept: $(ls -A "$TMPDIR/vdwcoex-Killed")"
  after=$(cd "$TMPDIR" && find . -printf '%p %s\n' | sort)
  [ "$after" == "$before" ] || fail "the temporary folder changed: $(diff <(echo "$before") <(echo "$after"))"
  # A temporary of the library's left in the scratch folder (its removal
  # failed, as it is left where the child is killed at that instant): the
  # run removes it with the folder.
  command -v strace > /dev/null || { echo "needs strace"; exit 77; }
  kill "$holder"; wait "$holder" 2> /dev/null
  rm -rf "$TMPDIR" && mkdir "$TMPDIR"; fresh; rm vdw_coex.dat clatente.dat
  echo 1.5 | strace -f -o /dev/null -e trace=unlink -e inject=unlink:error=EPERM:when=1 "${program[@]}" --xlsx \
    > console.out 2> stderr.txt; status=$?
  [ "$status" -eq 0 ] || fail "status $status: $(cat stderr.txt)"
  expect_reports 1.5
  [ -z "$(ls -A "$TMPDIR")" ] || fail "left in the temporary folder: $(ls -AR "$TMPDIR")"
  # No folder to make one in: the message names $TMPDIR, and nothing changes.
  for TMPDIR in "$work/no-such-folder" "$work/run/vdw_coex.dat"; do
    fresh; run 1.5 --xlsx
    expect_failure "cannot write vdwcoex.xlsx: the temporary folder $TMPDIR (\$TMPDIR) takes no scratch folder"
    expect_earlier vdw_coex.dat clatente.dat
  done ;;

workbook-tmpdir-locked)  # another user's lock on the temporary folder holds no run up
  other_user
  export TMPDIR=$work/shared-tmp
  mkdir -m 1777 "$TMPDIR"
  setpriv --reuid=vdwcoex-test --regid=users --clear-groups /usr/bin/python3 -c "$hold_lock" "$TMPDIR" > "$work/held" &
  holder=$!
  for _ in $(seq 100); do [ -s "$work/held" ] && break; sleep 0.05; done
  [ -s "$work/held" ] || fail "the other user could not lock the folder"
  fresh
  echo 1.5 | timeout 20 "${program[@]}" --xlsx > console.out 2> stderr.txt; status=$?
  kill "$holder"; wait "$holder" 2> /dev/null
  [ "$status" -eq 0 ] || fail "status $status (124: it waited for the other user's lock): $(cat stderr.txt)"
  expect_reports 1.5
  [ -s vdwcoex.xlsx ] || fail "no workbook" ;;

put-back-fails)  # the second file cannot be replaced nor the first put back: the message
                 # names the new file truly and where its earlier text is kept
  command -v strace > /dev/null || { echo "needs strace"; exit 77; }
  fresh
  chattr +a clatente.dat 2> /dev/null || { echo "chattr +a is refused here"; exit 77; }
  # clatente.dat can be neither replaced nor rewritten; the second rename,
  # putting vdw_coex.dat back, fails too.
  echo 1.5 | strace -o /dev/null -e trace=rename -e inject=rename:error=EIO:when=2+ "${program[@]}" \
    > console.out 2> stderr.txt; status=$?
  chattr -a clatente.dat
  expect_failure "cannot write clatente.dat: Operation not permitted; new: vdw_coex.dat; as before: clatente.dat; the earlier text is kept in vdw_coex.dat."
  cmp -s vdw_coex.dat "$work/ref-1.5/vdw_coex.dat" || fail "vdw_coex.dat is not the new report"
  expect_earlier clatente.dat
  kept=$(grep -o 'vdw_coex\.dat\.[0-9]*\.old' stderr.txt)
  expect_earlier "$kept" ;;

synced)  # each new report is synced before it replaces the old one, then the folder
  fresh
  echo 1.5 | strace -o ../trace.txt -e trace=openat,fsync,rename "${program[@]}" > /dev/null ||
    fail "status $?"
  grep -E '^(fsync|rename)' ../trace.txt | sed 's/(.*//' | tr '\n' ' ' | grep 'fsync fsync rename rename fsync' > /dev/null ||
    fail "not synced in order: $(grep -E '^(fsync|rename)' ../trace.txt | tr '\n' ' ')" ;;

*) fail "unknown case" ;;
esac
echo "$case_name: passed"
