#include "pe/pe_writer.h"

#include "base/little_endian.h"
#include "pe/pe_format.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace brivane {

namespace {

using pe_format::kSubdirectoryFlag;

constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kNewHeaderOffset = 0x80;

std::uint32_t AlignUp(std::uint32_t aValue, std::uint32_t aAlignment) {
    return (aValue + aAlignment - 1) / aAlignment * aAlignment;
}

void PadTo(std::string& aBytes, std::size_t aSize) {
    if (aBytes.size() < aSize) {
        aBytes.resize(aSize, '\0');
    }
}

void AppendUtf16(std::string& aOut, std::u16string_view aText) {
    for (const char16_t unit : aText) {
        AppendWord(aOut, unit);
    }
}

void AppendSection(std::string& aOut, const char* aName, std::uint32_t aVirtualSize,
                   std::uint32_t aRva, std::uint32_t aRawSize, std::uint32_t aRawOffset,
                   std::uint32_t aCharacteristics) {
    std::string name(aName);
    name.resize(8, '\0');
    aOut += name;
    AppendDWord(aOut, aVirtualSize);
    AppendDWord(aOut, aRva);
    AppendDWord(aOut, aRawSize);
    AppendDWord(aOut, aRawOffset);
    AppendDWord(aOut, 0); // relocations
    AppendDWord(aOut, 0); // line numbers
    AppendWord(aOut, 0);
    AppendWord(aOut, 0);
    AppendDWord(aOut, aCharacteristics);
}

// One level of the resource tree: entries in order, named ones first.
template <typename T>
struct TLevel {
    std::vector<std::pair<TResourceId, T>> Entries;
    T& Get(const TResourceId& aId) {
        for (auto& [id, value] : Entries) {
            if (id == aId) {
                return value;
            }
        }
        Entries.emplace_back(aId, T{});
        return Entries.back().second;
    }
    void NamedFirst() {
        std::stable_partition(Entries.begin(), Entries.end(),
                              [](const auto& aEntry) { return aEntry.first.index() == 1; });
    }
};

using TLanguages = TLevel<const std::string*>;
using TNames = TLevel<TLanguages>;
using TTypes = TLevel<TNames>;

std::uint32_t DirectorySize(std::size_t aEntries) {
    return 16 + 8 * static_cast<std::uint32_t>(aEntries);
}

// The resource section's bytes for a section at aRva.
std::string BuildResourceSection(const std::vector<TPeResource>& aResources, std::uint32_t aRva) {
    TTypes types;
    for (const TPeResource& resource : aResources) {
        types.Get(resource.Type).Get(resource.Name).Get(resource.Language) = &resource.Data;
    }
    types.NamedFirst();
    std::size_t nameDirectories = 0;
    std::size_t dataEntries = 0;
    for (auto& [type, names] : types.Entries) {
        names.NamedFirst();
        for (auto& [name, languages] : names.Entries) {
            ++nameDirectories;
            dataEntries += languages.Entries.size();
        }
    }
    // Layout: root, name directories, language directories, data entries, strings, data.
    std::uint32_t offset = DirectorySize(types.Entries.size());
    std::vector<std::uint32_t> typeDirs;
    for (auto& [type, names] : types.Entries) {
        typeDirs.push_back(offset);
        offset += DirectorySize(names.Entries.size());
    }
    std::vector<std::uint32_t> languageDirs;
    for (auto& [type, names] : types.Entries) {
        for (auto& [name, languages] : names.Entries) {
            languageDirs.push_back(offset);
            offset += DirectorySize(languages.Entries.size());
        }
    }
    const std::uint32_t dataEntriesStart = offset;
    offset += 16 * static_cast<std::uint32_t>(dataEntries);

    std::string strings;
    const std::uint32_t stringsStart = offset;
    const auto nameField = [&](const TResourceId& aId) -> std::uint32_t {
        if (aId.index() == 0) {
            return std::get<0>(aId);
        }
        const auto& text = std::get<1>(aId);
        const std::uint32_t at = stringsStart + static_cast<std::uint32_t>(strings.size());
        AppendWord(strings, static_cast<std::uint16_t>(text.size()));
        AppendUtf16(strings, text);
        return kSubdirectoryFlag | at;
    };
    const auto directoryHeader = [](std::string& aOut, const auto& aLevel) {
        const auto named =
            std::count_if(aLevel.Entries.begin(), aLevel.Entries.end(),
                          [](const auto& aEntry) { return aEntry.first.index() == 1; });
        AppendDWord(aOut, 0);
        AppendDWord(aOut, 0);
        AppendDWord(aOut, 0);
        AppendWord(aOut, static_cast<std::uint16_t>(named));
        AppendWord(aOut, static_cast<std::uint16_t>(aLevel.Entries.size() - named));
    };

    std::string tree;
    directoryHeader(tree, types);
    for (std::size_t t = 0; t < types.Entries.size(); ++t) {
        AppendDWord(tree, nameField(types.Entries[t].first));
        AppendDWord(tree, kSubdirectoryFlag | typeDirs[t]);
    }
    std::size_t languageDir = 0;
    for (auto& [type, names] : types.Entries) {
        directoryHeader(tree, names);
        for (auto& [name, languages] : names.Entries) {
            AppendDWord(tree, nameField(name));
            AppendDWord(tree, kSubdirectoryFlag | languageDirs[languageDir++]);
        }
    }
    std::uint32_t dataEntry = dataEntriesStart;
    std::vector<const std::string*> data;
    for (auto& [type, names] : types.Entries) {
        for (auto& [name, languages] : names.Entries) {
            directoryHeader(tree, languages);
            for (auto& [language, bytes] : languages.Entries) {
                AppendDWord(tree, std::get<0>(language));
                AppendDWord(tree, dataEntry);
                dataEntry += 16;
                data.push_back(bytes);
            }
        }
    }
    std::uint32_t dataOffset =
        AlignUp(stringsStart + static_cast<std::uint32_t>(strings.size()), 8);
    for (const std::string* bytes : data) {
        AppendDWord(tree, aRva + dataOffset);
        AppendDWord(tree, static_cast<std::uint32_t>(bytes->size()));
        AppendDWord(tree, 0);
        AppendDWord(tree, 0);
        dataOffset = AlignUp(dataOffset + static_cast<std::uint32_t>(bytes->size()), 8);
    }
    tree += strings;
    for (const std::string* bytes : data) {
        PadTo(tree, AlignUp(static_cast<std::uint32_t>(tree.size()), 8));
        tree += *bytes;
    }
    return tree;
}

// A node of a version block: header, key, value and children, each aligned to 32 bits.
std::string VersionNode(std::u16string_view aKey, const std::string& aValue,
                        std::uint16_t aValueLength, std::uint16_t aType,
                        const std::vector<std::string>& aChildren) {
    std::string node;
    AppendWord(node, 0);
    AppendWord(node, aValueLength);
    AppendWord(node, aType);
    AppendUtf16(node, aKey);
    AppendWord(node, 0);
    PadTo(node, AlignUp(static_cast<std::uint32_t>(node.size()), 4));
    node += aValue;
    for (const std::string& child : aChildren) {
        PadTo(node, AlignUp(static_cast<std::uint32_t>(node.size()), 4));
        node += child;
    }
    if (node.size() > 0xFFFF) {
        throw std::length_error("version node too long");
    }
    PatchWord(node, 0, static_cast<std::uint16_t>(node.size()));
    return node;
}

} // namespace

