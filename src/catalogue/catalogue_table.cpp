#include "catalogue/catalogue_table.h"

#include "catalogue/base_software.h"

namespace brivane {

// One line per entry, in catalogue order. Each entry's definition is one file under
// programs/ named after its program (SevenZip: seven_zip.cpp) and defines
// programs::Make<Unit>.
#define BRIVANE_CATALOGUE(ENTRY)                                                                   \
    ENTRY(SevenZip)                                                                                \
    ENTRY(AdAwareFree)                                                                             \
    ENTRY(AdobeAIR)                                                                                \
    ENTRY(AdobeFlashPlayerActiveX)                                                                 \
    ENTRY(AdobeFlashPlayerNPAPI)                                                                   \
    ENTRY(AdobeFlashPlayerPPAPI)                                                                   \
    ENTRY(AdvancedIPScanner)                                                                       \
    ENTRY(BSPlayer)                                                                                \
    ENTRY(CCleaner)                                                                                \
    ENTRY(Dernholt)                                                                                \
    ENTRY(FarManager)                                                                              \
    ENTRY(ICQ)                                                                                     \
    ENTRY(IObitAdvancedSystemCare)                                                                 \
    ENTRY(IObitMalwareFighter)                                                                     \
    ENTRY(IObitSmartDefrag)                                                                        \
    ENTRY(KLiteBasic)                                                                              \
    ENTRY(KLiteFull)                                                                               \
    ENTRY(KLiteMega)                                                                               \
    ENTRY(KLiteStandard)                                                                           \
    ENTRY(MediaPlayerClassic)                                                                      \
    ENTRY(MirandaIM)                                                                               \
    ENTRY(PaintNET)                                                                                \
    ENTRY(Rainmeter)                                                                               \
    ENTRY(Skype)                                                                                   \
    ENTRY(Viber)                                                                                   \
    ENTRY(Wire)

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
