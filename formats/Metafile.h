// Placeable Windows metafiles: a 22-byte header whose first four bytes are the
// key 0x9AC6CDD7, then a standard 16-bit metafile (an 18-byte header and
// records of a 32-bit size in 16-bit words, a 16-bit function number and the
// parameters), ending with the end record. Only the key of the placeable
// header is used: the picture is stretched over a canvas the size of the
// display whatever its bounding box says.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/Image.h"

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderBytes = 22;
constexpr size_t kMetaHeaderBytes = 18;
constexpr uint16_t kMetaEndRecord = 0x0000;

// One record: its function number and its parameters (size minus the six
// bytes of size and function).
struct MetaRecord {
    uint16_t function;
    const uint8_t* params;
    size_t paramBytes;
};

// True when data[0..size) is a placeable metafile whose records can be walked
// safely: the key, a standard header of nine words, and records each of at
// least three words, none running past the data, the last of them the end
// record.
bool ValidMetafile(const uint8_t* data, size_t size);

// Calls visit(record) for each record of a metafile that ValidMetafile
// accepted, up to the end record (not included). visit returns false to stop.
template <typename Visit> void ForEachMetaRecord(const uint8_t* data, size_t size, Visit&& visit);

// Renders the metafile in data[0..size) onto a display-sized canvas and
// replaces the image with it; false, and the image unchanged, when the file is
// refused or the canvas cannot be made.
bool DecodeMetafile(CImage& image, const uint8_t* data, size_t size);

// Whether the record creates an object, which takes the lowest free slot of
// the object table whatever the object is.
bool CreatesMetaObject(uint16_t function);

// The interpreter of the build without GDI: renders onto a canvas of w x h
// (DecodeMetafile: the display's size). The fuzz target uses a small one.
bool RenderMetafile(CImage& image, const uint8_t* data, size_t size, int32_t w, int32_t h);

// The record at offset in the records area, or false at the end of the data.
bool ReadMetaRecord(const uint8_t* records, size_t size, size_t& offset, MetaRecord& record);

template <typename Visit> void ForEachMetaRecord(const uint8_t* data, size_t size, Visit&& visit) {
    const uint8_t* records = data + kPlaceableHeaderBytes;
    const size_t recordBytes = size - kPlaceableHeaderBytes;
    size_t offset = kMetaHeaderBytes;
    MetaRecord record;
    while (ReadMetaRecord(records, recordBytes, offset, record) &&
           record.function != kMetaEndRecord)
        if (!visit(record)) return;
}
