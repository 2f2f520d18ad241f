#include "cli/Recipe.h"

#include "core/Image.h"
#include "core/Random.h"
#include "formats/FileFailure.h"
#include "formats/ImageFiles.h"

std::string ProcessFile(const Recipe& recipe, const std::string& input, const std::string& output) {
    CImage image;
    if (!LoadImageFile(image, input.c_str()))
        return "cannot read '" + input + "': " + FileFailure();
    SeedRandom(recipe.seed);
    for (const ParsedStep& parsed : recipe.steps) {
        std::string why;
        if (parsed.step->run(image, parsed.args.data(), why)) continue;
        return "step '" + std::string(parsed.step->name) + "' failed on '" + input +
               "': " + (why.empty() ? "refused its input" : why);
    }
    if (!SaveImageFile(image, output.c_str(), recipe.quality))
        return "cannot write '" + output + "': " + FileFailure();
    return "";
}
