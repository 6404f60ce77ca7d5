#!/usr/bin/env bash
# A static libxlsxwriter for the Windows build, from Debian's own source
# package, built with MinGW-w64 against its zlib (libz-mingw-w64-dev):
#
#   bash packaging/windows-xlsxwriter.sh PREFIX
#   cmake --preset windows -DVDWCOEX_XLSX_ROOT=PREFIX
#
# It asks the archives this machine's apt already uses for their source
# packages, through a configuration of its own (nothing of the machine's is
# changed); apt checks what it fetches against their signed indexes. Needs
# dpkg-dev, cmake and g++-mingw-w64-x86-64.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PREFIX" >&2; exit 2; }
prefix=$(realpath -m "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The machine's archives, as source archives.
mkdir -p "$work/sources" "$work/lists/partial" "$work/cache/archives/partial"
shopt -s nullglob
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$list" ] && sed -n 's/^deb \(.*\)$/deb-src \1/p' "$list" >> "$work/sources/machine.list"
done
for sources in /etc/apt/sources.list.d/*.sources; do
  sed 's/^Types: *deb *$/Types: deb-src/' "$sources" > "$work/sources/$(basename "$sources")"
done
apt=(apt-get -q -o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources"
     -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o APT::Sandbox::User=root)
"${apt[@]}" update > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }
(cd "$work" && "${apt[@]}" source --download-only libxlsxwriter > apt-source.log 2>&1) ||
  { cat "$work/apt-source.log"; exit 1; }
# apt checked the files against the signed index: dpkg-source need not.
(cd "$work" && dpkg-source -x --skip-debianization ./libxlsxwriter_*.dsc src > dpkg-source.log 2>&1) ||
  { cat "$work/dpkg-source.log"; exit 1; }

cmake -S "$work/src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$prefix" > /dev/null
cmake --build "$work/build" --parallel 2 > /dev/null
cmake --install "$work/build" > /dev/null
install -D -m 644 "$work/src/License.txt" "$prefix/share/doc/libxlsxwriter/License.txt"
echo "libxlsxwriter $(sed -n 's/^Version: //p' "$work"/libxlsxwriter_*.dsc) for Windows in $prefix"
