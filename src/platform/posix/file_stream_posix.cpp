#include "platform/file_stream.h"

#include <sys/stat.h>
#include <unistd.h>

namespace brivane::platform {

std::FILE* OpenFileForWriting(const std::filesystem::path& aPath, TFileCreation aCreation) {
    if (aCreation == TFileCreation::Exclusive) {
        return std::fopen(aPath.c_str(), "wbx");
    }
    // A file that exists and is empty (a download's reserved temporary file) is opened as
    // it stands: truncating it, even when that changes nothing, makes ext4 write the
    // whole file out when it is closed (its guard for files rewritten in place), which
    // halves the speed of parallel downloads to disk.
    struct stat info {};
    if (::stat(aPath.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0) {
        if (std::FILE* file = std::fopen(aPath.c_str(), "r+b")) {
            return file;
        }
    }
    return std::fopen(aPath.c_str(), "wb");
}

bool TruncateFileStream(std::FILE* aFile) {
    return ::ftruncate(::fileno(aFile), 0) == 0;
}

} // namespace brivane::platform
