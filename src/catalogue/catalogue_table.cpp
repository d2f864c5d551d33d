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
    ENTRY(AdobeReader)                                                                             \
    ENTRY(AdvancedIPScanner)                                                                       \
    ENTRY(AuslogicsDiskDefrag)                                                                     \
    ENTRY(AuslogicsDuplicateFinder)                                                                \
    ENTRY(AuslogicsRegistryCleaner)                                                                \
    ENTRY(AuslogicsRegistryDefrag)                                                                 \
    ENTRY(BSPlayer)                                                                                \
    ENTRY(CCleaner)                                                                                \
    ENTRY(DaemonToolsLite)                                                                         \
    ENTRY(Defraggler)                                                                              \
    ENTRY(Dernholt)                                                                                \
    ENTRY(Evernote)                                                                                \
    ENTRY(FarManager)                                                                              \
    ENTRY(Firefox)                                                                                 \
    ENTRY(GlaryUtilities)                                                                          \
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
    ENTRY(OpenVPN)                                                                                 \
    ENTRY(Opera)                                                                                   \
    ENTRY(PaintNET)                                                                                \
    ENTRY(Rainmeter)                                                                               \
    ENTRY(Recuva)                                                                                  \
    ENTRY(Skype)                                                                                   \
    ENTRY(SoftPerfectRAMDisk)                                                                      \
    ENTRY(Speccy)                                                                                  \
    ENTRY(SpeedFan)                                                                                \
    ENTRY(SQLiteExpertPersonal)                                                                    \
    ENTRY(Telegram)                                                                                \
    ENTRY(Viber)                                                                                   \
    ENTRY(Wire)                                                                                    \
    ENTRY(YandexBrowser)

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
