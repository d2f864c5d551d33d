#include "platform/registry_files/registry_file_reader.h"

#include "base/trim.h"
#include "base/unicode.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/registry_files/registry_value.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace brivane::platform::registry_files {

namespace {

// Windows allows 512 levels of keys and 255 characters per name; deeper or longer
// keys in a file are damage, and refusing them keeps the work per line bounded.
constexpr std::size_t kMaxKeyDepth = 512;
constexpr std::size_t kMaxKeyNameBytes = 255 * 3;

using TKeyId = TRegistryStore::TKeyId;

// A line's end may keep the CR of a CR LF line break.
std::string_view TrimRight(std::string_view aText) {
    return brivane::TrimRight(aText, " \t\r");
}

std::string_view TrimLeft(std::string_view aText) {
    return brivane::TrimLeft(aText, " \t");
}

struct THiveMapping {
    TStoreRoot fRoot;
    std::string_view fBelow; // keys of the file's hive live below this path
};

// The store's place for a regedit hive name; nothing for hives that are not kept.
std::optional<THiveMapping> MapHive(std::string_view aName, bool& aKnown) {
    struct TEntry {
        std::string_view fLong, fShort;
        std::optional<THiveMapping> fMapping;
    };
    static const TEntry kHives[] = {
        {"HKEY_LOCAL_MACHINE", "HKLM", THiveMapping{TStoreRoot::LocalMachine, {}}},
        {"HKEY_CURRENT_USER", "HKCU", THiveMapping{TStoreRoot::CurrentUser, {}}},
        {"HKEY_CLASSES_ROOT", "HKCR", THiveMapping{TStoreRoot::LocalMachine, "Software\\Classes"}},
        {"HKEY_USERS", "HKU", THiveMapping{TStoreRoot::Users, {}}},
        {"HKEY_CURRENT_CONFIG", "HKCC", std::nullopt},
        {"HKEY_DYN_DATA", "HKDD", std::nullopt},
        {"HKEY_PERFORMANCE_DATA", "HKPD", std::nullopt},
    };
    for (const auto& hive : kHives) {
        if (SameText(aName, hive.fLong) || SameText(aName, hive.fShort)) {
            aKnown = true;
            return hive.fMapping;
        }
    }
    aKnown = false;
    return std::nullopt;
}

class TRegistryTextParser {
public:
    TRegistryTextParser(TRegistryStore& aStore, TRegistryDialect aDialect, std::string aLabel)
        : fStore(aStore), fDialect(aDialect), fLabel(std::move(aLabel)) {}

    // Parses everything after the header line.
    void Parse(std::string_view aText, std::size_t aFirstLine, TStoreRoot aRoot) {
        fRoot = aRoot;
        std::size_t pos = 0;
        std::size_t lineNumber = aFirstLine;
        while (pos < aText.size()) {
            std::size_t end = NextLineEnd(aText, pos);
            std::string_view line = TrimRight(aText.substr(pos, end - pos));
            const std::size_t startLine = lineNumber;
            ++lineNumber;
            // Hex data goes on over the following lines while a line ends with a backslash.
            if ((line.starts_with('"') || line.starts_with('@')) && line.ends_with('\\')) {
                std::size_t lineEnd = end;
                while (lineEnd < aText.size()) {
                    const std::size_t next = NextLineEnd(aText, lineEnd + 1);
                    const std::string_view more =
                        TrimRight(aText.substr(lineEnd + 1, next - lineEnd - 1));
                    lineEnd = next;
                    ++lineNumber;
                    line = std::string_view(line.data(), more.data() + more.size() - line.data());
                    if (!more.ends_with('\\')) {
                        break;
                    }
                }
                end = lineEnd;
            }
            ParseLine(line, startLine);
            if (end == aText.size() && !line.empty()) {
                fCutOff = lineNumber - 1;
            }
            pos = end + 1;
        }
    }

    std::optional<bool> Is64Bit() const { return fIs64Bit; }

    // Whether an export named the machine's Software key or its hive.
    bool NamedMachineSoftware() const { return fNamedMachineSoftware; }

    std::string Warning() const {
        std::string warning;
        if (fMalformed > 0) {
            warning = "skipped " + std::to_string(fMalformed) + " malformed line" +
                      (fMalformed == 1 ? "" : "s") + ", the first at line " +
                      std::to_string(fFirstMalformed);
        }
        if (fCutOff > 0) {
            // Both writers end every line, so a last line without its end means the
            // file was cut off; what it held is still read when it makes sense.
            warning += (warning.empty() ? "" : "; ") + std::string("cut off in line ") +
                       std::to_string(fCutOff);
        }
        return warning.empty() ? warning : fLabel + ": " + warning;
    }

