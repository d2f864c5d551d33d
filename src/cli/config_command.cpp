// brivane-cli config: shows and changes the settings store of the per-user data folder.

#include "app/localization.h"
#include "app/settings.h"
#include "cli/commands.h"
#include "cli/output.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <iostream>
#include <memory>

namespace brivane::cli {

namespace {

const TSettingKey& FindKey(const std::string& aName) {
    for (const auto& key : KnownSettings()) {
        if (key.Name == aName) {
            return key;
        }
    }
    std::string known;
    for (const auto& key : KnownSettings()) {
        known += (known.empty() ? "" : ", ") + std::string(key.Name);
    }
    throw TCliError("unknown setting '" + aName + "' (known: " + known + ")");
}

struct TEffectiveValue {
    std::string Value;
    bool Stored;
};

// What the program uses for the key: the stored value, else its default.
TEffectiveValue Effective(const TConfig& aConfig, const TSettingKey& aKey) {
    if (aKey.Type == TSettingType::Integer) {
        if (const auto stored = aConfig.FindInteger(aKey.Name)) {
            return {std::to_string(*stored), true};
        }
        // Only "Language" is an integer: without it the locale decides.
        return {std::to_string(static_cast<int>(SystemLanguage())), false};
    }
    if (const auto stored = aConfig.FindBoolean(aKey.Name)) {
        return {*stored ? "true" : "false", true};
    }
    // Checking for updates is on until switched off, and without the key the next start
    // is a first run. Animations would follow the system assessment, which is not
    // available here.
    const bool byDefault = aKey.Name == kCheckForUpdate || aKey.Name == kFirstRun;
    return {byDefault ? "true" : "false", false};
}

void List(bool aJson) {
    TConfig config;
    PrintWarnings(std::cerr, config.TakeWarnings());
    if (aJson) {
        PrintJson(std::cout, config.Snapshot());
        return;
    }
    TTable table({"KEY", "VALUE", "SOURCE"});
    for (const auto& key : KnownSettings()) {
        const auto value = Effective(config, key);
        table.AddRow({std::string(key.Name), value.Value, value.Stored ? "stored" : "default"});
    }
    table.Print(std::cout);
}

void Set(const std::string& aName, const std::string& aValue) {
    const TSettingKey& key = FindKey(aName);
    TConfig config;
    bool written;
    if (key.Type == TSettingType::Boolean) {
        if (aValue != "true" && aValue != "false") {
            throw TCliError(aName + " takes true or false, not '" + aValue + "'");
        }
        written = config.SetBoolean(key.Name, aValue == "true");
    } else {
        std::int32_t number = 0;
        const char* end = aValue.data() + aValue.size();
        const auto [ptr, error] = std::from_chars(aValue.data(), end, number);
        if (aValue.empty() || error != std::errc() || ptr != end || number < key.Min ||
            number > key.Max) {
            throw TCliError(aName + " takes an integer from " + std::to_string(key.Min) + " to " +
                            std::to_string(key.Max) + ", not '" + aValue + "'");
        }
        written = config.SetInteger(key.Name, number);
    }
    if (!written) { // one line: the error says what matters
        throw TCliError("cannot write the settings file '" + config.File().string() +
                            "': " + config.LastWriteError(),
                        kExitFailure);
    }
    PrintWarnings(std::cerr, config.TakeWarnings());
}

} // namespace

void RegisterConfigCommand(CLI::App& aApp) {
    // The parsed arguments live as long as the callbacks that read them.
    struct TArguments {
        bool Json = false;
        std::string Key;
        std::string Value;
    };
    const auto arguments = std::make_shared<TArguments>();

    auto* config = aApp.add_subcommand("config", "Show or change the stored settings");
    config->require_subcommand(1);

    auto* list = config->add_subcommand("list", "Every setting with the value in use");
    list->add_flag("--json", arguments->Json, "Print the stored settings object as JSON");
    list->callback([arguments] { List(arguments->Json); });

    auto* get = config->add_subcommand("get", "Print the value in use of one setting");
    get->add_option("KEY", arguments->Key, "Setting name")->required();
    get->callback([arguments] {
        TConfig settings;
        PrintWarnings(std::cerr, settings.TakeWarnings());
        std::cout << Effective(settings, FindKey(arguments->Key)).Value << '\n';
    });

    auto* set = config->add_subcommand("set", "Store a setting");
    set->add_option("KEY", arguments->Key, "Setting name")->required();
    set->add_option("VALUE", arguments->Value, "true or false; an integer for Language")
        ->required();
    set->callback([arguments] { Set(arguments->Key, arguments->Value); });
}

} // namespace brivane::cli
