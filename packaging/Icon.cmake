# The show's icon, a ferry under the sun composed from its own pictures in Data/: 256 and
# 48 pixels square as ${CMAKE_CURRENT_BINARY_DIR}/icon-SIZE.png, listed in TORNUVA_ICONS.
# The 48-pixel copy is the one every menu can use.
find_program(FFMPEG ffmpeg REQUIRED)
set(TORNUVA_ICONS ${CMAKE_CURRENT_BINARY_DIR}/icon-256.png ${CMAKE_CURRENT_BINARY_DIR}/icon-48.png)
set(SUN ${PROJECT_SOURCE_DIR}/Data/sun.png)
set(BOAT ${PROJECT_SOURCE_DIR}/Data/boat.png)
# Sky and sea, the sun behind the ferry.
string(JOIN "$<SEMICOLON>" ICON_FILTER
    "color=c=0x3b6fd8:s=256x256,format=rgba[sky]"
    "color=c=0x1f3f8f:s=256x84,format=rgba[sea]"
    "[sky][sea]overlay=0:172[bg]"
    "[0]scale=150:150[sun]"
    "[bg][sun]overlay=96:4[lit]"
    "[1]scale=248:-1[boat]"
    "[lit][boat]overlay=4:126,split[big][copy]"
    "[copy]scale=48:48:flags=area[small]")
add_custom_command(OUTPUT ${TORNUVA_ICONS}
    COMMAND ${FFMPEG} -v error -y -i ${SUN} -i ${BOAT} -filter_complex "${ICON_FILTER}"
            -map [big] -frames:v 1 icon-256.png -map [small] -frames:v 1 icon-48.png
    DEPENDS ${SUN} ${BOAT}
    VERBATIM)
add_custom_target(icons ALL DEPENDS ${TORNUVA_ICONS})