    void MarkCutOff(std::size_t aLine) { fCutOff = aLine; }

    void Malformed(std::size_t aLine) {
        if (fMalformed++ == 0) {
            fFirstMalformed = aLine;
        }
    }

private:
    static std::size_t NextLineEnd(std::string_view aText, std::size_t aFrom) {
        if (aFrom >= aText.size()) {
            return aText.size();
        }
        const void* hit = std::memchr(aText.data() + aFrom, '\n', aText.size() - aFrom);
        return hit != nullptr ? static_cast<const char*>(hit) - aText.data() : aText.size();
    }

    void ParseLine(std::string_view aLine, std::size_t aLineNumber) {
        const std::string_view line = TrimLeft(aLine);
        if (line.empty() || line.front() == ';') {
            return;
        }
        switch (line.front()) {
        case '[':
            if (!ParseKeyLine(line)) {
                Malformed(aLineNumber);
                fCurrent = TRegistryStore::kNoKey;
                fSkipping = true;
            }
            return;
        case '"':
        case '@':
            if (fCurrent == TRegistryStore::kNoKey) {
                if (!fSkipping) {
                    Malformed(aLineNumber);
                }
            } else if (!ParseValueLine(line)) {
                Malformed(aLineNumber);
            }
            return;
        case '#':
            if (fDialect == TRegistryDialect::Wine && line.starts_with("#arch=")) {
                fIs64Bit = line.substr(6) == "win64";
            }
            return; // Wine's #time, #class and #link lines carry nothing read here
        default:
            Malformed(aLineNumber);
        }
    }

    bool ParseKeyLine(std::string_view aLine) {
        fSkipping = false;
        std::string_view path;
        if (fDialect == TRegistryDialect::Wine) {
            // [escaped\\path] followed by a time stamp; "\]" is a bracket in a name.
            std::string_view rest = aLine.substr(1);
            std::size_t close = 0;
            for (;;) {
                close = rest.find(']', close);
                if (close == std::string_view::npos) {
                    return false;
                }
                std::size_t backslashes = 0;
                while (backslashes < close && rest[close - 1 - backslashes] == '\\') {
                    ++backslashes;
                }
                if (backslashes % 2 == 0) {
                    break;
                }
                ++close;
            }
            path = rest.substr(0, close);
            SplitWinePath(path, fParts);
            return OpenPath(TRegistryStore::Root(fRoot), fParts);
        }
        // Regedit writes names unescaped: the key ends at the line's last ']'.
        if (!aLine.ends_with(']')) {
            return false;
        }
        path = aLine.substr(1, aLine.size() - 2);
        if (path.starts_with('-')) { // a deletion entry: nothing to read
            fSkipping = true;
            return true;
        }
        std::vector<std::string_view> parts = SplitRegeditPath(path);
        if (parts.empty()) {
            return false;
        }
        bool known = false;
        const auto mapping = MapHive(parts.front(), known);
        if (!known) {
            return false;
        }
        if (!mapping) { // a hive nothing here reads
            fSkipping = true;
            return true;
        }
        std::vector<std::string_view> full;
        if (!mapping->fBelow.empty()) {
            full = SplitRegeditPath(mapping->fBelow);
        }
        full.insert(full.end(), parts.begin() + 1, parts.end());
        if (mapping->fRoot == TStoreRoot::LocalMachine &&
            (full.empty() || (full.size() == 1 && SameText(full[0], "Software")))) {
            fNamedMachineSoftware = true;
        }
        return OpenPath(TRegistryStore::Root(mapping->fRoot), full);
    }

    // Names are separated by an escaped backslash ("\\\\"); other escapes belong
    // to a name.
    static void SplitWinePath(std::string_view aPath, std::vector<std::string_view>& aParts) {
        aParts.clear();
        std::size_t start = 0;
        std::size_t i = aPath.find('\\');
        while (i != std::string_view::npos && i + 1 < aPath.size()) {
            if (aPath[i + 1] == '\\') {
                aParts.push_back(aPath.substr(start, i - start));
                start = i + 2;
            }
            i = aPath.find('\\', i + 2);
        }
        aParts.push_back(aPath.substr(start));
    }

