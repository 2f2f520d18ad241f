// A colour typed into three boxes R, G, B, as the tone-cut and replacement
// windows read it.
#pragma once

#include <cstdint>

struct TypedColour {
    int32_t r, g, b;
    // Each channel in 0..255; the windows refuse anything else with a message.
    bool Valid() const { return InRange(r) && InRange(g) && InRange(b); }

  private:
    static bool InRange(int32_t v) { return v >= 0 && v <= 255; }
};
