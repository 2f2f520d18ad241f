// What the blur and unsharp-mask windows share: a range trackbar (1 to 6) and
// a value trackbar whose position p stands for (p - 20) x 0.2, each with a
// right-aligned label that every scroll rewrites. The two trackbars carry the
// same identifier, as do the two labels, so they are told apart by place.
// Execute takes the undo copy and applies the window's operation.
#pragma once

#include <cstdint>
#include <cstdio>

#include "app/Document.h"
#include "app/ParameterWindow.h"

namespace range_window {

enum Control { kRangeLabel, kRange, kValueLabel, kValue };

inline double ValueAt(int position) {
    return (position - 20) * 0.2;
}

struct Labels {
    const char* rangeFormat; // "%d"
    const char* valueFormat; // "%1.1lf"
};

template <const Labels& kLabels, bool (*Apply)(CImage&, int32_t range, double value)>
class Behaviour : public WindowBehaviour {
    void OnScroll(ParameterWindowSession& s, int) override {
        DialogSurface& surface = s.Surface();
        char text[64];
        std::snprintf(text, sizeof text, kLabels.rangeFormat, surface.GetTrackbarPos(kRange));
        surface.SetText(kRangeLabel, text);
        std::snprintf(text, sizeof text, kLabels.valueFormat,
                      ValueAt(surface.GetTrackbarPos(kValue)));
        surface.SetText(kValueLabel, text);
    }

    void OnExecute(ParameterWindowSession& s) override {
        const int32_t range = s.Surface().GetTrackbarPos(kRange);
        const double value = ValueAt(s.Surface().GetTrackbarPos(kValue));
        if (!s.Document().TakeUndoCopy()) return s.Finish(false);
        Apply(s.Document().Current(), range, value);
        s.Finish(true);
    }
};

} // namespace range_window
