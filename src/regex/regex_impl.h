#pragma once
// The regex behind NewRegex. Built completely in its constructor and never changed
// afterwards, so its const operations may run on many threads at once; every
// operation matches through a match context and match data of its own.

#include "regex/pcre_code.h"
#include "regex/pcre_context.h"
#include "regex/pcre_match.h"
#include "regex/regex.h"

#include <memory>
#include <string>
#include <vector>

namespace brivane {

class TRegex final : public IRegex, public IRegexInfo {
public:
    // aLocale names the character tables ("C": PCRE2's built-in ones). Raises
    // TRegexError when anything fails, with PCRE2's message.
    TRegex(std::string_view aPattern, TRegCompileOptions aOptions, const std::string& aLocale = "C",
           TRegexLocaleCategory aLocaleCategory = TRegexLocaleCategory::RXLC_ALL);

    using IRegex::DfaMatch;
    using IRegex::ForEachMatch;
    using IRegex::IsMatch;
    using IRegex::Match;
    using IRegex::Matches;
    using IRegex::Replace;
    using IRegex::Split;

    bool IsMatch(const TRegexSubject& aSubject, int aStartOffset,
                 TRegMatchOptions aMatchOptions) const override;
    std::shared_ptr<IMatch> Match(const TRegexSubject& aSubject, int aStartOffset,
                                  TRegMatchOptions aMatchOptions) const override;
    std::shared_ptr<IDfaMatchCollection> DfaMatch(const TRegexSubject& aSubject, int aStartOffset,
                                                  TRegMatchOptions aMatchOptions) const override;
    std::shared_ptr<IMatchCollection> Matches(const TRegexSubject& aSubject,
                                              TRegMatchOptions aMatchOptions) const override;
    void ForEachMatch(const TRegexSubject& aSubject, TRegMatchOptions aMatchOptions,
                      const TMatchCallback& aCallback) const override;
    std::shared_ptr<IStringCollection> Split(const TRegexSubject& aSubject,
                                             TRegSplitOptions aSplitOptions,
                                             TRegMatchOptions aMatchOptions) const override;
    std::string Replace(const TRegexSubject& aSubject, std::string_view aReplacement,
                        TRegMatchOptions aMatchOptions) const override;
    TRegCompileOptions Options() const override { return fOptions; }
    std::string Pattern() const override { return fPattern; }

    std::size_t Size() const override;
    int CaptureCount() const override;
    int BackReferenceMax() const override;
    char16_t GetFirstChar() const override;
    std::vector<std::uint8_t> GetFirstTable() const override;
    char16_t GetLastLiteral() const override;
    std::string Locale() const override;
    int NameCount() const override;
    TPCRENameTableItem NameTableItem(int aPosition) const override;

private:
    // Calls aEach with every match in order, from aStartOffset. aRaiseErrors: see
    // rmoRaiseErrors.
    template <typename TEach>
    void Iterate(const TRegexSubject& aSubject, int aStartOffset, std::uint32_t aOptions,
                 pcre::TMatchType aMatchType, TEach&& aEach, bool aRaiseErrors = false) const;
    std::shared_ptr<pcre::TMatchData> FirstMatch(const TRegexSubject& aSubject, int aStartOffset,
                                                 TRegMatchOptions aMatchOptions) const;
    // Tells the check running on this thread, if any, whether the pattern matched.
    void Trace(const TRegexSubject& aSubject, bool aMatched) const;

    std::shared_ptr<pcre::TGeneralContext> fGeneral;
    std::shared_ptr<pcre::TCompileContext> fCompiler;
    std::shared_ptr<pcre::TCode> fCode;
    std::string fPattern;
    TRegCompileOptions fOptions;
    std::uint32_t fAdditionalMatchOptions = 0; // soft partial matching with rcoPartial
    std::uint32_t fJITOption = 0;
    std::shared_ptr<const pcre::TCharsetTables> fCharsetTables;
    std::shared_ptr<const std::vector<TPCRENameTableItem>> fNames;
};

} // namespace brivane
