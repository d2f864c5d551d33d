#pragma once
// TConfig: the user's settings, a JSON object kept in memory and written to
// "Config.dat" in the per-user data folder at every change.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brivane {

// The keys the program uses.
inline constexpr std::string_view kAllowBeta = "AllowBeta";
inline constexpr std::string_view kAllowShareware = "AllowShareware";
inline constexpr std::string_view kCheckForUpdate = "CheckForUpdate";
inline constexpr std::string_view kEnableAnimations = "EnableAnimations";
inline constexpr std::string_view kFirstRun = "FirstRun";
inline constexpr std::string_view kLanguage = "Language";

enum class TSettingType { Boolean, Integer };

struct TSettingKey {
    std::string_view Name;
    TSettingType Type;
    // The values an integer key may take (Language: the values of TLanguage).
    std::int32_t Min = 0;
    std::int32_t Max = 0;
};

// Every key above with the JSON type it holds.
std::span<const TSettingKey> KnownSettings();

// The settings file in the per-user data folder.
std::filesystem::path GetConfigFile();

// Every operation takes one lock, so the store may be used from several threads, and
// every write holds an exclusive lock on "Config.dat.lock" beside the file, so that
// several processes may change settings at once without losing one another's changes.
// Missing or damaged files give an empty store; a value of another JSON type than the
// one asked for reads as absent. A damaged file is never overwritten: the next write
// moves it aside to "Config.dat.damaged" first. A read-only file is never written.
class TConfig {
public:
    // Reads the settings file of the per-user data folder.
    TConfig();
    explicit TConfig(std::filesystem::path aFile);

    // Replaces the settings in memory by the file's.
    void Load();
    // Writes the settings in memory to the file, replacing it atomically; false on
    // failure (see LastWriteError), when the old file stays as it was.
    bool Save();

    bool GetExists(std::string_view aName) const;
    // False / 0 when the key is absent or holds another type.
    bool GetBoolean(std::string_view aName) const;
    std::int32_t GetInteger(std::string_view aName) const;
    std::optional<bool> FindBoolean(std::string_view aName) const;
    std::optional<std::int32_t> FindInteger(std::string_view aName) const;

    // Moves the key to the end with its new value, in memory and in the file: the file
    // is read again under the lock, changed and written back, so changes that other
    // processes made meanwhile stay. False when the file could not be written.
    bool SetBoolean(std::string_view aName, bool aValue);
    bool SetInteger(std::string_view aName, std::int32_t aValue);
    // Sets each key in turn as SetBoolean does, then saves once.
    bool SetBooleans(std::initializer_list<std::pair<std::string_view, bool>> aValues);

    // Why the latest write failed ("the file is read-only"); empty after a success.
    std::string LastWriteError() const;
    // What went wrong with the file and was dealt with since the last call (a damaged
    // file that was ignored or moved aside), for the front end to show.
    std::vector<std::string> TakeWarnings();

    // A copy of the stored object, in its order.
    nlohmann::ordered_json Snapshot() const;
    const std::filesystem::path& File() const { return fFile; }

private:
    struct TFileState;

    bool Set(std::string_view aName, nlohmann::ordered_json aValue);
    // Writes under the file lock: the file's object with aChange applied when the file
    // is sound (also taken into memory), else the object in memory.
    bool WriteLocked(const std::function<void(nlohmann::ordered_json&)>& aChange);
    TFileState ReadFile() const;
    const nlohmann::ordered_json* FindLocked(std::string_view aName) const;

    const std::filesystem::path fFile;
    mutable std::mutex fLock;
    nlohmann::ordered_json fJSON = nlohmann::ordered_json::object();
    std::string fLastWriteError;
    std::vector<std::string> fWarnings;
};

} // namespace brivane