void PatchWord(std::string& aBytes, std::size_t aOffset, std::uint16_t aValue) {
    aBytes.at(aOffset) = static_cast<char>(aValue & 0xFF);
    aBytes.at(aOffset + 1) = static_cast<char>(aValue >> 8);
}

void PatchDWord(std::string& aBytes, std::size_t aOffset, std::uint32_t aValue) {
    PatchWord(aBytes, aOffset, static_cast<std::uint16_t>(aValue & 0xFFFF));
    PatchWord(aBytes, aOffset + 2, static_cast<std::uint16_t>(aValue >> 16));
}

TPeFile BuildPeFile(const TPeFileOptions& aOptions) {
    constexpr std::uint32_t codeRva = 0x1000;
    constexpr std::uint32_t codeRaw = 0x400;
    constexpr std::uint32_t resourceRva = 0x2000;
    constexpr std::uint32_t resourceRaw = 0x600;
    const bool withResources = !aOptions.Resources.empty();
    const std::string resources =
        withResources ? BuildResourceSection(aOptions.Resources, resourceRva) : "";
    const auto resourceSize = static_cast<std::uint32_t>(resources.size());
    const std::uint16_t optionalSize = aOptions.Pe64 ? 240 : 224;
    const std::uint32_t imageSize =
        AlignUp(withResources ? resourceRva + resourceSize : codeRva + 1, kSectionAlignment);

    TPeFile file;
    std::string& out = file.Bytes;
    out = "MZ";
    PadTo(out, 60);
    AppendDWord(out, kNewHeaderOffset);
    PadTo(out, kNewHeaderOffset);

    file.PeHeaderOffset = kNewHeaderOffset;
    out += std::string("PE\0\0", 4);
    AppendWord(out, aOptions.Pe64 ? 0x8664 : 0x14C);
    AppendWord(out, withResources ? 2 : 1);
    AppendDWord(out, 0); // time stamp
    AppendDWord(out, 0); // symbols
    AppendDWord(out, 0);
    AppendWord(out, optionalSize);
    AppendWord(out, aOptions.Pe64 ? 0x0022 : 0x0102);

    file.OptionalHeaderOffset = static_cast<std::uint32_t>(out.size());
    AppendWord(out, aOptions.Pe64 ? 0x20B : 0x10B);
    AppendWord(out, 14);              // linker version
    AppendDWord(out, kFileAlignment); // code size
    AppendDWord(out, withResources ? AlignUp(resourceSize, kFileAlignment) : 0);
    AppendDWord(out, 0);
    AppendDWord(out, codeRva); // entry point
    AppendDWord(out, codeRva); // base of code
    if (aOptions.Pe64) {
        AppendDWord(out, 0x40000000); // image base, 64 bits
        AppendDWord(out, 0x1);
    } else {
        AppendDWord(out, resourceRva); // base of data
        AppendDWord(out, 0x400000);
    }
    AppendDWord(out, kSectionAlignment);
    AppendDWord(out, kFileAlignment);
    AppendWord(out, 6); // operating system version
    AppendWord(out, 0);
    AppendDWord(out, 0); // image version
    AppendWord(out, 6);  // subsystem version
    AppendWord(out, 0);
    AppendDWord(out, 0);
    AppendDWord(out, imageSize);
    AppendDWord(out, codeRaw); // size of headers
    AppendDWord(out, 0);       // checksum
    AppendWord(out, 2);        // graphical subsystem
    AppendWord(out, 0x8140);
    for (const std::uint32_t size : {0x100000u, 0x1000u, 0x100000u, 0x1000u}) { // stack, heap
        AppendDWord(out, size);
        if (aOptions.Pe64) {
            AppendDWord(out, 0);
        }
    }
    AppendDWord(out, 0);  // loader flags
    AppendDWord(out, 16); // data directories
    for (int directory = 0; directory < 16; ++directory) {
        const bool isResource = directory == 2 && withResources;
        AppendDWord(out, isResource ? resourceRva : 0);
        AppendDWord(out, isResource ? resourceSize : 0);
    }

    file.SectionTableOffset = static_cast<std::uint32_t>(out.size());
    AppendSection(out, ".text", 1, codeRva, kFileAlignment, codeRaw, 0x60000020);
    if (withResources) {
        AppendSection(out, ".rsrc", resourceSize, resourceRva,
                      AlignUp(resourceSize, kFileAlignment), resourceRaw, 0x40000040);
    }
    PadTo(out, codeRaw);
    out += '\xC3'; // ret
    PadTo(out, codeRaw + kFileAlignment);
    if (withResources) {
        file.ResourceOffset = resourceRaw;
        file.ResourceRva = resourceRva;
        file.ResourceSize = resourceSize;
        out += resources;
        PadTo(out, resourceRaw + AlignUp(resourceSize, kFileAlignment));
    }
    return file;
}

