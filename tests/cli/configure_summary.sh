#!/usr/bin/env bash
# Configuring ends with a summary of what the build has, and for each piece
# it lacks, what would add it and what it adds.
#
#   configure_summary.sh CMAKE SOURCE HAVE_XLSX HAVE_PYTHON
# HAVE_*: ON or OFF, as this build found them.
set -u
cmake=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
summary() { sed -n '/what this build has$/,/^-- Configuring done/p' "$1"; }
has_line() { # file pattern what
  grep -E "^  $2" "$1" > /dev/null || fail "$3: $(cat "$1")"
}

# Nothing to be found: no libxlsxwriter for pkg-config, no Python, no
# GoogleTest. Each line says what is missing and what it would add.
mkdir "$work/empty"
PKG_CONFIG_LIBDIR=$work/empty "$cmake" -S "$source" -B "$work/bare" -DPython_EXECUTABLE=/nonexistent/python3 \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON > "$work/bare.log" 2>&1 || fail "configuring failed: $(cat "$work/bare.log")"
summary "$work/bare.log" > "$work/bare.txt"
has_line "$work/bare.txt" 'workbook \(--xlsx\) +no: with libxlsxwriter \(Debian: libxlsxwriter-dev' "no workbook line"
grep -F -- '--xlsx writes vdwcoex.xlsx' "$work/bare.txt" > /dev/null || fail "what the workbook adds is not said"
has_line "$work/bare.txt" 'Python module +no: with pybind11 .*pybind11-dev' "no Python line"
grep -F 'import vdwcoex gives the tables' "$work/bare.txt" > /dev/null || fail "what the module adds is not said"
has_line "$work/bare.txt" 'page +no: ' "no page line"
grep -F 'installs and packages go without it' "$work/bare.txt" > /dev/null || fail "what a missing page means is not said"
has_line "$work/bare.txt" 'tests +no: with GoogleTest \(Debian: libgtest-dev\)' "no tests line"

# As this build found them: a piece it has is yes.
"$cmake" -S "$source" -B "$work/found" -DBUILD_TESTING=OFF > "$work/found.log" 2>&1 ||
  fail "configuring failed: $(cat "$work/found.log")"
summary "$work/found.log" > "$work/found.txt"
if [ "$3" = ON ]; then
  has_line "$work/found.txt" 'workbook \(--xlsx\) +yes' "the workbook is found, not said"
fi
if [ "$4" = ON ]; then
  has_line "$work/found.txt" 'Python module +yes: import vdwcoex, for ' "the module is found, not said"
fi
has_line "$work/found.txt" 'tests +no, turned off \(BUILD_TESTING=OFF\)' "tests turned off, not said"
echo "ok: $(wc -l < "$work/bare.txt") lines of summary"
