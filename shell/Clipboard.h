// The clipboard exchange of the image as a packed 24-bit bitmap (CF_DIB).
#pragma once

#include "core/Image.h"

// Copying reports nothing; a block the clipboard refuses is freed, not lost.
void CopyToClipboard(const CImage& image);
// True when the image has been replaced; otherwise it is unchanged.
bool PasteFromClipboard(CImage& image);
