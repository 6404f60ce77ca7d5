#!/usr/bin/env bash
# The CI script and the test scripts: shellcheck's warnings, the rule that
# no pipeline ends in a reader that may stop early (grep -q, head), whose
# writer would then die of SIGPIPE and, under pipefail, fail the run by
# chance, and the rule that no build is chained to its tests with &&.
#
#   shell_lint.sh SOURCE_FOLDER [SCRIPT...]
# With scripts named, only those are checked (the test of this check uses it).
set -u
cd "$1" || exit 1
shift
scripts=(.ci/run tests/cli/*.sh tests/ci/*.sh)
[ $# -gt 0 ] && scripts=("$@")
status=0
shellcheck --shell=bash --severity=warning "${scripts[@]}" || status=1
early='(^|[^|])\|[[:space:]]*(grep[[:space:]]+(-[[:alnum:]]*q[[:alnum:]]*|--quiet|--silent)|head)([[:space:]]|$)'
if grep -nE "$early" "${scripts[@]}" | grep -vE '^[^:]+:[0-9]+:[[:space:]]*#'; then
  echo "these pipelines end in a reader that may stop early: read the whole output first"
  status=1
fi
# Under set -e a failure inside a && list does not stop the script: a build
# chained to its tests would fail and leave them unrun, unsaid.
if grep -nE '^[[:space:]]*(cmake|ctest)[[:space:]].*&&' "${scripts[@]}"; then
  echo "these builds are chained with &&: give each command a line of its own"
  status=1
fi
exit $status
