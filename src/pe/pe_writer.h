#pragma once
// Writes small Windows executables: a DOS header, a PE header (32- or 64-bit), a code
// section and a resource section built from a list of resources, plus the resources
// themselves (version blocks, icon images and icon groups). The demo's programs are
// such executables, and the tests build theirs (damaged ones too) with it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace brivane {

// A resource type or name: a number, or a name of its own.
using TResourceId = std::variant<std::uint16_t, std::u16string>;

struct TPeResource {
    TResourceId Type;
    TResourceId Name;
    std::uint16_t Language = 0x0409;
    std::string Data;
};

struct TPeFileOptions {
    bool Pe64 = false;
    // Written in this order below each directory, except that named entries come first
    // as the format requires. No resource section when empty.
    std::vector<TPeResource> Resources;
};

// The file and where its parts lie, for tests that damage it.
struct TPeFile {
    std::string Bytes;
    std::uint32_t PeHeaderOffset = 0; // the "PE\0\0" signature
    std::uint32_t OptionalHeaderOffset = 0;
    std::uint32_t SectionTableOffset = 0;
    std::uint32_t ResourceOffset = 0; // file offset of the root resource directory
    std::uint32_t ResourceRva = 0;
    std::uint32_t ResourceSize = 0;
};

TPeFile BuildPeFile(const TPeFileOptions& aOptions);

struct TVersionBlockOptions {
    std::uint32_t FileVersionMS = 0;
    std::uint32_t FileVersionLS = 0;
    std::uint32_t ProductVersionMS = 0;
    std::uint32_t ProductVersionLS = 0;
    bool FixedFileInfo = true; // else the block has no value
    std::u16string TableKey = u"040904b0";
    std::vector<std::pair<std::u16string, std::u16string>> Strings;
    bool VarFileInfoFirst = false; // put the translation block before the strings
};

// A VS_VERSIONINFO block as resource compilers write it.
std::string BuildVersionBlock(const TVersionBlockOptions& aOptions);

// A bitmap icon image (header, colour pixels, mask) of a square icon.
std::string BuildIconImage(int aSize, std::uint16_t aBitsPerPixel, std::uint8_t aShade);

struct TGroupIconImage {
    int Size = 32;
    std::uint16_t BitsPerPixel = 32;
    std::uint32_t ByteCount = 0;
    std::uint16_t Id = 1;
};

// An icon group resource naming icon images by their IDs.
std::string BuildGroupIcon(const std::vector<TGroupIconImage>& aImages);

// The parts of a dotted version ("5.21.0.5700"; missing parts are 0) packed as a
// version block holds them (most significant first); nothing when a part is not a
// number of 0 to 65535 or there are more than four.
std::optional<TVersionBlockOptions> VersionNumbers(std::string_view aVersion);

// The bytes of a program whose file and product versions are aVersion, as installed
// programs carry them; throws std::invalid_argument for a version VersionNumbers refuses.
std::string ProgramWithVersion(std::string_view aVersion);

// Little-endian patches of a file's bytes.
void PatchWord(std::string& aBytes, std::size_t aOffset, std::uint16_t aValue);
void PatchDWord(std::string& aBytes, std::size_t aOffset, std::uint32_t aValue);

} // namespace brivane
