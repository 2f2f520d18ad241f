#include "cli/Steps.h"

std::span<const Step> GeometrySteps() { return {}; }
