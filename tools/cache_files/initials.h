#pragma once
// The one or two letters on a program's icon tile, taken from its display name.

#include <string>
#include <string_view>

namespace brivane::tools {

// The initials of a display name (UTF-8). The name's words are its runs of letters
// and digits:
// - a first word in capitals of two or more characters is an acronym and gives its
//   first two ("VLC media player": "VL", "GIMP": "GI");
// - a first word with a capital inside gives its first letter and that capital
//   ("CCleaner": "CC", "FileZilla Client": "FZ", "qBittorrent": "QB");
// - otherwise two or more words give the first letter of each of the first two
//   ("7-Zip": "7Z", "Mozilla Firefox": "MF");
// - a single plain word gives its first letter and the next one in small letters
//   ("Skype": "Sk", "Opera": "Op").
// A short table overrides the rule where it would give siblings of one family the
// same tile or something that reads badly.
std::string Initials(std::string_view aName);

// The rule alone, without the table.
std::string InitialsByRule(std::string_view aName);

} // namespace brivane::tools
