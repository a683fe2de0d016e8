#!/usr/bin/env bash
# install.sh BUILD WORKDIR, in an X server: an install into a staged prefix and the .deb pass the
# checks of Debian and the desktops, hold the same files, and the packaged program passes e2e.
set -euo pipefail
e2e=$(dirname "$(realpath "$0")")/e2e/run.sh id=org.polyhull.polyhull
stage='a "staged" $prefix' share='a "staged" $prefix/share' # characters Exec must quote
rm -rf "$2" && mkdir -p "$2" && cd "$2"
fail() { echo "install: $*" >&2 && exit 1; }
quiet() { out=$("$@" 2>&1) && [ -z "$out" ] || fail "$1: $out"; } # succeeds and says nothing

cmake --install "$1" --prefix "$PWD/$stage" >/dev/null
quiet desktop-file-validate "$share/applications/$id.desktop"
gio launch "$share/applications/$id.desktop"  # as a desktop's menu starts it
win=$(timeout 30 xdotool search --sync --name "^Quorvan: ") || fail "no window"
pid=$(pgrep -x polyhull) && [ "$(readlink /proc/"$pid"/exe)" = "$PWD/$stage/bin/polyhull" ] ||
    fail "the menu entry did not start the staged program"
xdotool mousemove --window "$win" 9 9 key q && timeout 10 tail --pid "$pid" -f /dev/null
zcat "$share/man/man1/polyhull.1.gz" | quiet groff -man -ww -z
appstreamcli validate --pedantic --no-net "$share/metainfo/$id.metainfo.xml"
for n in 16 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${n}x$n/apps/polyhull.png
    [ "$(identify -format %wx%h "$icon")" = "${n}x$n" ] || fail "$icon is not $n pixels"
done

cpack -G DEB --config "$1/CPackConfig.cmake" >/dev/null && deb=$(ls polyhull_*.deb)
lintian -I --fail-on error,warning "$deb" >lintian.log || { cat lintian.log && exit 1; }
! grep -E 'binary-has-unneeded-section|hardening-no-bindnow' lintian.log || fail "lintian"
depends=$(dpkg-deb --field "$deb" Depends) && echo "Depends: $depends"
[[ $depends == *libglu1*libglut3*libglx0*libopengl0* && $depends != *-dev* ]]
dpkg-deb --contents "$deb" | awk '!/\/$/ { print $6 }' | sort |
    diff - <(cd "$stage" && find . -type f | sed 's|^\./|./usr/|' | sort)
dpkg-deb -x "$deb" root && exec=$(sed -n 's/^Exec=//p' root/usr/share/applications/$id.desktop)
[ "$exec" = '"/usr/bin/polyhull"' ] && [ -x root/usr/bin/polyhull ] ||
    fail "the package's Exec is $exec"
# Debian 12's C start files and libc carry no CET marking, so no program linked here can be
# marked as protected: control-flow protection is compiled in but not asked of the binary.
hardening-check --nocfprotection root/usr/bin/polyhull
"$e2e" "$PWD/root/usr/bin/polyhull" e2e