    static std::vector<std::string_view> SplitRegeditPath(std::string_view aPath) {
        std::vector<std::string_view> parts;
        std::size_t start = 0;
        for (std::size_t i = 0; i <= aPath.size(); ++i) {
            if (i == aPath.size() || aPath[i] == '\\') {
                parts.push_back(aPath.substr(start, i - start));
                start = i + 1;
            }
        }
        return parts;
    }

    // Makes the key current, creating it and its parents. Consecutive keys in a
    // file share most of their path, so the parents of the previous key are reused
    // by their raw names before the index is asked.
    bool OpenPath(TKeyId aRoot, const std::vector<std::string_view>& aParts) {
        if (aParts.size() > kMaxKeyDepth) {
            return false;
        }
        for (const auto& part : aParts) {
            if (part.empty() || part.size() > kMaxKeyNameBytes) {
                return false;
            }
        }
        if (aRoot != fCachedRoot) {
            fCachedPath.clear();
            fCachedRoot = aRoot;
        }
        std::size_t same = 0;
        while (same < aParts.size() && same < fCachedPath.size() &&
               fCachedPath[same].first == aParts[same]) {
            ++same;
        }
        fCachedPath.resize(same);
        TKeyId key = same == 0 ? aRoot : fCachedPath.back().second;
        for (std::size_t i = same; i < aParts.size(); ++i) {
            const bool escaped = fDialect == TRegistryDialect::Wine &&
                                 aParts[i].find('\\') != std::string_view::npos;
            key = escaped ? fStore.AddKey(key, UnescapeText(aParts[i], fDialect))
                          : fStore.AddKey(key, aParts[i]);
            fCachedPath.emplace_back(aParts[i], key);
        }
        fCurrent = key;
        return true;
    }

    bool ParseValueLine(std::string_view aLine) {
        TRawValue value;
        value.fDialect = fDialect;
        std::string_view rest;
        if (aLine.front() == '@') {
            rest = aLine.substr(1);
        } else {
            const auto length = QuotedLength(aLine.substr(1));
            if (!length) {
                return false;
            }
            value.fName = aLine.substr(1, *length);
            rest = aLine.substr(*length + 2);
        }
        rest = TrimLeft(rest);
        if (!rest.starts_with('=')) {
            return false;
        }
        value.fData = TrimLeft(rest.substr(1));
        if (fDialect != TRegistryDialect::Wine && value.fData == "-") {
            return true; // a deletion entry
        }
        if (!ClassifyValue(value.fData)) {
            return false;
        }
        fStore.AddValue(fCurrent, value);
        return true;
    }

    TRegistryStore& fStore;
    TRegistryDialect fDialect;
    std::string fLabel;
    TStoreRoot fRoot = TStoreRoot::LocalMachine;
    TKeyId fCurrent = TRegistryStore::kNoKey;
    bool fSkipping = false; // inside a section whose values are not kept
    TKeyId fCachedRoot = TRegistryStore::kNoKey;
    std::vector<std::pair<std::string_view, TKeyId>> fCachedPath;
    std::vector<std::string_view> fParts; // of the current key line
    std::optional<bool> fIs64Bit;
    bool fNamedMachineSoftware = false;
    std::size_t fMalformed = 0;
    std::size_t fFirstMalformed = 0;
    std::size_t fCutOff = 0; // the last line, when the file ends inside it
};

// Splits off the first line; the rest starts on line 2.
std::string_view FirstLine(std::string_view aText, std::string_view& aRest) {
    const std::size_t end = aText.find('\n');
    aRest = end == std::string_view::npos ? std::string_view() : aText.substr(end + 1);
    return TrimLeft(TrimRight(aText.substr(0, end)));
}

// UTF-16LE to UTF-8 in slices, so no second full-size UTF-16 copy is made. A final
// odd byte is dropped and reported through aTruncated.
std::string Utf16LeToUtf8(std::string_view aBytes, bool& aTruncated) {
    aTruncated = aBytes.size() % 2 != 0;
    std::string out;
    out.reserve(aBytes.size() / 2);
    std::u16string slice;
    constexpr std::size_t kSlice = 1 << 16;
    const std::size_t units = aBytes.size() / 2;
    std::size_t i = 0;
    while (i < units) {
        slice.clear();
        std::size_t end = std::min(units, i + kSlice);
        for (; i < end; ++i) {
            slice += static_cast<char16_t>(static_cast<unsigned char>(aBytes[2 * i]) |
                                           (static_cast<unsigned char>(aBytes[2 * i + 1]) << 8));
        }
        // Keep a surrogate pair together across slices.
        if (i < units && !slice.empty() && slice.back() >= 0xD800 && slice.back() <= 0xDBFF) {
            slice.pop_back();
            --i;
        }
        out += Utf16ToUtf8(slice);
    }
    return out;
}

std::string ReadFileOrWarn(const std::filesystem::path& aPath, std::optional<std::string>& aBytes) {
    TFileRead read = ReadRegularFile(aPath, kMaxRegistryFileSize);
    aBytes = std::move(read.Bytes);
    switch (read.Error) {
    case TReadError::None:
        return {};
    case TReadError::TooLarge:
        return aPath.string() + ": " + read.Reason + ", not read";
    case TReadError::Unreadable:
        return aPath.string() + ": cannot be read (" + read.Reason + ")";
    case TReadError::Missing:
    case TReadError::NotRegularFile:
        break;
    }
    return aPath.string() + ": " + read.Reason;
}

std::string_view SkipUtf8Bom(std::string_view aText) {
    return aText.starts_with("\xEF\xBB\xBF") ? aText.substr(3) : aText;
}

} // namespace