std::string BuildVersionBlock(const TVersionBlockOptions& aOptions) {
    std::string fixed;
    if (aOptions.FixedFileInfo) {
        for (const std::uint32_t word :
             {0xFEEF04BDu, 0x00010000u, aOptions.FileVersionMS, aOptions.FileVersionLS,
              aOptions.ProductVersionMS, aOptions.ProductVersionLS, 0x3Fu, 0u, 0x40004u, 1u, 0u, 0u,
              0u}) {
            AppendDWord(fixed, word);
        }
    }
    std::vector<std::string> strings;
    for (const auto& [name, value] : aOptions.Strings) {
        std::string text;
        AppendUtf16(text, value);
        AppendWord(text, 0);
        strings.push_back(
            VersionNode(name, text, static_cast<std::uint16_t>(value.size() + 1), 1, {}));
    }
    const std::string table = VersionNode(aOptions.TableKey, "", 0, 1, strings);
    const std::string stringBlock = VersionNode(u"StringFileInfo", "", 0, 1, {table});
    std::string translation;
    AppendWord(translation, 0x0409);
    AppendWord(translation, 0x04B0);
    const std::string varBlock =
        VersionNode(u"VarFileInfo", "", 0, 1, {VersionNode(u"Translation", translation, 4, 0, {})});
    std::vector<std::string> children{stringBlock, varBlock};
    if (aOptions.VarFileInfoFirst) {
        std::swap(children[0], children[1]);
    }
    return VersionNode(u"VS_VERSION_INFO", fixed, static_cast<std::uint16_t>(fixed.size()), 0,
                       children);
}

