#pragma once
// The regular-expression facade in which all page scraping is written.
//
// Patterns run in 16-bit non-UTF mode: one UTF-16 code unit is one character (a
// character outside the BMP is two), and every offset and length counts code units.
// Texts come in and go out as UTF-8. A regex is immutable once built and may be
// shared by any number of threads; every match works on its own match data.

#include "base/enum_set.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brivane {

enum class TRegCompileOption : std::uint8_t {
    rcoAnchored,
    rcoIgnoreCase,
    rcoDollarEndOnly,
    rcoSingleLine, // dot also matches line breaks
    rcoIgnorePatternWhiteSpace,
    rcoExtra, // no effect
    rcoMultiLine,
    rcoUngreedy,
    rcoNoAutoCapture,
    rcoUTF,
    rcoNoUTFCheck,
    rcoAutoCallout,
    rcoPartial, // soft partial matching
    rcoFirstLine,
};
using TRegCompileOptions = TEnumSet<TRegCompileOption, std::uint16_t>;

enum class TRegMatchOption : std::uint8_t {
    rmoAnchored,
    rmoNotBol,
    rmoNotEol,
    rmoNotEmpty,
    rmoNoUTFCheck,
    rmoDfaShortest, // DFA matching only
    // IsMatch, Match, Matches and ForEachMatch: a match that PCRE2 gives up on (its
    // match or depth limit reached, say) raises TRegexError with PCRE2's text instead
    // of reading as no match.
    rmoRaiseErrors,
};
using TRegMatchOptions = TEnumSet<TRegMatchOption, std::uint8_t>;

enum class TRegSplitOption : std::uint8_t { rsoIncludeMatch };
using TRegSplitOptions = TEnumSet<TRegSplitOption, std::uint8_t>;

// Accepted for completeness; character tables are always built for the whole locale.
enum class TRegexLocaleCategory : std::uint8_t {
    RXLC_ALL,
    RXLC_COLLATE,
    RXLC_CTYPE,
    RXLC_MONETARY,
    RXLC_NUMERIC,
    RXLC_TIME,
};

// Every error the facade raises: a pattern that does not compile, an unknown group
// name, a bad replacement template, an index outside a collection.
class TRegexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A subject converted once to UTF-16. Every operation accepts UTF-8 text directly;
// a caller that runs several patterns over one page converts it once into a
// TRegexSubject and passes that instead. Copies share the converted text.
class TRegexSubject {
public:
    TRegexSubject();
    TRegexSubject(std::string_view aText);
    TRegexSubject(const std::string& aText) : TRegexSubject(std::string_view(aText)) {}
    TRegexSubject(const char* aText) : TRegexSubject(std::string_view(aText)) {}

    const std::shared_ptr<const std::u16string>& Units() const { return fUnits; }

private:
    std::shared_ptr<const std::u16string> fUnits;
};

class ICaptureGroup {
public:
    virtual ~ICaptureGroup() = default;
    virtual bool Success() const = 0;
    virtual std::string Value() const = 0;
    virtual int Index() const = 0;  // -1 for a group that took no part in the match
    virtual int Length() const = 0; // code units
};

class ICaptureGroupCollection {
public:
    virtual ~ICaptureGroupCollection() = default;
    virtual int Count() const = 0; // capture count + 1 after a success, else 0
    virtual std::shared_ptr<ICaptureGroup> Item(int aIndex) const = 0;
    // Raises for a name the pattern does not define.
    virtual std::shared_ptr<ICaptureGroup> Item(std::string_view aName) const = 0;
};

class IMatch : public ICaptureGroup {
public:
    virtual std::shared_ptr<ICaptureGroupCollection> Groups() const = 0;
    virtual std::string Prefix() const = 0; // subject text before the match
    virtual std::string Suffix() const = 0; // subject text after the match
    virtual std::string Subject() const = 0;
};

class IMatchCollection {
public:
    virtual ~IMatchCollection() = default;
    virtual int Count() const = 0;
    virtual std::shared_ptr<IMatch> Item(int aIndex) const = 0;
};

class IStringCollection {
public:
    virtual ~IStringCollection() = default;
    virtual int Count() const = 0;
    virtual std::string Item(int aIndex) const = 0;
};

// One result of DFA matching: the longest match found at one starting point.
class IDfaMatch {
public:
    virtual ~IDfaMatch() = default;
    virtual std::string Value() const = 0;
    virtual int Index() const = 0; // ordinal in its collection
    virtual int Length() const = 0;
};

class IDfaMatchCollection {
public:
    virtual ~IDfaMatchCollection() = default;
    virtual int Count() const = 0;
    virtual std::shared_ptr<IDfaMatch> Item(int aIndex) const = 0;
};

// A parsed replacement template ($n, ${name}, $&, $`, $', $_, $+, $$).
class IEvaluator {
public:
    virtual ~IEvaluator() = default;
    virtual std::string Evaluate(const std::shared_ptr<IMatch>& aMatch) const = 0;
};

class ISubstitute {
public:
    virtual ~ISubstitute() = default;
    virtual std::shared_ptr<IEvaluator> Parse(std::string_view aReplacement) const = 0;
};

// The process-wide template parser used by Replace.
std::shared_ptr<ISubstitute> Substitute();

using TMatchCallback = std::function<void(const std::shared_ptr<IMatch>&)>;

class IRegex {
public:
    virtual ~IRegex() = default;

