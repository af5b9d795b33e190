#!/usr/bin/env bash
# An integrator's release build needs a compiler and CMake alone: a configure with the gateway's
# toolchain file and no option at all looks for no package and no program beyond the compiler and
# its own tools (CMake's trace shows every lookup), and builds the tool and its packages. The SDK
# preset without an SDK fails at configure and says what to source.
# Usage: check_release_build.sh SOURCE_DIR
set -uo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
check() {  # check WHAT COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi
}

release=$work/release
cmake -S "$source" -B "$release" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/armhf-gateway.cmake" --trace-expand \
  --trace-redirect="$work/trace" >"$work/configure.log" 2>&1
check "release configure succeeds" [ $? = 0 ]
# The compiler's own tools are found as CMAKE_<TOOL>; anything else would be a dependency.
grep -E '^/[^(]*\([0-9]+\): +(find_package|find_program|find_path|find_library|pkg_check_modules)\(' \
  "$work/trace" | grep -vE ': +find_program\((_?CMAKE_[A-Z0-9_]+|gateway_cxx) ' >"$work/lookups"
check "no test dependency or emulator looked for" [ ! -s "$work/lookups" ]
sed 's/^/  /' "$work/lookups"
# shellcheck disable=SC2317  # called through check, which shellcheck does not follow
quietly() { "$@" >/dev/null; }
check "the tool builds" quietly cmake --build "$release"
check "its packages build" quietly cpack --config "$release/CPackConfig.cmake" -B "$release/packages"

env -u OE_CMAKE_TOOLCHAIN_FILE -u CMAKE_TOOLCHAIN_FILE cmake -S "$source" --preset armhf-sdk -B "$work/sdk" \
  >"$work/sdk.log" 2>&1
check "armhf-sdk without an SDK fails" [ $? != 0 ]
check "and says what to source" grep -qi "source the gateway SDK's environment script" "$work/sdk.log"
exit $failed
