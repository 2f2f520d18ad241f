// The walk over a metafile's records, which both builds make before anything
// is drawn: a record size of zero would loop for ever and one past the end
// would read outside the file.
#include "formats/LittleEndian.h"
#include "formats/Metafile.h"

namespace {

constexpr size_t kRecordHeaderBytes = 6;
constexpr uint16_t kMetaHeaderWords = 9;

} // namespace

bool ReadMetaRecord(const uint8_t* records, size_t size, size_t& offset, MetaRecord& record) {
    if (offset > size || size - offset < kRecordHeaderBytes) return false;
    const uint64_t bytes = 2 * uint64_t(GetLe32(records + offset));
    if (bytes < kRecordHeaderBytes || bytes > size - offset) return false;
    record.function = GetLe16(records + offset + 4);
    record.params = records + offset + kRecordHeaderBytes;
    record.paramBytes = size_t(bytes) - kRecordHeaderBytes;
    offset += size_t(bytes);
    return true;
}

bool ValidMetafile(const uint8_t* data, size_t size) {
    if (!data || size <= kPlaceableHeaderBytes + kMetaHeaderBytes) return false;
    if (GetLe32(data) != kPlaceableKey) return false;
    const uint8_t* records = data + kPlaceableHeaderBytes;
    const size_t recordBytes = size - kPlaceableHeaderBytes;
    const uint16_t type = GetLe16(records);
    if ((type != 1 && type != 2) || GetLe16(records + 2) != kMetaHeaderWords) return false;
    size_t offset = kMetaHeaderBytes;
    MetaRecord record;
    while (ReadMetaRecord(records, recordBytes, offset, record))
        if (record.function == kMetaEndRecord) return true;
    return false;
}

// Records that create an object take the lowest free slot of the object table,
// whatever the object is; the interpreter keeps the slots of those it does
// not draw with so that the indices of the others stay right.
bool CreatesMetaObject(uint16_t function) {
    switch (function) {
    case 0x00F7: // palette
    case 0x0142: // DIB pattern brush
    case 0x01F9: // pattern brush
    case 0x02FB: // font
    case 0x06FF: // region
    case 0x02FA: // pen
    case 0x02FC: // brush
        return true;
    default:
        return false;
    }
}
