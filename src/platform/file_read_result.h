#pragma once
// The failed reads of ReadRegularFile, worded alike on every system.

#include "platform/files.h"

#include <cstddef>
#include <string>

namespace brivane::platform {

TFileRead ReadFailure(TReadError aError, std::string aReason);

// "larger than 1 MiB", or "larger than 1000 bytes" for a limit of no whole MiB.
TFileRead TooLargeFailure(std::size_t aMaxSize);

} // namespace brivane::platform
