#include "app/settings.h"

#include "base/json_depth.h"
#include "base/unicode.h"
#include "platform/code_page.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/folders.h"

#include <limits>
#include <set>
#include <stdexcept>
#include <utility>

namespace brivane {

namespace {

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxConfigFileSize = 1024 * 1024;

constexpr TSettingKey kKnownSettings[] = {
    {kAllowBeta, TSettingType::Boolean},      {kAllowShareware, TSettingType::Boolean},
    {kCheckForUpdate, TSettingType::Boolean}, {kEnableAnimations, TSettingType::Boolean},
    {kFirstRun, TSettingType::Boolean},       {kLanguage, TSettingType::Integer, 0, 2},
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

// The parsed value; discarded for text that is not JSON. Of pairs with the same name
// the first counts, as everywhere a name is looked up.
nlohmann::ordered_json ParseFirstPairs(const std::string& aText) {
    std::set<std::string> names;
    const auto firstPairOnly = [&](int aDepth, nlohmann::ordered_json::parse_event_t aEvent,
                                   nlohmann::ordered_json& aParsed) {
        return aEvent != nlohmann::ordered_json::parse_event_t::key || aDepth != 1 ||
               names.insert(aParsed.get<std::string>()).second;
    };
    return nlohmann::ordered_json::parse(aText, firstPairOnly, false);
}

std::string Dump(const nlohmann::ordered_json& aObject) {
    return aObject.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string UnusableText(const std::filesystem::path& aFile, const std::string& aReason) {
    return "The settings file '" + aFile.string() + "' cannot be used (" + aReason +
           "); the defaults apply";
}

} // namespace

std::span<const TSettingKey> KnownSettings() {
    return kKnownSettings;
}

// What the settings file holds, as far as a write needs to know.
struct TConfig::TFileState {
    enum class TKind { Missing, Sound, Damaged, NotAFile };
    TKind Kind = TKind::Missing;
    nlohmann::ordered_json Object; // when Sound
    std::string Reason;            // why it is Damaged or NotAFile
};

std::filesystem::path GetConfigFile() {
    return platform::GetAppDataFolder() / "Config.dat";
}

TConfig::TConfig() : TConfig(GetConfigFile()) {}

TConfig::TConfig(std::filesystem::path aFile) : fFile(std::move(aFile)) {
    Load();
}

TConfig::TFileState TConfig::ReadFile() const {
    using TKind = TFileState::TKind;
    const platform::TFileRead read = platform::ReadRegularFile(fFile, kMaxConfigFileSize);
    switch (read.Error) {
    case platform::TReadError::None:
        break;
    case platform::TReadError::Missing:
        return {TKind::Missing, {}, {}};
    case platform::TReadError::NotRegularFile:
        return {TKind::NotAFile, {}, read.Reason};
    case platform::TReadError::TooLarge:
    case platform::TReadError::Unreadable:
        return {TKind::Damaged, {}, read.Reason};
    }
    const auto text = DecodeText(*read.Bytes);
    if (!text) {
        return {TKind::Damaged, {}, "UTF-16 text of an odd length"};
    }
    if (text->find_first_not_of(" \t\r\n") == std::string::npos) {
        return {TKind::Missing, {}, {}}; // nothing stored: nothing to keep either
    }
    if (!JsonNestingWithin(*text)) {
        return {TKind::Damaged, {}, JsonTooDeepText()};
    }
    auto value = ParseFirstPairs(*text);
    if (value.is_discarded()) {
        return {TKind::Damaged, {}, "not JSON"};
    }
    if (!value.is_object()) {
        return {TKind::Damaged, {}, "not a JSON object"};
    }
    return {TKind::Sound, std::move(value), {}};
}

void TConfig::Load() {
    TFileState state = ReadFile();
    const std::lock_guard lock(fLock);
    fJSON = state.Kind == TFileState::TKind::Sound ? std::move(state.Object)
                                                   : nlohmann::ordered_json::object();
    if (!state.Reason.empty()) {
        fWarnings.push_back(UnusableText(fFile, state.Reason));
    }
}

bool TConfig::Save() {
    const std::lock_guard lock(fLock);
    return WriteLocked(nullptr);
}

bool TConfig::WriteLocked(const std::function<void(nlohmann::ordered_json&)>& aChange) {
    using TKind = TFileState::TKind;
    try {
        std::error_code ignored; // a folder that cannot be made fails the lock below
        std::filesystem::create_directories(fFile.parent_path(), ignored);
        const platform::TFileLock lock(fFile.string() + ".lock");
        TFileState state = ReadFile();
        if (state.Kind == TKind::NotAFile) {
            throw std::runtime_error("it is " + state.Reason);
        }
        if (platform::IsReadOnlyFile(fFile)) {
            throw std::runtime_error("it is read-only");
        }
        if (state.Kind == TKind::Sound && aChange) {
            aChange(state.Object); // on top of what other processes stored meanwhile
            fJSON = std::move(state.Object);
        }
        if (state.Kind == TKind::Damaged) {
            // Kept for the user to look at or repair; nothing of it is lost.
            const std::filesystem::path aside = fFile.string() + ".damaged";
            std::filesystem::rename(fFile, aside);
            std::erase(fWarnings, UnusableText(fFile, state.Reason));
            fWarnings.push_back("The settings file '" + fFile.string() + "' was damaged (" +
                                state.Reason + ") and has been moved aside to '" + aside.string() +
                                "'");
        }
        platform::WriteFileAtomically(fFile, Dump(fJSON));
        fLastWriteError.clear();
        return true;
    } catch (const std::exception& e) {
        fLastWriteError = e.what();
        return false;
    }
}

std::string TConfig::LastWriteError() const {
    const std::lock_guard lock(fLock);
    return fLastWriteError;
}

std::vector<std::string> TConfig::TakeWarnings() {
    const std::lock_guard lock(fLock);
    return std::exchange(fWarnings, {});
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
    const auto change = [&](nlohmann::ordered_json& aObject) {
        aObject.erase(std::string(aName));
        aObject[std::string(aName)] = aValue;
    };
    change(fJSON); // kept in memory even when the file cannot be written
    return WriteLocked(change);
}

bool TConfig::SetBooleans(std::initializer_list<std::pair<std::string_view, bool>> aValues) {
    const std::lock_guard lock(fLock);
    const auto change = [&](nlohmann::ordered_json& aObject) {
        for (const auto& [name, value] : aValues) {
            aObject.erase(std::string(name));
            aObject[std::string(name)] = value;
        }
    };
    change(fJSON);
    return WriteLocked(change);
}

nlohmann::ordered_json TConfig::Snapshot() const {
    const std::lock_guard lock(fLock);
    return fJSON;
}

} // namespace brivane
