#pragma once
// The file name a server gives an installer: the quoted name of its Content-Disposition
// header, else the last segment of the address it finally comes from.

#include "net/http_client.h"

#include <string>
#include <string_view>

namespace brivane::install {

// The text between the quotes of the first filename="..." in a Content-Disposition
// value (any letter case, line breaks included); empty when there is none. Unquoted
// names are not taken.
std::string DispositionFileName(std::string_view aContentDisposition);

// The part of an address's path behind its last "/".
std::string LastPathSegment(std::string_view aURL);

// aName when it can serve as a file name inside a folder of ours: not empty, not "." or
// "..", no path separators, no control characters, at most 255 bytes. Otherwise empty,
// so a server can never name a file outside the folder.
std::string SafeFileName(std::string_view aName);

// Asks the server for the installer's name: HEAD, and when that answers without
// Content-Disposition, a GET that follows the redirects and stops before the body, whose
// final address gives the name. Empty when the server names none that SafeFileName takes.
std::string ServerFileName(net::THTTPClient& aClient, const std::string& aURL);

} // namespace brivane::install
