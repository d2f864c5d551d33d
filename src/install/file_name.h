#pragma once
// The name a downloaded installer is saved under. Servers choose it (Content-Disposition,
// the last segment of the address), so it is reduced to one plain file name that is valid
// on Windows and Linux alike and can never name a place outside the download folder.

#include <cstddef>
#include <string>
#include <string_view>

namespace brivane::install {

// File names are at most this many bytes (the common limit of Windows and Linux).
inline constexpr std::size_t kMaxFileNameBytes = 255;

// aName as one plain file name, or empty when nothing usable is left: only the part after
// the last "/" or "\" (so no folder, no "..", no drive or UNC prefix), control characters
// and invalid UTF-8 dropped, the characters Windows forbids (<>:"|?*) replaced by "_",
// leading and trailing dots and blanks removed, a reserved device name (CON, NUL, COM1,
// ...) prefixed with "_", and the whole cut to kMaxFileNameBytes on a character boundary,
// keeping a short extension.
std::string PlainFileName(std::string_view aName);

// The file name a Content-Disposition header gives: filename*= (RFC 5987: UTF-8 or
// ISO-8859-1, percent-encoded) before filename=, quoted or not. Not yet made safe; empty
// when the header names none.
std::string ContentDispositionFileName(std::string_view aHeader);

// The last segment of an address's path, percent-decoded; not yet made safe.
std::string AddressFileName(std::string_view aURL);

// The extension of the address's last path segment with its dot (".exe"), made safe, or
// empty.
std::string AddressExtension(std::string_view aURL);

// The name to save a download under: the header's, else the address's, made safe; when
// nothing usable is left, aProgramName with the address's extension; "Download" when
// even that is empty.
std::string DownloadFileName(std::string_view aContentDisposition, std::string_view aURL,
                             std::string_view aProgramName);

} // namespace brivane::install
