#include "pe/byte_range_source.h"

#include "platform/files.h"
#include "platform/files_common.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brivane::platform {

namespace {

class TFileRangeSource final : public IByteRangeSource {
public:
    TFileRangeSource(int aFd, std::int64_t aSize) : fFd(aFd), fSize(aSize) {}
    ~TFileRangeSource() override { ::close(fFd); }
    TFileRangeSource(const TFileRangeSource&) = delete;
    TFileRangeSource& operator=(const TFileRangeSource&) = delete;

    std::string ReadRange(std::int64_t aStart, std::int64_t aEnd) override {
        // The buffer holds what the file has in the range, not what was asked for.
        std::string bytes(RangeLength(aStart, aEnd, fSize), '\0');
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::pread(fFd, bytes.data() + done, bytes.size() - done,
                                      static_cast<off_t>(aStart + static_cast<std::int64_t>(done)));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break; // a read error or a file that shrank: return what was read
            }
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
        return bytes;
    }

private:
    int fFd;
    std::int64_t fSize;
};

} // namespace

std::unique_ptr<IByteRangeSource> OpenFileRangeSource(const std::filesystem::path& aPath) {
    std::int64_t size = 0;
    const int fd = OpenRegularFile(aPath, size);
    if (fd < 0) {
        return nullptr;
    }
    return std::make_unique<TFileRangeSource>(fd, size);
}

} // namespace brivane::platform
