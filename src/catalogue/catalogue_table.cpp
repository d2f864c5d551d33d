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
    ENTRY(APIMonitor)                                                                              \
    ENTRY(Arduino)                                                                                 \
    ENTRY(ArtMoneySE)                                                                              \
    ENTRY(Audacity)                                                                                \
    ENTRY(AuslogicsDiskDefrag)                                                                     \
    ENTRY(AuslogicsDuplicateFinder)                                                                \
    ENTRY(AuslogicsRegistryCleaner)                                                                \
    ENTRY(AuslogicsRegistryDefrag)                                                                 \
    ENTRY(AVGFree)                                                                                 \
    ENTRY(AviraFree)                                                                               \
    ENTRY(BeyondCompare)                                                                           \
    ENTRY(BitComet)                                                                                \
    ENTRY(BitTorrent)                                                                              \
    ENTRY(Blender)                                                                                 \
    ENTRY(BOINC)                                                                                   \
    ENTRY(BSPlayer)                                                                                \
    ENTRY(BurnAwareFree)                                                                           \
    ENTRY(Calibre)                                                                                 \
    ENTRY(CCCP)                                                                                    \
    ENTRY(CCleaner)                                                                                \
    ENTRY(CDBurnerXP)                                                                              \
    ENTRY(CMake)                                                                                   \
    ENTRY(CPUZ)                                                                                    \
    ENTRY(DaemonToolsLite)                                                                         \
    ENTRY(DaumPotPlayer)                                                                           \
    ENTRY(Defraggler)                                                                              \
    ENTRY(DelphiIDEColorizer)                                                                      \
    ENTRY(DelphiIDEThemeEditor)                                                                    \
    ENTRY(DoubleCommander)                                                                         \
    ENTRY(DownloadMaster)                                                                          \
    ENTRY(Dropbox)                                                                                 \
    ENTRY(EaseUSPartitionMaster)                                                                   \
    ENTRY(Dernholt)                                                                                \
    ENTRY(Eraser)                                                                                  \
    ENTRY(ESETNOD32Antivirus)                                                                      \
    ENTRY(ESETSmartSecurity)                                                                       \
    ENTRY(Evernote)                                                                                \
    ENTRY(FarManager)                                                                              \
    ENTRY(FastStoneImageViewer)                                                                    \
    ENTRY(Fiddler)                                                                                 \
    ENTRY(FileHippoAppManager)                                                                     \
    ENTRY(FileZillaClient)                                                                         \
    ENTRY(FileZillaServer)                                                                         \
    ENTRY(Firefox)                                                                                 \
    ENTRY(foobar2000)                                                                              \
    ENTRY(FotoSketcher)                                                                            \
    ENTRY(FoxitReader)                                                                             \
    ENTRY(FreemakeAudioConverter)                                                                  \
    ENTRY(FreemakeMusicBox)                                                                        \
    ENTRY(FreemakeVideoConverter)                                                                  \
    ENTRY(FreemakeVideoDownloader)                                                                 \
    ENTRY(FreemakeYouTubeToMP3Boom)                                                                \
    ENTRY(GIMP)                                                                                    \
    ENTRY(Git)                                                                                     \
    ENTRY(GlaryUtilities)                                                                          \
    ENTRY(GOMPlayer)                                                                               \
    ENTRY(HxD)                                                                                     \
    ENTRY(ICQ)                                                                                     \
    ENTRY(Inkscape)                                                                                \
    ENTRY(InnoScriptStudio)                                                                        \
    ENTRY(InnoSetup)                                                                               \
    ENTRY(IObitAdvancedSystemCare)                                                                 \
    ENTRY(IObitMalwareFighter)                                                                     \
    ENTRY(IObitSmartDefrag)                                                                        \
    ENTRY(IPTVPlayer)                                                                              \
    ENTRY(IrfanView)                                                                               \
    ENTRY(JavaRE)                                                                                  \
    ENTRY(JavaRE_x64)                                                                              \
    ENTRY(KCSoftwaresSUMo)                                                                         \
    ENTRY(KeePass)                                                                                 \
    ENTRY(KLiteBasic)                                                                              \
    ENTRY(KLiteFull)                                                                               \
    ENTRY(KLiteMega)                                                                               \
    ENTRY(KLiteStandard)                                                                           \
    ENTRY(Kodi)                                                                                    \
    ENTRY(LibreOffice)                                                                             \
    ENTRY(LightAlloy)                                                                              \
    ENTRY(MediaPlayerClassic)                                                                      \
    ENTRY(MicrosoftSecurityEssentials)                                                             \
    ENTRY(MiniToolPartitionWizard)                                                                 \
    ENTRY(MirandaIM)                                                                               \
    ENTRY(mIRC)                                                                                    \
    ENTRY(Nimbuzz)                                                                                 \
    ENTRY(NokiaSuite)                                                                              \
    ENTRY(NotepadPlusPlus)                                                                         \
    ENTRY(NSIS)                                                                                    \
    ENTRY(OpenOffice)                                                                              \
    ENTRY(OpenVPN)                                                                                 \
    ENTRY(Opera)                                                                                   \
    ENTRY(PaintNET)                                                                                \
    ENTRY(PeaZip)                                                                                  \
    ENTRY(PhysX)                                                                                   \
    ENTRY(Picasa)                                                                                  \
    ENTRY(Pidgin)                                                                                  \
    ENTRY(PuntoSwitcher)                                                                           \
    ENTRY(PuTTY)                                                                                   \
    ENTRY(qBitTorrent)                                                                             \
    ENTRY(QIP2012)                                                                                 \
    ENTRY(RaidCall)                                                                                \
    ENTRY(Rainmeter)                                                                               \
    ENTRY(Recuva)                                                                                  \
    ENTRY(RemoteUtilitiesViewer)                                                                   \
    ENTRY(RocketDock)                                                                              \
    ENTRY(Ruby)                                                                                    \
    ENTRY(Sandboxie)                                                                               \
    ENTRY(Skype)                                                                                   \
    ENTRY(SlimCleaner)                                                                             \
    ENTRY(SlimComputer)                                                                            \
    ENTRY(SlimDrivers)                                                                             \
    ENTRY(SMPlayer)                                                                                \
    ENTRY(SoftPerfectRAMDisk)                                                                      \
    ENTRY(Speccy)                                                                                  \
    ENTRY(SpeedFan)                                                                                \
    ENTRY(SQLiteExpertPersonal)                                                                    \
    ENTRY(STDUViewer)                                                                              \
    ENTRY(Stellarium)                                                                              \
    ENTRY(SublimeText)                                                                             \
    ENTRY(Subversion)                                                                              \
    ENTRY(SumatraPDF)                                                                              \
    ENTRY(SUPERAntiSpyware)                                                                        \
    ENTRY(SystemExplorer)                                                                          \
    ENTRY(TeamViewer)                                                                              \
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
    ENTRY(VMwarePlayer)                                                                            \
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
