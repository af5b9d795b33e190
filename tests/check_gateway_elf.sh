#!/usr/bin/env bash
# Checks that a triple_import binary is what every gateway can load: 32-bit ARM EABI5 for ARMv7
# with the hard-float calling convention, the gateway's loader and library folder, libc.so.6
# alone and nothing newer of it than GLIBC_2.4, the Linux 2.6.32 ABI note, hardened (full RELRO,
# fortified calls, the stack protector with a guard of its own, as hardening-check judges too) and
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
attributes=$("$readelf" -A "$binary")
tag() { sed -n "s/^ *$1: //p" <<<"$attributes"; }
expect "CPU architecture" "$(tag Tag_CPU_arch) $(tag Tag_CPU_arch_profile)" "v7 Application"
expect "float arguments" "$(tag Tag_ABI_VFP_args)" "VFP registers"
expect interpreter "$("$readelf" -l "$binary" | sed -n 's/.*program interpreter: \(.*\)]/\1/p')" \
  "$lib_dir/ld-linux-armhf.so.3"
dynamic=$("$readelf" -d "$binary")
expect "needed libraries" "$(sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' <<<"$dynamic" | paste -sd' ')" \
  libc.so.6
expect "run path" "$(sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p' <<<"$dynamic")" "$lib_dir"
has() { grep -qE "$1" && echo yes || echo no; }  # has PATTERN <TEXT
expect "immediate binding" "$(has '\((BIND_NOW|FLAGS)\).*BIND_NOW|\(BIND_NOW\)' <<<"$dynamic")" yes
expect "read-only relocations" "$("$readelf" -lW "$binary" | grep -c GNU_RELRO)" 1
expect "ABI note" "$("$readelf" -n "$binary" | sed -n 's/^ *OS: \(.*\)/\1/p')" \
  "Linux, ABI: 2.6.32"
dynamic_symbols=$("$readelf" --dyn-syms -W "$binary")
expect "fortified calls" "$(has '__[a-z0-9_]+_chk@' <<<"$dynamic_symbols")" yes
# The guard is the executable's own: glibc's lives in the loader, which is not to be needed.
expect "stack protector's check" "$(has ' __stack_chk_fail@GLIBC_2\.4' <<<"$dynamic_symbols")" yes
expect "stack protector's guard taken from a library" "$(has '__stack_chk_guard' <<<"$dynamic_symbols")" no
newest=$("$readelf" -V "$binary" | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -1)
# Every armhf glibc has GLIBC_2.4; anything newer shuts out the older gateways.
expect "newest C library version needed" "$(printf '%s\n' "$newest" GLIBC_2.4 | sort -V | tail -1)" \
  GLIBC_2.4
# Debian's own judge of the same (devscripts).
report=$(hardening-check "$binary" 2>/dev/null)
for feature in "Position Independent Executable" "Stack protected" "Fortify Source functions" \
  "Read-only relocations" "Immediate binding"; do
  expect "hardening-check: $feature" "$(sed -n "s/^ *$feature: \([a-z]*\).*/\1/p" <<<"$report")" yes
done

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
exit $failed
