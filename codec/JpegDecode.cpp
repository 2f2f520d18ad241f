// Decoding straight into the transfer block: libjpeg writes blue, green, red
// and a fourth byte per pixel, and each scan line (top first) goes to its
// bottom-up row, so no pixel is copied twice.
//
// The function that calls setjmp holds no object with a destructor: longjmp
// would skip it.
#include <climits>
#include <cstdlib>

#include "codec/ImgCodec.h"
#include "codec/JpegEngine.h"
#include "codec/JpegErrors.h"

namespace {

// The blocks the scans so far have walked, against the bound for the picture.
struct ScanBudget {
    jpeg_progress_mgr pub; // first, so libjpeg's pointer is the budget's
    int lastScan;
    uint64_t walked;
    uint64_t limit;
};

// Called by libjpeg before each row of input; a new scan's header has been
// read (and its layout set up) by the time its number shows here.
void LimitScans(j_common_ptr cinfo) {
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    auto* budget = reinterpret_cast<ScanBudget*>(dinfo->progress);
    if (dinfo->input_scan_number > kMaxScans) {
        SetCodecFailure("unsupported JPEG: too many scans");
        ERREXIT(cinfo, JERR_NOT_COMPILED);
    }
    if (dinfo->input_scan_number == budget->lastScan) return;
    const uint64_t scans = uint64_t(dinfo->input_scan_number - budget->lastScan);
    budget->lastScan = dinfo->input_scan_number;
    budget->walked += scans * dinfo->MCUs_per_row * dinfo->MCU_rows_in_scan * dinfo->blocks_in_MCU;
    if (budget->walked <= budget->limit) return;
    SetCodecFailure("unsupported JPEG: too many scans for the picture's size");
    ERREXIT(cinfo, JERR_NOT_COMPILED);
}

uint64_t PictureBlocks(const jpeg_decompress_struct& cinfo) {
    uint64_t blocks = 0;
    for (int i = 0; i < cinfo.num_components; ++i)
        blocks += uint64_t(cinfo.comp_info[i].width_in_blocks) * cinfo.comp_info[i].height_in_blocks;
    return blocks;
}

bool Refuse(const char* reason) {
    SetCodecFailure(reason);
    return false;
}

bool AcceptedLayout(const jpeg_decompress_struct& cinfo, uint64_t fileBytes, uint64_t maxPixels) {
    if (cinfo.data_precision != 8) return Refuse("unsupported JPEG: not 8 bits per sample");
    const J_COLOR_SPACE space = cinfo.jpeg_color_space;
    if (space == JCS_CMYK || space == JCS_YCCK) return Refuse("unsupported JPEG: CMYK");
    bool grey = space == JCS_GRAYSCALE && cinfo.num_components == 1;
    bool colour = (space == JCS_YCbCr || space == JCS_RGB) && cinfo.num_components == 3;
    if (!grey && !colour) return Refuse("unsupported JPEG: colour space");
    const uint64_t w = cinfo.image_width, h = cinfo.image_height;
    return (PlausibleJpegSize(w, h, fileBytes) && w * h <= maxPixels) || Refuse("image too large");
}

// Reads every scan line into the block; row 0 of the block is the bottom row.
void ReadRows(jpeg_decompress_struct& cinfo, uint8_t* pixels) {
    const size_t stride = size_t(cinfo.output_width) * 4;
    const JDIMENSION height = cinfo.output_height;
    JSAMPROW rows[8];
    while (cinfo.output_scanline < height) {
        JDIMENSION want = height - cinfo.output_scanline;
        if (want > 8) want = 8;
        for (JDIMENSION i = 0; i < want; ++i)
            rows[i] = pixels + size_t(height - 1 - (cinfo.output_scanline + i)) * stride;
        if (jpeg_read_scanlines(&cinfo, rows, want) == 0) ERREXIT(&cinfo, JERR_INPUT_EMPTY);
    }
}

} // namespace

bool PlausibleJpegSize(uint64_t w, uint64_t h, uint64_t fileBytes) {
    uint64_t pixels = w * h; // both at most 65535
    if (pixels == 0 || pixels > kMaxPixels) return false;
    return pixels <= kPixelsWithoutRatio || pixels / kMaxPixelsPerByte <= fileBytes;
}

namespace {

// The file is read through libjpeg's own small buffer or taken from memory;
// size is the file's length either way.
struct JpegInput {
    const uint8_t* data;
    std::FILE* file;
    uint64_t size;
    uint64_t maxPixels;
};

uint8_t* Decode(const JpegInput& input) {
    jpeg_decompress_struct cinfo;
    CodecErrorManager errors;
    ScanBudget budget{};
    uint8_t* volatile block = nullptr;
    cinfo.err = InstallCodecErrors(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        FreeTransferBlock(block);
        return nullptr;
    }
    jpeg_create_decompress(&cinfo);
    budget.pub.progress_monitor = LimitScans;
    cinfo.progress = &budget.pub;
    if (input.file)
        jpeg_stdio_src(&cinfo, input.file);
    else
        jpeg_mem_src(&cinfo, input.data, static_cast<unsigned long>(input.size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK ||
        !AcceptedLayout(cinfo, input.size, input.maxPixels))
        ERREXIT(&cinfo, JERR_CONVERSION_NOTIMPL);
    // Interleaved scans also walk the blocks that pad the last row and column
    // of units: one more pass covers them.
    budget.limit = (kMaxPassesPerBlock + 1) * PictureBlocks(cinfo);
    cinfo.out_color_space = JCS_EXT_BGRX;
    block = AllocTransferBlock(cinfo.image_width, cinfo.image_height);
    if (!block) ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 0);
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_width != cinfo.image_width || cinfo.output_height != cinfo.image_height ||
        cinfo.output_components != 4)
        ERREXIT(&cinfo, JERR_CONVERSION_NOTIMPL);
    ReadRows(cinfo, block + kTransferHeaderBytes);
    // A single scan decoded to its last pixel with no bits missing lacked only
    // the end marker; a file of several scans that ended early lost scans.
    if (errors.reachedEndOfFile && jpeg_has_multiple_scans(&cinfo)) ERREXIT(&cinfo, JERR_INPUT_EOF);
    jpeg_destroy_decompress(&cinfo);
    return block;
}

} // namespace

uint8_t* DecodeJpeg(const uint8_t* data, size_t size, uint64_t maxPixels) {
    if (!data || size < 4 || size > ULONG_MAX) return nullptr;
    return Decode({data, nullptr, size, maxPixels});
}

uint8_t* DecodeJpegFile(std::FILE* file, uint64_t size) {
    if (!file || size < 4) return nullptr;
    return Decode({nullptr, file, size, kMaxPixels});
}
