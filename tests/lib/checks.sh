# shellcheck shell=bash disable=SC2034,SC2154 # the checks set $work, $folder, $shots, port_capture
# What the release checks share (tests/linux/check, tests/windows/check, scripts/release-test);
# the show's and the captures' need $work, the check's own folder.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/commands.sh"

passed=0 failures=0
# check DESCRIPTION COMMAND...: says "ok" or "FAIL" as COMMAND... succeeds, counting each.
check() { if "${@:2}"; then echo "ok    $1" && passed=$((passed + 1)); else echo "FAIL  $1" && failures=$((failures + 1)); fi; }
fail() { echo "      $*" && return 1; } # why a check fails, said under it
checks_done() { echo "$1: $passed passed, $failures failed" && [ "$failures" -eq 0 ]; }

# Runs SCRIPT again on a private 1280x720 Xvfb unless it runs on one, with a window manager.
on_private_screen() {
    [ -n "${TORNUVA_CHECK_SCREEN:-}" ] || TORNUVA_CHECK_SCREEN=1 exec xvfb-run -a -s "-screen 0 1280x720x24" "$1"
    matchbox-window-manager -use_titlebar no 2>/dev/null & # ends with the X server
}
# shot NAME [WINDOW]: a screenshot of WINDOW (by default the whole screen) as $shots/NAME.
shot() { ffmpeg -v error -y -f x11grab -draw_mouse 0 -window_id "${2:-0}" -i "$DISPLAY" -frames:v 1 "$shots/$1"; }

# starts FOLDER COMMAND...: COMMAND... in FOLDER in the background ($!), errors in $work/show.log.
starts() { (cd "$1" && exec "${@:2}") 2>"$work/show.log" & }
status_of() { timeout 30 tail --pid="$1" -f /dev/null || return 255; wait "$1"; } # 255: still running
# show_opens SECONDS FOLDER COMMAND...: the show started so opens its window within SECONDS
# ($show its process, $window the window).
show_opens() {
    starts "${@:2}" && show=$!
    window=$(timeout "$1" xdotool search --sync --name '^Selkavo Tornuva$' | head -1) ||
        { kill "$show" 2>/dev/null; fail "no show window; its errors: $(cat "$work/show.log")"; }
}
# With no error box open, Escape ends the show within 30 s, status 0.
ends_on_escape() {
    local status=0
    ! xdotool search --name '^Error$' >/dev/null || { kill "$show" && fail "the show opened an error box"; } || return
    xdotool key Escape && status_of "$show" || status=$?
    [ "$status" -ne 255 ] || { kill "$show" && fail "still running after Escape"; } || return
    [ "$status" -eq 0 ] || fail "the show ended with status $status"
}

# same_capture OUT OPTION...: the port's capture (the command port_capture, run in $folder)
# writes OUT, the last option's value (-o, --frames, --sheet), as $debian_build/tornuva-capture
# does given the same, byte for byte.
debian_build=build
same_capture() {
    (cd "$folder" && "${port_capture[@]}" "${@:2}" "$1") >/dev/null 2>&1 &&
        "$debian_build/tornuva-capture" "${@:2}" "$work/debian-${1##*/}" >/dev/null 2>&1 &&
        (cd "$folder" && diff -r "$1" "$work/debian-${1##*/}") >/dev/null
}
