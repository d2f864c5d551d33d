#pragma once
// A readable sequence of bytes addressed by inclusive ranges: a local file, a block in
// memory, or a remote file read through HTTP range requests. Readers of file formats
// are written against this interface so that one walk serves every kind of source.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace brivane::platform {

class IByteRangeSource {
public:
    virtual ~IByteRangeSource() = default;

    // The bytes from aStart to aEnd inclusive. What comes back is what the source had:
    // fewer bytes at its end, nothing for a failed read or an empty range, and, for a
    // remote source, possibly other bytes than asked for. Callers check the length.
    // Never throws for a failed read.
    virtual std::string ReadRange(std::int64_t aStart, std::int64_t aEnd) = 0;
};

// The bytes of a block held in memory.
class TMemoryRangeSource final : public IByteRangeSource {
public:
    explicit TMemoryRangeSource(std::string aBytes) : fBytes(std::move(aBytes)) {}
    std::string ReadRange(std::int64_t aStart, std::int64_t aEnd) override;
    const std::string& Bytes() const { return fBytes; }

private:
    std::string fBytes;
};

// Passes reads to another source and counts them and the bytes they returned.
class TCountingRangeSource final : public IByteRangeSource {
public:
    explicit TCountingRangeSource(IByteRangeSource& aInner) : fInner(aInner) {}
    std::string ReadRange(std::int64_t aStart, std::int64_t aEnd) override;
    std::int64_t Requests() const { return fRequests; }
    std::int64_t Bytes() const { return fBytes; }

private:
    IByteRangeSource& fInner;
    std::int64_t fRequests = 0;
    std::int64_t fBytes = 0;
};

// A local file opened for reading, or nothing when it cannot be opened (missing,
// unreadable, not a regular file). The file stays open while the source lives.
std::unique_ptr<IByteRangeSource> OpenFileRangeSource(const std::filesystem::path& aPath);

} // namespace brivane::platform
