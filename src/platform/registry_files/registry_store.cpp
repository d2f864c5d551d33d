#include "platform/registry_files/registry_store.h"

#include "base/unicode.h"
#include "platform/registry_files/registry_value.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace brivane::platform::registry_files {

namespace {

constexpr std::size_t kRootCount = 3;
// Name blocks start small, for the many small registries, and grow to this.
constexpr std::size_t kFirstNameBlock = std::size_t{1} << 14;
constexpr std::size_t kLastNameBlock = std::size_t{1} << 20;
constexpr std::uint64_t kEmptySlot = UINT64_MAX;

std::uint32_t IdOf(std::uint64_t aSlot) {
    return static_cast<std::uint32_t>(aSlot);
}

std::uint32_t HashPart(std::uint64_t aSlot) {
    return static_cast<std::uint32_t>(aSlot >> 32);
}

} // namespace

void FoldName(std::string_view aName, std::string& aFolded) {
    // Folded into the caller's buffer: most names are ASCII and need no new string.
    aFolded.resize(aName.size());
    for (std::size_t i = 0; i < aName.size(); ++i) {
        const char c = aName[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            aFolded = LowerCase(aName);
            return;
        }
        aFolded[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
    }
}

TRegistryStore::TRegistryStore() : fIndex(1024, kEmptySlot) {
    for (std::size_t i = 0; i < kRootCount; ++i) {
        fKeys.Add();
    }
}

const char* TRegistryStore::StoreName(std::string_view aName, std::string_view aFolded) {
    const std::size_t size = aName.size() + aFolded.size(); // below kFirstNameBlock
    if (fNameBlocks.empty() || size > fNameBlockFree) {
        fNameBlockSize =
            fNameBlocks.empty() ? kFirstNameBlock : std::min(fNameBlockSize * 2, kLastNameBlock);
        fNameBlocks.push_back(std::unique_ptr<char[]>(new char[fNameBlockSize]));
        fNameBlockFree = fNameBlockSize;
    }
    char* name = fNameBlocks.back().get() + (fNameBlockSize - fNameBlockFree);
    std::copy(aName.begin(), aName.end(), name);
    std::copy(aFolded.begin(), aFolded.end(), name + aName.size());
    fNameBlockFree -= size;
    return name;
}

std::uint32_t TRegistryStore::HashOf(TKeyId aParent, std::string_view aFolded) {
    const std::size_t hash =
        std::hash<std::string_view>{}(aFolded) ^ (std::size_t{aParent} * 0x9E3779B97F4A7C15ull);
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

std::size_t TRegistryStore::Slot(TKeyId aParent, std::string_view aFolded,
                                 std::uint32_t aHash) const {
    const std::size_t mask = fIndex.size() - 1;
    std::size_t slot = aHash & mask;
    while (fIndex[slot] != kEmptySlot) {
        if (HashPart(fIndex[slot]) == aHash) {
            const TKey& key = fKeys[IdOf(fIndex[slot])];
            if (key.fParent == aParent && Folded(key) == aFolded) {
                break;
            }
        }
        slot = (slot + 1) & mask;
    }
    return slot;
}

void TRegistryStore::Grow() {
    std::vector<std::uint64_t> index(fIndex.size() * 2, kEmptySlot);
    // Entries keep their hash, so growing never looks at the keys.
    const std::size_t mask = index.size() - 1;
    for (const std::uint64_t entry : fIndex) {
        if (entry != kEmptySlot) {
            std::size_t slot = HashPart(entry) & mask;
            while (index[slot] != kEmptySlot) {
                slot = (slot + 1) & mask;
            }
            index[slot] = entry;
        }
    }
    fIndex.swap(index);
}

TRegistryStore::TKeyId TRegistryStore::Lookup(TKeyId aParent, std::string_view aFolded,
                                              std::uint32_t aHash) const {
    const TKey& parent = fKeys[aParent];
    if (parent.fSubkeyCount <= kIndexedFamily) {
        for (TKeyId id = parent.fFirstSubkey; id != kNoKey; id = fKeys[id].fNextSibling) {
            if (Folded(fKeys[id]) == aFolded) {
                return id;
            }
        }
        return kNoKey;
    }
    const std::uint64_t entry = fIndex[Slot(aParent, aFolded, aHash)];
    return entry == kEmptySlot ? kNoKey : IdOf(entry);
}

void TRegistryStore::Index(TKeyId aKey, std::uint32_t aHash) {
    // Keep the load factor at or below one half so probing stays short.
    if ((++fIndexed) * 2 > fIndex.size()) {
        Grow();
    }
    const TKey& key = fKeys[aKey];
    fIndex[Slot(key.fParent, Folded(key), aHash)] = (std::uint64_t{aHash} << 32) | aKey;
}

TRegistryStore::TKeyId TRegistryStore::FindKey(TKeyId aParent, std::string_view aName) const {
    // A buffer of this call's own: lookups may run on several threads at once. (No
    // thread_local: under mingw-w64 its destructor may run at thread exit after its
    // storage is gone.)
    std::string folded;
    FoldName(aName, folded);
    return Lookup(aParent, folded, HashOf(aParent, folded));
}

TRegistryStore::TKeyId TRegistryStore::AddKey(TKeyId aParent, std::string_view aName) {
    std::string& folded = fFoldedName; // keys are added by one thread, while loading
    FoldName(aName, folded);
    const std::uint32_t hash = HashOf(aParent, folded);
    if (const TKeyId found = Lookup(aParent, folded, hash); found != kNoKey) {
        return found;
    }
    if (aName.size() > kMaxNameBytes || folded.size() > kMaxNameBytes ||
        fKeys.Size() >= kNoKey - 1) {
        throw std::length_error("registry key name or count out of range");
    }
    const TKeyId id = fKeys.Size();
    TKey& key = fKeys.Add();
    key.fName = StoreName(aName, folded);
    key.fNameSize = static_cast<std::uint16_t>(aName.size());
    key.fFoldedSize = static_cast<std::uint16_t>(folded.size());
    key.fParent = aParent;
    TKey& parent = fKeys[aParent];
    if (parent.fLastSubkey == kNoKey) {
        parent.fFirstSubkey = id;
    } else {
        fKeys[parent.fLastSubkey].fNextSibling = id;
    }
    parent.fLastSubkey = id;
    if (++parent.fSubkeyCount == kIndexedFamily + 1) {
        // The family outgrew walking: index all of it.
        for (TKeyId sibling = parent.fFirstSubkey; sibling != kNoKey;
             sibling = fKeys[sibling].fNextSibling) {
            Index(sibling, HashOf(aParent, Folded(fKeys[sibling])));
        }
    } else if (parent.fSubkeyCount > kIndexedFamily) {
        Index(id, hash);
    }
    return id;
}

void TRegistryStore::AddValue(TKeyId aKey, const TRawValue& aValue) {
    const std::uint32_t id = fValues.Size();
    TValue& value = fValues.Add();
    // The default value has no name: its data stands in as the anchor.
    value.fName = aValue.fName.empty() ? aValue.fData.data() : aValue.fName.data();
    value.fNameSize = static_cast<std::uint32_t>(aValue.fName.size());
    value.fDataOffset = static_cast<std::uint32_t>(aValue.fData.data() - value.fName);
    value.fDataSize = static_cast<std::uint32_t>(aValue.fData.size());
    TKey& key = fKeys[aKey];
    key.fDialect = aValue.fDialect;
    if (key.fLastValue == kNone) {
        key.fFirstValue = id;
    } else {
        fValues[key.fLastValue].fNext = id;
    }
    key.fLastValue = id;
}

std::vector<TRegistryStore::TKeyId> TRegistryStore::GetSubkeys(TKeyId aKey) const {
    std::vector<TKeyId> subkeys;
    for (TKeyId id = fKeys[aKey].fFirstSubkey; id != kNoKey; id = fKeys[id].fNextSibling) {
        subkeys.push_back(id);
    }
    return subkeys;
}

std::optional<TRawValue> TRegistryStore::FindValue(TKeyId aKey, std::string_view aName) const {
    const TKey& key = fKeys[aKey];
    std::optional<TRawValue> found;
    for (std::uint32_t id = key.fFirstValue; id != kNone; id = fValues[id].fNext) {
        const TValue& value = fValues[id];
        const TRawValue raw{{value.fName, value.fNameSize},
                            {value.fName + value.fDataOffset, value.fDataSize},
                            key.fDialect};
        if (SameValueName(raw, aName)) {
            found = raw;
        }
    }
    return found;
}

const std::string& TRegistryStore::KeepText(std::string aText) {
    fTexts.push_back(std::make_unique<const std::string>(std::move(aText)));
    return *fTexts.back();
}

} // namespace brivane::platform::registry_files
