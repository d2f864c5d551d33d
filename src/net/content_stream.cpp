#include "net/content_stream.h"

#include "net/net_errors.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace brivane::net {

namespace {

// Large enough that a download costs few system calls per megabyte.
constexpr std::size_t kFileBufferSize = 256 * 1024;

// Opens aPath for writing from its start. A file that exists and is empty (a download's
// reserved temporary file) is opened as it stands: truncating it, even when that changes
// nothing, makes ext4 write the whole file out when it is closed (its guard for files
// rewritten in place), which halves the speed of parallel downloads to disk.
std::FILE* OpenForWriting(const std::filesystem::path& aPath) {
    std::error_code error;
    if (std::filesystem::is_regular_file(aPath, error) &&
        std::filesystem::file_size(aPath, error) == 0 && !error) {
        if (std::FILE* file = std::fopen(aPath.c_str(), "r+b")) {
            return file;
        }
    }
    return std::fopen(aPath.c_str(), "wb");
}

} // namespace

void TMemoryContent::Write(std::string_view aBytes) {
    if (aBytes.size() > fLimit - fBytes.size()) {
        throw ENetHTTPResponseException("Response body exceeds the limit of " +
                                        std::to_string(fLimit) + " bytes");
    }
    fBytes.append(aBytes);
}

TFileContent::TFileContent(const std::filesystem::path& aPath) : fPath(aPath) {
    fFile = OpenForWriting(aPath);
    if (fFile == nullptr) {
        Fail("Cannot create");
    }
    std::setvbuf(fFile, nullptr, _IOFBF, kFileBufferSize);
}

TFileContent::~TFileContent() {
    if (fFile != nullptr) {
        std::fclose(fFile);
    }
}

void TFileContent::Fail(const char* aWhat) const {
    throw std::runtime_error(std::string(aWhat) + " '" + fPath.string() +
                             "': " + std::strerror(errno));
}

void TFileContent::Write(std::string_view aBytes) {
    if (fFile == nullptr) {
        throw std::logic_error("Write after Close of '" + fPath.string() + "'");
    }
    if (std::fwrite(aBytes.data(), 1, aBytes.size(), fFile) != aBytes.size()) {
        Fail("Cannot write");
    }
    fSize += static_cast<std::int64_t>(aBytes.size());
}

void TFileContent::Clear() {
    if (fFile == nullptr) {
        throw std::logic_error("Clear after Close of '" + fPath.string() + "'");
    }
    if (fSize == 0) {
        return;
    }
    if (std::fflush(fFile) != 0 || std::fseek(fFile, 0, SEEK_SET) != 0) {
        Fail("Cannot rewind");
    }
    std::error_code error;
    std::filesystem::resize_file(fPath, 0, error);
    if (error) {
        throw std::runtime_error("Cannot truncate '" + fPath.string() + "': " + error.message());
    }
    fSize = 0;
}

void TFileContent::Close() {
    if (fFile == nullptr) {
        return;
    }
    std::FILE* file = fFile;
    fFile = nullptr;
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!flushed || !closed) {
        Fail("Cannot write");
    }
}

} // namespace brivane::net
