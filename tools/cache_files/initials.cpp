#include "initials.h"

#include "base/unicode.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace brivane::tools {

namespace {

// Names whose rule initials would repeat a sibling's in the same category, or read
// badly. Families take the family's letter and the variant's.
constexpr std::pair<std::string_view, std::string_view> kOverrides[] = {
    {"Adobe Flash Player ActiveX", "FA"},
    {"Adobe Flash Player NPAPI", "FN"},
    {"Adobe Flash Player PPAPI", "FP"},
    {"Auslogics Disk Defrag", "AD"},
    {"Auslogics Duplicate File Finder", "AF"},
    {"Auslogics Registry Cleaner", "AC"},
    {"Auslogics Registry Defrag", "AR"},
    {"CPU-Z", "CZ"},
    {"Daum PotPlayer", "PP"},
    {"Delphi IDE Colorizer", "DC"},
    {"Delphi IDE Theme Editor", "DT"},
    {"ESET NOD32 Antivirus", "EN"},
    {"ESET Smart Security", "ES"},
    {"FileZilla Server", "FS"},
    {"FotoSketcher", "Fo"},
    {"Freemake Video Downloader", "FD"},
    {"Inno Script Studio", "SS"},
    {"IObit Advanced SystemCare", "IA"},
    {"IObit Malware Fighter", "IM"},
    {"IObit Smart Defrag", "IS"},
    {"K-Lite Basic", "KB"},
    {"K-Lite Full", "KF"},
    {"K-Lite Mega", "KM"},
    {"K-Lite Standard", "KS"},
    {"KC Softwares SUMo", "SU"},
    {"mIRC", "IR"},
    {"Notepad++", "Np"},
    {"NVIDIA PhysX", "PX"},
    {"SlimComputer", "SM"},
    {"STDU Viewer", "SV"},
    {"TeraCopy", "Te"},
    {"The KMPlayer", "KP"},
    {"Viber", "Vb"},
    {"VKMusic", "VM"},
    {"VKPaint", "VP"},
    {"WebMoney Keeper", "WK"},
};

// Letters and digits of the basic multilingual plane, which holds every script the
// case mapping knows.
bool IsLetterOrDigit(char32_t aChar) {
    if (aChar < 0x80) {
        return (aChar >= '0' && aChar <= '9') || (aChar >= 'A' && aChar <= 'Z') ||
               (aChar >= 'a' && aChar <= 'z');
    }
    // Letters of other scripts, leaving out signs and punctuation.
    return aChar >= 0xC0 && aChar <= 0xFFFF && aChar != 0xD7 && aChar != 0xF7 &&
           !(aChar >= 0x2000 && aChar <= 0x2BFF) && !(aChar >= 0xD800 && aChar <= 0xDFFF);
}

char16_t Upper(char32_t aChar) {
    return UpperCaseChar(static_cast<char16_t>(aChar));
}

char16_t Lower(char32_t aChar) {
    return LowerCaseChar(static_cast<char16_t>(aChar));
}

bool IsCapital(char32_t aChar) {
    return Lower(aChar) != aChar;
}

bool IsCapitalOrDigit(char32_t aChar) {
    return IsCapital(aChar) || (aChar >= '0' && aChar <= '9');
}

std::vector<std::u32string> Words(std::string_view aName) {
    std::vector<std::u32string> words(1);
    for (std::size_t position = 0; position < aName.size();) {
        const char32_t c = DecodeUtf8Char(aName, position);
        if (IsLetterOrDigit(c)) {
            words.back() += c;
        } else if (!words.back().empty()) {
            words.emplace_back();
        }
    }
    if (words.back().empty()) {
        words.pop_back();
    }
    return words;
}

} // namespace

std::string InitialsByRule(std::string_view aName) {
    const auto words = Words(aName);
    if (words.empty()) {
        return {};
    }
    const std::u32string& first = words[0];
    if (first.size() >= 2 && std::all_of(first.begin(), first.end(), IsCapitalOrDigit)) {
        return Utf16ToUtf8(std::u16string{Upper(first[0]), Upper(first[1])});
    }
    if (const auto capital = std::find_if(first.begin() + 1, first.end(), IsCapital);
        capital != first.end()) {
        return Utf16ToUtf8(std::u16string{Upper(first[0]), Upper(*capital)});
    }
    if (words.size() >= 2) {
        return Utf16ToUtf8(std::u16string{Upper(first[0]), Upper(words[1][0])});
    }
    if (first.size() >= 2) {
        return Utf16ToUtf8(std::u16string{Upper(first[0]), Lower(first[1])});
    }
    return Utf16ToUtf8(std::u16string{Upper(first[0])});
}

std::string Initials(std::string_view aName) {
    for (const auto& [name, initials] : kOverrides) {
        if (name == aName) {
            return std::string(initials);
        }
    }
    return InitialsByRule(aName);
}

} // namespace brivane::tools
