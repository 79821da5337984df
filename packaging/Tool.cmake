# Installs a tool in what this build packs: the Debian package (a launcher on the PATH that
# reads Data/ from the installed data folder, the program private, a manual page from its
# --help made by packaging/CMakeLists.txt), the tar.gz or the Windows zip, where DESCRIPTION
# labels it in the program's properties.
function(tornuva_install_tool target description)
    add_dependencies(packaged ${target})
    if(WIN32)
        install(TARGETS ${target} DESTINATION .)
        tornuva_install_stripped(${target}.exe)
        tornuva_windows_resource(${target} "${description}")
    elseif(TORNUVA_PORTABLE)
        install(TARGETS ${target} DESTINATION . RUNTIME_DEPENDENCY_SET shipped)
    else()
        tornuva_install_program(${target}
            "exec ${INSTALLED_PROGRAMS}/${target} --data ${INSTALLED_DATA}")
        set_property(GLOBAL APPEND PROPERTY TORNUVA_TOOLS ${target})
    endif()
endfunction()
