#include "app/localization.h"

#include "app/settings.h"
#include "base/unicode.h"
#include "platform/locale.h"

#include <map>
#include <mutex>
#include <stdexcept>

namespace brivane {

std::atomic<TLanguage> CurrentLanguage{lDefault};

namespace {

constexpr TTranslation kTranslations[] = {
    {"checkupdate", "Проверяется наличие обновлений", "Checking for updates"},
    {"updates", "Обновления", "Updates"},
    {"actuals", "Актуальные", "Actuals"},
    {"library", "Библиотека", "Library"},
    {"sizeofupdates", "Размер выбранных обновлений", "Size of selected updates"},
    {"sizeofselected", "Размер выбранных программ", "Size of selected programs"},
    {"install", "Установить", "Install"},
    {"filtercomment", "\"Backspace\" для отключения фильтрации",
     "\"Backspace\" for disable filtering"},
    {"welcome", "Знакомство с программой", "User guide"},
    {"downloading", "Загрузка установочных файлов", "Downloading installers"},
    {"prognotsmaller", "Размер выбранных программ не менее",
     "Size of selected programs not smaller than"},
    {"prognotsel", "Программы не выбраны", "Programs not selected"},
    {"progsizeunk", "Не удалось определить размер выбранных программ",
     "Cannot calculate size of selected programs"},
    {"updnotsmaller", "Размер выбранных обновлений не менее",
     "Size of selected updates not smaller than"},
    {"updsize", "Размер выбранных обновлений", "Size of selected updates"},
    {"updnotsel", "Обновления не выбраны", "Updates not selected"},
    {"updsizeunk", "Не удалось определить размер выбранных обновлений",
     "Can't calculate size of selected updates"},
    {"filterdis", "Поисковый фильтр отключен", "Search filter disabled"},
    {"search", "Поиск", "Search"},
    {"showbeta", "Показывать бета-версии", "Allow  beta-versions"},
    {"showshare", "Показывать платные", "Allow shareware"},
    {"animate", "Разрешить анимацию", "Enable animations"},
    {"checkforupdate", "Проверять обновление", "Check for update"},
    {"cancel", "Отмена", "Cancel"},
    {"installing", "Brivane - установка", "Brivane - installing"},
    {"actinst", "Установлена актуальная версия", "Actual version installed"},
    {"veravail", "Доступна версия", "New version available"},
    {"veravailfrom", "Доступно обновление с версии", "Update available"},
    {"to", "на", "to"},
    {"from", "от", "from"},
    {"gc.initdownload", "Инициализация загрузки", "Initialization"},
    {"gc.downloaded", "Загружено", "Downloaded"},
    {"gc.installprogress", "Устанавливается программа", "Installing software"},
    {"gc.searchinstalled", "Поиск установленных программ", "Search for installed software"},
    {"gc.listupdating", "Обновление списка", "List updating"},
    {"gc.from", "из", "from"},
    {"gc.installcancel", "Установка отменена", "Installation canceled"},
    {"gc.downloadcancel", "Загрузка остановлена", "Downloading canceled"},
    {"gc.retrievinglinks", "Получение ссылок для скачивания", "Retrieving download links"},
    {"gc.retrievinglinkscancel", "Отмена получения ссылок", "Stop retrieving download links"},
    {"au.updateavailable", "Доступна новая версия: %s", "New version available: %s"},
    {"au.installupdate", "Установить обновление?", "Install this update?"},
    {"au.cancel", "Отмена", "Cancel"},
    {"au.checking", "Проверка последней версии", "Checking last version"},
    {"au.preparing", "Подготовка к обновлению", "Preparing for update"},
    {"au.downloading", "Скачивание файлов", "Downloading files"},
    {"au.backuping", "Создание резервной копии программы", "Creating backup"},
    {"au.restoring", "Откат до начального состояния", "Restoring backup"},
    {"au.unpacking", "Распаковка файлов", "Unpacking files"},
    {"au.completed", "Обновление завершено. Программа будет перезапущена через %u сек.",
     "Update completed. Application will be restarted after %u sec."},
    {"au.canceled", "Обновление отменено", "Update canceled"},
    {"au.error", "Во время обновления возникла ошибка", "Error occured during the update"},
};

// The table's key is the language code, a full stop and the text key in lower case.
struct TStringTable {
    std::mutex Lock;
    std::map<std::string, std::string, std::less<>> Texts;
};

TStringTable& Table() {
    static TStringTable table;
    return table;
}

std::string TableKey(std::string_view aKey, TLanguage aLanguage) {
    return LanguageToCode(aLanguage) + "." + LowerCase(aKey);
}

} // namespace

std::span<const TTranslation> BuiltInTranslations() {
    return kTranslations;
}

TLanguage SystemLanguage() {
    return CodeToLanguage(platform::GetSystemLanguageCode());
}

TLanguage ChooseLanguage(const TConfig& aConfig) {
    if (const auto stored = aConfig.FindInteger(kLanguage)) {
        return static_cast<TLanguage>(static_cast<std::uint8_t>(*stored));
    }
    return SystemLanguage();
}

void InitLocalization(const TConfig& aConfig) {
    {
        TStringTable& table = Table();
        const std::lock_guard lock(table.Lock);
        table.Texts.clear();
    }
    CurrentLanguage = ChooseLanguage(aConfig);
    for (const auto& translation : kTranslations) {
        AddTranslation(translation.Key, translation.Russian, lRussian);
    }
    for (const auto& translation : kTranslations) {
        AddTranslation(translation.Key, translation.English, lEnglish);
    }
}

void AddTranslation(std::string_view aKey, std::string_view aValue, TLanguage aLanguage) {
    std::string key = TableKey(aKey, aLanguage);
    TStringTable& table = Table();
    const std::lock_guard lock(table.Lock);
    if (!table.Texts.try_emplace(key, aValue).second) {
        throw std::logic_error("The text '" + key + "' is already translated");
    }
}

std::string Localize(std::string_view aKey, TLanguage aLanguage) {
    const std::string key =
        TableKey(aKey, aLanguage == lDefault ? CurrentLanguage.load() : aLanguage);
    TStringTable& table = Table();
    const std::lock_guard lock(table.Lock);
    const auto it = table.Texts.find(key);
    return it == table.Texts.end() ? std::string() : it->second;
}

} // namespace brivane
