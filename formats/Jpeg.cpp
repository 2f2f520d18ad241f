// Placeholder until the codec library lands.
#include "formats/ImageFiles.h"

bool ReadJpeg(CImage&, const char*) { return false; }
bool WriteJpeg(const CImage&, const char*, int) { return false; }
