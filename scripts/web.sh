#!/usr/bin/env bash
# Builds polyhull for the browser in build-web/ with Emscripten, leaving in build-web/site/ all
# that a static web server needs, and serves that folder on 127.0.0.1, port 8000 or $PORT,
# until Ctrl-C. With --build it only builds.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
need cmake make emcc python3 rsvg-convert
# terser makes the page's scripts small enough for its size limit; elsewhere, without it, the
# page works and is about 2.4 KB larger gzipped.
! debian || ensure_packages terser

# Debian's emcc runs on node and needs Debian's node modules (acorn), wherever node came from.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
emcmake cmake -S . -B build-web "${OPTIONS[@]}" >/dev/null
cmake --build build-web -j "$(nproc)"
[ "${1:-}" != --build ] || exit 0

# free_port PORT: a whole number from 1 to 65535 that no server holds; Python gets it as data. It
# binds as the server will (address reuse on), so a port left waiting by the last run is free.
free_port() {
    [[ $1 =~ ^[0-9]{1,5}$ ]] && ((10#$1 >= 1 && 10#$1 <= 65535)) && python3 -c 'import socket, sys
s = socket.socket()
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1])))' "$1" 2>/dev/null
}
port=${PORT:-8000}
if ! free_port "$port"; then
    echo "web.sh: cannot serve on port $port (taken, or not a port);" \
        "PORT=8080 ./scripts/web.sh picks another" >&2
    exit 1
fi
port=$((10#$port))
echo "polyhull in a browser: http://127.0.0.1:$port/ (Ctrl-C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
