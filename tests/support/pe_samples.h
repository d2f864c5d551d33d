#pragma once
// Executables that several test areas read: a program with a version resource in two
// languages and three icon groups, and variations of it.

#include "pe/pe_writer.h"

#include <string>
#include <string_view>

namespace brivane::test {

// Version resource 1 holds 9.8.7.6 in Russian (code page 1251), listed first, and
// 1.2.3.4 in English, both with the product version "5.6 Final"; resource 2 holds
// 0.0.0.2 without strings. Icon groups, in directory order: "MAINICON" (image 3, 48 pixels,
// 8 bits), 101 (images 1 and 2: 16 and 32 pixels) and 102 (image 2).
TPeFileOptions SampleProgram(bool aPe64 = false);

// The version block of the English version resource.
TVersionBlockOptions SampleVersion();

} // namespace brivane::test
