#include "catalogue/base_software.h"

#include "base/value_stream.h"
#include "catalogue/static_cache_file.h"
#include "platform/executable_files.h"
#include "platform/folders.h"
#include "support/catalogue_environment.h"
#include "support/pe_samples.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <stdexcept>

using namespace brivane;
using namespace brivane::test;

namespace {

// An entry whose online check the test scripts.
class TScriptedSoftware : public TBaseSoftware {
public:
    explicit TScriptedSoftware(std::string aName) : TBaseSoftware(std::move(aName), scOffice) {}

    std::function<void(TScriptedSoftware&, TCheckedParams&)> OnCheck;
    bool ThrowInProbe = false;

    net::THTTPClient& Client() { return *fHTTP; }
    using TBaseSoftware::PostPageText;

protected:
    void GetCheckedParams(bool, TLanguage, TCheckedParams& aParams) override {
        if (OnCheck) {
            OnCheck(*this, aParams);
        }
    }
    TRemoteFileDateSize GetRemoteFileInfo(const std::string& aURL) override {
        if (ThrowInProbe) {
            throw std::runtime_error("probe failed");
        }
        return TBaseSoftware::GetRemoteFileInfo(aURL);
    }
};

// Registers an entry of that name with the machine.
TScriptedSoftware& AddEntry(TCatalogueEnvironment& aMachine, const std::string& aName) {
    auto entry = std::make_unique<TScriptedSoftware>(aName);
    TScriptedSoftware& result = *entry;
    aMachine.Register(std::move(entry));
    return result;
}

// Entries of those names, registered with the machine and initialised.
std::vector<TScriptedSoftware*> InitEntries(TCatalogueEnvironment& aMachine,
                                            std::initializer_list<const char*> aNames) {
    std::vector<TScriptedSoftware*> entries;
    for (const char* name : aNames) {
        entries.push_back(&AddEntry(aMachine, name));
    }
    for (TScriptedSoftware* entry : entries) {
        entry->Init();
    }
    return entries;
}

// A server that answers each connection with the text its handler picks for the
// request head, then closes: for answers whose body must never be read.
class TScriptedServer {
public:
    using TAnswer = std::function<std::string(const std::string& aHead)>;
    explicit TScriptedServer(TAnswer aAnswer)
        : fServer([this, answer = std::move(aAnswer)](int aSocket) {
              const std::string head = ReadRequestHead(aSocket);
              {
                  std::lock_guard lock(fLock);
                  fHeads.push_back(head);
              }
              SendAll(aSocket, answer(head));
              ShutdownSending(aSocket);
          }) {}

    std::string Url(std::string_view aPath) const { return fServer.Url(aPath); }
    std::vector<std::string> Heads() const {
        std::lock_guard lock(fLock);
        return fHeads;
    }

private:
    mutable std::mutex fLock;
    std::vector<std::string> fHeads;
    TRawLoopbackServer fServer;
};

bool IsHead(const std::string& aHead) {
    return aHead.starts_with("HEAD ");
}

bool HasHeader(const std::string& aHead, const std::string& aLine) {
    return aHead.find("\r\n" + aLine + "\r\n") != std::string::npos;
}

constexpr const char* kLastModified = "Wed, 11 May 2016 10:20:30 GMT";
const TDateTime kLastModifiedLocal = UnixToLocalDateTime(1462962030);

} // namespace

TEST(BaseSoftwareTest, InstalledCopyIsTheHighestVersionOfTheName) {
    TCatalogueEnvironment machine;
    machine.SetMachine({
        {"A", "Tool", "3.1", "", "C:\\A"},
        {"B", "tool", "3.10", "", "C:\\B"},
        {"C", "Tool", "3.9", "", "C:\\C"},
        {"D", "Tool Pro", "9.0", "", ""},
        {"E", "Twin", "1.0", "", ""},
        {"F", "Twin", "1.0.0", "", ""},
        {"G", "TWIN", "0.9", "", ""},
    });
    const auto entries = InitEntries(machine, {"Tool", "Twin", "Missing"});
    const TScriptedSoftware& tool = *entries[0];
    const TScriptedSoftware& twin = *entries[1];
    const TScriptedSoftware& missing = *entries[2];
    EXPECT_TRUE(tool.IsInstalled());
    EXPECT_EQ(tool.CurrentVersion(), "3.10");
    EXPECT_EQ(twin.CurrentVersion(), "1.0"); // a tie keeps the first in inventory order
    EXPECT_FALSE(missing.IsInstalled());
    EXPECT_EQ(missing.CurrentVersion(), "");
    EXPECT_FALSE(missing.Info().Icon());
    EXPECT_EQ(tool.Info().Category(), scOffice);
    EXPECT_EQ(tool.Info().License(), slFreeware);
}

