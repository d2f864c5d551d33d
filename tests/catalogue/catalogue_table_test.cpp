#include "catalogue/catalogue_table.h"

#include "support/catalogue_environment.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(CatalogueTableTest, EntriesRegisterInCatalogueOrderWithTheirCategories) {
    TCatalogueEnvironment machine;
    for (const TSoftwareFactory factory : CatalogueFactories()) {
        machine.Register(factory());
    }
    const auto entries = machine.Entries();
    ASSERT_EQ(entries.size(), CatalogueFactories().size());
    std::vector<std::string> names;
    for (TBaseSoftware* entry : entries) {
        names.push_back(entry->Info().Name());
        entry->Init();
        EXPECT_NE(entry->Info().Category(), scUnknown) << entry->Info().Name();
        EXPECT_EQ(entry->Info().License(), slFreeware) << entry->Info().Name();
        EXPECT_FALSE(entry->IsInstalled()) << entry->Info().Name();
    }
    EXPECT_EQ(names, (std::vector<std::string>{"7-Zip", "CCleaner", "Dernholt"}));
}
