#pragma once
// The result objects of the regex facade. Each holds the match data it reads from,
// so a result stays valid after the regex that produced it is gone; substrings are
// converted to UTF-8 only when asked for.

#include "regex/pcre_match.h"
#include "regex/regex.h"

#include <memory>
#include <string>
#include <vector>

namespace brivane {

using TNameTable = std::vector<TPCRENameTableItem>;
using TMatchDataPtr = std::shared_ptr<const pcre::TMatchData>;

class TCaptureGroup final : public ICaptureGroup {
public:
    TCaptureGroup(TMatchDataPtr aMatchData, int aIndex)
        : fMatchData(std::move(aMatchData)), fIndex(aIndex) {}

    bool Success() const override;
    std::string Value() const override;
    int Index() const override;
    int Length() const override;

private:
    TMatchDataPtr fMatchData; // null for a failed match
    int fIndex;
};

// A match is its own group 0 and its own group collection.
class TMatch final : public IMatch,
                     public ICaptureGroupCollection,
                     public std::enable_shared_from_this<TMatch> {
public:
    TMatch(TMatchDataPtr aMatchData, std::shared_ptr<const TNameTable> aNames,
           std::shared_ptr<const std::u16string> aSubject);

    bool Success() const override;
    std::string Value() const override;
    int Index() const override;
    int Length() const override;

    std::shared_ptr<ICaptureGroupCollection> Groups() const override;
    std::string Prefix() const override;
    std::string Suffix() const override;
    std::string Subject() const override;

    int Count() const override;
    std::shared_ptr<ICaptureGroup> Item(int aIndex) const override;
    std::shared_ptr<ICaptureGroup> Item(std::string_view aName) const override;

private:
    TMatchDataPtr fMatchData; // null for a failed match
    std::shared_ptr<const TNameTable> fNames;
    std::shared_ptr<const std::u16string> fSubject;
};

class TDfaMatch final : public IDfaMatch {
public:
    TDfaMatch(TMatchDataPtr aMatchData, int aIndex)
        : fMatchData(std::move(aMatchData)), fIndex(aIndex) {}

    std::string Value() const override { return fMatchData->GroupValue(0); }
    int Index() const override { return fIndex; }
    int Length() const override { return fMatchData->GroupLength(0); }

private:
    TMatchDataPtr fMatchData; // the longest match is pair 0
    int fIndex;
};

// An ordered, immutable list behind one of the collection interfaces.
template <typename TItem, typename TInterface>
class TCollection final : public TInterface {
public:
    explicit TCollection(std::vector<TItem> aList) : fList(std::move(aList)) {}

    int Count() const override { return int(fList.size()); }
    TItem Item(int aIndex) const override {
        if (aIndex < 0 || std::size_t(aIndex) >= fList.size()) {
            throw TRegexError("List index out of bounds (" + std::to_string(aIndex) + ")");
        }
        return fList[std::size_t(aIndex)];
    }

private:
    std::vector<TItem> fList;
};

using TMatchCollection = TCollection<std::shared_ptr<IMatch>, IMatchCollection>;
using TStringCollection = TCollection<std::string, IStringCollection>;
using TDfaMatchCollection = TCollection<std::shared_ptr<IDfaMatch>, IDfaMatchCollection>;

} // namespace brivane