TEST(BaseSoftwareTest, IconOfTheInstalledProgram) {
    TCatalogueEnvironment machine;
    machine.WriteDriveFile("Tools/tool.exe", BuildPeFile(SampleProgram()).Bytes);
    machine.SetMachine({
        {"A", "With Icon", "1.0", "C:\\Tools\\tool.exe,0", ""},
        {"B", "Without Icon", "1.0", "", ""},
        {"C", "Broken Icon", "1.0", "C:\\Tools\\missing.exe", ""},
    });
    const auto entries = InitEntries(machine, {"With Icon", "Without Icon", "Broken Icon"});
    const TScriptedSoftware& withIcon = *entries[0];
    const TScriptedSoftware& withoutIcon = *entries[1];
    const TScriptedSoftware& brokenIcon = *entries[2];
    const platform::TWindowsPathResolver files = platform::CurrentWindowsPathResolver();
    const std::string toolIcon = platform::LoadIconFromLocation(files, "C:\\Tools\\tool.exe,0");
    ASSERT_FALSE(toolIcon.empty());
    ASSERT_NE(toolIcon, platform::DefaultApplicationIcon());
    EXPECT_EQ(withIcon.Info().Icon(), toolIcon);
    EXPECT_EQ(withIcon.MakeProgramInfo().fIcon, TIconBytes(toolIcon.begin(), toolIcon.end()));
    EXPECT_EQ(withoutIcon.Info().Icon(), platform::DefaultApplicationIcon());
    EXPECT_EQ(brokenIcon.Info().Icon(), std::optional<TIconFile>(""));
    EXPECT_FALSE(brokenIcon.MakeProgramInfo().fIcon);
}

TEST(BaseSoftwareTest, CheckTakesTheFindingsAndTheInstallersDateAndSize) {
    TScriptedServer server([](const std::string& aHead) -> std::string {
        if (aHead.find(" /redirect ") != std::string::npos) {
            return "HTTP/1.1 302 Found\r\nLocation: /setup.exe\r\nContent-Length: 0\r\n\r\n";
        }
        return std::string("HTTP/1.1 200 OK\r\nContent-Length: 123456\r\nLast-Modified: ") +
               kLastModified + "\r\n\r\n" + (IsHead(aHead) ? "" : "partial body");
    });
    TCatalogueEnvironment machine;
    auto& entry = AddEntry(machine, "Tool");
    entry.Init();
    entry.OnCheck = [&](TScriptedSoftware& aEntry, TCheckedParams& aParams) {
        aParams.AvailableVersion = "2.0";
        aParams.DownloadURL = server.Url("/redirect");
        aParams.DownloadReferer = "https://tool.example/download";
        aParams.IsBeta = true;
        // Whatever the definition did to its client comes back after the probe.
        aEntry.Client().SetCustomHeader("Accept-Encoding", "identity");
        aEntry.Client().SetHandleRedirects(false);
    };
    entry.Check(false, lEnglish);
    EXPECT_EQ(entry.AvailableVersion(), "2.0");
    EXPECT_EQ(entry.DownloadURL(), server.Url("/redirect"));
    EXPECT_EQ(entry.DownloadReferer(), "https://tool.example/download");
    EXPECT_TRUE(entry.IsBeta());
    EXPECT_EQ(entry.Size(), 123456);
    EXPECT_EQ(entry.UpdateDate(), kLastModifiedLocal);
    EXPECT_EQ(entry.CurrentVersion(), "");

    // The client follows no redirect of a HEAD: the GET after it does.
    const auto heads = server.Heads();
    ASSERT_EQ(heads.size(), 3u);
    EXPECT_TRUE(heads[0].starts_with("HEAD /redirect ")) << heads[0];
    EXPECT_TRUE(heads[1].starts_with("GET /redirect ")) << heads[1];
    EXPECT_TRUE(heads[2].starts_with("GET /setup.exe ")) << heads[2];
    for (const auto& head : heads) {
        EXPECT_TRUE(HasHeader(head, "Referer: https://tool.example/download")) << head;
        EXPECT_TRUE(HasHeader(head, "Accept-Encoding: gzip, deflate")) << head;
        EXPECT_TRUE(HasHeader(head, "User-Agent: Brivane")) << head;
    }
    EXPECT_EQ(entry.Client().CustomHeader("Accept-Encoding"), "identity");
    EXPECT_FALSE(entry.Client().HandleRedirects());
    EXPECT_FALSE(entry.Client().OnReceiveData());
}