std::string BuildIconImage(int aSize, std::uint16_t aBitsPerPixel, std::uint8_t aShade) {
    const auto size = static_cast<std::uint32_t>(aSize);
    const std::uint32_t rowBytes = AlignUp(size * aBitsPerPixel / 8, 4);
    const std::uint32_t maskBytes = AlignUp((size + 7) / 8, 4);
    std::string image;
    AppendDWord(image, 40);
    AppendDWord(image, size);
    AppendDWord(image, 2 * size);
    AppendWord(image, 1);
    AppendWord(image, aBitsPerPixel);
    for (int i = 0; i < 6; ++i) {
        AppendDWord(image, 0);
    }
    image.append(rowBytes * size, static_cast<char>(aShade));
    image.append(maskBytes * size, '\0');
    return image;
}

std::string BuildGroupIcon(const std::vector<TGroupIconImage>& aImages) {
    std::string group;
    AppendWord(group, 0);
    AppendWord(group, 1);
    AppendWord(group, static_cast<std::uint16_t>(aImages.size()));
    for (const TGroupIconImage& image : aImages) {
        group += static_cast<char>(image.Size >= 256 ? 0 : image.Size);
        group += static_cast<char>(image.Size >= 256 ? 0 : image.Size);
        group += '\0';
        group += '\0';
        AppendWord(group, 1);
        AppendWord(group, image.BitsPerPixel);
        AppendDWord(group, image.ByteCount);
        AppendWord(group, image.Id);
    }
    return group;
}

std::optional<TVersionBlockOptions> VersionNumbers(std::string_view aVersion) {
    std::uint32_t parts[4] = {};
    std::size_t count = 0;
    for (std::size_t start = 0; start <= aVersion.size(); ++count) {
        const std::size_t dot = std::min(aVersion.find('.', start), aVersion.size());
        const std::string_view part = aVersion.substr(start, dot - start);
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (count == 4 || part.empty() || error != std::errc() ||
            end != part.data() + part.size() || value > 0xFFFF) {
            return std::nullopt;
        }
        parts[count] = value;
        start = dot + 1;
    }
    TVersionBlockOptions version;
    version.FileVersionMS = parts[0] << 16 | parts[1];
    version.FileVersionLS = parts[2] << 16 | parts[3];
    version.ProductVersionMS = version.FileVersionMS;
    version.ProductVersionLS = version.FileVersionLS;
    return version;
}

std::string ProgramWithVersion(std::string_view aVersion) {
    const auto version = VersionNumbers(aVersion);
    if (!version) {
        throw std::invalid_argument("not a file version: " + std::string(aVersion));
    }
    TPeFileOptions options;
    options.Resources = {
        {std::uint16_t{16}, std::uint16_t{1}, 0x0409, BuildVersionBlock(*version)}};
    return BuildPeFile(options).Bytes;
}

} // namespace brivane
