#!/usr/bin/env bash
# Installs a build into a scratch root and checks what a user and a library
# user get: the command finds its program folder and data, the program finds
# libzephui through its run path, the device access rules and the quirk are
# where udev and libinput read them, the menu entry's command and icon exist,
# and zephui.pc lets a client compile and link against the installed library.
#   check_install_tree.sh <build> <prefix> <bindir> <libdir> <includedir> <datadir>
set -euo pipefail
build=$1 prefix=$2 bindir=$3 libdir=$4 includedir=$5 datadir=$6
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

DESTDIR=$root cmake --install "$build" >/dev/null
top=$root$prefix
program_dir=$top/lib/pelmora-keyboard-t40

# The command on the PATH leads to the executable inside the program folder.
command=$top/$bindir/pelmora-keyboard-t40
[ "$(readlink -f "$command")" = "$(readlink -f "$program_dir/pelmora-keyboard-t40")" ] ||
  fail "$bindir/pelmora-keyboard-t40 does not lead to the program folder"
[ -x "$program_dir/pelmora-keyboard-t40" ] || fail "no executable in the program folder"
for data in config.xml layouts/T40.xml language/1033.lan font/Arial.ttf font/SourceHanSansCN-Regular.otf \
            skins/theme1/DeviceDriver.ico skins/theme1/main_bkg.png; do
  [ -s "$program_dir/$data" ] || fail "program folder lacks $data"
done
[ -x "$program_dir/driver/pelmora-driver-helper" ] || fail "driver helper missing or not executable"
[ -x "$program_dir/pelmora-keyboard-t40-fetch" ] || fail "fetch helper missing beside the program"
if readelf -d "$program_dir/pelmora-keyboard-t40" | grep -Eq 'NEEDED.*(libcurl|libcrypto|libssl)'; then
  fail "the program links the network stack; only the fetch helper should"
fi
if find "$top" -name '*demo*' -o -name '*_tests' -o -name '*.a' | grep -q .; then
  fail "demo, test or static library files installed: $(find "$top" -name '*demo*' -o -name '*_tests' -o -name '*.a')"
fi

# The library under its SONAME, and found from the executable's run path.
soname=$(readelf -d "$top/$libdir/libzephui.so" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[[ "$soname" =~ ^libzephui\.so\.[0-9]+$ ]] || fail "libzephui.so has no versioned SONAME ('$soname')"
[ -e "$top/$libdir/$soname" ] || fail "$soname is not installed"
runpath=$(readelf -d "$program_dir/pelmora-keyboard-t40" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
found=no
IFS=: read -ra entries <<<"$runpath"
for entry in "${entries[@]}"; do
  [ -e "${entry//\$ORIGIN/$program_dir}/$soname" ] && found=yes
done
[ "$found" = yes ] || fail "run path '$runpath' of the executable does not reach $soname"

# Access rules and the virtual keyboard's quirk where udev and libinput read them.
grep -q 'TAG+="uaccess"' "$top/lib/udev/rules.d/70-pelmora-keyboard-t40.rules" 2>/dev/null ||
  fail "udev rules missing from lib/udev/rules.d"
grep -q '^MatchName=Pelmora virtual keyboard$' "$top/$datadir"/libinput/*pelmora-keyboard-t40.quirks 2>/dev/null ||
  fail "libinput quirk missing from $datadir/libinput"

# The menu entry starts the installed command and shows an installed icon.
desktop=$top/$datadir/applications/pelmora-keyboard-t40.desktop
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ -f "$desktop" ] || fail "no .desktop file"
[ "$(entry Name)" = "Pelmora keyboard T40" ] || fail "menu entry named '$(entry Name)'"
[ -e "$top/$bindir/$(entry Exec | cut -d' ' -f1)" ] || fail "menu entry runs '$(entry Exec)', which is not installed"
icons=$(find "$top/$datadir/icons/hicolor" -path "*/apps/$(entry Icon).png")
[ -n "$icons" ] || fail "no hicolor icon named '$(entry Icon)'"
for icon in $icons; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
  [ "$(od -An -tu1 -j 19 -N 1 "$icon" | tr -d ' ')x$(od -An -tu1 -j 23 -N 1 "$icon" | tr -d ' ')" = "$size" ] ||
    fail "$icon is not $size"
done

# A client program compiles and links with nothing but what zephui.pc says.
export PKG_CONFIG_PATH=$top/$libdir/pkgconfig PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=
if flags=$(pkg-config --cflags --libs zephui); then
  cat >"$root/client.cpp" <<'CPP'
#include <zephui/Manager.h>
int main() { return ZephUI::Manager::GetDeviceName().empty() ? 0 : 1; }
CPP
  # shellcheck disable=SC2086
  c++ -std=c++20 "$root/client.cpp" -o "$root/client" $flags ||
    fail "a client does not build with the installed headers and library"
else
  fail "pkg-config refuses zephui.pc"
fi
[ -d "$top/$includedir/zephui" ] || fail "headers missing from $includedir/zephui"

[ "$failures" -eq 0 ] || exit 1
echo "installed tree complete: $(find "$top" -type f | wc -l) files"
