#pragma once
// Matching: a match context runs one pattern over one subject and iterates its
// matches; every match result lands in match data of its own, which keeps the
// code and the subject alive so that results outlive the regex that made them.
// A match context belongs to one thread; the code it runs may be shared.

#include "regex/pcre_object.h"

#include <pcre2.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace brivane::pcre {

class TCode;

// A JIT stack may serve one match at a time. Large ones are lent to a match context for
// its life from a pool of the process's, not kept per thread: a per-thread stack would
// be freed by a thread-exit destructor, which mingw-w64 may run after the thread's
// storage is gone.
class TJITStack {
public:
    TJITStack(std::size_t aStartSize, std::size_t aMaxSize);
    ~TJITStack();
    TJITStack(const TJITStack&) = delete;
    TJITStack& operator=(const TJITStack&) = delete;

    pcre2_jit_stack* Handle() const { return fStack; }

    // A large stack for matches that exhaust the default one, back in the pool when the
    // last holder lets go; null when it cannot be allocated.
    static std::shared_ptr<TJITStack> Lend();

private:
    pcre2_jit_stack* fStack;
};

class TMatchData {
public:
    TMatchData(std::shared_ptr<const TCode> aCode, std::shared_ptr<const std::u16string> aSubject);
    ~TMatchData();
    TMatchData(const TMatchData&) = delete;
    TMatchData& operator=(const TMatchData&) = delete;

    bool Valid() const { return fMatchData != nullptr; }
    pcre2_match_data* Handle() const { return fMatchData; }
    void SetMatched();

    bool Matched() const { return fMatched; }
    // Offset pairs (capture count + 1) after a match, else 0.
    int PairCount() const { return fMatched ? fPairCount : 0; }

    // Group aIndex: success when matched and aIndex is a pair; an unset group has
    // index -1 and no text.
    bool GroupSuccess(int aIndex) const;
    int GroupIndex(int aIndex) const;
    int GroupLength(int aIndex) const;
    std::u16string_view GroupUnits(int aIndex) const;
    std::string GroupValue(int aIndex) const;

    // The whole match (pair 0), as code-unit offsets.
    std::size_t Start() const { return fOvector[0]; }
    std::size_t End() const { return fOvector[1]; }

    const std::u16string& Subject() const { return *fSubject; }

private:
    bool GroupSet(int aIndex) const;

    pcre2_match_data* fMatchData;
    std::shared_ptr<const TCode> fCode;
    std::shared_ptr<const std::u16string> fSubject;
    const PCRE2_SIZE* fOvector = nullptr;
    int fPairCount = 0;
    bool fMatched = false;
};

enum class TMatchType { mtNormal, mtJIT, mtDFA };

class TMatchContext : public TPCREObject {
public:
    TMatchContext(std::shared_ptr<const TCode> aCode,
                  std::shared_ptr<const std::u16string> aSubject);
    ~TMatchContext() override;
    TMatchContext(const TMatchContext&) = delete;
    TMatchContext& operator=(const TMatchContext&) = delete;

    // The first match at or after aOffset (code units). aOptions: PCRE2 match flags.
    // A JIT match that the JIT code cannot serve runs through the interpreter.
    // Empty when nothing matches or PCRE2 fails; ErrorCode() then holds the result.
    std::shared_ptr<TMatchData> Match(std::size_t aOffset, std::uint32_t aOptions,
                                      TMatchType aMatchType);

    // The next match of the same kind and options, searched from the end of the
    // previous one. After an empty match the next may not be empty at the same
    // place, so iteration always ends.
    std::shared_ptr<TMatchData> NextMatch();

private:
    std::shared_ptr<TMatchData> Run(std::uint32_t aExtraOptions);
    int Execute(TMatchData& aData, std::uint32_t aOptions);
    bool UseLargeStack();
    bool OffsetSplitsCharacter(std::size_t aOffset) const;

    pcre2_match_context* fMatchContext = nullptr; // only for a larger JIT stack
    std::shared_ptr<TJITStack> fLargeStack;
    std::shared_ptr<const TCode> fCode;
    std::shared_ptr<const std::u16string> fSubject;
    std::uint32_t fOptions = 0;
    std::size_t fOffset = 0;
    TMatchType fMatchType = TMatchType::mtJIT;
    bool fActive = false;        // a previous match exists to continue from
    bool fPreviousEmpty = false; // that match was empty
};

} // namespace brivane::pcre
