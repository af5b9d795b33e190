#!/usr/bin/env bash
# Lays out an old gateway for user-mode emulation: a loader and C library from before the start
# routine got its GLIBC_2.34 version, in the gateway's library folder below ROOT. Running the tool
# with "qemu-arm -L ROOT" then proves that it loads there.
#
# With LIBS, a folder that holds a copy of a real gateway's ld-linux-armhf.so.3 and libc.so.6, those
# are used: the strongest check there is. Without, Debian 11's armhf glibc 2.31 is fetched from the
# archive that this machine's own apt sources name, with another suite (signed index, checked
# download), and kept in ROOT, so later runs need no network. When that suite has left the archive,
# or the archive cannot be reached, this says why and what to do, and exits 77, which the tests
# that need ROOT take as skipped.
# Usage: old_glibc_root.sh ROOT LIB_DIR [LIBS]
set -euo pipefail
root=$1 lib_dir=$2 libs=${3:-}
suite=bullseye
skipped=77

# Puts the loader and the C library into ROOT's library folder, and notes where they came from.
install_libs() {  # install_libs FOLDER SOURCE
  rm -rf "$root"
  mkdir -p "$root$lib_dir"
  for lib in ld-linux-armhf.so.3 libc.so.6; do
    cp -L "$1/$lib" "$root$lib_dir/$lib"
  done
  echo "$2" >"$root/source"
}

if [ -n "$libs" ]; then
  for lib in ld-linux-armhf.so.3 libc.so.6; do
    [ -e "$libs/$lib" ] || { echo "old_glibc_root.sh: $libs holds no $lib" >&2; exit 1; }
  done
  install_libs "$libs" "$libs"
  echo "old gateway: the C library of $libs"
  exit 0
fi
if [ "$(cat "$root/source" 2>/dev/null)" = "$suite" ]; then
  echo "old gateway: Debian's $suite glibc, fetched before"
  exit 0
fi

# The archive of this machine's own release, as its apt sources name it.
# shellcheck source=/dev/null
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
# shellcheck disable=SC2016  # apt's own fields, not the shell's
archive=$(apt-get indextargets --no-release-info --format '$(REPO_URI) $(RELEASE)' \
  'Created-By: Packages' | awk -v release="$codename" '$2 == release { print $1; exit }')
skip() {
  echo "SKIPPED: no old gateway C library: $1"
  echo "To run the old-gateway tests, configure with -DOLD_GATEWAY_LIBS=FOLDER, a folder that holds"
  echo "a copy of a real gateway's ld-linux-armhf.so.3 and libc.so.6. readelf's symbol-version"
  echo "check (GatewayElf.ShipsAsTheGatewayExpects) still holds the tool to GLIBC_2.4."
  exit "$skipped"
}
[ -n "$archive" ] || skip "this machine's apt sources name no archive for '$codename'"

apt_dir=$root.apt
rm -rf "$apt_dir"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/download"
trap 'rm -rf "$apt_dir" "$root.libc6"' EXIT
echo "deb [arch=armhf signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
  "$archive $suite main" >"$apt_dir/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
  -o APT::Architecture=armhf -o APT::Architectures=armhf -o Debug::NoLocking=1
  -o APT::Sandbox::User=root)
updated=0
update=$(apt-get "${apt_options[@]}" -q update 2>&1) || updated=$?
if grep -qE "does not have a Release file|404 +Not Found" <<<"$update"; then
  skip "Debian's $suite has left the archive that this machine uses ($archive)"
fi
[ "$updated" -eq 0 ] || skip "apt-get update failed: $update"
(cd "$apt_dir/download" && apt-get "${apt_options[@]}" -qq download libc6:armhf) ||
  skip "libc6:armhf of $suite could not be downloaded from $archive"

extracted=$root.libc6
rm -rf "$extracted"
dpkg-deb -x "$apt_dir"/download/libc6_2.31-*_armhf.deb "$extracted"
mkdir -p "$extracted/libs"
cp -L "$extracted/lib/ld-linux-armhf.so.3" "$extracted/lib/arm-linux-gnueabihf/libc.so.6" \
  "$extracted/libs/"
install_libs "$extracted/libs" "$suite"
echo "old gateway: Debian's $suite glibc, fetched from $archive"
