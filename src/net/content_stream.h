#pragma once
// Where the body of an answer goes. The client may write a body and clear it
// again when the exchange goes on (a redirect's body is dropped that way).

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

namespace brivane::net {

class TContentStream {
public:
    virtual ~TContentStream() = default;
    virtual void Write(std::string_view aBytes) = 0;
    // Drops everything written so far.
    virtual void Clear() = 0;
};

// A body kept in memory, up to aLimit bytes; a longer body is an error
// (ENetHTTPResponseException), so no server can make the program hold an
// arbitrary amount of memory.
class TMemoryContent : public TContentStream {
public:
    explicit TMemoryContent(std::size_t aLimit = std::numeric_limits<std::size_t>::max())
        : fLimit(aLimit) {}
    void Write(std::string_view aBytes) override;
    void Clear() override { fBytes.clear(); }

    const std::string& Bytes() const { return fBytes; }
    std::string Take() { return std::move(fBytes); }

private:
    std::size_t fLimit;
    std::string fBytes;
};

// A body streamed to a file, which is created or truncated. Write errors (a full
// disk) throw std::runtime_error naming the file.
class TFileContent : public TContentStream {
public:
    explicit TFileContent(const std::filesystem::path& aPath);
    ~TFileContent() override;
    TFileContent(const TFileContent&) = delete;
    TFileContent& operator=(const TFileContent&) = delete;

    void Write(std::string_view aBytes) override;
    void Clear() override;
    // Flushes and closes the file; throws when the data could not be written.
    void Close();
    std::int64_t Size() const { return fSize; }

private:
    [[noreturn]] void Fail(const char* aWhat) const;

    std::filesystem::path fPath;
    std::FILE* fFile = nullptr;
    std::int64_t fSize = 0;
};

} // namespace brivane::net
