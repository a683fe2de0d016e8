# Sourced by the other scripts: makes sure that what a script needs is there, and configures a
# build folder with every option set.

# What the scripts need, each with the package that brings it on Debian and Ubuntu, Fedora, Arch
# and openSUSE (a comma joins two). A name with a slash is a header, others are commands.
REQUIREMENTS="
cmake         cmake                            cmake              cmake          cmake
make          make                             make               make           make
g++           g++                              gcc-c++            gcc            gcc-c++
GL/gl.h       libgl1-mesa-dev,libgl1-mesa-dri  mesa-libGL-devel   mesa           Mesa-libGL-devel
GL/glu.h      libglu1-mesa-dev                 mesa-libGLU-devel  glu            glu-devel
GL/glut.h     freeglut3-dev                    freeglut-devel     freeglut       freeglut-devel
rsvg-convert  librsvg2-bin                     librsvg2-tools     librsvg        rsvg-convert
xdpyinfo      x11-utils                        xdpyinfo           xorg-xdpyinfo  xdpyinfo
emcc          emscripten                       emscripten         emscripten     emscripten
python3       python3                          python3            python         python3"
INSTALLERS=("Debian, Ubuntu: sudo apt-get install" "Fedora:         sudo dnf install"
    "Arch:           sudo pacman -S" "openSUSE:       sudo zypper install")
BUILD=(cmake make g++ GL/gl.h GL/glu.h GL/glut.h rsvg-convert)  # the desktop program's build

debian() { command -v apt-get >/dev/null && command -v dpkg-query >/dev/null; }

# packages COLUMN NAME...: the packages that bring the names on the distribution in that column
# of REQUIREMENTS (1 to 4), on one line.
packages() {
    local column=$(($1 + 1))
    shift
    awk -v names=" $* " -v column=$column 'index(names, " " $1 " ") { gsub(",", " ", $column);
        printf "%s ", $column }' <<<"$REQUIREMENTS"
}

# present NAME: a command on the PATH, or a header the compiler finds (taken as there while the
# compiler itself is missing, which is then named alone).
present() {
    if [[ $1 == */* ]]; then
        command -v g++ >/dev/null || return 0
        printf '#include <%s>\n' "$1" | g++ -x c++ -fsyntax-only - 2>/dev/null
    else
        command -v "$1" >/dev/null
    fi
}

# need NAME...: on Debian the packages of the names are installed when missing. Elsewhere
# nothing is installed: when any is missing, the script says which and with what package on
# each distribution, and stops.
need() {
    if debian; then
        ensure_packages $(packages 1 "$@")
        return
    fi
    local missing=() column
    for name; do present "$name" || missing+=("$name"); done
    [ ${#missing[@]} -eq 0 ] && return 0
    {
        echo "${0##*/}: missing ${missing[*]}. Install with your package manager, for example:"
        for column in 1 2 3 4; do
            echo "  ${INSTALLERS[column - 1]}" $(packages $column "${missing[@]}")
        done
    } >&2
    exit 1
}

# ensure_packages PACKAGE...: Debian's packages, installed when any is missing.
ensure_packages() {
    if ! debian; then
        echo "${0##*/}: needs Debian 12 or a derivative, whose packages it installs and uses" >&2
        exit 1
    fi
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    # Through env, since sudo would drop the variable from the environment it hands apt-get.
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# Every build option, as each script starts from them; the caller's values come after these and
# win, so that nothing an earlier run or a hand left in a folder's cache changes what is built.
OPTIONS=(-DCMAKE_BUILD_TYPE=Release -DPOLYHULL_SANITIZE=OFF -DPOLYHULL_TESTS=OFF -DPOLYHULL_BENCH=OFF
    -DPOLYHULL_WERROR=OFF)

# configure FOLDER [-DNAME=VALUE...]: a desktop build, with g++ unless the caller names another.
configure() {
    local folder=$1
    shift
    cmake -S . -B "$folder" -DCMAKE_CXX_COMPILER=g++ "${OPTIONS[@]}" "$@" >/dev/null
}