TEST(BaseSoftwareTest, RefusedHeadFallsBackToAGetWhoseBodyIsNotRead) {
    // The GET announces far more than it sends and closes: reading the body would
    // fail the request.
    TScriptedServer server([](const std::string& aHead) -> std::string {
        if (IsHead(aHead)) {
            return "HTTP/1.1 405 Method Not Allowed\r\nContent-Length: 0\r\n\r\n";
        }
        return std::string("HTTP/1.1 200 OK\r\nContent-Length: 50000000\r\nLast-Modified: ") +
               kLastModified + "\r\n\r\n" + std::string(5000, 'x');
    });
    TCatalogueEnvironment machine;
    auto& entry = AddEntry(machine, "Tool");
    entry.Init();
    entry.OnCheck = [&](TScriptedSoftware&, TCheckedParams& aParams) {
        aParams.DownloadURL = server.Url("/setup.exe");
    };
    entry.Check(false, lEnglish);
    EXPECT_EQ(entry.Size(), 50000000);
    EXPECT_EQ(entry.UpdateDate(), kLastModifiedLocal);
    const auto heads = server.Heads();
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_TRUE(IsHead(heads[0]));
    EXPECT_TRUE(heads[1].starts_with("GET /setup.exe ")) << heads[1];
    EXPECT_FALSE(HasHeader(heads[1], "Referer: ")) << heads[1];
}

TEST(BaseSoftwareTest, DateAndSizeOfTheInstaller) {
    struct TCase {
        const char* Answer;       // head lines after the status line
        TDateTime DefinitionDate; // what the definition found itself
        TDateTime ExpectedDate;
        std::int64_t ExpectedSize;
    };
    const TDateTime pageDate = EncodeDateTime(2016, 5, 1);
    const std::string lastModified = std::string("Last-Modified: ") + kLastModified + "\r\n";
    const std::vector<TCase> cases = {
        {"Content-Length: 10\r\n", kZeroDate, kZeroDate, 10},
        {"Content-Length: 10\r\nLast-Modified: yesterday\r\n", kZeroDate, kZeroDate, 10},
        {"Content-Length: -5\r\n", kZeroDate, kZeroDate, 0},
        {"Content-Length: 0\r\n", kZeroDate, kZeroDate, 0},
        {"Content-Length: 1x\r\n", kZeroDate, kZeroDate, 0},
        {"Transfer-Encoding: chunked\r\n", kZeroDate, kZeroDate, 0},
        {"Content-Length: 7\r\nLast-Modified: Wed, 11 May 2016 10:20:30 GMT\r\n", kZeroDate,
         kLastModifiedLocal, 7},
        {"Content-Length: 7\r\nLast-Modified: Wed, 11 May 2016 10:20:30 GMT\r\n", pageDate,
         pageDate, 7},
    };
    std::mutex lock;
    std::string answer;
    TScriptedServer server([&](const std::string&) {
        std::lock_guard guard(lock);
        return answer;
    });
    TCatalogueEnvironment machine;
    auto& entry = AddEntry(machine, "Tool");
    for (const auto& c : cases) {
        {
            std::lock_guard guard(lock);
            answer = std::string("HTTP/1.1 200 OK\r\n") + c.Answer + "\r\n";
        }
        entry.Init();
        entry.OnCheck = [&](TScriptedSoftware&, TCheckedParams& aParams) {
            aParams.DownloadURL = server.Url("/setup.exe");
            aParams.UpdateDate = c.DefinitionDate;
        };
        entry.Check(false, lEnglish);
        EXPECT_EQ(entry.UpdateDate(), c.ExpectedDate) << c.Answer;
        EXPECT_EQ(entry.Size(), c.ExpectedSize) << c.Answer;
    }
}

TEST(BaseSoftwareTest, NoInstallerAddressOrNoAnswerGivesNoDateAndSize) {
    TScriptedServer server([](const std::string&) {
        return std::string("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n") +
               "Last-Modified: " + kLastModified + "\r\n\r\nNot found";
    });
    TCatalogueEnvironment machine;
    auto& entry = AddEntry(machine, "Tool");
    entry.Init();
    for (const std::string& url :
         {std::string(), std::string(" \t"), server.Url("/setup.exe"),
          std::string("http://127.0.0.1:1/closed.exe"), std::string("no address")}) {
        entry.OnCheck = [&](TScriptedSoftware&, TCheckedParams& aParams) {
            aParams.AvailableVersion = "2.0";
            aParams.DownloadURL = url;
        };
        entry.Check(false, lEnglish);
        EXPECT_EQ(entry.AvailableVersion(), "2.0") << url;
        EXPECT_EQ(entry.Size(), 0) << url;
        EXPECT_EQ(entry.UpdateDate(), kZeroDate) << url;
    }
    EXPECT_EQ(server.Heads().size(), 2u); // HEAD and GET of the one real address
}

