// The per-user dynamic cache file of a program (magic, available version, date, size)
// beside a sound static file. What is read must be written back and read again alike.

#include "base/value_stream.h"
#include "catalogue/program_info.h"
#include "support/fuzz_input.h"

#include <cstdlib>

using namespace brivane;

namespace {

const std::filesystem::path& StaticFile() {
    static const std::filesystem::path file = [] {
        TValueWriter writer;
        writer.WriteInteger(kCacheMagic);
        writer.WriteInteger(0); // no icon
        writer.WriteString("Program");
        writer.WriteString("Программа");
        writer.WriteString("A program");
        return fuzz::WriteTempFile("program.static", writer.Bytes());
    }();
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize) {
    const auto file = fuzz::WriteTempFile("program.dynamic", fuzz::AsText(aData, aSize));
    const TProgramInfo info = TProgramInfo::LoadFromCacheFiles(StaticFile(), file);

    const auto copy = fuzz::TempFolder() / "copy.dynamic";
    if (!info.SaveToCacheFile(copy) ||
        TProgramInfo::LoadFromCacheFiles(StaticFile(), copy) != info) {
        std::abort();
    }
    return 0;
}
