#include "regex/regex.h"

#include "base/check_trace.h"
#include "base/unicode.h"
#include "regex/regex_impl.h"
#include "regex/regex_results.h"

#include <climits>
#include <utility>

namespace brivane {

namespace {

using pcre::TMatchType;

constexpr std::pair<TRegCompileOption, std::uint32_t> kCompileFlags[] = {
    {TRegCompileOption::rcoAnchored, PCRE2_ANCHORED},
    {TRegCompileOption::rcoIgnoreCase, PCRE2_CASELESS},
    {TRegCompileOption::rcoDollarEndOnly, PCRE2_DOLLAR_ENDONLY},
    {TRegCompileOption::rcoSingleLine, PCRE2_DOTALL},
    {TRegCompileOption::rcoIgnorePatternWhiteSpace, PCRE2_EXTENDED},
    {TRegCompileOption::rcoMultiLine, PCRE2_MULTILINE},
    {TRegCompileOption::rcoUngreedy, PCRE2_UNGREEDY},
    {TRegCompileOption::rcoNoAutoCapture, PCRE2_NO_AUTO_CAPTURE},
    {TRegCompileOption::rcoUTF, PCRE2_UTF},
    {TRegCompileOption::rcoNoUTFCheck, PCRE2_NO_UTF_CHECK},
    {TRegCompileOption::rcoAutoCallout, PCRE2_AUTO_CALLOUT},
    {TRegCompileOption::rcoFirstLine, PCRE2_FIRSTLINE},
};

constexpr std::pair<TRegMatchOption, std::uint32_t> kMatchFlags[] = {
    {TRegMatchOption::rmoAnchored, PCRE2_ANCHORED},
    {TRegMatchOption::rmoNotBol, PCRE2_NOTBOL},
    {TRegMatchOption::rmoNotEol, PCRE2_NOTEOL},
    {TRegMatchOption::rmoNotEmpty, PCRE2_NOTEMPTY},
    {TRegMatchOption::rmoNoUTFCheck, PCRE2_NO_UTF_CHECK},
};

std::uint32_t CompileFlags(TRegCompileOptions aOptions) {
    std::uint32_t flags = 0;
    for (const auto& [option, flag] : kCompileFlags) {
        flags |= aOptions.Contains(option) ? flag : 0;
    }
    return flags;
}

// DFA_SHORTEST only means something to the DFA matcher; the others reject it.
std::uint32_t MatchFlags(TRegMatchOptions aOptions, TMatchType aMatchType) {
    std::uint32_t flags = 0;
    for (const auto& [option, flag] : kMatchFlags) {
        flags |= aOptions.Contains(option) ? flag : 0;
    }
    if (aMatchType == TMatchType::mtDFA && aOptions.Contains(TRegMatchOption::rmoDfaShortest)) {
        flags |= PCRE2_DFA_SHORTEST;
    }
    return flags;
}

// A negative offset lies outside every subject.
std::size_t Offset(int aStartOffset) {
    return aStartOffset < 0 ? std::size_t(-1) : std::size_t(aStartOffset);
}

std::string Slice(const std::u16string& aUnits, std::size_t aFrom, std::size_t aTo) {
    return Utf16ToUtf8(std::u16string_view(aUnits).substr(aFrom, aTo - aFrom));
}

[[noreturn]] void RaisePcreError(const pcre::TPCREObject& aObject) {
    throw TRegexError("PCRE error: " + aObject.ErrorText());
}

// After a match attempt that found nothing: raises when PCRE2 gave up rather than
// found no match, if the caller asked for that.
void CheckMatchFailure(const pcre::TMatchContext& aContext, bool aRaise) {
    const int code = aContext.ErrorCode();
    if (aRaise && code < 0 && code != PCRE2_ERROR_NOMATCH && code != PCRE2_ERROR_PARTIAL) {
        RaisePcreError(aContext);
    }
}

} // namespace

TRegexSubject::TRegexSubject() : fUnits(std::make_shared<const std::u16string>()) {}

TRegexSubject::TRegexSubject(std::string_view aText)
    : fUnits(std::make_shared<const std::u16string>(Utf8ToUtf16(aText))) {}

std::shared_ptr<IRegex> NewRegex(std::string_view aPattern, TRegCompileOptions aOptions) {
    return std::make_shared<TRegex>(aPattern, aOptions);
}

TRegex::TRegex(std::string_view aPattern, TRegCompileOptions aOptions, const std::string& aLocale,
               TRegexLocaleCategory /*aLocaleCategory*/)
    : fGeneral(std::make_shared<pcre::TGeneralContext>()), fPattern(aPattern), fOptions(aOptions) {
    if (!fGeneral->Valid()) {
        RaisePcreError(*fGeneral);
    }
    fCompiler = fGeneral->CreateCompileContext();
    if (fCompiler == nullptr) {
        RaisePcreError(*fGeneral);
    }
    fCharsetTables = fGeneral->CreateCharsetTables(aLocale);
    if (fCharsetTables == nullptr) {
        RaisePcreError(*fGeneral);
    }
    if (!fCompiler->SetCharacterTables(fCharsetTables)) {
        RaisePcreError(*fCompiler);
    }
    fCode = fCompiler->Compile(Utf8ToUtf16(aPattern), CompileFlags(aOptions));
    if (fCode == nullptr) {
        RaisePcreError(*fCompiler);
    }
    // Complete matching is always compiled: Replace and Split never match partially.
    fJITOption = PCRE2_JIT_COMPLETE;
    if (aOptions.Contains(TRegCompileOption::rcoPartial)) {
        fAdditionalMatchOptions = PCRE2_PARTIAL_SOFT;
        fJITOption |= PCRE2_JIT_PARTIAL_SOFT;
    }
    fCode->JITCompile(fJITOption); // without JIT the interpreter serves every match
    auto names = std::make_shared<std::vector<TPCRENameTableItem>>();
    if (!fCode->ReadNameTable(*names)) {
        RaisePcreError(*fCode);
    }
    fNames = std::move(names);
}

template <typename TEach>
void TRegex::Iterate(const TRegexSubject& aSubject, int aStartOffset, std::uint32_t aOptions,
                     TMatchType aMatchType, TEach&& aEach, bool aRaiseErrors) const {
    pcre::TMatchContext context(fCode, aSubject.Units());
    for (auto data = context.Match(Offset(aStartOffset), aOptions, aMatchType); data != nullptr;
         data = context.NextMatch()) {
        aEach(std::move(data));
    }
    CheckMatchFailure(context, aRaiseErrors);
}

std::shared_ptr<pcre::TMatchData> TRegex::FirstMatch(const TRegexSubject& aSubject,
                                                     int aStartOffset,
                                                     TRegMatchOptions aMatchOptions) const {
    pcre::TMatchContext context(fCode, aSubject.Units());
    auto data = context.Match(
        Offset(aStartOffset),
        MatchFlags(aMatchOptions, TMatchType::mtJIT) | fAdditionalMatchOptions, TMatchType::mtJIT);
    if (data == nullptr) {
        CheckMatchFailure(context, aMatchOptions.Contains(TRegMatchOption::rmoRaiseErrors));
    }
    Trace(aSubject, data != nullptr);
    return data;
}

void TRegex::Trace(const TRegexSubject& aSubject, bool aMatched) const {
    if (auto* trace = TCheckTrace::Current()) {
        trace->AddPattern(fPattern, aMatched, aSubject.Units()->size());
    }
}

bool TRegex::IsMatch(const TRegexSubject& aSubject, int aStartOffset,
                     TRegMatchOptions aMatchOptions) const {
    return FirstMatch(aSubject, aStartOffset, aMatchOptions) != nullptr;
}

std::shared_ptr<IMatch> TRegex::Match(const TRegexSubject& aSubject, int aStartOffset,
                                      TRegMatchOptions aMatchOptions) const {
    return std::make_shared<TMatch>(FirstMatch(aSubject, aStartOffset, aMatchOptions), fNames,
                                    aSubject.Units());
}

std::shared_ptr<IDfaMatchCollection> TRegex::DfaMatch(const TRegexSubject& aSubject,
                                                      int aStartOffset,
                                                      TRegMatchOptions aMatchOptions) const {
    std::vector<std::shared_ptr<IDfaMatch>> list;
    Iterate(aSubject, aStartOffset,
            MatchFlags(aMatchOptions, TMatchType::mtDFA) | fAdditionalMatchOptions,
            TMatchType::mtDFA, [&](TMatchDataPtr aData) {
                list.push_back(std::make_shared<TDfaMatch>(std::move(aData), int(list.size())));
            });
    Trace(aSubject, !list.empty());
    return std::make_shared<TDfaMatchCollection>(std::move(list));
}

std::shared_ptr<IMatchCollection> TRegex::Matches(const TRegexSubject& aSubject,
                                                  TRegMatchOptions aMatchOptions) const {
    std::vector<std::shared_ptr<IMatch>> list;
    ForEachMatch(aSubject, aMatchOptions,
                 [&](const std::shared_ptr<IMatch>& aMatch) { list.push_back(aMatch); });
    return std::make_shared<TMatchCollection>(std::move(list));
}

void TRegex::ForEachMatch(const TRegexSubject& aSubject, TRegMatchOptions aMatchOptions,
                          const TMatchCallback& aCallback) const {
    bool matched = false;
    Iterate(
        aSubject, 0, MatchFlags(aMatchOptions, TMatchType::mtJIT) | fAdditionalMatchOptions,
        TMatchType::mtJIT,
        [&](TMatchDataPtr aData) {
            matched = true;
            aCallback(std::make_shared<TMatch>(std::move(aData), fNames, aSubject.Units()));
        },
        aMatchOptions.Contains(TRegMatchOption::rmoRaiseErrors));
    Trace(aSubject, matched);
}

std::shared_ptr<IStringCollection> TRegex::Split(const TRegexSubject& aSubject,
                                                 TRegSplitOptions aSplitOptions,
                                                 TRegMatchOptions aMatchOptions) const {
    const std::u16string& units = *aSubject.Units();
    std::vector<std::string> list;
    std::size_t previous = 0;
    Iterate(aSubject, 0, MatchFlags(aMatchOptions, TMatchType::mtJIT), TMatchType::mtJIT,
            [&](const TMatchDataPtr& aData) {
                list.push_back(Slice(units, previous, aData->Start()));
                if (aSplitOptions.Contains(TRegSplitOption::rsoIncludeMatch)) {
                    list.push_back(aData->GroupValue(0));
                }
                for (int group = 1; group < aData->PairCount(); ++group) {
                    list.push_back(aData->GroupValue(group));
                }
                previous = aData->End();
            });
    list.push_back(Slice(units, previous, units.size()));
    return std::make_shared<TStringCollection>(std::move(list));
}

std::string TRegex::Replace(const TRegexSubject& aSubject, std::string_view aReplacement,
                            TRegMatchOptions aMatchOptions) const {
    const std::shared_ptr<IEvaluator> evaluator = Substitute()->Parse(aReplacement);
    const std::u16string& units = *aSubject.Units();
    std::string result;
    std::size_t previous = 0;
    Iterate(aSubject, 0, MatchFlags(aMatchOptions, TMatchType::mtJIT), TMatchType::mtJIT,
            [&](TMatchDataPtr aData) {
                const std::size_t start = aData->Start();
                const std::size_t end = aData->End();
                result += Slice(units, previous, start);
                result += evaluator->Evaluate(
                    std::make_shared<TMatch>(std::move(aData), fNames, aSubject.Units()));
                previous = end;
            });
    result += Slice(units, previous, units.size());
    return result;
}

std::size_t TRegex::Size() const {
    return fCode->Size();
}

int TRegex::CaptureCount() const {
    return int(fCode->Info(PCRE2_INFO_CAPTURECOUNT));
}

int TRegex::BackReferenceMax() const {
    return int(fCode->Info(PCRE2_INFO_BACKREFMAX));
}

char16_t TRegex::GetFirstChar() const {
    throw TRegexError("GetFirstChar not implement");
}

std::vector<std::uint8_t> TRegex::GetFirstTable() const {
    throw TRegexError("GetFirstTable not implement");
}

char16_t TRegex::GetLastLiteral() const {
    throw TRegexError("GetLastLiteral not implement");
}

std::string TRegex::Locale() const {
    return fCharsetTables->Locale();
}

int TRegex::NameCount() const {
    return int(fNames->size());
}

TPCRENameTableItem TRegex::NameTableItem(int aPosition) const {
    if (aPosition < 0 || std::size_t(aPosition) >= fNames->size()) {
        throw TRegexError("Index group name not exists");
    }
    return (*fNames)[std::size_t(aPosition)];
}

} // namespace brivane
