#!/bin/sh
# End to end: the tool through the real dbus-send and bus, against the stand-in configuration
# manager; run under scripts/gateway-bus, whose names it takes from the environment. The stored
# value is read back with get_config and compared as text. The case without a configuration
# manager needs a bus without one (gateway-bus --without-configmanager).
# Prints "N passed, N failed" last; exits 1 on any failure.
# Usage: end_to_end.sh [-c CASE] COMMAND...
only=
if [ "${1-}" = -c ]; then
	only=$2
	shift 2
fi
if [ $# -lt 1 ] || [ -z "${GATEWAY_BUS_ADDRESS-}" ]; then
	echo "usage: end_to_end.sh [-c CASE] COMMAND...   (under scripts/gateway-bus)" >&2
	exit 2
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/end_to_end.XXXXXX") || exit 2
trap 'rm -rf "$work"' EXIT
passed=0 failed=0 problems=

fail() { problems="$problems  $*
"; }
run() { "$@" >"$work/out" 2>"$work/err" </dev/null; status=$?; }
call() {
	run dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply=literal --dest="$CONFIGMANAGER_NAME" \
		"$CONFIGMANAGER_PATH" "$CONFIGMANAGER_INTERFACE.$1" string:"$DEVICE_LIST_KEY" ${2+"$2"}
}
stored() {
	call get_config
	sed 's/^ *//' "$work/out"
}
# has TEXT FILE: TEXT, line breaks included, stands somewhere in FILE.
has() {
	awk -v want="$1" 'BEGIN { RS = "\001" } index($0, want) { found = 1 } END { exit !found }' "$2" ||
		fail "$(basename "$2") lacks '$1': $(cat "$2")"
}
verdict() {
	if [ -z "$problems" ]; then
		echo "ok: $1"
		passed=$((passed + 1))
	else
		printf 'FAILED: %s\n%s' "$1" "$problems"
		failed=$((failed + 1))
	fi
	problems=
}

case=stored_list_holds_exactly_the_triples_of_the_file
if [ -z "$only" ] || [ "$only" = $case ]; then
	# A bus would refuse the whole list for the noncharacter U+FFFE; its line alone is left out.
	# shellcheck disable=SC2016  # the fields hold shell syntax, never to be run
	printf '%s\n' '# hall B' '[pk1,dev1,s1]' "[it's,say \"hi\",back\\slash]" \
		'[$(touch pwned),`id`;x, two  blanks ]' '[Grüße,温度,✓]' \
		"$(printf '[noncharacter,\357\277\276,x]')" 'not a triple' >"$work/devices.txt"
	run "$@" "$work/devices.txt"
	[ "$status" = 0 ] || fail "exit status $status: $(cat "$work/out" "$work/err")"
	has 'Line 6: get triple error: [noncharacter,' "$work/out"
	has 'Find 4 items.
method return' "$work/out"
	# shellcheck disable=SC2016
	want='[["pk1","dev1","s1"],["it'"'"'s","say \"hi\"","back\\slash"],["$(touch pwned)","`id`;x"," two  blanks "],["Grüße","温度","✓"]]'
	[ "$(stored)" = "$want" ] || fail "stored: $(stored), want $want"
	if [ -e pwned ] || [ -e "$work/pwned" ]; then fail "a field ran as a command"; fi
	verdict $case
fi

case=value_that_is_not_a_list_of_triples_is_refused
if [ -z "$only" ] || [ "$only" = $case ]; then
	printf '[a,b,c]\n' >"$work/devices.txt"
	run "$@" "$work/devices.txt"
	[ "$status" = 0 ] || fail "the first import: exit status $status"
	cp "$CONFIGMANAGER_STORE" "$work/store.before"
	for value in 'not json' '{}' '[["a","b"]]' '[["a","b",1]]' '["a","b","c"]'; do
		call set_config "string:$value"
		[ "$status" != 0 ] || fail "$value was taken"
		has "Error $CONFIGMANAGER_INTERFACE.Error.InvalidValue" "$work/err"
	done
	cmp -s "$work/store.before" "$CONFIGMANAGER_STORE" || fail "the store changed"
	[ "$(stored)" = '[["a","b","c"]]' ] || fail "stored: $(stored)"
	verdict $case
fi

case=import_fails_without_a_configuration_manager
if [ "$only" = $case ]; then
	printf '[a,b,c]\n' >"$work/devices.txt"
	run "$@" "$work/devices.txt"
	[ "$status" = 255 ] || fail "exit status $status, want 255"
	has 'Find 1 items.
Import command failed: status 1' "$work/out"
	has org.freedesktop.DBus.Error.ServiceUnknown "$work/err"
	verdict $case
fi

echo "$passed passed, $failed failed"
[ "$failed" = 0 ] && [ "$passed" -gt 0 ]
