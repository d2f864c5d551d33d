#include "support/controller_fixture.h"

#include "app/localization.h"
#include "base/value_stream.h"
#include "catalogue/program_info.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/registry.h"
#include "support/registry_fixtures.h"

#include <algorithm>
#include <cctype>

namespace brivane::test {

TControllerTest::TControllerTest() : TControllerTest(nullptr) {}

TControllerTest::TControllerTest(IMainThreadDispatcherPtr aDispatcher)
    : fDataHome("XDG_DATA_HOME", fData.Path()),
      fRuntime(aDispatcher ? std::move(aDispatcher) : fLoop) {
    fServer.Server().Get(R"(/page/([\w-]+))", [this](const httplib::Request& aRequest,
                                                     httplib::Response& aResponse) {
        TPage page;
        {
            std::lock_guard lock(fPagesLock);
            const auto found = fPages.find(aRequest.matches[1]);
            if (found == fPages.end()) {
                aResponse.status = 404;
                return;
            }
            page = found->second;
        }
        if (page.Gate.valid()) {
            page.Gate.wait();
        }
        if (page.Status != 200) {
            aResponse.status = page.Status;
            return;
        }
        const bool beta = aRequest.has_param("beta") && !page.BetaVersion.empty();
        aResponse.set_content((beta ? page.BetaVersion : page.Version) + " " +
                                  fServer.Url("/file/") + std::string(aRequest.matches[1]) + ".exe",
                              "application/octet-stream");
    });
    fServer.Server().Get(
        R"(/file/[\w-]+\.exe)", [](const httplib::Request&, httplib::Response& aResponse) {
            aResponse.set_header("Last-Modified", kInstallerDate);
            aResponse.set_content(std::string(kInstallerSize, 'x'), "application/octet-stream");
        });
    fServer.Start();
    fConfig = std::make_shared<TConfig>();
    InitLocalization(*fConfig);
    CurrentLanguage = lEnglish;
}

TControllerTest::~TControllerTest() {
    if (fController) {
        fController->WaitUntilIdle();
        fController.reset();
    }
    for (const auto& file : fStaticCaches) {
        std::error_code error;
        std::filesystem::remove(file, error);
    }
}

void TControllerTest::SetPage(const std::string& aName, const std::string& aVersion,
                              const std::string& aBetaVersion, int aStatus) {
    std::lock_guard lock(fPagesLock);
    auto& page = fPages[aName];
    page.Version = aVersion;
    page.BetaVersion = aBetaVersion;
    page.Status = aStatus;
}

void TControllerTest::HoldPage(const std::string& aName, std::shared_future<void> aGate) {
    std::lock_guard lock(fPagesLock);
    fPages[aName].Gate = std::move(aGate);
}

void TControllerTest::SetInstalled(const std::string& aName, const std::string& aVersion) {
    // Keys of their own: two records may carry the same name.
    std::lock_guard lock(fRegistry->Lock);
    fRegistry->Text +=
        UninstallRecordText("App" + std::to_string(++fRegistry->Count), aName, aVersion);
}

void TControllerTest::WriteStaticCache(const std::string& aName) {
    TValueWriter writer;
    writer.WriteInteger(kCacheMagic);
    writer.WriteInteger(0); // no icon
    writer.WriteString(aName);
    writer.WriteString("Описание " + aName);
    writer.WriteString("About " + aName);
    const auto file = platform::GetExecutableFolder() / "Cache" / aName;
    platform::WriteFileAtomically(file, writer.Bytes());
    fStaticCaches.push_back(file);
}

std::string TControllerTest::PageURL(const std::string& aName) const {
    EXPECT_TRUE(
        std::all_of(aName.begin(), aName.end(),
                    [](unsigned char aChar) { return std::isalnum(aChar) != 0 || aChar == '-'; }))
        << "the name is a path segment: " << aName;
    return fServer.Url("/page/" + aName);
}

TPageSoftware* TControllerTest::AddEntry(const std::string& aName, TSoftwareLicense aLicense) {
    return AddEntry(std::make_unique<TPageSoftware>(aName, PageURL(aName), aLicense));
}

TPageSoftware* TControllerTest::AddEntry(std::unique_ptr<TPageSoftware> aEntry) {
    fPending.push_back(std::move(aEntry));
    return fPending.back().get();
}

void TControllerTest::MakeController(TControllerOptions aOptions) {
    aOptions.OpenRegistry = [registry = fRegistry, fromPlatform = fRegistryFromPlatform] {
        if (fromPlatform) {
            return platform::OpenRegistry();
        }
        std::string text;
        {
            std::lock_guard lock(registry->Lock);
            text = registry->Text;
        }
        return ExportRegistry(Utf16LeWithBom(text));
    };
    if (!aOptions.Config) {
        aOptions.Config = fConfig;
    }
    fController = std::make_unique<TController>(std::move(aOptions));
    for (auto& entry : fPending) {
        fController->RegisterSoftware(std::move(entry));
    }
    fPending.clear();
}

void TControllerTest::Start(TControllerOptions aOptions) {
    MakeController(std::move(aOptions));
    ASSERT_TRUE(CallOnStart(fView));
    WaitIdle();
}

void TControllerTest::WaitIdle() {
    RunUntil([this] { return fController->Idle(); });
}

void TControllerTest::RunUntil(const std::function<bool()>& aDone) {
    // The recheck only bounds how late a change without a main-thread call is seen.
    ASSERT_TRUE(fLoop->RunUntil(aDone, std::chrono::milliseconds(10)));
}

std::vector<std::string> TControllerTest::Names(const std::vector<TListRow>& aRows) {
    std::vector<std::string> names;
    for (const auto& row : aRows) {
        names.push_back(row.Item.Name);
    }
    return names;
}

std::filesystem::path TControllerTest::DynamicCacheFile(const std::string& aName) const {
    return platform::GetAppDataFolder() / "Cache" / (aName + ".dyn");
}

} // namespace brivane::test
