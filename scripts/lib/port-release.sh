# shellcheck shell=bash
# What a port's release script does once it knows its libraries' prefix: configures TREE
# against them with CMake (the port's own options after the prefix), builds what the package
# holds, packs it with CPack, repacks it (scripts/repack) and moves it into dist/; prints its
# path. Data/ comes from the Debian build, made first if missing.
#   port_release TREE PREFIX CMAKE-OPTION...

# A tree configured against other libraries would keep finding those: TREE goes unless its
# file `libraries`, written as it is configured, names PREFIX.
#   drop_tree_of_other_libraries TREE PREFIX
drop_tree_of_other_libraries() { [ "$(cat "$1/libraries" 2>/dev/null)" = "$2" ] || rm -rf "$1"; }

port_release() {
    local tree=$1 prefix=$2 log package
    shift 2
    [ -f Data/bossanova.ogg ] || scripts/setup >&2
    drop_tree_of_other_libraries "$tree" "$prefix"
    export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig
    # pkg-config takes the prefix from where the .pc files lie: a copied cache works too.
    cmake -S . -B "$tree" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_PREFIX_PATH="$prefix" -DPKG_CONFIG_ARGN=--define-prefix "$@" >/dev/null
    echo "$prefix" >"$tree/libraries"
    if ! log=$(cmake --build "$tree" --target packaged --parallel 2 2>&1); then
        echo "$log" >&2
        exit 1
    fi
    rm -rf "$tree/packages"
    if ! log=$(cpack --config "$tree/CPackConfig.cmake" -B "$PWD/$tree/packages" 2>&1); then
        echo "$log" >&2
        exit 1
    fi
    mkdir -p dist
    package=$(find "$tree/packages" -maxdepth 1 -type f -name 'tornuva-*')
    scripts/repack "$package"
    mv "$package" dist/
    echo "dist/${package##*/}"
}
