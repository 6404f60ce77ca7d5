#!/usr/bin/env bash
# Installs as the README and the packages make them: what Python finds, what
# the installed README says, and what removing them leaves.
#
#   install.sh CASE CMAKE BUILD_FOLDER PYTHON
#
# user-site:    `cmake --install --prefix ~/.local` (the README's), then
#               `import vdwcoex` with nothing set; uninstalled, nothing left
# other-prefix: any other prefix: the installed README names the folder for
#               PYTHONPATH, and that folder holds the module
# deb-purge:    the DEB installed with dpkg as root, the module imported as
#               root (its caches written), purged: nothing of it is left and
#               dpkg warns of no folder left behind. Needs root and a
#               machine where the package is not installed already (77).
# windows-readme: the Windows ZIP's README.txt and README.md, with the page
#               built and without: each lists the page only where it is
#               there, and else says how to make the ZIP with it
set -u
case_name=$1
cmake=$2
build=$3
python=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL ($case_name): $*" >&2; exit 1; }

# The installed README says the page is there exactly where it is.
page_claim() { # docdir
  if [ -f "$1/vdwcoex.html" ]; then
    grep -F 'the page is' "$1/README.md" > /dev/null || fail "the page is installed, the README does not say so"
  else
    grep -F '`vdwcoex.html`, is not installed' "$1/README.md" > /dev/null ||
      fail "no page installed, yet the README does not say so: $(sed -n 3,12p "$1/README.md")"
  fi
}
# Imports the module as a user would: from a folder of no module, nothing
# in the environment pointing at it. Prints where it was found.
import_vdwcoex() { # extra environment...
  (cd "$work" && env -u PYTHONPATH -u PYTHONHOME -u PYTHONNOUSERSITE "$@" "$python" -c \
    'import vdwcoex; vdwcoex.tables(1.5); print(vdwcoex.__file__)')
}
uninstall() { # prefix
  "$cmake" --build "$build" --target uninstall > /dev/null || fail "uninstall failed"
  left=$(find "$1" -type f -o -name 'vdwcoex*')
  [ -z "$left" ] || fail "uninstalled, left: $left"
}

