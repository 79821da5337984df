# shellcheck shell=bash
# How the scripts take their arguments and run their commands. A script sources this from its
# own folder and takes its arguments before it moves to the project's root, so that a relative
# path means what it meant where the user stood:
#   source "$(dirname "$0")/lib/commands.sh"

# Ends the script with status 2, saying why and how to call it: the lines of its header comment
# that start with a path in the project (#   scripts/NAME ...).
#   refuse REASON
refuse() {
    echo "$0: $1; usage:" >&2
    sed -nE 's/^#   ((\.ci|scripts|tests)\/)/  \1/p' "$0" >&2
    exit 2
}

# Refuses the script's arguments when it takes none.
#   no_arguments "$@"
no_arguments() { [ $# -eq 0 ] || refuse "unknown option or argument: $1"; }

# Runs COMMAND... with its output held back: nothing shows when it succeeds; when it fails, all
# it said goes to standard error and the script ends with status 1. What it said stays in
# $quietly_said for a caller that shows some of it anyway.
#   quietly COMMAND...
quietly() {
    if ! quietly_said=$("$@" 2>&1); then
        echo "$quietly_said" >&2
        exit 1
    fi
}

# Runs COMMAND..., then says on standard error how long it took, and whether it failed.
#   timed NAME COMMAND...
timed() {
    local start=$SECONDS status=0
    "${@:2}" || status=$?
    local seconds=$((SECONDS - start))
    echo "$1 took $((seconds / 60)) min $((seconds % 60)) s$([ "$status" -eq 0 ] || echo ", and failed")" >&2
    return "$status"
}
