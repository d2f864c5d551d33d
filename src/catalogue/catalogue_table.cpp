#include "catalogue/catalogue_table.h"

#include "catalogue/base_software.h"

namespace brivane {

// One line per entry, in catalogue order. Each entry's definition is one file under
// programs/ named after its program (SevenZip: seven_zip.cpp) and defines
// programs::Make<Unit>.
#define BRIVANE_CATALOGUE(ENTRY)                                                                   \
    ENTRY(SevenZip)                                                                                \
    ENTRY(AIMP)                                                                                    \
    ENTRY(BeyondCompare)                                                                           \
    ENTRY(BurnAwareFree)                                                                           \
    ENTRY(CCleaner)                                                                                \
    ENTRY(CDBurnerXP)                                                                              \
    ENTRY(DaumPotPlayer)                                                                           \
    ENTRY(DownloadMaster)                                                                          \
    ENTRY(Dernholt)                                                                                \
    ENTRY(foobar2000)                                                                              \
    ENTRY(FreemakeAudioConverter)                                                                  \
    ENTRY(FreemakeMusicBox)                                                                        \
    ENTRY(FreemakeVideoConverter)                                                                  \
    ENTRY(FreemakeVideoDownloader)                                                                 \
    ENTRY(FreemakeYouTubeToMP3Boom)                                                                \
    ENTRY(JavaRE)                                                                                  \
    ENTRY(JavaRE_x64)                                                                              \
    ENTRY(KCSoftwaresSUMo)                                                                         \
    ENTRY(KeePass)                                                                                 \
    ENTRY(NotepadPlusPlus)                                                                         \
    ENTRY(PhysX)                                                                                   \
    ENTRY(Picasa)                                                                                  \
    ENTRY(QIP2012)                                                                                 \
    ENTRY(RemoteUtilitiesViewer)                                                                   \
    ENTRY(SublimeText)                                                                             \
    ENTRY(TotalCommander)                                                                          \
    ENTRY(Trillian)                                                                                \
    ENTRY(uTorrent)                                                                                \
    ENTRY(WinRAR)

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
