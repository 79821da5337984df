# shellcheck shell=bash
# packed_twice BUILD_DIR FILE [FOLDER...]: packs the tree with CPack and scripts/repack, as the
# release does, into $work/first and again into $work/again a second later with another umask,
# time zone and language. FILE must come out the same, every member dated SOURCE_DATE_EPOCH,
# and no packed file may name the source or build folders or the FOLDERs; else it says so
# through fail() and returns 1. Needs $work and $source.
source "$source/scripts/lib/commands.sh"
pack() { quietly cpack --config "$1/CPackConfig.cmake" -B "$2" && "$source/scripts/repack" "$2/$3"; }
packed_twice() {
    local build=$1 file=$2 date folder named=() status=0
    for folder in "$source" "$build" "${@:3}"; do named+=(-e "$folder"); done
    pack "$build" "$work/first" "$file"
    sleep 1 # a clock read while packing would differ
    (umask 077 && TZ=Pacific/Auckland LANG=fi_FI.UTF-8 pack "$build" "$work/again" "$file")
    cmp -s "$work/first/$file" "$work/again/$file" || fail "a second pack of $file differs:
$(diffoscope --text - "$work/first/$file" "$work/again/$file" 2>&1 | head -40)" || status=1
    ! grep -rlF "${named[@]}" "$work/again/_CPack_Packages" ||
        fail "the files above name the build's folders" || status=1
    date=$(date -ud "@$SOURCE_DATE_EPOCH" '+%F %H:%M')
    ! case $file in *.deb) dpkg-deb -c "$work/first/$file" ;; *) tar -tvzf "$work/first/$file" ;; esac |
        grep -v " $date " || fail "the members above are not dated SOURCE_DATE_EPOCH" || status=1
    return $status
}
