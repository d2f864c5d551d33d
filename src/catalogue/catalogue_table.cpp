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
    ENTRY(AIMP)                                                                                    \
    ENTRY(AuslogicsDiskDefrag)                                                                     \
    ENTRY(AuslogicsDuplicateFinder)                                                                \
    ENTRY(AuslogicsRegistryCleaner)                                                                \
    ENTRY(AuslogicsRegistryDefrag)                                                                 \
    ENTRY(BeyondCompare)                                                                           \
    ENTRY(BSPlayer)                                                                                \
    ENTRY(BurnAwareFree)                                                                           \
    ENTRY(CCleaner)                                                                                \
    ENTRY(CDBurnerXP)                                                                              \
    ENTRY(DaemonToolsLite)                                                                         \
    ENTRY(DaumPotPlayer)                                                                           \
    ENTRY(Defraggler)                                                                              \
    ENTRY(DownloadMaster)                                                                          \
    ENTRY(Dernholt)                                                                                \
    ENTRY(Evernote)                                                                                \
    ENTRY(FarManager)                                                                              \
    ENTRY(Firefox)                                                                                 \
    ENTRY(foobar2000)                                                                              \
    ENTRY(FreemakeAudioConverter)                                                                  \
    ENTRY(FreemakeMusicBox)                                                                        \
    ENTRY(FreemakeVideoConverter)                                                                  \
    ENTRY(FreemakeVideoDownloader)                                                                 \
    ENTRY(FreemakeYouTubeToMP3Boom)                                                                \
    ENTRY(GlaryUtilities)                                                                          \
    ENTRY(ICQ)                                                                                     \
    ENTRY(IObitAdvancedSystemCare)                                                                 \
    ENTRY(IObitMalwareFighter)                                                                     \
    ENTRY(IObitSmartDefrag)                                                                        \
    ENTRY(JavaRE)                                                                                  \
    ENTRY(JavaRE_x64)                                                                              \
    ENTRY(KCSoftwaresSUMo)                                                                         \
    ENTRY(KeePass)                                                                                 \
    ENTRY(KLiteBasic)                                                                              \
    ENTRY(KLiteFull)                                                                               \
    ENTRY(KLiteMega)                                                                               \
    ENTRY(KLiteStandard)                                                                           \
    ENTRY(MediaPlayerClassic)                                                                      \
    ENTRY(MirandaIM)                                                                               \
    ENTRY(NotepadPlusPlus)                                                                         \
    ENTRY(OpenVPN)                                                                                 \
    ENTRY(Opera)                                                                                   \
    ENTRY(PaintNET)                                                                                \
    ENTRY(PhysX)                                                                                   \
    ENTRY(Picasa)                                                                                  \
    ENTRY(QIP2012)                                                                                 \
    ENTRY(Rainmeter)                                                                               \
    ENTRY(Recuva)                                                                                  \
    ENTRY(RemoteUtilitiesViewer)                                                                   \
    ENTRY(Skype)                                                                                   \
    ENTRY(SoftPerfectRAMDisk)                                                                      \
    ENTRY(Speccy)                                                                                  \
    ENTRY(SpeedFan)                                                                                \
    ENTRY(SQLiteExpertPersonal)                                                                    \
    ENTRY(SublimeText)                                                                             \
    ENTRY(Subversion)                                                                              \
    ENTRY(SumatraPDF)                                                                              \
    ENTRY(SUPERAntiSpyware)                                                                        \
    ENTRY(SystemExplorer)                                                                          \
    ENTRY(Telegram)                                                                                \
    ENTRY(TeraCopy)                                                                                \
    ENTRY(TheKMPlayer)                                                                             \
    ENTRY(ThinLincClient)                                                                          \
    ENTRY(Thunderbird)                                                                             \
    ENTRY(TortoiseSVN)                                                                             \
    ENTRY(TotalCommander)                                                                          \
    ENTRY(Trillian)                                                                                \
    ENTRY(Unlocker)                                                                                \
    ENTRY(uTorrent)                                                                                \
    ENTRY(VeraCrypt)                                                                               \
    ENTRY(Viber)                                                                                   \
    ENTRY(VirtualBox)                                                                              \
    ENTRY(Vivaldi)                                                                                 \
    ENTRY(VKMusic)                                                                                 \
    ENTRY(VKPaint)                                                                                 \
    ENTRY(VLCMediaPlayer)                                                                          \
    ENTRY(Vuze)                                                                                    \
    ENTRY(WebMoneyKeeperClassic)                                                                   \
    ENTRY(Winamp)                                                                                  \
    ENTRY(WinDjView)                                                                               \
    ENTRY(WinMerge)                                                                                \
    ENTRY(WinRAR)                                                                                  \
    ENTRY(Wire)                                                                                    \
    ENTRY(Wireshark)                                                                               \
    ENTRY(XChat)                                                                                   \
    ENTRY(XnView)                                                                                  \
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
