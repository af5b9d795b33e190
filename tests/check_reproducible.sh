#!/usr/bin/env bash
# Builds the gateway binary and its packages twice, from two copies of the source in two folders,
# one second apart, the second with another umask and time zone and, when run as root, as another
# user; then checks that the binary, the .deb and the .tar.gz are the same, bit for bit.
# Usage: check_reproducible.sh SOURCE_DIR
#        check_reproducible.sh --build DIR   (one build of DIR/src into DIR/build and DIR/packages)
set -euo pipefail

if [ "$1" = --build ]; then
  dir=$2
  cmake -S "$dir/src" -B "$dir/build" --toolchain "$dir/src/cmake/armhf-gateway.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/quorvale/gateway/build \
    >/dev/null
  cmake --build "$dir/build" >/dev/null
  (cd "$dir/build" && cpack -B "$dir/packages" >/dev/null)
  exit 0
fi

source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
for name in first second; do
  mkdir -p "$work/$name/src"
  tar -C "$source" --exclude=./build -cf - . | tar -C "$work/$name/src" -xf -
done

(umask 022 && TZ=UTC "$work/first/src/tests/check_reproducible.sh" --build "$work/first")
sleep 1
as_other=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$work/second"
  as_other=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$work/second")
fi
(umask 077 && TZ=Pacific/Chatham "${as_other[@]}" \
  "$work/second/src/tests/check_reproducible.sh" --build "$work/second")

sums() {  # sums NAME: the hashes of one build's binary and packages, without their folders
  (cd "$work/$1" && sha256sum build/triple_import packages/*.deb packages/*.tar.gz)
}
sums first
if ! diff <(sums first) <(sums second); then
  echo "FAILED: two builds of the same source differ"
  exit 1
fi
echo "the same three files from two builds${as_other:+, the second as nobody,} in two folders"
