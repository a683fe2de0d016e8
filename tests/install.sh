#!/usr/bin/env bash
# install.sh BUILD WORKDIR, in an X server: the staged menu entry and manual page pass their checks;
# the .deb holds the four files, depends on what the program links, and its program passes e2e.
set -euo pipefail
e2e=$(dirname "$(realpath "$0")")/e2e/run.sh share=stage/usr/share icons=icons/hicolor/scalable/apps
rm -rf "$2" && mkdir -p "$2" && cd "$2"
DESTDIR=$PWD/stage cmake --install "$1" --prefix /usr >/dev/null
desktop-file-validate $share/applications/polyhull.desktop >checks.log 2>&1 || :
groff -man -ww -z $share/man/man1/polyhull.1 2>>checks.log || :
[ ! -s checks.log ] || { cat checks.log && exit 1; }
cpack -G DEB --config "$1/CPackConfig.cmake" >/dev/null && deb=$(ls polyhull_*.deb)
depends=$(dpkg-deb --field "$deb" Depends) && echo "Depends: $depends"
[[ $depends == *libglu1*libglut3*libglx0*libopengl0* && $depends != *-dev* ]]
dpkg-deb --contents "$deb" | awk '!/\/$/ { print $6 }' | diff - <(printf './usr/%s\n' bin/polyhull \
    share/{applications/polyhull.desktop,$icons/polyhull.svg,man/man1/polyhull.1})
dpkg-deb -x "$deb" root && "$e2e" "$PWD/root/usr/bin/polyhull" e2e
