#pragma once
// The Windows registry, read-only: hives, keys, subkeys in stored order, text and
// number values, and the 32- and 64-bit views of a 64-bit system. On Windows this
// is the live registry; elsewhere it is read from a Wine prefix or an exported
// .reg file (see registry_source.h).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivane::platform {

enum class TRegistryHive { ClassesRoot, CurrentUser, LocalMachine, Users };

// Which half of a 64-bit system's registry a key is opened in. A 32-bit program
// sees the 32-bit view by default; on a 32-bit system both views are the same.
enum class TRegistryView { Bits32, Bits64 };

class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;

    // Names of the direct subkeys in the order the registry enumerates them.
    virtual std::vector<std::string> GetSubkeyNames() const = 0;

    // A key below this one ("Name" or "Name\Deeper") in the same view, as opening
    // this key's path plus "\" plus aPath would give it; null when it does not exist.
    virtual std::unique_ptr<IRegistryKey> OpenSubkey(std::string_view aPath) const = 0;

    // A text value (plain or expandable, left unexpanded) up to its first NUL;
    // nothing when the value is missing or holds no text. aName is compared
    // case-insensitively; an empty name is the key's default value.
    virtual std::optional<std::string> ReadString(std::string_view aName) const = 0;

    // A 32- or 64-bit number value; nothing when missing or of another type.
    virtual std::optional<std::uint64_t> ReadNumber(std::string_view aName) const = 0;

    // The strings of a multi-string value (a plain text value gives one string);
    // nothing when the value is missing or holds no text.
    virtual std::optional<std::vector<std::string>> ReadStrings(std::string_view aName) const = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;

    // Opens a key below a hive ("Software\Microsoft\..."; key names compare
    // case-insensitively). Null when the key does not exist.
    virtual std::unique_ptr<IRegistryKey> OpenKey(TRegistryHive aHive, std::string_view aPath,
                                                  TRegistryView aView) const = 0;

    // Whether the registry belongs to a 64-bit system, as far as the files it was
    // read from show it: Wine's own mark, or the presence of the machine's 32-bit
    // view (its absence only where the files hold the machine's whole Software
    // key). Nothing when they do not show it, or when the running system is asked.
    virtual std::optional<bool> Is64BitSystem() const = 0;

    // Problems met while reading a copy of the registry, one line each; the
    // registry then holds what could be read.
    virtual std::vector<std::string> GetWarnings() const = 0;
};

// The registry of the current source (registry_source.h), read now. Never throws:
// an unreadable source gives an empty registry with a warning.
std::shared_ptr<IRegistry> OpenRegistry();

} // namespace brivane::platform