std::string ParseWineHive(std::string aBytes, const std::string& aLabel, TStoreRoot aRoot,
                          TRegistryStore& aStore, TWineHiveInfo& aInfo) {
    const std::string& text = aStore.KeepText(std::move(aBytes));
    std::string_view rest;
    if (FirstLine(SkipUtf8Bom(text), rest) != "WINE REGISTRY Version 2") {
        return aLabel + ": not a Wine registry file";
    }
    TRegistryTextParser parser(aStore, TRegistryDialect::Wine, aLabel);
    parser.Parse(rest, 2, aRoot);
    aInfo.fIs64Bit = parser.Is64Bit();
    return parser.Warning();
}

std::string ParseRegFile(std::string aBytes, const std::string& aLabel, TRegistryStore& aStore,
                         TRegFileInfo& aInfo) {
    aInfo = {};
    bool truncated = false;
    if (std::string_view(aBytes).starts_with("\xFF\xFE")) {
        aBytes = Utf16LeToUtf8(std::string_view(aBytes).substr(2), truncated);
    }
    const std::string& text = aStore.KeepText(std::move(aBytes));
    std::string_view rest;
    const std::string_view header = FirstLine(SkipUtf8Bom(text), rest);
    TRegistryDialect dialect;
    if (header == "Windows Registry Editor Version 5.00") {
        dialect = TRegistryDialect::Regedit5;
    } else if (header == "REGEDIT4") {
        dialect = TRegistryDialect::Regedit4;
    } else {
        return aLabel + ": not a registry export";
    }
    TRegistryTextParser parser(aStore, dialect, aLabel);
    if (dialect == TRegistryDialect::Regedit4) {
        // 8-bit text in the exporting system's code page.
        const std::string& converted = aStore.KeepText(AnsiToUtf8(rest));
        rest = converted;
    }
    parser.Parse(rest, 2, TStoreRoot::LocalMachine);
    if (truncated) {
        parser.MarkCutOff(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') + 1));
    }
    std::string warning = parser.Warning();
    // regedit starts an export with the key exported; a damaged file may have
    // lost any part of it.
    aInfo.fHoldsMachineSoftware = parser.NamedMachineSoftware() && warning.empty();
    return warning;
}

std::string ReadWineHiveFile(const std::filesystem::path& aPath, TStoreRoot aRoot,
                             TRegistryStore& aStore, TWineHiveInfo& aInfo) {
    std::optional<std::string> bytes;
    if (std::string warning = ReadFileOrWarn(aPath, bytes); !warning.empty()) {
        return warning;
    }
    return ParseWineHive(std::move(*bytes), aPath.string(), aRoot, aStore, aInfo);
}

std::string ReadRegFile(const std::filesystem::path& aPath, TRegistryStore& aStore,
                        TRegFileInfo& aInfo) {
    aInfo = {};
    std::optional<std::string> bytes;
    if (std::string warning = ReadFileOrWarn(aPath, bytes); !warning.empty()) {
        return warning;
    }
    return ParseRegFile(std::move(*bytes), aPath.string(), aStore, aInfo);
}

} // namespace brivane::platform::registry_files
