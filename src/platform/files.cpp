// The parts of files.h that every system shares.

#include "platform/file_read_result.h"

#include <algorithm>

namespace brivane::platform {

namespace {

// The name WriteFileAtomically gives its temporary file: "." + the file's name + "."
// + six random letters and digits.
bool IsAtomicWriteName(std::string_view aName) {
    constexpr std::size_t kSuffix = 6;
    if (aName.size() < kSuffix + 3 || aName.front() != '.' ||
        aName[aName.size() - kSuffix - 1] != '.') {
        return false;
    }
    const std::string_view suffix = aName.substr(aName.size() - kSuffix);
    return std::all_of(suffix.begin(), suffix.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

} // namespace

TFileRead ReadFailure(TReadError aError, std::string aReason) {
    return TFileRead{std::nullopt, aError, std::move(aReason)};
}

TFileRead TooLargeFailure(std::size_t aMaxSize) {
    return ReadFailure(TReadError::TooLarge,
                       aMaxSize > 0 && aMaxSize % (1024 * 1024) == 0
                           ? "larger than " + std::to_string(aMaxSize >> 20) + " MiB"
                           : "larger than " + std::to_string(aMaxSize) + " bytes");
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& aPath, std::size_t aMaxSize) {
    return ReadRegularFile(aPath, aMaxSize).Bytes;
}

void RemoveStaleAtomicWriteFiles(const std::filesystem::path& aFolder,
                                 std::chrono::seconds aMinimumAge) {
    const auto before = std::filesystem::file_time_type::clock::now() - aMinimumAge;
    std::error_code listing;
    for (std::filesystem::directory_iterator it(aFolder, listing), end; !listing && it != end;
         it.increment(listing)) {
        std::error_code error; // of this file only: the next is tried all the same
        if (IsAtomicWriteName(it->path().filename().string()) &&
            it->symlink_status(error).type() == std::filesystem::file_type::regular &&
            it->last_write_time(error) < before && !error) {
            DeleteFileOnly(it->path());
        }
    }
}

} // namespace brivane::platform
