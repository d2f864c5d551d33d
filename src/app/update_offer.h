#pragma once
// What the program says when the update server offers a newer Brivane, in the interface
// language; the window and the command line both put it before their question.

#include "install/version_info.h"

#include <string>

namespace brivane {

// "New version available: 2016.05.12 build 13", then the release's description in the
// interface language on the next line when the manifest has one.
std::string UpdateOfferText(const install::TVersionInfo& aOffered);

} // namespace brivane
