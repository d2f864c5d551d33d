#include "cli/progress_bar.h"

#include "platform/console.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

namespace brivane::cli {

namespace {

constexpr int kBarWidth = 30;

} // namespace

TProgressBar::TProgressBar(std::ostream& aOut, bool aEnabled) : fOut(aOut), fEnabled(aEnabled) {}

TProgressBar::~TProgressBar() {
    Clear();
}

void TProgressBar::Show(std::string_view aLabel, double aPercent) {
    if (!fEnabled) {
        return;
    }
    const double percent = std::clamp(std::isnan(aPercent) ? 0.0 : aPercent, 0.0, 100.0);
    const int filled = static_cast<int>(percent * kBarWidth / 100);
    // Back to the line's start, the bar, then erase what an older, longer line left.
    fOut << '\r' << aLabel << " [" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] "
         << static_cast<int>(percent) << "%\x1b[K" << std::flush;
    fShown = true;
}

void TProgressBar::Clear() {
    if (fShown) {
        fOut << "\r\x1b[K" << std::flush;
        fShown = false;
    }
}

void TProgressBar::Finish() {
    if (fShown) {
        fOut << '\n' << std::flush;
        fShown = false;
    }
}

bool TProgressBar::StandardErrorIsTerminal() {
    return platform::IsTerminal(platform::TStandardStream::Error);
}

} // namespace brivane::cli
