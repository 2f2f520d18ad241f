// One run of a parameter window for its tests: a document holding the image
// (and a copy of it in original), the window's session and its FakeSurface.
#pragma once

#include <memory>

#include "app/Document.h"
#include "app/ParameterWindow.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakeSurface.h"

struct WindowRun {
    FakeHost host;
    CImageDocument document{host};
    TrimFrame trim;
    CImage original;
    std::unique_ptr<ParameterWindowSession> session;
    std::unique_ptr<FakeSurface> surface;

    // command: a menu command the document runs before the window opens (a
    // zoom, say); 0 for none.
    WindowRun(ParameterWindow kind, const CImage& image, int command = 0);
};
