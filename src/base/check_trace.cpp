#include "base/check_trace.h"

#include "base/short_text.h"

namespace brivane {

namespace {

thread_local TCheckTrace* tCurrentTrace = nullptr;

bool Failed(const TTracedRequest& aRequest) {
    return !aRequest.Error.empty() || aRequest.Status >= 400;
}

TCheckProblem RequestProblem(const TTracedRequest& aRequest) {
    TCheckProblem problem;
    problem.Kind = !aRequest.Error.empty() ? (aRequest.Status == 0 ? TCheckProblem::Connection
                                                                   : TCheckProblem::RequestFailed)
                                           : TCheckProblem::HttpStatus;
    problem.Address = aRequest.Address;
    problem.Status = aRequest.Status;
    problem.StatusText = aRequest.StatusText;
    problem.Detail = aRequest.Error;
    return problem;
}

// aText followed by aJoin and aAddress, or aText alone without an address.
std::string WithAddress(std::string aText, std::string_view aJoin, const std::string& aAddress) {
    if (!aAddress.empty()) {
        aText.append(aJoin).append(aAddress);
    }
    return aText;
}

} // namespace

std::string AddressHost(std::string_view aAddress) {
    const auto scheme = aAddress.find("://");
    std::string_view rest =
        scheme == std::string_view::npos ? aAddress : aAddress.substr(scheme + 3);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (const auto at = rest.rfind('@'); at != std::string_view::npos) {
        rest.remove_prefix(at + 1); // user names and passwords are nobody's business here
    }
    return std::string(rest);
}

std::string DescribeProblem(const TCheckProblem& aProblem) {
    switch (aProblem.Kind) {
    case TCheckProblem::None:
        return {};
    case TCheckProblem::Connection:
        return "Could not connect to " + AddressHost(aProblem.Address) + ": " + aProblem.Detail;
    case TCheckProblem::RequestFailed:
        return "The answer from " + aProblem.Address + " failed: " + aProblem.Detail;
    case TCheckProblem::HttpStatus: {
        std::string text = "HTTP " + std::to_string(aProblem.Status);
        if (!aProblem.StatusText.empty()) {
            text += " " + aProblem.StatusText;
        }
        return text + " from " + aProblem.Address;
    }
    case TCheckProblem::Stopped:
        return "The check stopped: " + aProblem.Detail;
    case TCheckProblem::PatternMissed:
        return WithAddress("The pattern \"" + aProblem.Detail + "\" did not match", " the page ",
                           aProblem.Address);
    case TCheckProblem::NothingFound:
        return WithAddress("No version found", " on ", aProblem.Address);
    case TCheckProblem::NotChecked:
        return "Not checked yet";
    }
    return {};
}

void TCheckTrace::Clear() {
    fSteps.clear();
    fLeftOut = 0;
    fFailedRequest = {};
    fStop = {};
    fMissedPattern = {};
    fLastPage.clear();
}

void TCheckTrace::Keep(TTraceStep aStep) {
    if (!fKeepSteps) {
        return;
    }
    if (fSteps.size() < kMaxSteps) {
        fSteps.push_back(std::move(aStep));
    } else {
        ++fLeftOut;
    }
}

void TCheckTrace::AddRequest(TTracedRequest aRequest) {
    if (!Failed(aRequest)) {
        fLastPage = aRequest.Address;
    } else if (fFailedRequest.Kind == TCheckProblem::None) {
        fFailedRequest = RequestProblem(aRequest);
    }
    Keep(std::move(aRequest));
}

void TCheckTrace::AddPattern(std::string_view aPattern, bool aMatched, std::size_t aTextLength) {
    const bool firstMiss = !aMatched && fMissedPattern.Kind == TCheckProblem::None;
    if (!fKeepSteps && !firstMiss) {
        return; // the common case costs nothing
    }
    std::string shown = ShortText(aPattern, kTracedPatternChars);
    if (firstMiss) {
        fMissedPattern.Kind = TCheckProblem::PatternMissed;
        fMissedPattern.Address = fLastPage;
        fMissedPattern.Detail = shown;
    }
    Keep(TTracedPattern{std::move(shown), aMatched, static_cast<std::int64_t>(aTextLength)});
}

void TCheckTrace::AddStop(std::string aError) {
    if (fStop.Kind == TCheckProblem::None) {
        fStop.Kind = TCheckProblem::Stopped;
        fStop.Detail = aError;
    }
    Keep(TTracedStop{std::move(aError)});
}

TCheckProblem TCheckTrace::Problem() const {
    for (const auto* cause : {&fFailedRequest, &fStop, &fMissedPattern}) {
        if (cause->Kind != TCheckProblem::None) {
            return *cause;
        }
    }
    TCheckProblem nothing;
    nothing.Kind = TCheckProblem::NothingFound;
    nothing.Address = fLastPage;
    return nothing;
}

TCheckTrace* TCheckTrace::Current() {
    return tCurrentTrace;
}

TCheckTraceScope::TCheckTraceScope(TCheckTrace* aTrace) : fPrevious(tCurrentTrace) {
    tCurrentTrace = aTrace;
}

TCheckTraceScope::~TCheckTraceScope() {
    tCurrentTrace = fPrevious;
}

} // namespace brivane
