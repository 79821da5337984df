# shellcheck shell=bash disable=SC2154 # the port's script sets its particulars
# The one recipe for the libraries a port builds from Debian's source packages, at the
# versions the Linux build links against. A port's script sets its target's particulars,
# sources this file and calls build_libraries, which prints the prefix:
#   ${TORNUVA_CACHE:-~/.cache/tornuva}/TARGET-KEY/
#   target       the prefix's name
#   packages     the Debian packages its compiler needs
#   libraries    the libraries to build, in order, named as in recipe() below
#   configure    the command that configures a CMake project for it (cmake and its toolchain)
#   stb_make     make's variables that compile stb with its compiler
#   compiler()   prints what identifies its compiler
#   options()    sets `extra` to its own CMake options for library $1, beyond the recipe's
# KEY follows the versions, the recipe, the port's script and the compiler, so a second run
# prints the prefix at once and a changed recipe builds afresh. Each library's Debian
# copyright file is kept in share/licenses/ for the releases' licence texts.

# A library's Debian source package, the installed package whose version the Linux build
# links, the CMake project's folder inside the source, and the options every port shares.
# Ogg, Vorbis, FreeType and HarfBuzz are always linked into the SDL libraries.
recipe() {
    project=.
    case $1 in
    ogg)
        debian=(libogg libogg-dev)
        shared=(-DBUILD_SHARED_LIBS=OFF -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF)
        ;;
    vorbis)
        debian=(libvorbis libvorbis-dev)
        shared=(-DBUILD_SHARED_LIBS=OFF)
        ;;
    freetype)
        debian=(freetype libfreetype-dev)
        shared=(-DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON
            -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON)
        ;;
    harfbuzz)
        # SDL2_ttf shapes its text with HarfBuzz, as Debian's build does, so letters sit alike.
        debian=(harfbuzz libharfbuzz-dev)
        shared=(-DBUILD_SHARED_LIBS=OFF -DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF
            -DHB_BUILD_TESTS=OFF -DHB_HAVE_GLIB=OFF -DHB_HAVE_ICU=OFF)
        ;;
    sdl2)
        debian=(libsdl2 libsdl2-dev)
        shared=(-DSDL_TEST=OFF)
        ;;
    sdl2-ttf)
        debian=(libsdl2-ttf libsdl2-ttf-dev)
        shared=(-DSDL2_DIR="$prefix/lib/cmake/SDL2" -DSDL2TTF_VENDORED=OFF
            -DSDL2TTF_SAMPLES=OFF -DSDL2TTF_HARFBUZZ=ON
            -Dfreetype_DIR="$prefix/lib/cmake/freetype"
            -Dharfbuzz_LINK_LIBRARIES="$prefix/lib/libfreetype.a")
        ;;
    sdl2-mixer)
        # Ogg Vorbis only: the show plays no other format.
        debian=(libsdl2-mixer libsdl2-mixer-dev)
        shared=(-DSDL2_DIR="$prefix/lib/cmake/SDL2" -DSDL2MIXER_VENDORED=OFF
            -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_CMD=OFF
            -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF
            -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_WAVPACK=OFF)
        ;;
    glew)
        debian=(glew libglew-dev)
        project=build/cmake
        shared=(-DBUILD_UTILS=OFF)
        ;;
    stb)
        debian=(libstb libstb-dev)
        shared=()
        ;;
    *)
        echo "No recipe for the library $1" >&2
        exit 1
        ;;
    esac
}

# One line per library: its source package and version.
library_versions() {
    local name
    for name in "${libraries[@]}"; do
        recipe "$name"
        dpkg-query -W -f='${source:Package} ${source:Version}\n' "${debian[1]}"
    done
}

# The end of a library's build log; the work folder stays for a closer look.
build_failed() {
    tail -40 "$work/$1.log" >&2
    echo "Building $1 for $target failed; its whole log is $work/$1.log" >&2
    trap - EXIT
    exit 1
}

# Configures, builds and installs one CMake project into the prefix, quietly unless it fails.
# The source and build folders are named relatively in what it compiles (a library's
# messages name their files), so that every builder's libraries have the same bytes.
build_cmake_library() {
    local name=$1 source
    source=$(realpath "$2") # as the compiler names it, without a trailing /.
    shift 2
    local folders="-ffile-prefix-map=$source=. -ffile-prefix-map=$work/$name=."
    { CFLAGS=$folders CXXFLAGS=$folders "${configure[@]}" -S "$source" -B "$work/$name" \
        -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_FIND_ROOT_PATH="$prefix" "$@" &&
        cmake --build "$work/$name" --parallel "${TORNUVA_JOBS:-2}" &&
        cmake --install "$work/$name"; } >"$work/$name.log" 2>&1 || build_failed "$name"
}

# Debian's libstb builds every header as a library; the show needs only the image decoder, the
# capture and preview the PNG writer too.
# Debian's flags for its arithmetic (-O2 -fwrapv), so pictures decode to the same pixels.
build_stb() {
    cp -r "$1" "$work/stb"
    make -s -C "$work/stb" "${stb_make[@]}" CFLAGS="-O2 -fwrapv" MULTIARCH= PREFIX="$prefix" \
        LIBDIR=lib OBJS="stb_image.o stb_image_write.o" install-static install-header >"$work/stb.log" 2>&1 ||
        build_failed stb
}

build_into_prefix() {
    echo "Building the $target libraries into $prefix (5 to 10 minutes on 2 cores)" >&2
    rm -rf "$prefix"
    mkdir -p "$prefix/share/licenses" # and the cache, on a first run
    work=$(mktemp -d "$cache/$target-build.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    local name source
    for name in "${libraries[@]}"; do
        echo "  $name" >&2
        recipe "$name"
        options "$name"
        source=$(scripts/debian-source "${debian[@]}")
        cp "$source/debian/copyright" "$prefix/share/licenses/${debian[0]}.txt"
        if [ "$name" = stb ]; then
            build_stb "$source"
        else
            build_cmake_library "$name" "$source/$project" "${shared[@]}" "${extra[@]}"
        fi
    done
    touch "$prefix/.complete"
}

build_libraries() {
    scripts/setup --packages-only "${packages[@]}" ninja-build dpkg-dev >&2
    cache=${TORNUVA_CACHE:-$HOME/.cache/tornuva}
    prefix= # known once the key is
    local key
    key=$({ library_versions; cat "${BASH_SOURCE[0]}" "$0"; compiler; } |
        sha256sum | cut -c1-16)
    prefix=$cache/$target-$key
    [ -f "$prefix/.complete" ] || build_into_prefix
    echo "$prefix"
}
