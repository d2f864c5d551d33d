#pragma once
// Locale-dependent work confined to the calling thread, so that building the character
// tables of one locale never changes how other threads classify text.

#include <functional>
#include <string>

namespace brivane {

// Runs aBody with the C runtime's character classification of aLocale on this
// thread only. Returns false, without running aBody, when the locale is unknown.
bool RunInLocale(const std::string& aLocale, const std::function<void()>& aBody);

} // namespace brivane
