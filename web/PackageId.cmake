# The data loader's package id named after the data's contents, where emscripten's packer draws
# a random one: the same Data/ gives the same page, byte for byte, and a changed Data/ a new id.
#   cmake -P PackageId.cmake   (in the folder holding tornuva.data and tornuva-data.js)
file(SHA256 tornuva.data hash)
string(REGEX REPLACE "^(........)(....)(....)(....)(............).*$" "\\1-\\2-\\3-\\4-\\5" id
    "${hash}")
file(READ tornuva-data.js loader)
string(REGEX REPLACE "\"package_uuid\": \"[^\"]*\"" "\"package_uuid\": \"${id}\"" loader
    "${loader}")
file(WRITE tornuva-data.js "${loader}")
