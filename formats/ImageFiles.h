// The file layer: LoadImageFile and SaveImageFile choose a reader or writer by
// the last four characters of the name. Readers change the image only after
// the whole input has been validated; writers never destroy an existing file
// when the write fails.
#pragma once

#include "core/Image.h"

bool LoadImageFile(CImage& image, const char* fileName);
bool SaveImageFile(CImage& image, const char* fileName, int jpegQuality);

bool ReadBmp(CImage& image, const char* fileName);
bool WriteBmp(const CImage& image, const char* fileName);
bool ReadYcc(CImage& image, const char* fileName);
bool WriteYcc(CImage& image, const char* fileName); // uses the auxiliary plane as scratch
bool ReadJpeg(CImage& image, const char* fileName);
bool WriteJpeg(const CImage& image, const char* fileName, int quality);
bool ReadMetafile(CImage& image, const char* fileName);

// True when the last four characters of path equal extension (".bmp"),
// ignoring ASCII case.
bool EndsIn(const char* path, const char* extension);