case "$case_name" in
user-site)
  export HOME=$work/home
  prefix=$HOME/.local
  "$cmake" --install "$build" --prefix "$prefix" > "$work/install.log" || fail "install failed"
  found=$(import_vdwcoex) || fail "import vdwcoex failed after the README's install"
  [[ $found == "$prefix"/* ]] || fail "imported $found, not the installed module"
  grep -F '`import vdwcoex` works in Python' "$prefix/share/doc/vdwcoex/README.md" > /dev/null ||
    fail "the installed README does not say that import vdwcoex works"
  page_claim "$prefix/share/doc/vdwcoex"
  uninstall "$prefix" ;;

other-prefix)
  export HOME=$work/home
  prefix=$work/prefix
  "$cmake" --install "$build" --prefix "$prefix" > "$work/install.log" || fail "install failed"
  readme=$prefix/share/doc/vdwcoex/README.md
  folder=$(sed -n 's/^> The Python module is in `\([^`]*\)` under the installation.s$/\1/p' "$readme")
  [ -n "$folder" ] || fail "the installed README names no folder for PYTHONPATH: $(sed -n 3,12p "$readme")"
  grep -F "PYTHONPATH=$prefix/$folder" "$work/install.log" > /dev/null || fail "the install did not say what to set"
  if import_vdwcoex > /dev/null 2>&1; then fail "imported without PYTHONPATH: the README's note is wrong"; fi
  found=$(import_vdwcoex PYTHONPATH="$prefix/$folder") || fail "PYTHONPATH=$prefix/$folder does not find the module"
  [[ $found == "$prefix/$folder"/* ]] || fail "imported $found"
  page_claim "$prefix/share/doc/vdwcoex"
  uninstall "$prefix" ;;

deb-purge)
  [ "$(id -u)" -eq 0 ] || { echo "not root: the DEB is not installed"; exit 77; }
  command -v dpkg > /dev/null || exit 77
  # One such test on the machine at a time, whatever build runs it.
  exec 9> /run/lock/vdwcoex-deb-test.lock
  flock -w 600 9 || fail "another install of the DEB holds the lock"
  if dpkg-query -W -f='${Status}' vdwcoex 2> /dev/null | grep -F 'ok installed' > /dev/null; then
    echo "vdwcoex is installed on this machine: not replaced by a test"; exit 77
  fi
  # dpkg waits for no one: try again while another install holds its lock.
  dpkg_waiting() {
    local try out
    for try in $(seq 120); do
      if out=$(dpkg "$@" 2>&1); then printf '%s\n' "$out"; return 0; fi
      case $out in *locked*) sleep 1 ;; *) printf '%s\n' "$out"; return 1 ;; esac
      [ "$try" -lt 120 ] || { printf '%s\n' "$out"; return 1; }
    done
  }
  python=/usr/bin/python3   # the DEB is for Debian's
  (cd "$build" && "$(dirname "$cmake")/cpack" -G DEB -B "$work/deb" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
  deb=$(ls "$work"/deb/vdwcoex_*.deb)
  module=/usr/lib/python3/dist-packages/vdwcoex
  [ ! -e "$module" ] || fail "$module is there before the package is: $(find "$module")"
  # Whatever happens, the machine is left as it was: the package purged,
  # and anything a failed purge left of it removed.
  trap 'dpkg-query -W vdwcoex > /dev/null 2>&1 && dpkg_waiting --purge vdwcoex > /dev/null
        rm -rf "$module" "$work"' EXIT
  out=$(DEBIAN_FRONTEND=noninteractive dpkg_waiting -i "$deb") || fail "dpkg -i: $out"
  files=$(dpkg -L vdwcoex)
  ls "$module"/__pycache__/__init__.*.pyc > /dev/null 2>&1 || fail "not byte-compiled on install"
  # As root, bytecode written where Python wants it, as most machines do.
  rm -rf "$module/__pycache__"
  found=$(import_vdwcoex -u PYTHONDONTWRITEBYTECODE -u PYTHONPYCACHEPREFIX) || fail "import vdwcoex as root failed"
  [[ $found == "$module"/* ]] || fail "imported $found"
  ls "$module"/__pycache__/__init__.*.pyc > /dev/null 2>&1 || fail "the import wrote no cache: the case is not tested"
  out=$(dpkg_waiting --purge vdwcoex) || fail "dpkg --purge: $out"
  if grep -i 'not empty' <<< "$out"; then fail "the purge left folders behind"; fi
  left=$(while read -r path; do [ "$path" = /. ] || [ ! -e "$path" ] || [ -d "$path" ] || echo "$path"; done <<< "$files")
  [ -z "$left" ] || fail "purged, left: $left"
  [ ! -e "$module" ] || fail "purged, left $module: $(find "$module")"
  [ ! -e /usr/share/doc/vdwcoex ] || fail "purged, left /usr/share/doc/vdwcoex" ;;

windows-readme)
  # The documents' install step as the Windows build runs it, on its own.
  source_dir=$(cd "$(dirname "$0")/../.." && pwd)
  echo '<html>' > "$work/vdwcoex.html"
  for page in "$work/vdwcoex.html" "$work/not-built/vdwcoex.html"; do
    prefix=$work/zip
    rm -rf "$prefix"
    "$cmake" -Dsource_dir="$source_dir" -Dwork_dir="$work/installed" -Dwindows=ON -Dpage="$page" \
      -Dhave_python=OFF -Ddocdir=share/doc/vdwcoex -Dversion=0 -DCMAKE_INSTALL_PREFIX="$prefix" \
      -P "$source_dir/cmake/installed_documents.cmake" > /dev/null || fail "the documents' step failed"
    txt=$(tr -d '\r' < "$prefix/README.txt")
    lists=$(grep -E '^ +share\\doc\\vdwcoex\\vdwcoex\.html ' <<< "$txt")
    if [ -f "$page" ]; then
      [ -n "$lists" ] || fail "the page is built, README.txt does not list it"
      grep -F 'the page is `vdwcoex.html` beside this README' "$prefix/share/doc/vdwcoex/README.md" > /dev/null ||
        fail "the page is built, the installed README does not say so"
    else
      [ -z "$lists" ] || fail "no page, yet README.txt lists it: $lists"
      grep -F 'is not in this ZIP' <<< "$txt" > /dev/null || fail "no page, and README.txt does not say so"
      grep -F '`vdwcoex.html`, is not in this ZIP' "$prefix/share/doc/vdwcoex/README.md" > /dev/null ||
        fail "no page, and the installed README does not say so"
    fi
    [ "$(grep -c $'\r$' "$prefix/README.txt")" -eq "$(wc -l < "$prefix/README.txt")" ] ||
      fail "README.txt has lines without CR LF"
  done ;;

*) fail "no such case" ;;
esac
echo "ok: $case_name"
