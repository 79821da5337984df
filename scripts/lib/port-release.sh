# shellcheck shell=bash
# The one way every release's package is made, the .deb as each port's.
source "$(dirname "${BASH_SOURCE[0]}")/commands.sh"

# A tree configured against other libraries would keep finding those: TREE goes unless its
# file `libraries`, written as it is configured, names PREFIX (empty: the system's).
#   drop_tree_of_other_libraries TREE PREFIX
drop_tree_of_other_libraries() { [ -f "$1/libraries" ] && [ "$(cat "$1/libraries")" = "$2" ] || rm -rf "$1"; }

# -dirty when the tree has uncommitted changes, which the package then holds.
version_suffix() {
    local changes
    if ! changes=$(git status --porcelain 2>/dev/null); then
        echo "Not a git checkout (or no git): cannot tell whether the tree has uncommitted changes." >&2
    elif [ -n "$changes" ]; then
        echo "The tree has uncommitted changes: building anyway, the version marked -dirty." >&2
        echo -dirty
    fi
}

# The version a configured TREE packs, its suffix included.
#   tree_version TREE
tree_version() { sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$1/CPackConfig.cmake"; }

# Configures TREE (absolute or relative) as a Release build against the libraries in PREFIX
# (empty: the system's) with the package's own CMake options, builds what the package holds,
# packs it with CPack, repacks it (scripts/repack) and moves it into dist/; prints its path.
#   release_package TREE PREFIX CMAKE-OPTION...
release_package() {
    local tree=$1 prefix=$2 package
    drop_tree_of_other_libraries "$tree" "$prefix"
    quietly cmake -S . -B "$tree" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
        -DTORNUVA_VERSION_SUFFIX="$(version_suffix)" "${@:3}"
    echo "$prefix" >"$tree/libraries"
    quietly cmake --build "$tree" --target packaged --parallel "$(nproc)"
    rm -rf "$tree/packages"
    quietly cpack --config "$tree/CPackConfig.cmake" -B "$(realpath "$tree")/packages"
    mkdir -p dist
    package=$(find "$tree/packages" -maxdepth 1 -type f -name 'tornuva*')
    scripts/repack "$package"
    mv "$package" dist/
    echo "dist/${package##*/}"
}

# A port's package, built against the libraries its own script made in PREFIX. Data/ comes
# from the Debian build, made first if missing.
#   port_release TREE PREFIX CMAKE-OPTION...
port_release() {
    [ -f Data/bossanova.ogg ] || scripts/setup >&2
    export PKG_CONFIG_LIBDIR=$2/lib/pkgconfig
    # pkg-config takes the prefix from where the .pc files lie: a copied cache works too.
    release_package "$1" "$2" -DCMAKE_PREFIX_PATH="$2" -DPKG_CONFIG_ARGN=--define-prefix "${@:3}"
}
