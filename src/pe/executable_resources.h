#pragma once
// The version record and the icons of an executable read through its whole resource
// tree: the way to read a local file, where small reads cost nothing and a resource
// anywhere in the tree is found.

#include "pe/byte_range_source.h"
#include "pe/file_version_info.h"

#include <string>

namespace brivane {

// Fills aInfo from the first version resource (first name, first language). False when
// the source is not an executable or has no version resource. Throws TConversionError
// as TFileVersionInfo::ParseVersionInfo does; aInfo then holds what was read before.
bool ReadFileVersionInfo(platform::IByteRangeSource& aSource, TFileVersionInfo& aInfo);

// An icon group as an icon file: aIndex >= 0 counts the groups in directory order,
// aIndex < 0 names the group whose ID is -aIndex. Empty when there is no such group.
std::string ReadIconGroup(platform::IByteRangeSource& aSource, int aIndex);

} // namespace brivane
