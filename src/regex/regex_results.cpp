#include "regex/regex_results.h"

#include "base/unicode.h"

namespace brivane {

namespace {

// A failed match has no match data; all of its groups read as absent.
bool GroupSuccess(const TMatchDataPtr& aData, int aIndex) {
    return aData != nullptr && aData->GroupSuccess(aIndex);
}
std::string GroupValue(const TMatchDataPtr& aData, int aIndex) {
    return aData != nullptr ? aData->GroupValue(aIndex) : std::string();
}
int GroupIndex(const TMatchDataPtr& aData, int aIndex) {
    return aData != nullptr ? aData->GroupIndex(aIndex) : 0;
}
int GroupLength(const TMatchDataPtr& aData, int aIndex) {
    return aData != nullptr ? aData->GroupLength(aIndex) : 0;
}

} // namespace

bool TCaptureGroup::Success() const {
    return GroupSuccess(fMatchData, fIndex);
}
std::string TCaptureGroup::Value() const {
    return GroupValue(fMatchData, fIndex);
}
int TCaptureGroup::Index() const {
    return GroupIndex(fMatchData, fIndex);
}
int TCaptureGroup::Length() const {
    return GroupLength(fMatchData, fIndex);
}

TMatch::TMatch(TMatchDataPtr aMatchData, std::shared_ptr<const TNameTable> aNames,
               std::shared_ptr<const std::u16string> aSubject)
    : fMatchData(std::move(aMatchData)), fNames(std::move(aNames)), fSubject(std::move(aSubject)) {}

bool TMatch::Success() const {
    return GroupSuccess(fMatchData, 0);
}
std::string TMatch::Value() const {
    return GroupValue(fMatchData, 0);
}
int TMatch::Index() const {
    return GroupIndex(fMatchData, 0);
}
int TMatch::Length() const {
    return GroupLength(fMatchData, 0);
}

std::shared_ptr<ICaptureGroupCollection> TMatch::Groups() const {
    return std::const_pointer_cast<TMatch>(shared_from_this());
}

std::string TMatch::Prefix() const {
    if (!Success()) {
        return {};
    }
    return Utf16ToUtf8(std::u16string_view(*fSubject).substr(0, fMatchData->Start()));
}

std::string TMatch::Suffix() const {
    if (!Success()) {
        return {};
    }
    return Utf16ToUtf8(std::u16string_view(*fSubject).substr(fMatchData->End()));
}

std::string TMatch::Subject() const {
    return Utf16ToUtf8(*fSubject);
}

int TMatch::Count() const {
    return fMatchData != nullptr ? fMatchData->PairCount() : 0;
}

std::shared_ptr<ICaptureGroup> TMatch::Item(int aIndex) const {
    return std::make_shared<TCaptureGroup>(fMatchData, aIndex);
}

std::shared_ptr<ICaptureGroup> TMatch::Item(std::string_view aName) const {
    for (const TPCRENameTableItem& item : *fNames) {
        if (item.Name == aName) {
            return Item(item.Index);
        }
    }
    throw TRegexError("Match group by name \"" + std::string(aName) + "\" not found");
}

} // namespace brivane
