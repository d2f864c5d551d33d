#pragma once
// Replacement templates: "$n" and "${name}" insert a group, "$&" the whole match,
// "$`" and "$'" the text before and after it, "$_" the subject, "$+" the last group
// and "$$" a dollar sign. Anything else is copied as it is.

#include "regex/regex.h"

#include <memory>
#include <string>
#include <vector>

namespace brivane {

class TEvaluator final : public IEvaluator {
public:
    // One token and the literal text before it; the last piece has no token.
    struct TPiece {
        std::string fLiteral;
        std::string fToken; // what follows the '$': digits, one sign, or "{name}"
        std::string fName;  // for "{name}"
    };

    explicit TEvaluator(std::vector<TPiece> aPieces) : fPieces(std::move(aPieces)) {}

    // Raises for a group number the match does not have and for an unknown name.
    std::string Evaluate(const std::shared_ptr<IMatch>& aMatch) const override;

private:
    std::vector<TPiece> fPieces;
};

class TSubstitute final : public ISubstitute {
public:
    TSubstitute();
    std::shared_ptr<IEvaluator> Parse(std::string_view aReplacement) const override;

private:
    std::shared_ptr<IRegex> fToken;
};

} // namespace brivane
