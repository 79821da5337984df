# Manual pages in section 6, installed into the Debian package compressed as Debian keeps them.
set(TORNUVA_DEB_MANUALS share/man/man6)
find_program(GZIP gzip REQUIRED)
find_program(HELP2MAN help2man REQUIRED)

# Installs `file` into the Debian package's `destination` as `name`.gz, compressed as Debian
# compresses documentation: at most, without the file's name and time.
function(tornuva_install_gzipped file destination name)
    add_custom_command(OUTPUT ${file}.gz
        COMMAND ${GZIP} --best --no-name --keep --force ${file}
        DEPENDS ${file}
        VERBATIM)
    add_custom_target(${name}-gzipped ALL DEPENDS ${file}.gz)
    add_dependencies(packaged ${name}-gzipped)
    install(FILES ${file}.gz RENAME ${name}.gz DESTINATION ${destination} COMPONENT deb)
endfunction()

# Installs `page`, the manual page of `program` in man markup.
function(tornuva_install_manual program page)
    tornuva_install_gzipped(${page} ${TORNUVA_DEB_MANUALS} ${program}.6)
endfunction()

# A tool's page is made by help2man from its --help and --version, so that each option is
# described in one place; the sections --help lacks come from packaging/man/TOOL.h2m.in.
function(tornuva_install_tool_manual target)
    set(man ${PROJECT_BINARY_DIR}/man)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/man/${target}.h2m.in ${man}/${target}.h2m
                   @ONLY)
    add_custom_command(OUTPUT ${man}/${target}.6
        COMMAND ${HELP2MAN} --no-info --section=6 --include=${man}/${target}.h2m
                --output=${man}/${target}.6 $<TARGET_FILE:${target}>
        # help2man makes the keys a subsection of the options; a page gives them their own.
        COMMAND sed -i "s/^\\.SS \"Keys:\"$/.SH KEYS/" ${man}/${target}.6
        DEPENDS ${target} ${man}/${target}.h2m
        VERBATIM)
    tornuva_install_manual(${target} ${man}/${target}.6)
endfunction()
