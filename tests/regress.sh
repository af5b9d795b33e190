#!/bin/sh
# Runs the black-box cases of triple_import and triple_check: one file a case in tests/cases
# (HACKING.md says how one reads), with nothing but the binary and a POSIX sh, so that it also runs
# on a gateway beside the tool. COMMAND runs the tool: its path, or runner words before it, such
# as "qemu-arm -L ROOT build/armhf/triple_import"; triple_check is the program beside it. The last
# line is "N passed, N failed, N skipped"; exits 1 on any failure, 77 if it could only skip.
# shellcheck disable=SC2086  # words are split where a list of them is meant
usage='usage: regress.sh [-c CASE | -x CASE] [-d FOLDER] COMMAND...'
only='' except='' cases=$(cd "$(dirname "$0")" && pwd)/cases
while getopts c:x:d: option; do
	case $option in
	c) only=$OPTARG ;;
	x) except=$OPTARG ;;
	d) cases=$(cd "$OPTARG" && pwd) || exit 2 ;;
	*) echo "$usage" >&2 && exit 2 ;;
	esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { echo "$usage" >&2; exit 2; }

# The runner words, one a line, and the tool, the last word. The cases run in folders of their own,
# so words that name a file or folder here are made absolute.
nl='
'
runner_words=
while [ $# -gt 1 ]; do
	word=$1 && shift
	[ -n "$runner_words" ] || word=$(command -v "$word" || echo "$word")
	case $word in /*) ;; *) [ -e "$word" ] && word=$PWD/$word ;; esac
	runner_words=$runner_words$word$nl
done
case $1 in /*) tool=$1 ;; *) tool=$PWD/$1 ;; esac
checker=$(dirname "$tool")/triple_check
tool_dir=$(cd "$(dirname "$tool")" && pwd -P)
sandbox=$(cd "$(dirname "$0")/.." && pwd)/scripts/sandbox
work=$(mktemp -d "${TMPDIR:-/tmp}/regress.XXXXXX") || exit 2
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
passed=0 failed=0 skipped=0 statuses=$work/status

# dbus-send as the tool's shell finds it: records each call's words, a file each, and the files
# it was handed, and exits with $DBUS_SEND_STATUS. No byte that ISO 646's national variants take for
# letters, so that any sh reads it alike in any locale.
cat >"$work/dbus-send" <<'SH' && chmod +x "$work/dbus-send"
#!/bin/sh
sent=$(dirname "$0")/../sent count=0 n=1
mkdir -p "$sent" && while test -e "$sent/$n"; do n=$((n + 1)); done && call=$sent/$n && mkdir "$call"
for arg do count=$((count + 1)) && printf '%s' "$arg" >"$call/arg.$count"; done
for fd in /proc/$$/fd/*; do readlink "$fd"; done >"$call/files"
echo "dbus-send stand-in ran"
exit $((DBUS_SEND_STATUS + 0))
SH
words="--bus=unix:path=/tmp/var/run/mbusd/mbusd_socket --dest=iot.dmp.configmanager --print-reply
/iot/dmp/configmanager iot.dmp.configmanager.set_config string:gw_dimu_devicetuple"

# ---- What a case's command can call ----

# run_tool EXE [ARG...]: EXE through the runner words, after the words of $wrap (a sandbox, env),
# with the stand-in first on the PATH; its status is recorded in $statuses. A tool gone wrong may
# print without end: its files stop at 64 MiB (SIGXFSZ) rather than fill the disk.
run_tool() {
	(
		set -f && wrap=$(printf '%s\n' $wrap) && IFS=$nl && ulimit -f 131072 &&
			PATH=$work/bin:$PATH && exec $wrap $runner_words "$@"
	)
	set -- $?
	echo "$1" >>"$statuses"
	return "$1"
}
triple_import() { run_tool "$tool" "$@"; }
triple_check() { run_tool "$checker" "$@"; }
repeat() { printf "%$1s" '' | tr ' ' "$2"; }  # repeat N CHARACTER
devices() {  # devices N: N lines of the typical device, 67 bytes as a device entry
	awk -v n="$1" 'BEGIN { for (i = 0; i < n; i++)
		printf "[product_key_%06d,device_name_%06d,secret_0123456789abc]\n", i, i }'
}
# fits KIB EXE [ARG...]: whether EXE runs to status 0 within KIB of address space;
# least_space EXE [ARG...]: the least such space, to 64 KiB.
# shellcheck disable=SC3045  # dash's, BusyBox's and bash's ulimit all have -v
fits() { (limit=$1 statuses=/dev/null && shift && ulimit -v "$limit" && run_tool "$@") >/dev/null 2>&1; }
least_space() {
	fails=0 fits_at=1048576
	while [ $((fits_at - fails)) -gt 64 ]; do
		middle=$(((fails + fits_at) / 2))
		if fits "$middle" "$@"; then fits_at=$middle; else fails=$middle; fi
	done
	echo "$fits_at"
}
stored_list() {  # the device list as the configuration manager gives it back
	dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply=literal --dest="$CONFIGMANAGER_NAME" \
		"$CONFIGMANAGER_PATH" "$CONFIGMANAGER_INTERFACE.get_config" string:"$DEVICE_LIST_KEY" |
		awk '{ sub(/^ +/, ""); print }'
}

# ---- What a case can need: each prints why, where it cannot be had ----

need_no_emulator() { [ -z "$runner_words" ] || echo "no emulator, which has its own address space and names"; }
need_perl() { command -v perl >/dev/null || echo "perl, to call execve itself"; }
need_sandbox() { [ -x "$sandbox" ] || echo "scripts/sandbox beside tests/ to make a private root"; }
# Address space bounds nothing where AddressSanitizer's shadow takes most of it (at 32 bits ASan
# starts within 1 GiB, then hangs when its own allocations fail).
need_own_address_space() {
	need_no_emulator
	! grep -q __asan_init "$tool" || echo "a build without AddressSanitizer"
	[ -n "$runner_words" ] || fits 1048576 "$checker" --version || echo "programs that start within 1 GiB"
}
need_32_bit_build() { [ "$(od -An -tu1 -j4 -N1 "$tool" | tr -d ' ')" = 1 ] || echo "a 32-bit build"; }
need_strace() { strace -o /dev/null true 2>/dev/null || echo "strace, allowed to trace here"; }
need_iconv() { command -v iconv >/dev/null || echo iconv; }
need_dev_full() { [ -w /dev/full ] || echo "/dev/full"; }
need_env_ignore_signal() { env --ignore-signal=CHLD true 2>/dev/null || echo "env --ignore-signal (coreutils 8.31 or later)"; }
# The real dbus-send then takes the stand-in's place.
need_gateway_bus() { need_bus_with; }
need_gateway_bus_without_manager() { need_bus_with without; }
need_bus_with() {
	if [ -z "${GATEWAY_BUS_ADDRESS-}" ]; then echo "a gateway bus: run it under scripts/gateway-bus"
	elif [ "${1-}" != "${GATEWAY_BUS_WITHOUT_CONFIGMANAGER:+without}" ]; then
		echo "a bus ${1:-with} the configuration manager"
	else rm -f "$work/bin/dbus-send"
	fi
}

# ---- The case file: its sections, its bytes, and what a failure shows ----

# Splits a case file into $work/part.N, each the printf format of a section's bytes ({xHH}, {dir}
# and {tool} decoded), and prints a line a section: N, then the section's marker line.
split_case() {
	LC_ALL=C awk -v dir="$tool_dir" -v tool="$tool" -v parts="$work/part." -v digits=0123456789abcdef '
		function esc(s, out, c, i) {
			for (i = 1; i <= length(s); i++) out = out ((c = substr(s, i, 1)) == "\\" ? "\\\\" : c == "%" ? "%%" : c)
			return out
		}
		function decode(s, out, hex) {
			s = esc(s)
			gsub(/[{]dir[}]/, esc(dir), s); gsub(/[{]tool[}]/, esc(tool), s)
			while (match(s, /[{]x[0-9a-f][0-9a-f][}]/)) {
				hex = index(digits, substr(s, RSTART + 2, 1)) * 16 + index(digits, substr(s, RSTART + 3, 1)) - 17
				out = out substr(s, 1, RSTART - 1) sprintf("\\%03o", hex)
				s = substr(s, RSTART + RLENGTH)
			}
			return out s
		}
		function flush() { if (n) printf "%s", text > (parts n); close(parts n) }
		/^--- / {  # a marker line ending in a backslash goes on on the next line, as in sh
			flush(); n++; text = ""; head = $0
			while (head ~ /\\$/ && (getline line) > 0) head = substr(head, 1, length(head) - 1) line
			print n, head; next
		}
		/^\\ No newline at end of file$/ { sub(/\\n$/, "", text); next }
		n { text = text decode($0) "\\n" }
		END { flush() }' "$1"
}
# shellcheck disable=SC2059  # the part is a printf format that split_case made
part() { [ ! -e "$work/part.$1" ] || printf "$(cat "$work/part.$1")"; }  # part N: its bytes
# Shows a file as the cases are written: {xHH} for each byte but printable ASCII, tabs, line
# breaks and the UTF-8 characters that an editor shows (not C1 controls, U+00A0, Unicode's
# default-ignorable characters, line and paragraph separators, or noncharacters).
show() {
	od -An -v -to1 "$1" | LC_ALL=C awk '
		{ for (i = 1; i <= NF; i++) b[n++] = substr($i, 1, 1) * 64 + substr($i, 2, 1) * 8 + substr($i, 3, 1) }
		function hidden(c, i, range) {  # C1 and U+00A0, default-ignorable, line separators, noncharacters
			if (c <= 160 || (c >= 8232 && c <= 8238) || (c >= 64976 && c <= 65007) || c % 65536 >= 65534) return 1
			for (i = split("173 847 1564 4447-4448 6068-6069 6155-6159 8203-8207 8288-8303 12644 65024-65039 " \
				"65279 65440 65520-65528 113824-113827 119155-119162 917504-921599", range, " "); i > 0; i--)
				if (c >= range[i] + 0 && c <= (range[i] ~ /-/ ? substr(range[i], index(range[i], "-") + 1) : range[i]) + 0) return 1
			return 0
		}
		END {
			for (i = 0; i < n; i += k) {
				c = b[i]; k = 1
				if (c >= 194 && c <= 244) {
					k = c < 224 ? 2 : c < 240 ? 3 : 4
					lo = c == 224 ? 160 : c == 240 ? 144 : 128; hi = c == 237 ? 159 : c == 244 ? 143 : 191
					cp = c % (k == 2 ? 32 : k == 3 ? 16 : 8)
					for (j = 1; j < k && i + j < n && b[i + j] >= lo && b[i + j] <= hi; j++) {
						cp = cp * 64 + b[i + j] % 64; lo = 128; hi = 191
					}
					if (j < k || hidden(cp)) k = j < k ? 1 : k
					else { for (j = 0; j < k; j++) printf "%c", b[i + j]; continue }
				}
				for (j = i; j < i + k; j++)
					if (b[j] == 9 || b[j] == 10 || (b[j] >= 32 && b[j] < 127)) printf "%c", b[j]
					else printf "{x%02x}", b[j]
			}
		}'
}
# expect WHAT WANT GOT: whether two files are the same bytes; where not, the difference.
expect() {
	cmp -s "$2" "$3" && return
	show "$2" >"$2.shown" && show "$3" >"$3.shown"
	problems="$problems$1, as expected (-) and as it came (+):$nl$(diff -u "$2.shown" "$3.shown" | sed 1,2d)$nl"
}

# expect_sent: a set_config call a line of the wanted lists, each with the fixed words and the
# list, none with a descriptor of the case's files inherited, and no other call.
expect_sent() {
	call=0
	while IFS= read -r list; do
		call=$((call + 1)) i=0 && printf '%s\n' $words "string:$list" >"$work/want.call"
		while i=$((i + 1)) && [ -e "$work/sent/$call/arg.$i" ]; do cat "$work/sent/$call/arg.$i" && echo; done >"$work/call"
		expect "the words of call $call" "$work/want.call" "$work/call"
		! grep -qsF "$work/box/" "$work/sent/$call/files" || problems="${problems}dbus-send inherited a file of the case$nl"
	done <"$work/want.sent"
	[ ! -e "$work/sent/$((call + 1))" ] || problems="${problems}dbus-send ran more than $call times$nl"
}

# run_case FILE: sets up the case's folder, runs its command, compares.
run_case() {
	name=$(basename "$1" .t) problems='' command='' wrap=''
	rm -rf "${work:?}/box" "${work:?}/bin" "$work/sent" "$work"/part.* "$work"/want.* && mkdir "$work/box" "$work/bin" &&
		cp "$work/dbus-send" "$work/bin/" && cd "$work/box" && : >"$work/want.err" && : >"$work/want.status" &&
		: >"$work/want.sent" && : >"$work/status" || exit 2
	sections=$(split_case "$1")
	while read -r n marker rest; do
		set -f && set -- $rest && set +f
		case $marker:${1-} in
		---:needs)
			shift && for need do
				why=$(need_"$need")
				if [ -n "$why" ]; then echo "SKIP: $name: needs $why" && skipped=$((skipped + 1)) && return; fi
			done ;;
		---:\$) command=${rest#\$ } && part "$n" >"$work/want.out" ;;
		---:stderr) part "$n" >"$work/want.err" ;;
		---:status) shift && echo "$*" | tr ' ' '\n' >"$work/want.status" ;;
		---:sent) part "$n" >"$work/want.sent" ;;
		---:sent:) (eval "${rest#*: }") </dev/null >"$work/want.sent" ;;
		---:*:) (eval "${rest#*: }") </dev/null >"${1%:}" ;;
		---:*) part "$n" >"$1" ;;
		esac
	done <<EOF
$sections
EOF
	(eval "$command") </dev/null >"$work/out" 2>"$work/err"
	expect "standard output" "$work/want.out" "$work/out"
	expect "standard error" "$work/want.err" "$work/err"
	expect "exit statuses" "$work/want.status" "$work/status"
	expect_sent
	[ ! -e "$work/box/pwned" ] || problems="${problems}a field ran as a command$nl"
	if [ -z "$problems" ]; then echo "ok: $name" && passed=$((passed + 1))
	else printf 'FAILED: %s\n%s' "$name" "$problems" && failed=$((failed + 1))
	fi
}

for case_file in "$cases"/*.t; do
	name=$(basename "$case_file" .t)
	[ "${only:-$name}" = "$name" ] && [ "$except" != "$name" ] && run_case "$case_file"
done
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ] || exit 1
# A run whose every case was skipped is a skip (77); one that ran no case at all, a mistake.
[ "$passed" -gt 0 ] || exit $((skipped > 0 ? 77 : 1))
