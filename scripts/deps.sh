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

# configure FOLDER [-DNAME=VALUE...]: gives every option, these defaults first and the caller's
# after them (the later one wins), so that nothing an earlier run or a hand left in the
# folder's cache changes what is built there.
configure() {
    local folder=$1
    shift
    cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
        -DPOLYHULL_SANITIZE=OFF -DPOLYHULL_TESTS=OFF -DPOLYHULL_BENCH=OFF -DPOLYHULL_WERROR=OFF \
        "$@" >/dev/null
}

BUILD_PACKAGES=(cmake make g++ freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
    librsvg2-bin)
