// A Windows executable read as the program reads one: its headers, its version
// resource both the quick way (the remote probe's few reads) and through the whole
// resource tree (a local file), and its icon groups as icon files.

#include "pe/executable_icons.h"
#include "pe/executable_reader.h"
#include "pe/executable_resources.h"
#include "pe/file_version_info.h"
#include "support/fuzz_input.h"

#include <cstdlib>
#include <string>

using namespace brivane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    platform::TMemoryRangeSource source{std::string(fuzz::AsText(aData, aSize))};

    TExecutableReader reader(source);
    if (reader.ReadHeaders()) {
        for (const std::uint32_t rva : {0u, 0x1000u, reader.ResourceDirectoryOffset()}) {
            (void)reader.RvaToFileOffset(rva);
        }
        const std::string block = reader.ReadVersionResourceQuickly();
        if (block.size() > kMaxVersionResourceSize) {
            std::abort();
        }
        TFileVersionInfo info;
        try {
            info.ParseVersionInfo(block);
        } catch (const TConversionError&) {
        }
    }

    TFileVersionInfo info;
    try {
        if (ReadFileVersionInfo(source, info)) {
            (void)info.GetFileVersionText();
            (void)info.GetProductVersionText();
        }
    } catch (const TConversionError&) {
    }

    for (const int index : {0, 1, -101}) {
        const std::string icon = ReadIconGroup(source, index);
        if (!icon.empty() && (icon.size() > kMaxIconFileSize || !IsIconFile(icon))) {
            std::abort(); // a group read from a file must come out as a sound icon file
        }
    }
    return 0;
}
