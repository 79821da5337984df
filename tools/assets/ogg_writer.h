// Ogg Vorbis encoding through libvorbisenc.
#pragma once

#include "music.h"

#include <filesystem>

namespace assets {

// Encodes at a fixed quality with a fixed stream serial, so equal input gives equal bytes.
void writeOggVorbis(const std::filesystem::path& path, const StereoBuffer& audio);

} // namespace assets