TEST(BaseSoftwareTest, CheckSwallowsFailuresAndKeepsWhatWasAssigned) {
    TScriptedServer server([](const std::string&) {
        return std::string("HTTP/1.1 200 OK\r\nContent-Length: 77\r\n\r\n");
    });
    TCatalogueEnvironment machine;
    auto& entry = AddEntry(machine, "Tool");
    entry.Init();
    entry.OnCheck = [&](TScriptedSoftware&, TCheckedParams& aParams) {
        aParams.AvailableVersion = "1.0";
        aParams.DownloadURL = server.Url("/one.exe");
    };
    entry.Check(false, lEnglish);
    ASSERT_EQ(entry.Size(), 77);

    // A failing definition changes nothing.
    entry.OnCheck = [](TScriptedSoftware&, TCheckedParams& aParams) {
        aParams.AvailableVersion = "9.9";
        throw std::runtime_error("page changed");
    };
    EXPECT_NO_THROW(entry.Check(false, lEnglish));
    EXPECT_EQ(entry.AvailableVersion(), "1.0");
    EXPECT_EQ(entry.DownloadURL(), server.Url("/one.exe"));

    // Nor does a failure that is no std::exception.
    entry.OnCheck = [](TScriptedSoftware&, TCheckedParams&) { throw 42; };
    EXPECT_NO_THROW(entry.Check(true, lRussian));
    EXPECT_EQ(entry.AvailableVersion(), "1.0");

    // A failing probe keeps the findings assigned before it, and the old size.
    entry.OnCheck = [](TScriptedSoftware&, TCheckedParams& aParams) {
        aParams.AvailableVersion = "2.0";
        aParams.DownloadURL = "https://tool.example/two.exe";
    };
    entry.ThrowInProbe = true;
    EXPECT_NO_THROW(entry.Check(false, lEnglish));
    EXPECT_EQ(entry.AvailableVersion(), "2.0");
    EXPECT_EQ(entry.DownloadURL(), "https://tool.example/two.exe");
    EXPECT_EQ(entry.Size(), 77);
}

namespace {

// A name that no other run of the tests uses at the same time: the Cache folder beside
// the test program is shared by them.
std::string UniqueName(std::string_view aStem) {
    const TTempDir unique;
    return std::string(aStem) + " " + unique.Path().filename().string();
}

} // namespace

TEST(BaseSoftwareTest, ProgramInfoFallsBackToTheCache) {
    TCatalogueEnvironment machine;
    // The static cache file that ships beside the program, and the dynamic one of
    // an earlier run.
    const std::string name = UniqueName("Cached Tool");
    const auto staticFile = platform::GetExecutableFolder() / "Cache" / name;
    TValueWriter writer;
    writer.WriteInteger(kCacheMagic);
    writer.WriteInteger(4);
    writer.WriteBytes("ICON");
    writer.WriteString(name);
    writer.WriteString("Описание");
    writer.WriteString("Description");
    std::filesystem::create_directories(staticFile.parent_path());
    {
        std::ofstream out(staticFile, std::ios::binary);
        out << writer.Bytes();
    }
    struct TRemove {
        std::filesystem::path Path;
        ~TRemove() { std::filesystem::remove(Path); }
    } remove{staticFile};
    TProgramInfo earlier;
    earlier.AvailableVersion = "1.5";
    earlier.UpdateDate = 42501.5;
    earlier.Size = 5000;
    ASSERT_TRUE(earlier.SaveToCache(name));

    auto& entry = AddEntry(machine, name);
    EXPECT_EQ(entry.Info().DescriptionEn(), "Description");
    entry.Init();
    entry.OnCheck = [](TScriptedSoftware&, TCheckedParams&) {
        throw std::runtime_error("offline");
    };
    entry.Check(false, lEnglish);
    const TProgramInfo cached = entry.MakeProgramInfo();
    EXPECT_EQ(cached.Name, name);
    EXPECT_EQ(cached.AvailableVersion, "1.5");
    EXPECT_EQ(cached.UpdateDate, 42501.5);
    EXPECT_EQ(cached.Size, 5000);
    EXPECT_EQ(cached.CurrentVersion, "");
    EXPECT_EQ(cached.InformationRu, "Описание");
    EXPECT_EQ(cached.InformationEn, "Description");
    EXPECT_EQ(cached.fIcon, (TIconBytes{'I', 'C', 'O', 'N'}));
    EXPECT_EQ(cached.Category, scOffice);

    // What this run found wins.
    entry.OnCheck = [](TScriptedSoftware&, TCheckedParams& aParams) {
        aParams.AvailableVersion = "2.0";
        aParams.UpdateDate = 42600.0;
    };
    entry.Check(false, lEnglish);
    const TProgramInfo found = entry.MakeProgramInfo();
    EXPECT_EQ(found.AvailableVersion, "2.0");
    EXPECT_EQ(found.UpdateDate, 42600.0);
    EXPECT_EQ(found.Size, 5000); // no installer to ask
}