    // aStartOffset is a 0-based code-unit offset; outside the subject nothing matches.
    virtual bool IsMatch(const TRegexSubject& aSubject, int aStartOffset,
                         TRegMatchOptions aMatchOptions) const = 0;
    bool IsMatch(const TRegexSubject& aSubject) const { return IsMatch(aSubject, 0, {}); }
    bool IsMatch(const TRegexSubject& aSubject, TRegMatchOptions aMatchOptions) const {
        return IsMatch(aSubject, 0, aMatchOptions);
    }
    bool IsMatch(const TRegexSubject& aSubject, int aStartOffset) const {
        return IsMatch(aSubject, aStartOffset, {});
    }

    // The first match; its Success is false when there is none.
    virtual std::shared_ptr<IMatch> Match(const TRegexSubject& aSubject, int aStartOffset,
                                          TRegMatchOptions aMatchOptions) const = 0;
    std::shared_ptr<IMatch> Match(const TRegexSubject& aSubject) const {
        return Match(aSubject, 0, {});
    }
    std::shared_ptr<IMatch> Match(const TRegexSubject& aSubject,
                                  TRegMatchOptions aMatchOptions) const {
        return Match(aSubject, 0, aMatchOptions);
    }
    std::shared_ptr<IMatch> Match(const TRegexSubject& aSubject, int aStartOffset) const {
        return Match(aSubject, aStartOffset, {});
    }

    virtual std::shared_ptr<IDfaMatchCollection> DfaMatch(const TRegexSubject& aSubject,
                                                          int aStartOffset,
                                                          TRegMatchOptions aMatchOptions) const = 0;
    std::shared_ptr<IDfaMatchCollection> DfaMatch(const TRegexSubject& aSubject) const {
        return DfaMatch(aSubject, 0, {});
    }
    std::shared_ptr<IDfaMatchCollection> DfaMatch(const TRegexSubject& aSubject,
                                                  TRegMatchOptions aMatchOptions) const {
        return DfaMatch(aSubject, 0, aMatchOptions);
    }
    std::shared_ptr<IDfaMatchCollection> DfaMatch(const TRegexSubject& aSubject,
                                                  int aStartOffset) const {
        return DfaMatch(aSubject, aStartOffset, {});
    }

    // Iteration restarts at the end of the previous match; after an empty match the
    // next one may not be empty at the same place, so every pattern terminates.
    virtual std::shared_ptr<IMatchCollection> Matches(const TRegexSubject& aSubject,
                                                      TRegMatchOptions aMatchOptions) const = 0;
    std::shared_ptr<IMatchCollection> Matches(const TRegexSubject& aSubject) const {
        return Matches(aSubject, {});
    }

    virtual void ForEachMatch(const TRegexSubject& aSubject, TRegMatchOptions aMatchOptions,
                              const TMatchCallback& aCallback) const = 0;
    void ForEachMatch(const TRegexSubject& aSubject, const TMatchCallback& aCallback) const {
        ForEachMatch(aSubject, {}, aCallback);
    }

    // The texts between matches, each followed by the match itself when
    // rsoIncludeMatch is set and by the texts of the match's groups.
    virtual std::shared_ptr<IStringCollection> Split(const TRegexSubject& aSubject,
                                                     TRegSplitOptions aSplitOptions,
                                                     TRegMatchOptions aMatchOptions) const = 0;
    std::shared_ptr<IStringCollection> Split(const TRegexSubject& aSubject) const {
        return Split(aSubject, {}, {});
    }
    std::shared_ptr<IStringCollection> Split(const TRegexSubject& aSubject,
                                             TRegSplitOptions aSplitOptions) const {
        return Split(aSubject, aSplitOptions, {});
    }

    // Every match replaced by the evaluated template (see IEvaluator).
    virtual std::string Replace(const TRegexSubject& aSubject, std::string_view aReplacement,
                                TRegMatchOptions aMatchOptions) const = 0;
    std::string Replace(const TRegexSubject& aSubject, std::string_view aReplacement) const {
        return Replace(aSubject, aReplacement, {});
    }

    virtual TRegCompileOptions Options() const = 0;
    virtual std::string Pattern() const = 0;
};

struct TPCRENameTableItem {
    int Index = 0; // group number
    std::string Name;
};

// Information about the compiled pattern; every IRegex also implements it
// (std::dynamic_pointer_cast<IRegexInfo>).
class IRegexInfo {
public:
    virtual ~IRegexInfo() = default;
    virtual std::size_t Size() const = 0; // bytes of the compiled pattern
    virtual int CaptureCount() const = 0;
    virtual int BackReferenceMax() const = 0;
    virtual char16_t GetFirstChar() const = 0;                   // raises: not available
    virtual std::vector<std::uint8_t> GetFirstTable() const = 0; // raises: not available
    virtual char16_t GetLastLiteral() const = 0;                 // raises: not available
    virtual std::string Locale() const = 0;                      // locale of the character tables
    virtual TRegCompileOptions Options() const = 0;
    virtual std::string Pattern() const = 0;
    virtual int NameCount() const = 0;
    // An entry of the name table (sorted by name); raises outside the table.
    virtual TPCRENameTableItem NameTableItem(int aPosition) const = 0;
};

// Compiles aPattern (UTF-8) with the character tables of the "C" locale; raises
// TRegexError with PCRE2's message when it does not compile.
std::shared_ptr<IRegex> NewRegex(std::string_view aPattern, TRegCompileOptions aOptions = {});

} // namespace brivane
