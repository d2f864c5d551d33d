#pragma once
// What one online check of a catalogue entry did, for the question "why did it find
// nothing?": the requests it sent and the patterns it matched, in order, and the first
// cause of a failure among them.
//
// A check installs its trace as the current one of its thread (TCheckTraceScope); the
// HTTP client and the regular-expression facade report to the current trace of the
// thread they run on, and do nothing more than read a thread-local pointer when there
// is none. A trace keeps its steps only when asked to (SetKeepSteps); otherwise it
// keeps just what names the first cause, a few texts per check.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brivane {

// One request as it was sent: each redirect followed is a request of its own.
struct TTracedRequest {
    std::string Method;
    std::string Address; // as sent, after the host map
    int Status = 0;      // 0: no answer came
    std::string StatusText;
    std::string Error; // why the exchange failed (the transport's reason); empty when it did not
    std::int64_t Bytes = 0; // body bytes received
    std::int64_t Milliseconds = 0;

    bool operator==(const TTracedRequest&) const = default;
};

// One pattern matched against a text.
struct TTracedPattern {
    std::string Pattern; // its first characters (kTracedPatternChars)
    bool Matched = false;
    std::int64_t TextLength = 0; // characters (UTF-16 code units) of the text it ran on

    bool operator==(const TTracedPattern&) const = default;
};

// The check ended with an error.
struct TTracedStop {
    std::string Error;

    bool operator==(const TTracedStop&) const = default;
};

using TTraceStep = std::variant<TTracedRequest, TTracedPattern, TTracedStop>;

// How many characters of a pattern a trace keeps.
inline constexpr std::size_t kTracedPatternChars = 40;

// Why a check found no version: the first cause the trace saw.
struct TCheckProblem {
    enum TKind {
        None,          // nothing wrong, or nothing known
        Connection,    // a request got no answer
        RequestFailed, // a request was answered but failed (a body that broke off)
        HttpStatus,    // a request was answered with an error status (400 and above)
        Stopped,       // the check ended with an error
        PatternMissed, // a pattern did not match
        NothingFound,  // every step went well, and still no version
        NotChecked,    // no check has run and none is remembered (lists made offline)
    };

    TKind Kind = None;
    std::string Address; // the request's, or the page a pattern ran on (may be empty)
    int Status = 0;
    std::string StatusText;
    std::string Detail; // the error, or the pattern

    bool operator==(const TCheckProblem&) const = default;
};

// The problem as one short English sentence without a final stop; empty for None.
std::string DescribeProblem(const TCheckProblem& aProblem);

// Host and port of an address ("http://127.0.0.1:8080/x" gives "127.0.0.1:8080").
std::string AddressHost(std::string_view aAddress);

class TCheckTrace {
public:
    // At most this many steps are kept; later ones are only counted.
    static constexpr std::size_t kMaxSteps = 1000;

    explicit TCheckTrace(bool aKeepSteps = false) : fKeepSteps(aKeepSteps) {}

    // Forgets every step and cause, keeping the setting.
    void Clear();
    bool KeepSteps() const { return fKeepSteps; }
    void SetKeepSteps(bool aValue) { fKeepSteps = aValue; }

    void AddRequest(TTracedRequest aRequest);
    // Keeps the first kTracedPatternChars characters of aPattern.
    void AddPattern(std::string_view aPattern, bool aMatched, std::size_t aTextLength);
    void AddStop(std::string aError);

    // The steps in order, when they are kept; the number of steps beyond kMaxSteps.
    const std::vector<TTraceStep>& Steps() const { return fSteps; }
    std::size_t LeftOut() const { return fLeftOut; }

    // The first cause of a check that found no version: the first failed request, else
    // the error that ended the check, else the first pattern that did not match (with
    // the page fetched last before it), else nothing found on the page fetched last.
    TCheckProblem Problem() const;

    // The trace of the check running on this thread; null when there is none.
    static TCheckTrace* Current();

private:
    void Keep(TTraceStep aStep);

    bool fKeepSteps;
    std::vector<TTraceStep> fSteps;
    std::size_t fLeftOut = 0;
    // The first cause of each kind, kept in both modes.
    TCheckProblem fFailedRequest;
    TCheckProblem fStop;
    TCheckProblem fMissedPattern;
    std::string fLastPage; // the address of the last request answered without an error
};

// Makes aTrace (or none) the current trace of this thread while it lives.
class TCheckTraceScope {
public:
    explicit TCheckTraceScope(TCheckTrace* aTrace);
    ~TCheckTraceScope();
    TCheckTraceScope(const TCheckTraceScope&) = delete;
    TCheckTraceScope& operator=(const TCheckTraceScope&) = delete;

private:
    TCheckTrace* fPrevious;
};

} // namespace brivane
