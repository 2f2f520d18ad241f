// Placeholder until metafile import lands.
#include "formats/ImageFiles.h"

bool ReadMetafile(CImage&, const char*) { return false; }
