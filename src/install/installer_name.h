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

// Asks the server for the installer's name: HEAD, and when that answers without
// Content-Disposition, a GET that follows the redirects and stops before the body, whose
// final address gives the name. The name is reduced to a plain one (PlainFileName of
// file_name.h), so a server can never name a file outside the folder; empty when
// nothing usable is left.
std::string ServerFileName(net::THTTPClient& aClient, const std::string& aURL);

} // namespace brivane::install
