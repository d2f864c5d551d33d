#include "net/content_stream.h"

#include "net/net_errors.h"
#include "platform/file_stream.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace brivane::net {

namespace {

// Large enough that a download costs few system calls per megabyte.
constexpr std::size_t kFileBufferSize = 256 * 1024;

} // namespace

void TMemoryContent::Write(std::string_view aBytes) {
    if (aBytes.size() > fLimit - fBytes.size()) {
        throw ENetHTTPResponseException("Response body exceeds the limit of " +
                                        std::to_string(fLimit) + " bytes");
    }
    fBytes.append(aBytes);
}

TFileContent::TFileContent(const std::filesystem::path& aPath) : fPath(aPath) {
    fFile = platform::OpenFileForWriting(aPath, platform::TFileCreation::Replace);
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
    if (!platform::TruncateFileStream(fFile)) {
        Fail("Cannot truncate");
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
