# The Debian package's layout (component "deb", under /usr), a game's: launchers on the PATH,
# the programs private, the data shared.
set(TORNUVA_DEB_PREFIX /usr)
set(TORNUVA_DEB_LAUNCHERS games)
set(TORNUVA_DEB_PROGRAMS lib/games/tornuva)
set(TORNUVA_DEB_DATA share/games/tornuva) # the folder that holds Data/
set(INSTALLED_PROGRAMS ${TORNUVA_DEB_PREFIX}/${TORNUVA_DEB_PROGRAMS})
set(INSTALLED_DATA ${TORNUVA_DEB_PREFIX}/${TORNUVA_DEB_DATA})

# Everything the package holds, built by `--target packaged`; packing builds nothing else.
add_custom_target(packaged)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(${CMAKE_CURRENT_LIST_DIR}/Manuals.cmake)

# Installs a program with a launcher of the same name on the package's PATH that runs
# `command` followed by the user's arguments.
function(tornuva_install_program target command)
    add_dependencies(packaged ${target})
    install(TARGETS ${target} DESTINATION ${TORNUVA_DEB_PROGRAMS} COMPONENT deb)
    set(launcher ${PROJECT_BINARY_DIR}/launchers/${target})
    file(CONFIGURE OUTPUT ${launcher} CONTENT "#!/bin/sh\n${command} \"$@\"\n")
    install(PROGRAMS ${launcher} DESTINATION ${TORNUVA_DEB_LAUNCHERS} COMPONENT deb)
endfunction()
include(${CMAKE_CURRENT_LIST_DIR}/Tool.cmake)
