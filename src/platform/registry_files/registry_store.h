#pragma once
// An in-memory copy of registry keys read from text files. Keys form one tree
// per hive, with subkeys in the order they were first met and a hash index for
// case-insensitive look-up; values keep their raw text (a view into the file's
// text, which the store owns) and are decoded only when read. Keys, values and
// names live in blocks that never move, so a registry of hundreds of thousands
// of keys is read without copying what was already stored.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::platform::registry_files {

// How value texts are written: Wine's own escapes, or regedit's (version 5: hex
// strings are UTF-16LE; REGEDIT4: they are 8-bit).
enum class TRegistryDialect : std::uint8_t { Wine, Regedit5, Regedit4 };

struct TRawValue {
    std::string_view fName; // as written between the quotes; empty for the default value
    std::string_view fData; // the text after '=', continuation lines included
    TRegistryDialect fDialect = TRegistryDialect::Wine;
};

enum class TStoreRoot : std::uint32_t { LocalMachine = 0, CurrentUser = 1, Users = 2 };

// An array that grows by whole blocks: elements never move once added.
template <typename T>
class TBlockArray {
public:
    std::uint32_t Size() const { return fSize; }
    T& operator[](std::uint32_t aIndex) { return fBlocks[aIndex >> kShift][aIndex & kMask]; }
    const T& operator[](std::uint32_t aIndex) const {
        return fBlocks[aIndex >> kShift][aIndex & kMask];
    }
    T& Add() {
        if ((fSize & kMask) == 0) {
            fBlocks.push_back(std::make_unique<T[]>(kMask + 1));
        }
        return (*this)[fSize++];
    }

private:
    static constexpr std::uint32_t kShift = 10;
    static constexpr std::uint32_t kMask = (1u << kShift) - 1;
    std::vector<std::unique_ptr<T[]>> fBlocks;
    std::uint32_t fSize = 0;
};

class TRegistryStore {
public:
    using TKeyId = std::uint32_t;
    static constexpr TKeyId kNoKey = UINT32_MAX;

    TRegistryStore();

    static TKeyId Root(TStoreRoot aRoot) { return static_cast<TKeyId>(aRoot); }

    // The subkey of aParent with that name (compared case-insensitively), created
    // at the end of aParent's subkeys when it is new. Names are at most
    // kMaxNameBytes long.
    TKeyId AddKey(TKeyId aParent, std::string_view aName);
    TKeyId FindKey(TKeyId aParent, std::string_view aName) const;
    static constexpr std::size_t kMaxNameBytes = 4096;

    // aValue's name and data must lie in one text the store keeps, the data after
    // the name, and every value of a key must have the same dialect.
    void AddValue(TKeyId aKey, const TRawValue& aValue);

    std::string_view GetName(TKeyId aKey) const {
        return {fKeys[aKey].fName, fKeys[aKey].fNameSize};
    }
    std::vector<TKeyId> GetSubkeys(TKeyId aKey) const;
    bool HasSubkeys(TKeyId aKey) const { return fKeys[aKey].fFirstSubkey != kNoKey; }

    // The value of that name (case-insensitively), the last one added winning as
    // it does when a file sets a value twice.
    std::optional<TRawValue> FindValue(TKeyId aKey, std::string_view aName) const;

    // Keeps a file's text alive for the raw values that point into it.
    const std::string& KeepText(std::string aText);

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // Subkeys of a key with at most this many are found by walking them, which
    // costs less than the index; bigger families are in the index.
    static constexpr std::uint32_t kIndexedFamily = 8;

    struct TKey {
        const char* fName = nullptr; // the name, followed by its folded form
        std::uint16_t fNameSize = 0;
        std::uint16_t fFoldedSize = 0;
        TRegistryDialect fDialect = TRegistryDialect::Wine; // of its values
        TKeyId fParent = kNoKey;
        std::uint32_t fSubkeyCount = 0;
        TKeyId fFirstSubkey = kNoKey;
        TKeyId fLastSubkey = kNoKey;
        TKeyId fNextSibling = kNoKey;
        std::uint32_t fFirstValue = kNone;
        std::uint32_t fLastValue = kNone;
    };

    // A value's name and data as offsets from the start of its name.
    struct TValue {
        const char* fName = nullptr;
        std::uint32_t fNameSize = 0;
        std::uint32_t fDataOffset = 0;
        std::uint32_t fDataSize = 0;
        std::uint32_t fNext = kNone;
    };

    static std::string_view Folded(const TKey& aKey) {
        return {aKey.fName + aKey.fNameSize, aKey.fFoldedSize};
    }
    static std::uint32_t HashOf(TKeyId aParent, std::string_view aFolded);
    // The index slot holding that key, or the empty slot where it would go.
    std::size_t Slot(TKeyId aParent, std::string_view aFolded, std::uint32_t aHash) const;
    TKeyId Lookup(TKeyId aParent, std::string_view aFolded, std::uint32_t aHash) const;
    void Index(TKeyId aKey, std::uint32_t aHash);
    void Grow();
    const char* StoreName(std::string_view aName, std::string_view aFolded);

    TBlockArray<TKey> fKeys;
    TBlockArray<TValue> fValues;
    std::vector<std::unique_ptr<char[]>> fNameBlocks;
    std::size_t fNameBlockSize = 0;
    std::size_t fNameBlockFree = 0;
    // Open addressing: each slot holds a key's hash (high half) and id (low half),
    // so most probes are decided without touching the key itself.
    std::vector<std::uint64_t> fIndex;
    std::string fFoldedName; // AddKey's buffer, kept to spare an allocation per key
    std::size_t fIndexed = 0;
    std::vector<std::unique_ptr<const std::string>> fTexts;
};

// Case folding of a key or value name (Unicode letters, Cyrillic included).
void FoldName(std::string_view aName, std::string& aFolded);

} // namespace brivane::platform::registry_files
