# Sourced by the other scripts: installs the Debian packages they name when any is missing, and
# configures a build folder with every option set.

ensure_packages() {
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
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
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

BUILD_PACKAGES=(cmake make g++ freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
    librsvg2-bin)
WEB_PACKAGES=(cmake make emscripten python3)
