// Encoding from the transfer block into memory. Quality 90 and above keeps
// full chroma resolution (4:4:4): an adjuster's users save repeatedly and
// would see coloured edges and red text bleed under 4:2:0. Below 90 the user
// has asked for a small file, and 4:2:0 gives it, as most cameras do.
#include <cstdlib>
#include <cstring>

#include "codec/ImgCodec.h"
#include "codec/JpegEngine.h"
#include "codec/JpegErrors.h"

namespace {

constexpr int kFullChromaQuality = 90;
constexpr size_t kMinOutputBytes = 64 * 1024;

// A destination that grows a malloc'd buffer; the encoder's error handler
// frees it when it gives up.
struct GrowingDestination {
    jpeg_destination_mgr pub;
    uint8_t* data;
    size_t capacity;
};

void StartOutput(j_compress_ptr) {}

boolean GrowOutput(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<GrowingDestination*>(cinfo->dest);
    size_t bigger = dest->capacity * 2;
    auto* data =
        static_cast<uint8_t*>(bigger > dest->capacity ? std::realloc(dest->data, bigger) : nullptr);
    if (!data) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    dest->data = data;
    dest->pub.next_output_byte = data + dest->capacity;
    dest->pub.free_in_buffer = bigger - dest->capacity;
    dest->capacity = bigger;
    return TRUE;
}

void FinishOutput(j_compress_ptr) {}

uint32_t GetLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void SetChroma(jpeg_compress_struct& cinfo, int quality) {
    int factor = quality >= kFullChromaQuality ? 1 : 2;
    cinfo.comp_info[0].h_samp_factor = factor;
    cinfo.comp_info[0].v_samp_factor = factor;
    for (int c = 1; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
}

void WriteRows(jpeg_compress_struct& cinfo, const uint8_t* pixels) {
    const size_t stride = size_t(cinfo.image_width) * 4;
    const JDIMENSION height = cinfo.image_height;
    JSAMPROW rows[16];
    while (cinfo.next_scanline < height) {
        JDIMENSION count = height - cinfo.next_scanline;
        if (count > 16) count = 16;
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = const_cast<JSAMPROW>(pixels) +
                      size_t(height - 1 - (cinfo.next_scanline + i)) * stride;
        jpeg_write_scanlines(&cinfo, rows, count);
    }
}

} // namespace

bool EncodeJpeg(const uint8_t* block, int quality, EncodedJpeg& out) {
    out = EncodedJpeg{};
    if (!block || quality < 50 || quality > 100) {
        SetCodecFailure("quality must lie between 50 and 100");
        return false;
    }
    const uint32_t w = GetLe32(block), h = GetLe32(block + 4);
    if (w == 0 || h == 0 || w > JPEG_MAX_DIMENSION || h > JPEG_MAX_DIMENSION) {
        SetCodecFailure(w == 0 || h == 0 ? "an empty image cannot be a JPEG file"
                                         : "image too large for a JPEG file");
        return false;
    }
    jpeg_compress_struct cinfo;
    CodecErrorManager errors;
    GrowingDestination dest{};
    cinfo.err = InstallCodecErrors(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(dest.data);
        return false;
    }
    jpeg_create_compress(&cinfo);
    dest.capacity = size_t(w) * h / 2 + kMinOutputBytes;
    dest.data = static_cast<uint8_t*>(std::malloc(dest.capacity));
    if (!dest.data) ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 2);
    dest.pub = {dest.data, dest.capacity, StartOutput, GrowOutput, FinishOutput};
    cinfo.dest = &dest.pub;
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    SetChroma(cinfo, quality);
    jpeg_start_compress(&cinfo, TRUE);
    WriteRows(cinfo, block + kTransferHeaderBytes);
    jpeg_finish_compress(&cinfo);
    out.data = dest.data;
    out.size = dest.capacity - dest.pub.free_in_buffer;
    jpeg_destroy_compress(&cinfo);
    return true;
}
