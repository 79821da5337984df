#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <fstream>
#include <stdexcept>

namespace assets {

namespace {

void writePage(std::ofstream& out, const ogg_page& page) {
    out.write(reinterpret_cast<const char*>(page.header), page.header_len);
    out.write(reinterpret_cast<const char*>(page.body), page.body_len);
}

} // namespace

void writeOggVorbis(const std::filesystem::path& path, const StereoBuffer& audio) {
    std::ofstream out(path, std::ios::binary);
    if (!out)
        throw std::runtime_error("cannot write " + path.string());

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 2, audio.sampleRate, 0.5f) != 0)
        throw std::runtime_error("vorbis encoder refused its settings");
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", "Bossa nova");
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x70524E56); // fixed serial keeps the file reproducible

    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&os, &page) != 0)
        writePage(out, page);

    const size_t total = audio.left.size();
    const size_t chunk = 4096;
    bool eos = false;
    for (size_t pos = 0; !eos;) {
        size_t n = std::min(chunk, total - pos);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0); // end of stream
        } else {
            float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i) {
                buf[0][i] = audio.left[pos + i];
                buf[1][i] = audio.right[pos + i];
            }
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            pos += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet) == 1) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page) != 0) {
                    writePage(out, page);
                    if (ogg_page_eos(&page))
                        eos = true;
                }
            }
        }
    }

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace assets
