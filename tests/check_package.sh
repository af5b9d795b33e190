#!/usr/bin/env bash
# Builds the gateway's packages and checks them as Debian does: lintian reports no error or
# warning beyond the overrides that the package declares, and the .tar.gz holds the same files
# as the .deb.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=("$out"/*.deb) tgz=("$out"/*.tar.gz)
lintian --fail-on error,warning "${deb[0]}" 2>/dev/null
echo "lintian: no error or warning beyond the declared overrides"
files() { sed 's|^\./||; /\/$/d; /^$/d' | sort; }  # files only, folders and the top left out
diff <(dpkg-deb --fsys-tarfile "${deb[0]}" | tar t | files) <(tar tzf "${tgz[0]}" | sed 's|^[^/]*/||' | files)
echo "the .tar.gz holds the same files as the .deb:"
dpkg-deb --fsys-tarfile "${deb[0]}" | tar t | files | sed 's/^/  /'
