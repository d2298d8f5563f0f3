#!/usr/bin/env bash
# Starts the demo program in hostile surroundings, each in a home and program
# folder of its own on a private Xvfb: a database that is not one, a data
# folder it may not write, a skin picture gone and the language files gone.
# Every start must paint its main window and end by itself, never by a
# signal, and must leave a damaged database as it found it. A database that
# cannot be used is explained in a message box, whose text the program also
# writes to stderr as "MessageBox: <title>: <message> [<file>]"; a start without its
# language file says on stderr which texts it uses instead.
# Run as root, the program loses the right to override file permissions, so
# read-only files and folders are read-only to it too.
# Usage: hostile_start.sh <program folder holding the demo executable>
set -uo pipefail
bin=$1
work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
  [ -n "${KEEP_WORK:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

failures=0
fail() { echo "FAIL [$case]: $*"; failures=$((failures + 1)); }

# A copy of the program folder and an empty home for one case.
prepare() {
  case=$1
  dir="$work/$case"
  mkdir -p "$dir/home/config" "$dir/home/data" "$dir/home/runtime"
  chmod 700 "$dir/home/runtime"
  # Only what the program reads: the build's program folder also holds every test binary.
  mkdir -p "$dir/program"
  for entry in pelmora-keyboard-t40-demo libzephui.so* config.xml driver font language layouts skins; do
    cp -a "$bin"/$entry "$dir/program/"
  done
  shot="$dir/shot.png"
}

unprivileged=()
[ "$(id -u)" -eq 0 ] && unprivileged=(setpriv --bounding-set=-dac_override,-dac_read_search
                                      --inh-caps=-dac_override,-dac_read_search)

# Runs the copy (with the environment in extra_env); sets status and out (stdout and stderr together).
extra_env=()
start() {
  env XDG_CONFIG_HOME="$dir/home/config" XDG_DATA_HOME="$dir/home/data" XDG_RUNTIME_DIR="$dir/home/runtime" \
    PELMORA_SCREENSHOT="$shot" "${extra_env[@]}" timeout -s KILL 90 "${unprivileged[@]}" \
    "$dir/program/pelmora-keyboard-t40-demo" >"$dir/out" 2>&1
  status=$?
  out=$(cat "$dir/out")
  echo "[$case] exit $status, screenshot $([ -s "$shot" ] && echo written || echo none)"
  sed 's/^/    /' "$dir/out" | head -20
  if [ "$status" -ge 128 ]; then fail "ended by signal $((status - 128))"; return; fi
  if grep -q "ERROR: AddressSanitizer\|runtime error:" "$dir/out"; then fail "sanitizer report"; fi
}

# Every hostile start must still paint the main window, photograph it and end normally.
expect_window() {
  [ "$status" -eq 0 ] || fail "exit status $status"
  [ -s "$shot" ] || fail "no window was painted"
}

# Puts bytes where the program looks for its database, and remembers them.
plant_database() {
  mkdir -p "$dir/home/data/$(dirname "$db_name")"
  cat >"$dir/home/data/$db_name"
  before=$(sha256sum <"$dir/home/data/$db_name")
}
expect_database_untouched() {
  [ "$(sha256sum <"$dir/home/data/$db_name")" = "$before" ] || fail "the damaged database was changed"
}

# The English text of a number, as shipped.
english() { sed -n "s/^$1=//p" "$bin/language/1033.lan" | tr -d '\r'; }
notices() { grep '^MessageBox: ' <<<"$out"; }

# One message box: the title and message of those numbers, the title with the
# database file's name, the message with the folder to check when one is given.
expect_notice() {
  local title message lines
  title=$(english "$1")
  title=${title/\%s/$(basename "$db_name")}
  message=$(english "$2")
  message=${message/\%s/${3:-}}
  lines=$(notices)
  [ "$(grep -c . <<<"$lines")" -eq 1 ] || { fail "expected one message box, got: ${lines:-none}"; return; }
  [[ $lines == "MessageBox: $title: $message ["* ]] || fail "expected \"$title: $message\", got: $lines"
}
expect_no_notice() {
  [ -z "$(notices)" ] || fail "unexpected message box: $(notices)"
}

# A line on stderr says where the texts come from instead.
expect_language_fallback() {
  grep -qF "$1" <<<"$out" || fail "no word of the language fallback \"$1\""
}

# The first start creates the database; its name is what the program chose.
prepare baseline
start
expect_window
expect_no_notice
db_name=$(cd "$dir/home/data" && find . -name '*.db' | head -n1)
[ -n "$db_name" ] || { fail "no database was created"; exit 1; }
good_db="$work/good.db"
cp "$dir/home/data/$db_name" "$good_db"

prepare random-bytes-database
plant_database < <(head -c 65536 /dev/urandom)
start
expect_window
expect_database_untouched
expect_notice 930 931

prepare truncated-database
plant_database < <(head -c "$(($(stat -c %s "$good_db") / 2))" "$good_db")
start
expect_window
expect_database_untouched
expect_notice 930 931

prepare read-only-database
plant_database <"$good_db"
chmod 444 "$dir/home/data/$db_name"
start
expect_window
expect_database_untouched
expect_notice 932 933

prepare read-only-data-folder
chmod 555 "$dir/home/data"
start
expect_window
expect_notice 935 934 "$dir/home/data"

prepare missing-skin-pictures
rm -f "$dir/program/skins/theme1/bk_prompt.png" "$dir/program/skins/theme1/btn_apply.png"
start
expect_window
expect_no_notice

prepare no-skin-at-all
rm -rf "$dir/program/skins"
start
expect_window
expect_no_notice

prepare missing-chosen-language
rm -f "$dir/program/language/2052.lan"
extra_env=(LC_ALL=zh_CN.UTF-8)
start
extra_env=()
expect_window
expect_language_fallback "2052.lan cannot be read; using the English texts"
grep -q "built into the program" <<<"$out" && fail "the English file beside the program was not used"

prepare missing-language-files
rm -f "$dir/program/language/"*.lan
start
expect_window
expect_language_fallback "using the English texts built into the program"

# With no language file the message box still speaks, in the English built in.
prepare everything-at-once
plant_database < <(head -c 65536 /dev/urandom)
chmod 555 "$dir/home/data" "$dir/home/data/$(dirname "$db_name")"
rm -rf "$dir/program/skins" "$dir/program/language"
start
expect_window
expect_database_untouched
expect_notice 930 931
expect_language_fallback "using the English texts built into the program"

echo "hostile starts: $failures failure(s)"
[ "$failures" -eq 0 ]