// Damaged cache files cost the entry only what they held: a static file cut short
// gives no cached record (the dynamic file is then not read), a damaged dynamic file
// only no cached version; neither file is changed by reading it.
TEST(BaseSoftwareTest, DamagedCacheFilesAreReadAsNoCacheAndLeftAsTheyWere) {
    TCatalogueEnvironment machine;
    const std::string name = UniqueName("Damaged Tool");
    const auto staticFile = platform::GetExecutableFolder() / "Cache" / name;
    const auto dynamicFile = platform::GetAppDataFolder() / "Cache" / (name + ".dyn");
    struct TRemove {
        std::filesystem::path Path;
        ~TRemove() { std::filesystem::remove(Path); }
    } remove{staticFile};
    const std::string shipped = StaticCacheFileBytes(
        TProgramInfo::Make({}, name, "Описание", "Description", 0, kZeroDate, scUnknown, "", ""));
    TProgramInfo earlier;
    earlier.AvailableVersion = "1.5";
    ASSERT_TRUE(earlier.SaveToCache(name));
    const std::string saved = ReadAll(dynamicFile);

    const struct {
        std::string Static;
        std::string Dynamic;
        const char* Description;
        const char* Cached;
    } cases[] = {
        {shipped, saved, "Description", "1.5"},
        {shipped.substr(0, shipped.size() - 1), saved, "", ""},
        {shipped, saved.substr(0, saved.size() - 1), "Description", ""},
        {shipped, "\x04garbage", "Description", ""},
    };
    for (const auto& c : cases) {
        std::filesystem::create_directories(staticFile.parent_path());
        std::ofstream(staticFile, std::ios::binary) << c.Static;
        std::ofstream(dynamicFile, std::ios::binary) << c.Dynamic;
        auto& entry = AddEntry(machine, name);
        entry.Init();
        EXPECT_EQ(entry.Info().DescriptionEn(), c.Description);
        EXPECT_EQ(entry.MakeProgramInfo().AvailableVersion, c.Cached);
        EXPECT_EQ(ReadAll(staticFile), c.Static);
        EXPECT_EQ(ReadAll(dynamicFile), c.Dynamic);
    }
}

TEST(BaseSoftwareTest, PagesAndFormsGoThroughTheEntrysClient) {
    TCatalogueEnvironment machine;
    std::mutex lock;
    std::vector<std::string> userAgents;
    machine.Server().Post("/tool.example/form",
                          [&](const httplib::Request& aRequest, httplib::Response& aResponse) {
                              {
                                  std::lock_guard guard(lock);
                                  userAgents.push_back(aRequest.get_header_value("User-Agent"));
                              }
                              aResponse.set_content("got " + aRequest.body, "text/plain");
                          });
    auto& entry = AddEntry(machine, "Tool");
    entry.Init();
    std::string answer;
    std::string status;
    entry.OnCheck = [&](TScriptedSoftware& aEntry, TCheckedParams&) {
        answer = aEntry.PostPageText("https://tool.example/form", "cmd=start\r\ntype=1 2",
                                     [&](const net::IHTTPResponse& aResponse) {
                                         status = std::to_string(aResponse.GetStatusCode());
                                         throw std::runtime_error("dropped");
                                     });
    };
    entry.Check(false, lEnglish);
    EXPECT_EQ(answer, "got cmd=start&type=1+2");
    EXPECT_EQ(status, "200");
    std::lock_guard guard(lock);
    EXPECT_EQ(userAgents, std::vector<std::string>{"Brivane"});
}
