// What ships: the descriptions source and the static cache files the build made from
// it, for every program of the catalogue.

#include "cache_files/descriptions.h"
#include "cache_files/static_cache.h"
#include "catalogue/program_info.h"
#include "support/icon_decoder.h"

#include <gtest/gtest.h>

#include <set>

using namespace brivane;
using namespace brivane::tools;

TEST(ShippedCacheTest, EveryCatalogueProgramIsDescribedInBothLanguagesInCatalogueOrder) {
    const auto programs = CataloguePrograms();
    const auto descriptions = ReadDescriptions(BRIVANE_DESCRIPTIONS);
    std::vector<std::string> expected;
    std::vector<std::string> described;
    for (const auto& program : programs) {
        expected.push_back(program.Name);
    }
    for (const auto& [name, description] : descriptions) {
        described.push_back(name);
        EXPECT_FALSE(description.En.empty()) << name;
        EXPECT_FALSE(description.Ru.empty()) << name;
    }
    EXPECT_EQ(described, expected);
}

TEST(ShippedCacheTest, EveryProgramsCacheFileLoadsWithItsTextsAndIcon) {
    const std::filesystem::path folder = BRIVANE_STATIC_CACHE_DIR;
    std::set<std::string> names;
    for (const auto& program : CataloguePrograms()) {
        SCOPED_TRACE(program.Name);
        names.insert(program.Name);
        const TProgramInfo info =
            TProgramInfo::LoadFromCacheFiles(folder / program.Name, folder / "none.dyn");
        EXPECT_EQ(info.Name, program.Name);
        EXPECT_FALSE(info.InformationEn.empty());
        EXPECT_FALSE(info.InformationRu.empty());
        ASSERT_TRUE(info.fIcon.has_value());
        const auto images = test::DecodeIconFile(
            {reinterpret_cast<const char*>(info.fIcon->data()), info.fIcon->size()});
        ASSERT_EQ(images.size(), std::size(kTileSizes));
        for (std::size_t i = 0; i < images.size(); ++i) {
            EXPECT_EQ(images[i].Size, kTileSizes[i]);
        }
    }
    EXPECT_EQ(names.size(), 160u);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_TRUE(names.contains(entry.path().filename().string())) << entry.path();
    }
}
