#pragma once
// The self-updater's two transfers: the manifest's text and the installer's bytes, both
// only over https, each failure given as a reason for the user.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace brivane::install {

// Only https protects what the program is about to run. The address is judged as the
// program names it, before the host map rewrites it.
bool IsHttpsAddress(const std::string& aURL);

// The manifest's text (decoded as its charset says, else as UTF-8), or empty text and
// the reason in aError.
std::string FetchManifestText(const std::string& aURL, std::string& aError);

// Called before each block of the download with the bytes so far and the announced
// length (-1: none); returning false stops the download.
using TDownloadBlockEvent = std::function<bool(std::int64_t aReceived, std::int64_t aLength)>;

// Downloads the installer into aFile; empty text when all of it arrived, the reason
// otherwise, and empty text too when aOnBlock stopped it. Without a length announced by
// the server no download counts as complete.
std::string DownloadInstaller(const std::string& aURL, const std::filesystem::path& aFile,
                              const TDownloadBlockEvent& aOnBlock);

} // namespace brivane::install
