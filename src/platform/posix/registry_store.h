#pragma once
// An in-memory copy of registry keys read from text files. Keys form one tree
// per hive, with subkeys in the order they were first met and a hash index for
// case-insensitive look-up; values keep their raw text (a view into the file's
// buffer, which the store owns) and are decoded only when read.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::platform::posix {

// How value texts are written: Wine's own escapes, or regedit's (version 5: hex
// strings are UTF-16LE; REGEDIT4: they are 8-bit).
enum class TRegistryDialect : std::uint8_t { Wine, Regedit5, Regedit4 };

struct TRawValue {
    std::string_view fName; // as written between the quotes; empty for the default value
    std::string_view fData; // the text after '=', continuation lines included
    TRegistryDialect fDialect = TRegistryDialect::Wine;
};

enum class TStoreRoot : std::uint32_t { LocalMachine = 0, CurrentUser = 1, Users = 2 };

class TRegistryStore {
public:
    using TKeyId = std::uint32_t;
    static constexpr TKeyId kNoKey = UINT32_MAX;

    TRegistryStore();

    static TKeyId Root(TStoreRoot aRoot) { return static_cast<TKeyId>(aRoot); }

    // The subkey of aParent with that name (compared case-insensitively), created
    // at the end of aParent's subkeys when it is new.
    TKeyId AddKey(TKeyId aParent, std::string_view aName);
    TKeyId FindKey(TKeyId aParent, std::string_view aName) const;

    // Values added later win over earlier ones of the same name.
    void AddValue(TKeyId aKey, const TRawValue& aValue) { fKeys[aKey].fValues.push_back(aValue); }

    const std::string& GetName(TKeyId aKey) const { return fKeys[aKey].fName; }
    const std::vector<TKeyId>& GetSubkeys(TKeyId aKey) const { return fKeys[aKey].fSubkeys; }
    const std::vector<TRawValue>& GetValues(TKeyId aKey) const { return fKeys[aKey].fValues; }

    // Keeps a file's text alive for the raw values that point into it.
    const std::string& KeepText(std::string aText);

private:
    struct TKey {
        std::string fName;
        std::string fFolded; // case-folded name, the index's key
        TKeyId fParent;
        std::vector<TKeyId> fSubkeys;
        std::vector<TRawValue> fValues;
    };

    std::size_t Slot(TKeyId aParent, std::string_view aFolded) const;
    void Grow();

    std::vector<TKey> fKeys;
    std::vector<TKeyId> fIndex; // open addressing over (parent, folded name)
    std::vector<std::unique_ptr<const std::string>> fTexts;
};

// Case folding of a key or value name (Unicode letters, Cyrillic included).
void FoldName(std::string_view aName, std::string& aFolded);

} // namespace brivane::platform::posix
