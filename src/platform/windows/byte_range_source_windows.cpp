#include "pe/byte_range_source.h"

#include "platform/windows/handle.h"

#include <windows.h>

#include <algorithm>

namespace brivane::platform {

namespace {

class TFileRangeSource final : public IByteRangeSource {
public:
    TFileRangeSource(windows::THandle aFile, std::int64_t aSize)
        : fFile(std::move(aFile)), fSize(aSize) {}

    std::string ReadRange(std::int64_t aStart, std::int64_t aEnd) override {
        if (aStart < 0 || aEnd < aStart || aStart >= fSize) {
            return {};
        }
        // The buffer holds what the file has in the range, not what was asked for.
        const std::int64_t last = aEnd < fSize ? aEnd : fSize - 1;
        std::string bytes(static_cast<std::size_t>(last - aStart + 1), '\0');
        std::size_t done = 0;
        while (done < bytes.size()) {
            // The offset travels with each read, so reads need no shared file position.
            const std::uint64_t offset = static_cast<std::uint64_t>(aStart) + done;
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD read = 0;
            if (!ReadFile(fFile.Get(), bytes.data() + done, chunk, &read, &at) || read == 0) {
                break; // a read error or a file that shrank: return what was read
            }
            done += read;
        }
        bytes.resize(done);
        return bytes;
    }

private:
    windows::THandle fFile;
    std::int64_t fSize;
};

} // namespace

std::unique_ptr<IByteRangeSource> OpenFileRangeSource(const std::filesystem::path& aPath) {
    std::int64_t size = 0;
    DWORD error = ERROR_SUCCESS;
    windows::THandle file = windows::OpenRegularFileHandle(aPath, size, error);
    if (!file.Valid()) {
        return nullptr;
    }
    return std::make_unique<TFileRangeSource>(std::move(file), size);
}

} // namespace brivane::platform
