#include "tests/support/WindowRun.h"

WindowRun::WindowRun(ParameterWindow kind, const CImage& image, int command) {
    document.Current() = image;
    original = image;
    if (command) document.ExecuteCommand(command);
    session = std::make_unique<ParameterWindowSession>(kind, document, trim);
    surface = std::make_unique<FakeSurface>(*session);
}
