#!/usr/bin/env bash
# Builds the gateway's packages and checks them as Debian does: lintian reports no error or
# warning beyond the overrides that the package declares. The .tar.gz holds the .deb's files less
# those that only Debian's layout wants under /usr/share, and the .deb's tool is, byte for byte,
# the stripped binary that the black-box suites run.
# Usage: check_package.sh BUILD_DIR TESTED_BINARY
set -euo pipefail
build=$1 tested=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=("$out"/*.deb) tgz=("$out"/*.tar.gz)
lintian --fail-on error,warning "${deb[0]}" 2>/dev/null
echo "lintian: no error or warning beyond the declared overrides"
files() { sed 's|^\./||; /\/$/d; /^$/d' | sort; }  # files only, folders and the top left out
dpkg-deb --fsys-tarfile "${deb[0]}" | tar t | files >"$out/deb-files"
diff <(grep -v '^usr/share/' "$out/deb-files") <(tar tzf "${tgz[0]}" | sed 's|^[^/]*/||' | files)
echo "the .tar.gz holds the .deb's files but those under /usr/share:"
sed 's/^/  /' "$out/deb-files"
dpkg-deb -x "${deb[0]}" "$out/unpacked"
cmp "$out/unpacked/$(grep 'bin/triple_import$' "$out/deb-files")" "$tested"
echo "the .deb's tool is the binary that the black-box suites run"
