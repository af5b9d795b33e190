#!/bin/sh
# Runs COMMAND in a locale that localedef makes from Debian's locale sources (package locales) in
# LOCPATH below TMPDIR, the machine's own locales left as they are; exits 77, saying why, where
# the locale cannot be made or loaded here.
# Usage: in_made_locale.sh NAME INPUT CHARMAP COMMAND [ARGUMENT...], as ja_JP.SJIS ja_JP SHIFT_JIS
name=$1 input=$2 charmap=$3
shift 3
skip() { echo "SKIPPED: $*" && exit 77; }
command -v localedef >/dev/null || skip "no localedef here (Debian's package locales)"
[ -e "/usr/share/i18n/charmaps/$charmap.gz" ] || skip "no charmap $charmap here (package locales)"
dir=${TMPDIR:?}/locales
mkdir -p "$dir"
# localedef warns, and exits 1, on a charmap that is not a superset of ASCII, which is the
# point here: what counts is that the C library loads the locale.
localedef -c -i "$input" -f "$charmap" "$dir/$name" >/dev/null 2>&1
[ "$(LOCPATH=$dir LC_ALL=$name locale charmap 2>/dev/null)" = "$charmap" ] ||
  skip "the C library cannot load a locale $name in $charmap here"
export LOCPATH="$dir" LC_ALL="$name"
exec "$@"
