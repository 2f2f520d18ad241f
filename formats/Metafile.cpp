#include "formats/Metafile.h"

#include "formats/FileIo.h"
#include "formats/ImageFiles.h"

bool ReadMetafile(CImage& image, const char* fileName) {
    ByteBlock file;
    if (!ReadWholeFile(fileName, file)) return false;
    return DecodeMetafile(image, file.data.get(), file.size);
}
