#include "catalogue/software_types.h"

#include <iterator>

namespace brivane {

namespace {

struct TCategoryNames {
    std::string_view Identifier;
    const char* English;
    const char* Russian;
};

constexpr TCategoryNames kCategories[] = {
    {"scUnknown", "None", "Нет категории"},
    {"scGraphics", "Graphics", "Графика"},
    {"scMultimedia", "Multimedia", "Мультимедиа"},
    {"scInternetNetwork", "Internet and Network", "Сеть и Интернет"},
    {"scSystem", "System", "Система"},
    {"scSecurity", "Security", "Безопасность"},
    {"scOffice", "Office", "Документы и Офис"},
    {"scDevelopment", "Development", "Разработка"},
    {"scScienceEducation", "Science and Education", "Наука и Образование"},
};
static_assert(std::size(kCategories) == scScienceEducation + 1);

constexpr TCategoryNames kUnknownCategory = {"scUnknown", "Unknown", "Неизвестно"};

const TCategoryNames& NamesOf(TSoftwareCategory aCategory) {
    return aCategory < std::size(kCategories) ? kCategories[aCategory] : kUnknownCategory;
}

} // namespace

std::string CategoryToString(TSoftwareCategory aCategory, TLanguage aLanguage) {
    const TCategoryNames& names = NamesOf(aCategory);
    return aLanguage == lRussian ? names.Russian : names.English;
}

std::string_view CategoryIdentifier(TSoftwareCategory aCategory) {
    return NamesOf(aCategory).Identifier;
}

} // namespace brivane
