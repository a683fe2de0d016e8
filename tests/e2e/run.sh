#!/usr/bin/env bash
# End to end: run.sh PROGRAM WORKDIR drives the real program with xdotool, in an X server; each
# checked frame must equal frames/NAME.png pixel for pixel (REMAKE_FRAMES=1 remakes them).
set -euo pipefail
program=$1 work=$2 frames=$(dirname "$(realpath "$0")")/frames
title="Quorvan: Homework 1 Programming Assignment"
# Sanitizer builds: any report fails the exit status. Mesa's driver, loaded up front, stays
# mapped to the leak check, so that the blocks it keeps to the end can be told by its name; and
# X's input extension library (freeglut's) never frees two blocks it takes when a drag leaves the
# window.
mkdir -p "$work" && rm -f "$work"/*.png && printf 'leak:swrast_dri\nleak:libXi.so\n' >"$work/lsan"
export ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$work/lsan

fail() { echo "end to end: $*" >&2 && exit 1; }
start() {
    log=$work/$1.log
    LD_PRELOAD=$(ls /usr/lib/*/dri/swrast_dri.so) "$program" 2>"$log" & app=$!
    win=$(timeout 30 xdotool search --sync --name "^$title\$") || fail "no window titled $title"
    [ "$(xdotool getwindowname "$win")" = "$title" ] || fail "the title is not $title, to the letter"
}
quit() { xdotool key "$1" && wait "$app" || fail "status $? after $1, not 0: see $log"; }
# The shared actions' verbs (see actions).
click() { xdotool mousemove --window "$win" "$1" "$2" ${3:+keydown $3} click 1 ${3:+keyup $3}; }
rightclick() { xdotool mousemove --window "$win" "$1" "$2" click 3; }
press() { xdotool mousemove --window "$win" "$1" "$2" mousedown 1; }
move() { xdotool mousemove --window "$win" "$1" "$2"; }
release() { xdotool mouseup 1; }
cancel() { release; }
past() { press "$1" "$2" && move "$3" "$4"; }
said() { :; }
key() { xdotool key "$1"; }
keys() { xdotool type "$1"; }
check() {  # NAME: within ten seconds or so the window shows frames/NAME.png
    local want=$frames/$1.png got=$work/$1.png
    [ -z "${REMAKE_FRAMES:-}" ] || { sleep 1 && import -window "$win" -strip "$want"; return; }
    for _ in $(seq 50); do
        kill -0 "$app" && import -window "$win" "$got" || fail "the program ended: see $log"
        [ "$(compare -metric AE "$want" "$got" "$work/$1-diff.png" 2>&1)" = 0 ] && return
        sleep 0.1
    done
    fail "the window is not frames/$1.png: see $work/$1.png and $work/$1-diff.png"
}

start first
[[ $(xdotool getwindowgeometry "$win") == *"Position: 200,200"*"Geometry: 800x600" ]] ||
    fail "the window is not 800x600 at (200, 200)"
source "$(dirname "$0")/actions"
# A level run along the top, stretched with the window; its hull is the segment between its ends.
# One Shift-click has NumLock held, which sets the modifier bit a NumLock that is on sets.
click 760 30; click 520 45 shift; click 40 20 shift+Num_Lock
xdotool windowsize "$win" 600 400 && click 15 25 shift && check resized
rightclick 100 100 && check resized-empty
quit q
start second && quit Escape
