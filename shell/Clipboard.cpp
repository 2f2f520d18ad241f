#include "shell/Clipboard.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "formats/PackedDib.h"

void CopyToClipboard(const CImage& image) {
    std::vector<uint8_t> dib;
    if (!EncodePackedDib(image, dib)) return;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, dib.size());
    if (!block) return;
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return;
    }
    std::memcpy(bytes, dib.data(), dib.size());
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    // The clipboard owns the block only when it accepts it.
    if (!SetClipboardData(CF_DIB, block)) GlobalFree(block);
    CloseClipboard();
}

bool PasteFromClipboard(CImage& image) {
    if (!OpenClipboard(nullptr)) return false;
    bool pasted = false;
    if (HANDLE data = GetClipboardData(CF_DIB)) {
        const SIZE_T size = GlobalSize(data);
        if (const void* bytes = GlobalLock(data)) {
            pasted = DecodePackedDib(image, static_cast<const uint8_t*>(bytes), size);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return pasted;
}
