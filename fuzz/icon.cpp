// Icon resources: an icon group (its length in the first two bytes) whose images are
// cut from the rest of the input, in turn, by their IDs; and the rest as one image.

#include "pe/executable_icons.h"
#include "support/fuzz_input.h"

#include <cstdlib>
#include <string>

using namespace brivane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    if (aSize < 2) {
        return 0;
    }
    const std::size_t groupSize = std::min<std::size_t>(aData[0] | (aData[1] << 8), aSize - 2);
    const std::string_view group = fuzz::AsText(aData + 2, groupSize);
    const std::string_view images = fuzz::AsText(aData + 2 + groupSize, aSize - 2 - groupSize);

    // Image N is the N-th eighth of the images' bytes (IDs wrap around).
    const auto image = [images](std::uint16_t aId) {
        const std::size_t part = images.size() / 8;
        return std::string(images.substr((aId % 8) * part, part));
    };
    const std::string file = BuildIconFile(group, image);
    if (!file.empty() && (file.size() > kMaxIconFileSize || !IsIconFile(file))) {
        std::abort(); // a group that is built must come out as a sound icon file
    }

    const TIconInfo single = MakeIconInfo(images);
    if (!images.empty() && !IsIconFile(single.fIcon)) {
        std::abort();
    }
    (void)IsIconFile(images);
    return 0;
}
