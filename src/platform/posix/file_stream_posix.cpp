#include "platform/file_stream.h"

namespace brivane::platform {

std::FILE* OpenFileForWriting(const std::filesystem::path& aPath, TFileCreation aCreation) {
    return std::fopen(aPath.c_str(), aCreation == TFileCreation::Exclusive ? "wbx" : "wb");
}

} // namespace brivane::platform
