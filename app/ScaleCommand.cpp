// The fixed-scaling command on the document's current image.
#include <memory>
#include <utility>

#include "app/Document.h"
#include "ops/filters/FilterOps.h"

bool ScaleByPercent(CImageDocument& document, int32_t percent) {
    std::unique_ptr<CImage> scaled = ScaleImageByPercent(document.Current(), percent);
    if (!scaled) return false;
    // The previous image moves into the undo image whole; unlike a copy, this
    // cannot fail half-way and leave an undo image that does not match.
    document.Undo().Swap(document.Current());
    document.AdoptCurrent(std::move(scaled));
    return true;
}
