#include "regex/regex_substitute.h"

#include "base/check_trace.h"
#include "base/unicode.h"

#include <charconv>

namespace brivane {

namespace {

std::string TokenValue(const std::shared_ptr<IMatch>& aMatch, const TEvaluator::TPiece& aPiece) {
    const std::string& token = aPiece.fToken;
    if (token == "$") {
        return "$";
    }
    if (token == "&") {
        return aMatch->Value();
    }
    if (token == "`") {
        return aMatch->Prefix();
    }
    if (token == "'") {
        return aMatch->Suffix();
    }
    if (token == "_") {
        return aMatch->Subject();
    }
    const auto groups = aMatch->Groups();
    if (token == "+") {
        return groups->Item(groups->Count() - 1)->Value();
    }
    if (token.front() == '{') {
        const auto group = groups->Item(aPiece.fName);
        if (!group->Success()) {
            throw TRegexError("PCRE Substitute: Bad name \"" + aPiece.fName + "\"");
        }
        return group->Value();
    }
    int index = -1;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), index);
    if (error != std::errc() || end != token.data() + token.size() || index >= groups->Count()) {
        throw TRegexError("PCRE Substitute: Bad index value " + token);
    }
    return groups->Item(index)->Value();
}

} // namespace

std::string TEvaluator::Evaluate(const std::shared_ptr<IMatch>& aMatch) const {
    std::string result;
    for (const TPiece& piece : fPieces) {
        result += piece.fLiteral;
        if (!piece.fToken.empty()) {
            result += TokenValue(aMatch, piece);
        }
    }
    return result;
}

TSubstitute::TSubstitute() : fToken(NewRegex(R"(\$(\d+|\$|&|`|'|\+|_|{([^}]*)}))")) {}

std::shared_ptr<IEvaluator> TSubstitute::Parse(std::string_view aReplacement) const {
    const TRegexSubject subject(aReplacement);
    const std::u16string& units = *subject.Units();
    std::vector<TEvaluator::TPiece> pieces;
    std::size_t previous = 0;
    // The template's tokens are no pattern of a page: a check's trace leaves them out.
    const TCheckTraceScope untraced(nullptr);
    fToken->ForEachMatch(subject, [&](const std::shared_ptr<IMatch>& aToken) {
        const auto groups = aToken->Groups();
        const auto start = std::size_t(aToken->Index());
        pieces.push_back(
            {Utf16ToUtf8(std::u16string_view(units).substr(previous, start - previous)),
             groups->Item(1)->Value(), groups->Item(2)->Value()});
        previous = start + std::size_t(aToken->Length());
    });
    pieces.push_back({Utf16ToUtf8(std::u16string_view(units).substr(previous)), {}, {}});
    return std::make_shared<TEvaluator>(std::move(pieces));
}

std::shared_ptr<ISubstitute> Substitute() {
    static const std::shared_ptr<ISubstitute> substitute = std::make_shared<TSubstitute>();
    return substitute;
}

} // namespace brivane
