# A release's COPYRIGHT: the statement in `intro`, then the MIT licence and each given licence
# file (Debian's copyright files, and `libraries`' folder of them), each under a line naming
# what it covers rather than where this build found it. `at_least` library licences are
# expected in that folder. `newlines` is LF, or CRLF for the text Windows readers show.
function(tornuva_licence_text output intro libraries at_least newlines)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        ${intro} ${PROJECT_SOURCE_DIR}/LICENSE)
    file(GLOB library_licences ${libraries}/*.txt)
    list(LENGTH library_licences count)
    if(count LESS at_least)
        message(FATAL_ERROR "No library licences in ${libraries}")
    endif()
    file(READ ${intro} text)
    foreach(licence ${PROJECT_SOURCE_DIR}/LICENSE ${library_licences} ${ARGN})
        if(licence MATCHES "/usr/share/doc/([^/]+)/copyright$")
            set(title ${CMAKE_MATCH_1})
        elseif(licence STREQUAL ${PROJECT_SOURCE_DIR}/LICENSE)
            set(title Tornuva)
        else()
            get_filename_component(title ${licence} NAME_WE)
        endif()
        file(READ ${licence} licence_text)
        string(APPEND text "\n\n==== ${title}\n\n${licence_text}")
    endforeach()
    file(CONFIGURE OUTPUT ${output} CONTENT "${text}" NEWLINE_STYLE ${newlines})
endfunction()
