#include "platform/posix/registry_store.h"

#include "core/unicode.h"

#include <algorithm>
#include <functional>

namespace brivane::platform::posix {

namespace {

constexpr std::size_t kRootCount = 3;

std::size_t HashOf(TRegistryStore::TKeyId aParent, std::string_view aFolded) {
    return std::hash<std::string_view>{}(aFolded) ^ (std::size_t{aParent} * 0x9E3779B97F4A7C15ull);
}

} // namespace

void FoldName(std::string_view aName, std::string& aFolded) {
    const bool ascii = std::all_of(aName.begin(), aName.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        aFolded = LowerCase(aName);
        return;
    }
    aFolded.assign(aName);
    for (char& c : aFolded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + ('a' - 'A'));
        }
    }
}

TRegistryStore::TRegistryStore() : fIndex(1024, kNoKey) {
    for (std::size_t i = 0; i < kRootCount; ++i) {
        fKeys.push_back(TKey{{}, {}, kNoKey, {}, {}});
    }
}

std::size_t TRegistryStore::Slot(TKeyId aParent, std::string_view aFolded) const {
    const std::size_t mask = fIndex.size() - 1;
    std::size_t slot = HashOf(aParent, aFolded) & mask;
    while (fIndex[slot] != kNoKey) {
        const TKey& key = fKeys[fIndex[slot]];
        if (key.fParent == aParent && key.fFolded == aFolded) {
            break;
        }
        slot = (slot + 1) & mask;
    }
    return slot;
}

void TRegistryStore::Grow() {
    std::vector<TKeyId> index(fIndex.size() * 2, kNoKey);
    fIndex.swap(index);
    for (TKeyId id = kRootCount; id < fKeys.size(); ++id) {
        fIndex[Slot(fKeys[id].fParent, fKeys[id].fFolded)] = id;
    }
}

TRegistryStore::TKeyId TRegistryStore::FindKey(TKeyId aParent, std::string_view aName) const {
    std::string folded;
    FoldName(aName, folded);
    return fIndex[Slot(aParent, folded)];
}

TRegistryStore::TKeyId TRegistryStore::AddKey(TKeyId aParent, std::string_view aName) {
    std::string folded;
    FoldName(aName, folded);
    std::size_t slot = Slot(aParent, folded);
    if (fIndex[slot] != kNoKey) {
        return fIndex[slot];
    }
    // Keep the load factor at or below one half so probing stays short.
    if ((fKeys.size() + 1) * 2 > fIndex.size()) {
        Grow();
        slot = Slot(aParent, folded);
    }
    const auto id = static_cast<TKeyId>(fKeys.size());
    fKeys.push_back(TKey{std::string(aName), std::move(folded), aParent, {}, {}});
    fKeys[aParent].fSubkeys.push_back(id);
    fIndex[slot] = id;
    return id;
}

const std::string& TRegistryStore::KeepText(std::string aText) {
    fTexts.push_back(std::make_unique<const std::string>(std::move(aText)));
    return *fTexts.back();
}

} // namespace brivane::platform::posix
