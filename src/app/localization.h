#pragma once
// The texts the program composes at run time, looked up by key in a Russian and an
// English table, and the language in use.

#include "base/language.h"

#include <atomic>
#include <span>
#include <string>
#include <string_view>

namespace brivane {

class TConfig;

// The language in use: chosen at start, changed by the language menu.
extern std::atomic<TLanguage> CurrentLanguage;

// One built-in text in both languages.
struct TTranslation {
    std::string_view Key;
    std::string_view Russian;
    std::string_view English;
};

// The built-in table, in load order.
std::span<const TTranslation> BuiltInTranslations();

// The language of the system's locale (English unless the locale is Russian).
TLanguage SystemLanguage();

// The stored "Language" (kept in one byte) when there is one, else SystemLanguage().
TLanguage ChooseLanguage(const TConfig& aConfig);

// Start of the program: sets CurrentLanguage from the settings and loads the tables
// (Russian, then English) into a fresh table.
void InitLocalization(const TConfig& aConfig);

// Adds one text under the key in lower case; throws std::logic_error when the key is
// already there for that language.
void AddTranslation(std::string_view aKey, std::string_view aValue, TLanguage aLanguage);

// The text of the key (in any letter case) in the language (lDefault: CurrentLanguage),
// or empty when there is none. There is no fallback to the other language.
std::string Localize(std::string_view aKey, TLanguage aLanguage = lDefault);

} // namespace brivane
