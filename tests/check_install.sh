#!/usr/bin/env bash
# Installs a build as an integrator stages it, with --prefix and with DESTDIR, and checks that
# exactly the gateway's tree lands below the folder given and nothing anywhere else: every path
# that the installation wrote, as its manifest lists it, and every file found below the folder.
# Usage: check_install.sh BUILD_DIR
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
tree="bin/triple_check
bin/triple_import
share/doc/triple_import/VERSION
share/man/man1/triple_check.1.gz
share/man/man1/triple_import.1.gz"
failed=0
check() {  # check WHAT COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi
}
# installed DIR ROOT: the files below DIR, and the paths that the manifest lists outside ROOT (it
# leaves DESTDIR out), if any
installed() {
  (cd "$1" && find . ! -type d | sed 's|^\./||' | sort)
  grep -v "^$2/" "$build/install_manifest.txt" | sed 's/^/outside: /'
}

cmake --install "$build" --prefix "$work/prefix" --strip >/dev/null
check "--prefix: the gateway's tree, nothing else" \
  diff <(installed "$work/prefix" "$work/prefix") <(echo "$tree")
check "--prefix: the tree tells its version" \
  grep -qx "triple_import $version" "$work/prefix/share/doc/triple_import/VERSION"

DESTDIR=$work/staged cmake --install "$build" >/dev/null
check "DESTDIR: the gateway's tree below its prefix, nothing else" \
  diff <(installed "$work/staged" "$prefix") <(while read -r f; do echo "${prefix#/}/$f"; done <<<"$tree")
exit $failed
