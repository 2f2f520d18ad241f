// The file layouts written out plainly, one pixel at a time through the image's
// accessors; the shipped readers and writers are compared with these.
#pragma once

#include "core/Image.h"
#include "tests/formats/FileHelpers.h"

// Bottom-up rows of blue, green, red, each padded with zeros to 4 bytes.
Bytes ReferenceDibRows(const CImage& image);
// The whole BMP file as the writer lays it out.
Bytes ReferenceBmp(const CImage& image);
// The same picture as a top-down BMP file (negative height, top row first).
Bytes ReferenceTopDownBmp(const CImage& image);
// The picture of w x h rows starting at data (bottom-up), read through the setters.
CImage ReferenceImageFromRows(const uint8_t* data, int32_t w, int32_t h);

// The YCC file of the image (converts its auxiliary plane first).
Bytes ReferenceYcc(CImage& image);
// The image a YCC file describes, samples from the given offset.
CImage ReferenceImageFromYcc(const Bytes& file, uint32_t offset);
