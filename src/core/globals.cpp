#include "core/globals.h"

#include "core/unicode.h"
#include "platform/folders.h"

#include <cstdlib>

namespace brivane {

std::string LanguageToCode(TLanguage aLanguage) {
    return aLanguage == lRussian ? "ru" : "en";
}

TLanguage CodeToLanguage(std::string_view aCode) {
    return SameText(aCode, "ru") ? lRussian : lEnglish;
}

std::string CategoryToString(TSoftwareCategory aCategory, TLanguage aLanguage) {
    struct TTexts {
        const char* English;
        const char* Russian;
    };
    static constexpr TTexts kTexts[] = {
        {"None", "Нет категории"},
        {"Graphics", "Графика"},
        {"Multimedia", "Мультимедиа"},
        {"Internet and Network", "Сеть и Интернет"},
        {"System", "Система"},
        {"Security", "Безопасность"},
        {"Office", "Документы и Офис"},
        {"Development", "Разработка"},
        {"Science and Education", "Наука и Образование"},
    };
    static constexpr TTexts kUnknown = {"Unknown", "Неизвестно"};
    const TTexts& texts = aCategory < std::size(kTexts) ? kTexts[aCategory] : kUnknown;
    return aLanguage == lRussian ? texts.Russian : texts.English;
}

namespace {

// base/Brivane/ with the trailing separator. Without a base the folder lies in the
// root folder, where writes are refused rather than scattered into the working folder.
std::filesystem::path ProgramFolderIn(const std::filesystem::path& aBase) {
    return (aBase.empty() ? std::filesystem::path("/") : aBase) / kProgramName / "";
}

} // namespace

std::filesystem::path GetAppDataFolder() {
    return ProgramFolderIn(platform::GetRoamingDataFolder());
}

std::filesystem::path GetDownloadsFolder() {
    const char* appData = std::getenv("APPDATA");
    const std::filesystem::path base = (appData != nullptr && *appData != '\0')
                                           ? std::filesystem::path(appData)
                                           : platform::GetRoamingDataFolder();
    return ProgramFolderIn(base) / "Downloads" / "";
}

} // namespace brivane
