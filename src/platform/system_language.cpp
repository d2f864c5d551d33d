// The system's language as a registry read from files records it.

#include "base/unicode.h"
#include "platform/registry_files/control_set.h"
#include "platform/registry_files/registry_value.h"
#include "platform/system_facts.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace brivane::platform {

namespace {

// ISO 639 names of the primary languages of locale identifiers (the low ten bits
// of an LCID); Norwegian and the languages sharing 0x1A depend on the sublanguage.
constexpr std::pair<std::uint16_t, std::string_view> kPrimaryLanguages[] = {
    {0x01, "ar"}, {0x02, "bg"}, {0x03, "ca"}, {0x04, "zh"}, {0x05, "cs"}, {0x06, "da"},
    {0x07, "de"}, {0x08, "el"}, {0x09, "en"}, {0x0A, "es"}, {0x0B, "fi"}, {0x0C, "fr"},
    {0x0D, "he"}, {0x0E, "hu"}, {0x0F, "is"}, {0x10, "it"}, {0x11, "ja"}, {0x12, "ko"},
    {0x13, "nl"}, {0x15, "pl"}, {0x16, "pt"}, {0x17, "rm"}, {0x18, "ro"}, {0x19, "ru"},
    {0x1B, "sk"}, {0x1C, "sq"}, {0x1D, "sv"}, {0x1E, "th"}, {0x1F, "tr"}, {0x20, "ur"},
    {0x21, "id"}, {0x22, "uk"}, {0x23, "be"}, {0x24, "sl"}, {0x25, "et"}, {0x26, "lv"},
    {0x27, "lt"}, {0x28, "tg"}, {0x29, "fa"}, {0x2A, "vi"}, {0x2B, "hy"}, {0x2C, "az"},
    {0x2D, "eu"}, {0x2F, "mk"}, {0x32, "tn"}, {0x34, "xh"}, {0x35, "zu"}, {0x36, "af"},
    {0x37, "ka"}, {0x38, "fo"}, {0x39, "hi"}, {0x3A, "mt"}, {0x3C, "ga"}, {0x3E, "ms"},
    {0x3F, "kk"}, {0x40, "ky"}, {0x41, "sw"}, {0x42, "tk"}, {0x43, "uz"}, {0x44, "tt"},
    {0x45, "bn"}, {0x46, "pa"}, {0x47, "gu"}, {0x48, "or"}, {0x49, "ta"}, {0x4A, "te"},
    {0x4B, "kn"}, {0x4C, "ml"}, {0x4D, "as"}, {0x4E, "mr"}, {0x50, "mn"}, {0x52, "cy"},
    {0x53, "km"}, {0x54, "lo"}, {0x56, "gl"}, {0x5B, "si"}, {0x5E, "am"}, {0x61, "ne"},
    {0x62, "fy"}, {0x63, "ps"}, {0x6E, "lb"},
};

std::string LanguageOfLcid(std::uint32_t aLcid) {
    const std::uint32_t primary = aLcid & 0x3FF;
    const std::uint32_t sublanguage = (aLcid >> 10) & 0x3F;
    if (primary == 0x14) {
        return sublanguage == 2 ? "nn" : "nb";
    }
    if (primary == 0x1A) { // Croatian, Serbian and Bosnian
        if (sublanguage == 1 || sublanguage == 4) {
            return "hr";
        }
        return (sublanguage == 5 || sublanguage == 8) ? "bs" : "sr";
    }
    for (const auto& [id, code] : kPrimaryLanguages) {
        if (id == primary) {
            return std::string(code);
        }
    }
    return {};
}

// "ru-RU", "sr-Latn-RS": the language subtag in lower case; empty unless it is
// two or three letters.
std::string LanguageOfLocaleName(std::string_view aName) {
    const std::string_view language = aName.substr(0, aName.find_first_of("-_"));
    if (language.size() < 2 || language.size() > 3) {
        return {};
    }
    for (const char c : language) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            return {};
        }
    }
    return LowerCase(language);
}

// "00000419": an LCID as the registry writes it, in hexadecimal.
std::string LanguageOfLcidText(const std::optional<std::string>& aText) {
    const auto lcid = aText ? registry_files::ParseHexNumber(*aText, 8) : std::nullopt;
    return lcid ? LanguageOfLcid(static_cast<std::uint32_t>(*lcid)) : std::string();
}

} // namespace

std::string ReadSystemLanguage(const IRegistry& aRegistry) {
    // The user's regional settings: a locale name since Vista, an LCID before.
    if (const auto international = aRegistry.OpenKey(
            TRegistryHive::CurrentUser, "Control Panel\\International", TRegistryView::Bits64)) {
        if (auto language =
                LanguageOfLocaleName(international->ReadString("LocaleName").value_or(""));
            !language.empty()) {
            return language;
        }
        if (auto language = LanguageOfLcidText(international->ReadString("Locale"));
            !language.empty()) {
            return language;
        }
    }
    // The machine's default locale, for a registry without the user's hive.
    if (const auto locale = registry_files::OpenControlSetKey(aRegistry, "Control\\Nls\\Locale")) {
        return LanguageOfLcidText(locale->ReadString(""));
    }
    return {};
}

} // namespace brivane::platform
