#include "cli/Steps.h"

std::span<const Step> ColourSteps() { return {}; }
