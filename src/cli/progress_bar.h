#pragma once
// A one-line progress bar for long subcommands, drawn on a terminal only, so that
// redirected output stays clean.

#include <iosfwd>
#include <string_view>

namespace brivane::cli {

class TProgressBar {
public:
    // Draws on aOut when aEnabled; otherwise every call does nothing.
    TProgressBar(std::ostream& aOut, bool aEnabled);
    // Takes the bar off the line.
    ~TProgressBar();
    TProgressBar(const TProgressBar&) = delete;
    TProgressBar& operator=(const TProgressBar&) = delete;

    // "label [#####.....]  50%"; aPercent is clamped to 0..100.
    void Show(std::string_view aLabel, double aPercent);
    void Clear();
    // Leaves the bar as it stands on its own line, so that what others write next (an
    // installer's output) starts on a fresh one.
    void Finish();

    // Standard error is a terminal, where a bar can be redrawn in place.
    static bool StandardErrorIsTerminal();

private:
    std::ostream& fOut;
    const bool fEnabled;
    bool fShown = false;
};

} // namespace brivane::cli
