#!/usr/bin/env bash
# Checks that a triple_import binary is what the gateway can load: 32-bit ARM EABI5 with the
# hard-float calling convention, the gateway's loader and library folder, libc.so.6 alone, and
# small enough once stripped.
# Usage: check_gateway_elf.sh BINARY LIB_DIR MAX_STRIPPED_BYTES  (READELF and STRIP may name tools)
set -uo pipefail
binary=$1 lib_dir=$2 max_size=$3
readelf=${READELF:-readelf}
strip=${STRIP:-strip}
failed=0

expect() {  # expect WHAT ACTUAL WANTED
  if [ "$2" == "$3" ]; then
    echo "ok: $1: $2"
  else
    echo "FAILED: $1: got '$2', want '$3'"
    failed=1
  fi
}

header=$("$readelf" -h "$binary")
field() { sed -n "s/^ *$1: *//p" <<<"$header"; }
expect class "$(field Class)" ELF32
expect machine "$(field Machine)" ARM
expect "EABI version" "$(field Flags | grep -o 'Version5 EABI')" "Version5 EABI"
expect "float ABI" "$(field Flags | grep -o 'hard-float ABI')" "hard-float ABI"
expect "float arguments" "$("$readelf" -A "$binary" | sed -n 's/^ *Tag_ABI_VFP_args: //p')" \
  "VFP registers"
expect interpreter "$("$readelf" -l "$binary" | sed -n 's/.*program interpreter: \(.*\)]/\1/p')" \
  "$lib_dir/ld-linux-armhf.so.3"
dynamic=$("$readelf" -d "$binary")
expect "needed libraries" "$(sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' <<<"$dynamic" | paste -sd' ')" \
  libc.so.6
expect "run path" "$(sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p' <<<"$dynamic")" "$lib_dir"

stripped=$(mktemp)
trap 'rm -f "$stripped"' EXIT
"$strip" -o "$stripped" "$binary"
size=$(stat -c %s "$stripped")
if [ "$size" -le "$max_size" ]; then
  echo "ok: stripped size: $size bytes (at most $max_size)"
else
  echo "FAILED: stripped size: $size bytes, more than $max_size"
  failed=1
fi
newest=$("$readelf" -V "$binary" | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -1)
echo "newest C library symbol version needed: $newest"
exit $failed
