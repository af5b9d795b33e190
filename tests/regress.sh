#!/bin/sh
# Regress tests of triple_import that need only the binary and a POSIX sh (dash, BusyBox's sh),
# so that they also run on a gateway next to the tool. COMMAND runs the tool: its path, or runner
# words before it, such as "qemu-arm -L ROOT build/armhf/triple_import". A recording dbus-send
# stands first on the PATH. Every case checks standard output byte for byte, the exit status, the
# exact words sent (or that none were) and an empty standard error, unless it says otherwise. The
# last line is "N passed, N failed, N skipped"; exits 1 on any failure, 77 if it could only skip.
# shellcheck disable=SC2059  # texts are given in printf's notation, as formats
usage='usage: regress.sh [-c CASE | -x CASE] COMMAND...'  # -c: that case alone; -x: all but it
only='' except=''
case ${1-} in -c) only=${2-} ;; -x) except=${2-} ;; esac
case ${1-} in -c | -x) if [ $# -ge 3 ]; then shift 2; else set --; fi ;; esac
[ $# -ge 1 ] || { echo "$usage" >&2; exit 2; }

# The runner words, quoted for eval, and the tool, the last word. The cases run in folders of
# their own, so words that name a file or folder here are made absolute.
quote() { printf "'%s' " "$(printf '%s' "$1" | sed "s/'/'\"'\"'/g")"; }
runner=
while [ $# -gt 1 ]; do
	word=$1
	if [ -z "$runner" ]; then word=$(command -v "$1" || echo "$1")
	elif [ -e "$1" ]; then case $1 in /*) ;; *) word=$PWD/$1 ;; esac
	fi
	runner="$runner$(quote "$word")" && shift
done
case $1 in /*) tool=$1 ;; *) tool=$PWD/$1 ;; esac
tool_dir=$(cd "$(dirname "$tool")" && pwd -P)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/regress.XXXXXX") || exit 2
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
passed=0 failed=0 skipped=0

# dbus-send as the tool's shell finds it: writes each word to a file of its own, and none of the
# bytes that ISO 646's national variants take for letters, so any sh reads it alike in any locale.
cat >"$work/dbus-send" <<'SH'
#!/bin/sh
here=$(dirname "$0")/.. count=0
echo call >>"$here/dbus_calls"
echo $# >"$here/dbus_argc"
for arg do count=$((count + 1)) && printf '%s' "$arg" >"$here/dbus_arg.$count"; done
for fd in /proc/$$/fd/*; do readlink "$fd"; done >"$here/dbus_files"
echo "dbus-send stand-in ran"
status=0
test -e "$here/dbus_status" && status=$(cat "$here/dbus_status")
exit "$status"
SH
chmod +x "$work/dbus-send"
box=$work/box
words="--bus=unix:path=/tmp/var/run/mbusd/mbusd_socket --dest=iot.dmp.configmanager --print-reply
/iot/dmp/configmanager iot.dmp.configmanager.set_config string:gw_dimu_devicetuple"

# begin NAME: whether the case is to run; starts it with an empty folder of its own.
begin() {
	[ "${only:-$1}" = "$1" ] && [ "$except" != "$1" ] || return 1
	name=$1 problems='' allow_err='' before='' search='' stdin=/dev/null
	rm -rf "$box" && mkdir -p "$box/bin" && cp "$work/dbus-send" "$box/bin/" && cd "$box" || exit 2
}
fail() { problems="$problems  $*
"; }
skip() { echo "SKIP: $name: $*" && skipped=$((skipped + 1)); }
# needs WHAT COMMAND...: whether COMMAND succeeds; where not, the case is skipped as needing WHAT.
needs() { why=$1 && shift; "$@" >/dev/null 2>&1 || { skip "needs $why" && return 1; }; }
end() {
	[ -n "$allow_err" ] || [ ! -s "$box/err" ] || fail "standard error: $(cat "$box/err")"
	if [ -z "$problems" ]; then echo "ok: $name" && passed=$((passed + 1))
	else printf 'FAILED: %s\n%s' "$name" "$problems" && failed=$((failed + 1))
	fi
}
run() { run_tool "$tool" "$@"; }  # run [ARG...]: the tool, in the case's folder
# run_tool EXE [ARG...]: EXE through the runner words, after the words in $before (quoted for eval:
# a sandbox, env), with $search as its PATH (by default the stand-in's folder first) and $stdin as
# its standard input. A tool gone
# wrong may print without end: its files stop at 64 MiB (SIGXFSZ) rather than fill the disk.
run_tool() {
	# shellcheck disable=SC2034  # used by the eval
	exe=$1 && shift
	(ulimit -f 131072 && PATH=${search:-$box/bin:$PATH} && eval "exec $before $runner \"\$exe\" \"\$@\"") \
		<"$stdin" >"$box/out" 2>"$box/err"
	status=$?
}
file() { printf "$2" >"$box/$1"; }
expect_status() { [ "$status" = "$1" ] || fail "exit status $status, want $1"; }
expect_out() {  # expect_out FORMAT [ARGUMENT...]: the whole standard output, byte for byte
	printf "$@" >"$box/want"
	cmp -s "$box/want" "$box/out" || fail "standard output:
$(sed -n l "$box/out")
  want:
$(sed -n l "$box/want")"
}
expect_out_has() {
	printf "$1" >"$box/want"
	awk -v want="$(cat "$box/want")" 'BEGIN { RS = "\001" } index($0, want) { found = 1 } END { exit !found }' \
		"$box/out" || fail "standard output lacks $(sed -n l "$box/want"): $(sed -n l "$box/out")"
}
expect_nothing_sent() { [ ! -e "$box/dbus_calls" ] || fail "dbus-send ran"; }
# expect_sent LIST: one set_config call with the fixed words and the device list LIST, and no
# descriptor of the triple file inherited.
expect_sent() {
	[ "$(cat "$box/dbus_calls" 2>/dev/null)" = call ] || { fail "not one dbus-send call"; return; }
	[ "$(cat "$box/dbus_argc")" = 7 ] || fail "dbus-send got $(cat "$box/dbus_argc") words, want 7"
	i=0
	for word in $words; do
		i=$((i + 1))
		[ "$(cat "$box/dbus_arg.$i")" = "$word" ] || fail "word $i: $(cat "$box/dbus_arg.$i")"
	done
	printf 'string:%s' "$1" >"$box/want"
	cmp -s "$box/want" "$box/dbus_arg.7" ||
		fail "sent: $(sed -n l "$box/dbus_arg.7"), want $(sed -n l "$box/want")"
	! grep -q devices.txt "$box/dbus_files" || fail "dbus-send inherited the triple file"
}
current_dir="Current Dir = $tool_dir \n"

# --- the table: NAME|ARGUMENT|FILE|MESSAGES|STATUS|LIST, FILE written as devices.txt, MESSAGES
# after the Current Dir line and with %s for the tool, all in printf's notation; LIST - for none ---

while IFS='|' read -r row argument f messages want list; do
	begin "$row" || continue
	file devices.txt "$f"
	run "$argument"
	expect_out "$current_dir$messages" "$tool"
	expect_status "$want"
	if [ "$list" = - ]; then expect_nothing_sent; else expect_sent "$(printf "$list")"; fi
	[ ! -e "$box/pwned" ] || fail "a field ran as a command"
	end
done <<'ROWS'
empty_file_sends_nothing|devices.txt||Find 0 items.\n|255|-
only_comments_send_nothing|devices.txt|# only a comment\n|Find 0 items.\n|255|-
only_rejected_lines_send_nothing|devices.txt|# c\nno brackets\n[a,b]\n|Line 2 format error: no brackets\n \nLine 3: get triple error: [a,b]\n \nFind 0 items.\n|255|-
typical_file_sends_its_triples_in_order|devices.txt|# gateway 7\n[pk1,dev1,s1]\nno brackets\n[pk2,dev2,s2]\n|Import device: [pk1 dev1 s1] \nLine 3 format error: no brackets\n \nImport device: [pk2 dev2 s2] \nFind 2 items.\ndbus-send stand-in ran\n|0|[["pk1","dev1","s1"],["pk2","dev2","s2"]]
fields_reach_the_list_byte_for_byte|devices.txt|[it's,say "hi",back\\slash]\n[$(touch pwned),`touch pwned`,a;touch pwned]\n[' ; touch pwned; ',"'",x'"'"y]\n[ blank , Grüße ,温度 ✓]\r\n[tab\there,dup,dup]\n[tab\there,dup,dup]\n[a,b,open to the end\r\n|Import device: [it's say "hi" back\\slash] \nImport device: [$(touch pwned) `touch pwned` a;touch pwned] \nImport device: [' ; touch pwned; ' "'" x'"'"y] \nImport device: [ blank   Grüße  温度 ✓] \nImport device: [tab\there dup dup] \nImport device: [tab\there dup dup] \nImport device: [a b open to the end] \nFind 7 items.\ndbus-send stand-in ran\n|0|[["it's","say \\"hi\\"","back\\\\slash"],["$(touch pwned)","`touch pwned`","a;touch pwned"],["' ; touch pwned; '","\\"'\\"","x'\\"'\\"y"],[" blank "," Grüße ","温度 ✓"],["tab\\there","dup","dup"],["tab\\there","dup","dup"],["a","b","open to the end"]]
quote_in_a_field_never_ends_the_shell_word|devices.txt|[a,b,c';touch pwned;: ']\n['',x'y,\\'\\]\n|Import device: [a b c';touch pwned;: '] \nImport device: ['' x'y \\'\\] \nFind 2 items.\ndbus-send stand-in ran\n|0|[["a","b","c';touch pwned;: '"],["''","x'y","\\\\'\\\\"]]
unopenable_file_is_reported_without_line_break|no/such/file.txt||%s: Unable to open no/such/file.txt|255|-
read_error_sends_nothing|.||Line 1 read error.\nFind 0 items.\n|255|-
ROWS

# --- triple_check, beside the tool: NAME|FILE|FINDINGS|STATUS; the file is f.txt ---

checker=$(dirname "$tool")/triple_check
while IFS='|' read -r row f findings want; do
	begin "check_$row" || continue
	file f.txt "$f"
	run_tool "$checker" f.txt
	expect_out "$findings"
	expect_status "$want"
	expect_nothing_sent
	end
done <<'ROWS'
clean_file_gives_only_its_summary|[a,b,c]\n|f.txt: 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width\n|0
blanks_at_the_edges_of_fields|[pk-1, dev-1 ,secret ]\n|f.txt:1: warning: field 2 starts with a blank\nf.txt:1: warning: field 2 ends with a blank\nf.txt:1: warning: field 3 ends with a blank\nf.txt: 1 device, 0 refused lines, 3 warnings; the import command takes 225 of 131071 bytes, room for about 4511 more devices of this file's average width\n|1
byte_order_mark_before_a_comment|\357\273\277# hall B\n[a,b,c]\n|f.txt:1: error: a byte-order mark stands before the '#', so this comment is a line without '['\nf.txt: 1 device, 1 refused line, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width\n|1
byte_order_mark_before_a_comment_with_a_triple|\357\273\277# hall B [a,b,c]\n|f.txt:1: warning: a byte-order mark stands before the '#', so this comment is read as a line with '['\nf.txt: 1 device, 0 refused lines, 1 warning; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width\n|1
byte_order_mark_alone_starts_the_file|\357\273\277[a,b,c]\n|f.txt:1: warning: the file starts with a UTF-8 byte-order mark\nf.txt: 1 device, 0 refused lines, 1 warning; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width\n|1
stored_but_likely_mistakes|["a",b,c]\n[a,b,c,d]\n[a,b,c] spare\n[a\tb,c,d]\n[\tx,y\302\240,z]\n[p,\302\205q,r\342\200\256s\001]\n \t# [m,n,o]\n\357\273\277[g,h,i]\n[j,k,l]\000 [d,e,f] spare\n[t,u,open\n[v,w,cut|f.txt:1: warning: field 1 is in double quotes, which are stored with it\nf.txt:2: warning: field 3 holds a ',', stored as part of it: a fourth field?\nf.txt:3: warning: text after the ']' is ignored\nf.txt:3: warning: the same fields 1 and 2 as line 2, with another field 3\nf.txt:4: warning: field 1 holds the control byte 0x09 at its byte 2\nf.txt:5: warning: field 1 starts with a tab\nf.txt:5: warning: field 2 ends with a no-break space\nf.txt:6: warning: field 2 holds the C1 control U+0085 at its byte 1, invisible yet stored\nf.txt:6: warning: field 3 holds the bidirectional control U+202E at its byte 2, invisible yet stored\nf.txt:6: warning: field 3 holds the control byte 0x01 at its byte 6\nf.txt:7: warning: blanks stand before the '#', so this comment is read as a line with '['\nf.txt:8: warning: a UTF-8 byte-order mark starts the line: were files joined?\nf.txt:9: warning: text after the ']' is ignored, behind a NUL byte\nf.txt:10: warning: field 3 has no ']': it runs to the end of the line\nf.txt:11: warning: field 3 has no ']' and the file ends without a line break: was it cut short?\nf.txt: 11 devices, 0 refused lines, 15 warnings; the import command takes 380 of 131071 bytes, room for about 7687 more devices of this file's average width\n|1
duplicates_name_the_line_they_repeat|[a,b,X1]\n[a,b,Y2]\n[a,b,Y2]\n[a,b,X1]\n[a,c,Y2]\n|f.txt:2: warning: the same fields 1 and 2 as line 1, with another field 3\nf.txt:3: warning: the same device as line 2, stored twice\nf.txt:4: warning: the same device as line 1, stored twice\nf.txt: 5 devices, 0 refused lines, 3 warnings; the import command takes 271 of 131071 bytes, room for about 8720 more devices of this file's average width\n|1
every_cause_of_a_refusal|no #bracket\n\n\000[a,b,c]\n[a,b]\n[a,,c]\n[a,b,c\000d\n[\377,b,c]\n[a,x\357\277\276,c]\n[a,%256s,c]\n\r\na;b;c\na\tb\tc\n[a;b;c]\n \t# note\nx\000[a,b,c]\n[a\000,b,c]\n\357\273\277# [a,b]\n|f.txt:1: error: no '[' in the line\nf.txt:2: error: the line is empty: triple_import reports it, and it can be deleted\nf.txt:3: error: the line starts with a NUL byte (a UTF-16 file?)\nf.txt:4: error: field 3 is missing: the line ends before a second ','\nf.txt:5: error: field 2 is empty\nf.txt:6: error: field 3 has no ']' and runs into a NUL byte\nf.txt:7: error: field 1 is not UTF-8 at its byte 1 (0xff)\nf.txt:8: error: field 2 holds the noncharacter U+FFFE at its byte 2, which a bus may refuse with the whole list\nf.txt:9: error: field 2 has 256 bytes, more than the 255 that a field holds\nf.txt:10: error: the line is empty: triple_import reports it, and it can be deleted\nf.txt:11: error: no '[' in the line, whose fields are separated by ';': a device is written [field1,field2,field3]\nf.txt:12: error: no '[' in the line, whose fields are separated by tabs: a device is written [field1,field2,field3]\nf.txt:13: error: field 2 is missing: the fields are separated by ';', not ','\nf.txt:14: error: blanks stand before the '#', so this comment is a line without '['\nf.txt:15: error: no '[' before the NUL byte at byte 2, which hides the rest of the line\nf.txt:16: error: field 2 is missing: the NUL byte at byte 3 hides the rest of the line\nf.txt:17: error: a byte-order mark stands before the '#', so this comment is read as a line with '['\nf.txt: error: no device triple: triple_import would send nothing\nf.txt: 0 devices, 17 refused lines, 0 warnings\n|1
utf16_file_is_named_once_as_the_cause|\377\376[\000a\000,\000b\000,\000c\000]\000\n\000[\000d\000|f.txt:1: error: the file is UTF-16 (it starts with a UTF-16 byte-order mark), which triple_import reads byte by byte: save it as UTF-8\nf.txt: error: no device triple: triple_import would send nothing\nf.txt: 0 devices, 2 refused lines, 0 warnings\n|1
utf16_without_its_mark|\000[\000a\000,\000b\000,\000c\000]\000\n|f.txt:1: error: the file is UTF-16 (NUL bytes stand between its ASCII bytes), which triple_import reads byte by byte: save it as UTF-8\nf.txt: error: no device triple: triple_import would send nothing\nf.txt: 0 devices, 1 refused line, 0 warnings\n|1
no_device_at_all|# only a comment\n|f.txt: error: no device triple: triple_import would send nothing\nf.txt: 0 devices, 0 refused lines, 0 warnings\n|1
ROWS

# --- named cases ---

if begin wrong_argument_count_prints_usage_and_succeeds; then
	for args in "" "a b"; do
		# shellcheck disable=SC2086  # the arguments, split
		run $args
		expect_out 'Usage: %s devices_triple.txt\n' "$tool"
		expect_status 0
	done
	expect_nothing_sent
	end
fi

# execve with no argument vector at all, which Linux turns into one empty argument.
case $(uname -m) in x86_64) execve=59 ;; i?86 | arm*) execve=11 ;; aarch64) execve=221 ;; *) execve= ;; esac
command -v perl >/dev/null || execve=
if begin empty_argument_vector_uses_the_tool_name &&
	needs "no emulator: it always passes a program name" [ -z "$runner" ] &&
	needs "perl on a known processor to call execve itself" [ -n "$execve" ]; then
	perl -e 'syscall($ARGV[0], $ARGV[1], 0, 0); exit 126' "$execve" "$tool" >out 2>err
	status=$?
	expect_out 'Usage: triple_import devices_triple.txt\n'
	expect_status 0
	end
fi

# A root of the case's own, with every entry of the real one bound in.
sandbox=$here/../scripts/sandbox
if begin executable_in_the_root_directory_reports_an_empty_directory &&
	needs "scripts/sandbox beside this script to make a private root" [ -x "$sandbox" ]; then
	mkdir root && cp "$tool" root/triple_import
	before="$(quote "$sandbox")--root $(quote "$box/root")--"
	run_tool /triple_import missing.txt
	if [ "$status" = 77 ]; then skip "$(cat err)"
	else
		expect_out 'Current Dir =  \n/triple_import: Unable to open missing.txt'
		expect_status 255
		end
	fi
fi

# fits LIMIT EXE [ARG...]: whether EXE runs to status 0 within LIMIT KiB of address space.
# shellcheck disable=SC3045  # dash's, BusyBox's and bash's ulimit all have -v
fits() { limit=$1 && shift && (ulimit -v "$limit" && run_tool "$@" && exit "$status"); }
# least_space EXE [ARG...]: the least address space, to 64 KiB, in which EXE runs to status 0.
least_space() {
	fails=0 fits_at=1048576
	while [ $((fits_at - fails)) -gt 64 ]; do
		middle=$(((fails + fits_at) / 2))
		if fits "$middle" "$@"; then fits_at=$middle; else fails=$middle; fi
	done
	echo "$fits_at"
}
# Address space bounds nothing where an emulator or AddressSanitizer's shadow takes most of it
# (at 32 bits ASan starts within 1 GiB, then hangs when its own allocations fail).
unsanitized() { ! grep -q __asan_init "$tool"; }
own_address_space() {
	needs "no emulator: it needs address space of its own" [ -z "$runner" ] &&
		needs "a build without AddressSanitizer" unsanitized
}

# Where the tool just starts and prints its usage line, the 2 MiB command buffer cannot fit.
if begin command_buffer_that_cannot_be_had_fails_the_run && own_address_space &&
	needs "a tool that starts within 1 GiB of address space" fits 1048576 "$tool"; then
	starts_at=$(least_space "$tool")
	file devices.txt '[a,b,c]\n'
	# shellcheck disable=SC3045
	(ulimit -v "$starts_at" && run "$box/devices.txt" && exit "$status")
	status=$?
	expect_out 'cmd malloc 2MB failed.\n'
	expect_status 255
	expect_nothing_sent
	end
fi

if begin executable_beyond_the_lookups_reach_fails_the_run; then
	# Its folder is longer than the 4,096 bytes that the lookup takes: 21 steps of 200 bytes, made
	# and run from the tenth, as no single path may be that long.
	file devices.txt '[a,b,c]\n'
	step=$(printf '%200s' '' | tr ' ' d)
	half=$step/$step/$step/$step/$step/$step/$step/$step/$step/$step
	(
		mkdir -p "$half" && cd "$half" && mkdir -p "$half/$step" && cp "$tool" "$half/$step/" &&
			run_tool "./$half/$step/$(basename "$tool")" "$box/devices.txt"
		echo "$status" >"$box/status"
	)
	status=$(cat status)
	expect_out 'readlink /proc/self/exe failed.\n'
	expect_status 255
	expect_nothing_sent
	# A sanitizer's runtime cannot read the link either, and says so.
	sed -i '/reading executable name failed/d' err
	end
fi

if begin failed_command_fails_the_run; then
	file devices.txt '[a,b,c]\n'
	echo 3 >dbus_status
	run "$box/devices.txt"
	expect_out "${current_dir}Import device: [a b c] \nFind 1 items.\ndbus-send stand-in ran\nImport command failed: status 3\n"
	expect_status 255
	# With no dbus-send on the search path the shell answers 127, and says so.
	search=$box/empty run "$box/devices.txt"
	expect_out_has 'Find 1 items.\nImport command failed: status 127\n'
	expect_status 255
	allow_err=yes
	end
fi

# Such a parent leaves SIGCHLD ignored, and the kernel would then reap the shell by itself.
if begin parent_that_ignores_children_gets_the_commands_own_result &&
	needs "env --ignore-signal (GNU coreutils 8.31 or later)" env --ignore-signal=CHLD true; then
	file devices.txt '[a,b,c]\n'
	for dbus_status in 0 3; do
		echo "$dbus_status" >dbus_status
		rm -f dbus_calls
		before='env --ignore-signal=CHLD' run devices.txt
		if [ "$dbus_status" = 0 ]; then expect_status 0; else expect_status 255; fi
		[ "$(cat dbus_calls)" = call ] || fail "dbus-send did not run once"
	done
	end
fi

# The typical device of the command's limit: 67 characters as a device entry. With 1,953 of them
# the last line [xxxxxxxxxxx,y,z] makes a command of exactly 131,071 bytes, the most that the
# shell can be given.
devices() {
	awk -v n="$1" 'BEGIN { for (i = 0; i < n; i++)
		printf "[product_key_%06d,device_name_%06d,secret_0123456789abc]\n", i, i }'
}

if begin largest_list_is_sent_whole; then
	devices 1953 >devices.txt && echo '[xxxxxxxxxxx,y,z]' >>devices.txt
	run "$box/devices.txt"
	expect_status 0
	expect_sent "[$(awk -F '[][,]' '{ printf "%s[\"%s\",\"%s\",\"%s\"]", (NR > 1 ? "," : ""), $2, $3, $4 }' devices.txt)]"
	end
fi

if begin too_large_list_is_refused_whole; then
	for last in '[xxxxxxxxxxx,y,zz]:131072' '[product_key_001953,device_name_001953,secret_0123456789abc]:131114'; do
		devices 1953 >devices.txt && echo "${last%:*}" >>devices.txt
		run "$box/devices.txt"
		printf 'Find 1954 items.\nDevice list too large: %s bytes, at most 131071.\n' "${last##*:}" >want
		[ "$(tail -n 2 out)" = "$(cat want)" ] || fail "output ends in $(tail -n 2 out)"
		expect_status 255
		expect_nothing_sent
	done
	end
fi

# 2,200,000 lines of 506 single quotes, each written as 5 bytes, make a command of 5,590,200,196
# bytes: past what a 32-bit size_t counts. Streamed, so nothing lands on disk.
if begin list_past_four_gibibytes_from_a_pipe_is_measured_exactly &&
	needs "a 32-bit build: it proves a 32-bit size_t" [ "$(od -An -tu1 -j4 -N1 "$tool" | tr -d ' ')" = 1 ]; then
	q169=$(printf '%169s' '' | tr ' ' "'") q168=$(printf '%168s' '' | tr ' ' "'")
	yes "[$q169,$q169,$q168]" | head -n 2200000 | {
		(eval "PATH=\"\$box/bin:\$PATH\" exec $runner \"\$tool\" /dev/stdin") 2>err
		echo $? >status
	} | awk -v imported="Import device: [$q169 $q169 $q168] " '
		$0 == imported { imports++; next }
		others < 8 { print NR - 1 ": " $0; others++ }
		END { print "imports: " imports }' >out
	status=$(cat status)
	expect_out "0: ${current_dir}2200001: Find 2200000 items.\n2200002: Device list too large: 5590200196 bytes, at most 131071.\nimports: 2200000\n"
	expect_status 255
	expect_nothing_sent
	end
fi

if begin check_long_lines_are_numbered_as_the_tool_numbers_them; then
	# 554 bytes, fields of 200, 200 and 150 bytes: each under the limit, yet the line is cut. Then
	# a comment of 510 bytes with CRLF: its LF alone is the next read.
	a=$(printf '%200s' '' | tr ' ' a) b=$(printf '%200s' '' | tr ' ' b) c=$(printf '%150s' '' | tr ' ' c)
	printf '[%s,%s,%s]\n[g,h]\n#%509s\r\n' "$a" "$b" "$c" '' >f.txt
	run_tool "$checker" f.txt
	pieces="warning: a line of the file over 511 bytes, its line break included, is read in pieces, each a line of its own: this piece is"
	expect_out "f.txt:1: $pieces a triple error
f.txt:1: error: field 3 has no ']' and runs into the end of a 511-byte read
f.txt:2: $pieces a format error (line 1 of the file, piece 2)
f.txt:2: error: no '[' in the line (line 1 of the file, piece 2)
f.txt:3: error: field 3 is missing: the line ends before a second ',' (line 2 of the file, piece 1)
f.txt:4: $pieces a comment (line 3 of the file, piece 1)
f.txt:5: error: the line break is read alone, after a full read of 511 bytes: shorten the line to 511 bytes or fewer, its line break included (line 3 of the file, piece 2)
f.txt: error: no device triple: triple_import would send nothing
f.txt: 0 devices, 4 refused lines, 3 warnings\n"
	expect_status 1
	end
fi

if begin check_the_largest_list_and_one_byte_over; then
	devices 1953 >f.txt && echo '[xxxxxxxxxxx,y,z]' >>f.txt
	run_tool "$checker" f.txt
	expect_out "f.txt: 1954 devices, 0 refused lines, 0 warnings; the import command takes 131071 of 131071 bytes, room for about 0 more devices of this file's average width\n"
	expect_status 0
	devices 1953 >f.txt && echo '[xxxxxxxxxxx,y,zz]' >>f.txt
	run_tool "$checker" f.txt
	expect_out "f.txt: error: the import command would take 131072 bytes, 1 more than the 131071 that one import carries: triple_import would refuse the whole list\nf.txt: 1954 devices, 0 refused lines, 0 warnings\n"
	expect_status 1
	end
fi

# The checker's command line: NAME|ARGUMENTS|STANDARD OUTPUT|STANDARD ERROR|STATUS, with f.txt
# holding [a,b,c] and d a folder; %s in the output stands for f.txt's summary.
summary="f.txt: 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width"
while IFS='|' read -r row arguments out err want; do
	begin "check_command_line_$row" || continue
	file f.txt '[a,b,c]\n' && mkdir d && stdin=f.txt
	# shellcheck disable=SC2086  # the arguments, split
	run_tool "$checker" $arguments
	expect_out "$out" "$summary"
	expect_status "$want"
	printf "$err" >want_err
	cmp -s want_err err || fail "standard error: $(sed -n l err)"
	allow_err=yes
	end
done <<'ROWS'
version|--version|triple_check 1.0.0\n||0
double_dash_ends_the_options|-- -h f.txt|%s\n|triple_check: -h: No such file or directory\n|2
missing_file_is_said_and_the_rest_checked|missing.txt f.txt|%s\n|triple_check: missing.txt: No such file or directory\n|2
folder_says_why_and_where|d||triple_check: d: read error at line 1: Is a directory\n|2
standard_input_is_a_dash|-|(standard input): 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width\n||0
ROWS

if begin check_usage_goes_where_it_is_asked_for; then
	usage='usage: triple_check [--] FILE...\n       triple_check -h | --help | --version\n'
	for arguments in -h --help '' '-x f.txt'; do
		# shellcheck disable=SC2086  # the arguments, split
		run_tool "$checker" $arguments
		case $arguments in
		-*h*) expect_out "$usage%s\n" "Checks triple files as triple_import reads them; '-' is standard input." && expect_status 0 ;;
		*) expect_out '' && expect_status 2 && printf "${arguments:+triple_check: unknown option: -x\n}$usage" >want_err &&
			{ cmp -s want_err err || fail "$arguments: standard error: $(sed -n l err)"; } ;;
		esac
	done
	allow_err=yes
	end
fi

# Findings lost to a full disk or a closed standard output would pass for a clean file.
if begin check_lost_output_is_status_2 && needs "/dev/full" [ -w /dev/full ]; then
	printf '[a,b]\n' >f.txt
	for to in /dev/full closed; do
		if [ "$to" = closed ]; then (eval "exec $runner \"\$checker\" f.txt" >&- 2>err)
		else (eval "exec $runner \"\$checker\" f.txt" >/dev/full 2>err)
		fi
		status=$?
		expect_status 2
		grep -q '^triple_check: standard output: ' err || fail "$to: standard error: $(cat err)"
	done
	allow_err=yes
	end
fi

# A name is not the checker's own text: a line break in it would start a finding of its own, and
# an escape sequence would reach the terminal.
if begin check_file_names_cannot_forge_a_finding; then
	forged=$(printf 'a\nb.txt:7: error: forged\033[2J\\x')
	printf '[a,b]\n' >"$forged"
	run_tool "$checker" "$forged"
	expect_out 'a\\nb.txt:7: error: forged\\x1b[2J\\\\x:1: error: field 3 is missing: the line ends before a second %s\na\\nb.txt:7: error: forged\\x1b[2J\\\\x: error: no device triple: triple_import would send nothing\na\\nb.txt:7: error: forged\\x1b[2J\\\\x: 0 devices, 1 refused line, 0 warnings\n' "','"
	expect_status 1
	end
fi

# Two million devices through a pipe fit in the address space of a one-line file: the checker
# keeps no more of a file than one import can carry.
if begin check_memory_does_not_grow_with_the_file && file f.txt '[a,b,c]\n' && own_address_space &&
	needs "a checker that runs within 1 GiB of address space" fits 1048576 "$checker" f.txt; then
	fits_at=$(least_space "$checker" f.txt)
	# shellcheck disable=SC3045
	awk 'BEGIN { for (i = 0; i < 2000000; i++) printf "[product_key_%07d,device,secret]\n", i }' |
		(ulimit -v $((fits_at + 1024)) && eval "exec $runner \"\$checker\" -" >out 2>err)
	status=$?
	expect_status 1
	[ "$(tail -n 1 out)" = "(standard input): 2000000 devices, 0 refused lines, 0 warnings" ] ||
		fail "summary: $(tail -n 2 out)"
	end
fi

# --- end to end: run under scripts/gateway-bus, through the real dbus-send and bus ---

# on_bus [without]: whether this run has a gateway bus with (or without) the configuration manager.
on_bus() {
	needs "a gateway bus: run it under scripts/gateway-bus" [ -n "${GATEWAY_BUS_ADDRESS-}" ] &&
		needs "a bus ${1:-with} the configuration manager" \
			[ "${1-}" = "${GATEWAY_BUS_WITHOUT_CONFIGMANAGER:+without}" ] && rm "$box/bin/dbus-send"
}
# get_config: the stored device list, as the configuration manager gives it back.
get_config() {
	dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply=literal --dest="$CONFIGMANAGER_NAME" \
		"$CONFIGMANAGER_PATH" "$CONFIGMANAGER_INTERFACE.get_config" string:"$DEVICE_LIST_KEY" |
		sed 's/^ *//'
}

if begin end_to_end_stored_list_holds_exactly_the_triples_of_the_file && on_bus; then
	# A bus would refuse the whole list for the noncharacter U+FFFE; its line alone is left out.
	file devices.txt "# hall B\n[pk1,dev1,s1]\n[it's,say \"hi\",back\\\\slash]\n[\$(touch pwned),\`id\`;x, two  blanks ]\n[Grüße,温度,✓]\n[noncharacter,\357\277\276,x]\nnot a triple\n"
	run "$box/devices.txt"
	expect_status 0
	expect_out_has 'Line 6: get triple error: [noncharacter,'
	expect_out_has 'Find 4 items.\nmethod return'
	# shellcheck disable=SC2016  # the fields hold shell syntax, never to be run
	want='[["pk1","dev1","s1"],["it'"'"'s","say \"hi\"","back\\slash"],["$(touch pwned)","`id`;x"," two  blanks "],["Grüße","温度","✓"]]'
	[ "$(get_config)" = "$want" ] || fail "stored: $(get_config), want $want"
	[ ! -e pwned ] || fail "a field ran as a command"
	end
fi

if begin end_to_end_value_that_is_not_a_list_of_triples_is_refused && on_bus; then
	file devices.txt '[a,b,c]\n'
	run "$box/devices.txt"
	expect_status 0
	cp "$CONFIGMANAGER_STORE" store.before
	for value in 'not json' '{}' '[["a","b"]]' '[["a","b",1]]' '["a","b","c"]'; do
		dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply --dest="$CONFIGMANAGER_NAME" \
			"$CONFIGMANAGER_PATH" "$CONFIGMANAGER_INTERFACE.set_config" string:"$DEVICE_LIST_KEY" \
			"string:$value" >/dev/null 2>err && fail "$value was taken"
		grep -q "Error $CONFIGMANAGER_INTERFACE.Error.InvalidValue" err || fail "$value: $(cat err)"
	done
	: >err
	cmp -s store.before "$CONFIGMANAGER_STORE" || fail "the store changed"
	[ "$(get_config)" = '[["a","b","c"]]' ] || fail "stored: $(get_config)"
	end
fi

if begin end_to_end_import_fails_without_a_configuration_manager && on_bus without; then
	file devices.txt '[a,b,c]\n'
	run "$box/devices.txt"
	expect_status 255
	expect_out_has 'Find 1 items.\nImport command failed: status 1\n'
	grep -q org.freedesktop.DBus.Error.ServiceUnknown err || fail "standard error: $(cat err)"
	allow_err=yes
	end
fi

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ] || exit 1
# A run whose every case was skipped is a skip (77); one that ran no case at all, a mistake.
[ "$passed" -gt 0 ] || exit $((skipped > 0 ? 77 : 1))
