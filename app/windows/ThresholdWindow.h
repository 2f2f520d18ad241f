// What the outline and antialiasing windows share: one threshold, typed or set
// with an up-down control from 1 to 256. Execute reads up to 15 characters;
// a threshold of at least 1 (larger ones typed by hand too) takes the undo
// copy and applies the window's operation, anything else is reported and
// ends the window as cancelled.
#pragma once

#include <array>
#include <cstdint>

#include "app/Document.h"
#include "app/ParameterWindow.h"

namespace threshold_window {

enum Control { kLabel, kThreshold, kUpDown };

// The edit box and its up-down control carry the same identifier.
// clang-format off
constexpr std::array<ControlDef, 3> Controls(int start) {
    return {{
        {.kind = ControlKind::CentredLabel, .id = 0, .text = "境界値",
         .x = 4, .y = 10, .width = 60, .height = 20},
        {.kind = ControlKind::Edit, .id = 1, .x = 72, .y = 8, .width = 48, .height = 22},
        {.kind = ControlKind::UpDown, .id = 1, .x = 120, .y = 8, .width = 24, .height = 22,
         .minimum = 1, .maximum = 256, .start = start, .buddy = kThreshold},
    }};
}

constexpr WindowFrame Frame(const char* title) {
    return {.title = title, .width = 320, .height = 200, .navigation = true,
            .buttonTabStops = true, .execute = ExecuteButton(3, 8, 100),
            .cancel = CancelButton(4, 96, 100)};
}
// clang-format on

template <bool (*Apply)(CImage&, int32_t threshold)> class Behaviour : public WindowBehaviour {
    void OnExecute(ParameterWindowSession& s) override {
        const int32_t threshold = s.ReadLong(kThreshold, 15);
        if (threshold < 1) {
            s.Surface().ShowMessage("境界値が無効です。", "エラー");
            return s.Finish(false);
        }
        if (!s.Document().TakeUndoCopy()) return s.Finish(false);
        Apply(s.Document().Current(), threshold);
        s.Finish(true);
    }
};

} // namespace threshold_window
