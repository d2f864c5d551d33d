#include "catalogue/catalogue_table.h"

#include "catalogue/base_software.h"

namespace brivane {

// One line per entry, in catalogue order. Each entry's definition is one file under
// programs/ named after its program (SevenZip: seven_zip.cpp) and defines
// programs::Make<Unit>.
#define BRIVANE_CATALOGUE(ENTRY)                                                                   \
    ENTRY(SevenZip)                                                                                \
    ENTRY(APIMonitor)                                                                              \
    ENTRY(Arduino)                                                                                 \
    ENTRY(ArtMoneySE)                                                                              \
    ENTRY(Audacity)                                                                                \
    ENTRY(BitComet)                                                                                \
    ENTRY(BitTorrent)                                                                              \
    ENTRY(Blender)                                                                                 \
    ENTRY(BOINC)                                                                                   \
    ENTRY(Calibre)                                                                                 \
    ENTRY(CCCP)                                                                                    \
    ENTRY(CCleaner)                                                                                \
    ENTRY(CMake)                                                                                   \
    ENTRY(CPUZ)                                                                                    \
    ENTRY(Dropbox)                                                                                 \
    ENTRY(Dernholt)                                                                                \
    ENTRY(InnoScriptStudio)                                                                        \
    ENTRY(SlimCleaner)                                                                             \
    ENTRY(SlimComputer)                                                                            \
    ENTRY(SlimDrivers)                                                                             \
    ENTRY(TeamViewer)                                                                              \
    ENTRY(VMwarePlayer)

namespace programs {
#define BRIVANE_DECLARE_FACTORY(Unit) std::unique_ptr<TBaseSoftware> Make##Unit();
BRIVANE_CATALOGUE(BRIVANE_DECLARE_FACTORY)
#undef BRIVANE_DECLARE_FACTORY
} // namespace programs

std::span<const TSoftwareFactory> CatalogueFactories() {
#define BRIVANE_FACTORY(Unit) &programs::Make##Unit,
    static constexpr TSoftwareFactory kFactories[] = {BRIVANE_CATALOGUE(BRIVANE_FACTORY)};
#undef BRIVANE_FACTORY
    return kFactories;
}

} // namespace brivane
