#pragma once
// Starting a child process in a given system language, where the system lets a process
// choose one: POSIX takes it from the environment (LANG, LC_MESSAGES, LC_ALL), Windows from
// the user's interface language, which no environment changes.

#include <map>
#include <optional>
#include <string>

namespace brivane::test {

using TEnvironment = std::map<std::string, std::optional<std::string>>;

// The environment entries that ask for aLanguage ("ru", "en") as the system language.
TEnvironment LanguageEnvironment(const std::string& aLanguage);

// The system language that a child started with LanguageEnvironment(aLanguage) sees:
// aLanguage on POSIX, the user's interface language on Windows.
std::string ChildSystemLanguage(const std::string& aLanguage);

} // namespace brivane::test
