#include "app/settings.h"

#include "base/unicode.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/folders.h"

#include <limits>
#include <set>

namespace brivane {

namespace {

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxConfigFileSize = 1024 * 1024;

constexpr TSettingKey kKnownSettings[] = {
    {kAllowBeta, TSettingType::Boolean},      {kAllowShareware, TSettingType::Boolean},
    {kCheckForUpdate, TSettingType::Boolean}, {kEnableAnimations, TSettingType::Boolean},
    {kFirstRun, TSettingType::Boolean},       {kLanguage, TSettingType::Integer},
};

std::u16string DecodeUtf16(std::string_view aBytes, bool aBigEndian) {
    std::u16string text(aBytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(aBytes[2 * i]);
        const auto second = static_cast<unsigned char>(aBytes[2 * i + 1]);
        text[i] = static_cast<char16_t>(aBigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    return text;
}

// The file's text as UTF-8: a byte-order mark selects UTF-8 or UTF-16, otherwise the
// bytes are in the system's ANSI code page. Nothing for UTF-16 of an odd length.
std::optional<std::string> DecodeText(std::string_view aBytes) {
    if (aBytes.starts_with("\xEF\xBB\xBF")) {
        return std::string(aBytes.substr(3));
    }
    const bool little = aBytes.starts_with("\xFF\xFE");
    if (little || aBytes.starts_with("\xFE\xFF")) {
        const std::string_view units = aBytes.substr(2);
        if (units.size() % 2 != 0) {
            return std::nullopt;
        }
        return Utf16ToUtf8(DecodeUtf16(units, !little));
    }
    return platform::AnsiToUtf8(aBytes);
}

// The parsed object, or an empty one for text that is not a JSON object. Of pairs with
// the same name the first counts, as everywhere a name is looked up.
nlohmann::ordered_json ParseObject(const std::string& aText) {
    std::set<std::string> names;
    const auto firstPairOnly = [&](int aDepth, nlohmann::ordered_json::parse_event_t aEvent,
                                   nlohmann::ordered_json& aParsed) {
        return aEvent != nlohmann::ordered_json::parse_event_t::key || aDepth != 1 ||
               names.insert(aParsed.get<std::string>()).second;
    };
    auto value = nlohmann::ordered_json::parse(aText, firstPairOnly, false);
    return value.is_object() ? value : nlohmann::ordered_json::object();
}

} // namespace

std::span<const TSettingKey> KnownSettings() {
    return kKnownSettings;
}

std::filesystem::path GetConfigFile() {
    return platform::GetAppDataFolder() / "Config.dat";
}

TConfig::TConfig() : TConfig(GetConfigFile()) {}

TConfig::TConfig(std::filesystem::path aFile) : fFile(std::move(aFile)) {
    Load();
}

void TConfig::Load() {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    if (const auto bytes = platform::ReadFileBytes(fFile, kMaxConfigFileSize)) {
        if (const auto text = DecodeText(*bytes)) {
            json = ParseObject(*text);
        }
    }
    const std::lock_guard lock(fLock);
    fJSON = std::move(json);
}

bool TConfig::Save() {
    const std::lock_guard lock(fLock);
    return SaveLocked();
}

bool TConfig::SaveLocked() {
    try {
        // Written under the lock, so that the file ends with the last change made.
        platform::WriteFileAtomically(
            fFile, fJSON.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

const nlohmann::ordered_json* TConfig::FindLocked(std::string_view aName) const {
    const auto it = fJSON.find(aName);
    return it == fJSON.end() ? nullptr : &*it;
}

bool TConfig::GetExists(std::string_view aName) const {
    const std::lock_guard lock(fLock);
    return FindLocked(aName) != nullptr;
}

std::optional<bool> TConfig::FindBoolean(std::string_view aName) const {
    const std::lock_guard lock(fLock);
    const auto* value = FindLocked(aName);
    if (value == nullptr || !value->is_boolean()) {
        return std::nullopt;
    }
    return value->get<bool>();
}

std::optional<std::int32_t> TConfig::FindInteger(std::string_view aName) const {
    const std::lock_guard lock(fLock);
    const auto* value = FindLocked(aName);
    if (value == nullptr || !value->is_number_integer()) {
        return std::nullopt;
    }
    // Unsigned numbers are a type of their own to the parser; both must fit 32 bits.
    if (value->is_number_unsigned()) {
        const auto number = value->get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(number);
    }
    const auto number = value->get<std::int64_t>();
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
}

bool TConfig::GetBoolean(std::string_view aName) const {
    return FindBoolean(aName).value_or(false);
}

std::int32_t TConfig::GetInteger(std::string_view aName) const {
    return FindInteger(aName).value_or(0);
}

bool TConfig::SetBoolean(std::string_view aName, bool aValue) {
    return Set(aName, aValue);
}

bool TConfig::SetInteger(std::string_view aName, std::int32_t aValue) {
    return Set(aName, aValue);
}

bool TConfig::Set(std::string_view aName, nlohmann::ordered_json aValue) {
    const std::lock_guard lock(fLock);
    AssignLocked(aName, std::move(aValue));
    return SaveLocked();
}

bool TConfig::SetBooleans(std::initializer_list<std::pair<std::string_view, bool>> aValues) {
    const std::lock_guard lock(fLock);
    for (const auto& [name, value] : aValues) {
        AssignLocked(name, value);
    }
    return SaveLocked();
}

void TConfig::AssignLocked(std::string_view aName, nlohmann::ordered_json aValue) {
    fJSON.erase(std::string(aName));
    fJSON[std::string(aName)] = std::move(aValue);
}

nlohmann::ordered_json TConfig::Snapshot() const {
    const std::lock_guard lock(fLock);
    return fJSON;
}

} // namespace brivane
