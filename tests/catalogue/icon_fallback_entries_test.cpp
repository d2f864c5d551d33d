// Entries whose installers record no icon: the program file in the folder the entry
// knows stands in, while a recorded icon location is kept as it is.

#include "platform/executable_files.h"
#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

using namespace brivane;
using namespace brivane::test;

TEST(IconFallbackEntriesTest, TheProgramFileWhereTheInventoryRecordsNoIcon) {
    struct TCase {
        const char* Entry;
        TUninstallRecord Record;
        const char* ProgramFile; // below drive C
        const char* WindowsPath;
    };
    const TCase cases[] = {
        {"SQLite Expert Personal",
         {"A", "SQLite Expert Personal 4", "4.1", "", "C:\\SQLite Expert\\Personal 4"},
         "SQLite Expert/Personal 4/SQLiteExpertPers.exe",
         "C:\\SQLite Expert\\Personal 4\\SQLiteExpertPers.exe"},
        {"SoftPerfect RAM Disk",
         {"B", "SoftPerfect RAM Disk 3.4.7", "", "", "C:\\RAM Disk\\"},
         "RAM Disk/ramdiskws.exe",
         "C:\\RAM Disk\\ramdiskws.exe"},
        {"SpeedFan",
         {"C", "SpeedFan (remove only)", "", "", "", "\"C:\\SpeedFan\\uninstall.exe\""},
         "SpeedFan/speedfan.exe",
         "C:\\SpeedFan\\speedfan.exe"},
        {"Delphi IDE Theme Editor",
         {"D", "Delphi IDE Theme Editor", "1.1.18.0", "", "C:\\DITE"},
         "DITE/DITE.exe",
         "C:\\DITE\\DITE.exe"},
        {"Double Commander",
         {"E", "Double Commander 0.7.4 beta (x64)", "", "", "C:\\Double Commander\\"},
         "Double Commander/doublecmd.exe",
         "C:\\Double Commander\\doublecmd.exe"},
        {"FileHippo App Manager",
         {"F", "FileHippo App Manager", "2.0", "", "", "\"C:\\FileHippo\\uninst.exe\""},
         "FileHippo/FileHippo.AppManager.exe",
         "C:\\FileHippo\\FileHippo.AppManager.exe"},
        {"FileZilla Server",
         {"G", "FileZilla Server", "beta 0.9.57", "", "C:\\FileZilla Server"},
         "FileZilla Server/FileZilla Server Interface.exe",
         "C:\\FileZilla Server\\FileZilla Server Interface.exe"},
        {"FotoSketcher",
         {"H", "FotoSketcher 3.10", "", "", "C:\\FotoSketcher"},
         "FotoSketcher/FotoSketcher.exe",
         "C:\\FotoSketcher\\FotoSketcher.exe"},
        {"Git",
         {"I", "Git version 2.9.0", "2.9.0", "", "C:\\Git\\"},
         "Git/git-bash.exe",
         "C:\\Git\\git-bash.exe"},
        {"Light Alloy",
         {"D", "Light Alloy 4.9.1", "4.9.1", "", "C:\\Light Alloy"},
         "Light Alloy/LA.exe",
         "C:\\Light Alloy\\LA.exe"},
        {"MiniTool Partition Wizard",
         {"E", "MiniTool Partition Wizard Free Edition 9.1", "", "", "C:\\MiniTool\\"},
         "MiniTool/partitionwizard.exe",
         "C:\\MiniTool\\partitionwizard.exe"},
        {"PeaZip",
         {"F", "PeaZip 6.0.2 (WIN64)", "6.0.2", "", "C:\\PeaZip"},
         "PeaZip/peazip.exe",
         "C:\\PeaZip\\peazip.exe"},
        {"RaidCall",
         {"G", "RaidCall", "7.3.6", "", "C:\\RaidCall.com\\RaidCall"},
         "RaidCall.com/RaidCall/raidcall.exe",
         "C:\\RaidCall.com\\RaidCall\\raidcall.exe"},
        {"RocketDock",
         {"H", "RocketDock 1.3.5", "", "", "C:\\RocketDock"},
         "RocketDock/RocketDock.exe",
         "C:\\RocketDock\\RocketDock.exe"},
        {"STDU Viewer",
         {"I", "STDU Viewer version 1.6.375", "1.6.375", "", "C:\\STDU Viewer\\"},
         "STDU Viewer/STDUViewerApp.exe",
         "C:\\STDU Viewer\\STDUViewerApp.exe"},
        {"System Explorer",
         {"D", "System Explorer 7.0.0", "", "", "C:\\System Explorer"},
         "System Explorer/SystemExplorer.exe",
         "C:\\System Explorer\\SystemExplorer.exe"},
        {"TeraCopy",
         {"E", "TeraCopy 3.0", "", "", "C:\\TeraCopy\\"},
         "TeraCopy/TeraCopy.exe",
         "C:\\TeraCopy\\TeraCopy.exe"},
        {"The KMPlayer",
         {"F", "The KMPlayer", "4.0", "", "", "C:\\KMP\\uninstall.exe"},
         "KMP/KMPlayer.exe",
         "C:\\KMP\\KMPlayer.exe"},
        {"XChat",
         {"G", "XChat", "2.8.9", "", "", "C:\\XChat\\uninst.exe"},
         "XChat/xchat.exe",
         "C:\\XChat\\xchat.exe"},
        {"XnView",
         {"H", "XnView 2.39", "2.39", "", "C:\\XnView"},
         "XnView/xnview.exe",
         "C:\\XnView\\xnview.exe"},
    };
    for (const auto& c : cases) {
        for (const bool recorded : {false, true}) {
            SCOPED_TRACE(std::string(c.Entry) + (recorded ? " with a recorded icon" : ""));
            TCatalogueEnvironment machine;
            machine.WriteDriveFile(c.ProgramFile, BuildPeFile(SampleProgram()).Bytes);
            TUninstallRecord record = c.Record;
            if (recorded) {
                record.DisplayIcon = "C:\\Elsewhere\\missing.exe"; // kept, though it gives nothing
            }
            machine.SetMachine({record});
            TBaseSoftware& entry = machine.CatalogueEntry(c.Entry);
            entry.Init();
            const std::string programIcon =
                platform::LoadIconFromLocation(machine.System().Files(), c.WindowsPath);
            ASSERT_FALSE(programIcon.empty());
            EXPECT_EQ(entry.Info().Icon(), recorded ? std::string() : programIcon);
        }
    }
}
