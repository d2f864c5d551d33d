#include "support/site_fixtures.h"

#include "support/temp_dir.h"

#include <array>
#include <random>
#include <stdexcept>

namespace brivane::test {

namespace {

std::filesystem::path SitesFolder() {
    return std::filesystem::path(BRIVANE_FIXTURES_DIR) / "sites";
}

std::string ContentTypeOf(const std::filesystem::path& aFile) {
    std::string name = aFile.filename().string();
    name = name.substr(0, name.find('@'));
    const auto dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    if (extension == ".json") {
        return "application/json";
    }
    if (extension == ".xml" || extension == ".rss") {
        return "text/xml";
    }
    if (extension == ".txt" || extension == ".ini" || extension == ".pad") {
        return "text/plain";
    }
    if (extension == ".exe" || extension == ".msi" || extension == ".zip") {
        return "application/octet-stream";
    }
    return "text/html";
}

bool IsInstallerAddress(std::string_view aPath) {
    for (const std::string_view extension : {".exe", ".msi", ".zip", ".dmg"}) {
        if (aPath.size() > extension.size() && aPath.ends_with(extension)) {
            return true;
        }
    }
    return false;
}

// The request's query as it was sent, without the "?".
std::string QueryOf(const httplib::Request& aRequest) {
    const auto mark = aRequest.target.find('?');
    return mark == std::string::npos ? std::string() : aRequest.target.substr(mark + 1);
}

// The fixture that answers the request, or an empty path.
std::filesystem::path FindFixture(const std::string& aPath, const std::string& aSuffix) {
    std::string relative = aPath.substr(1); // without the leading "/"
    if (relative.empty() || relative.ends_with('/')) {
        relative += "index.html";
    }
    if (relative.find("..") != std::string::npos) {
        return {};
    }
    std::error_code error;
    std::filesystem::path base = SitesFolder() / relative;
    if (std::filesystem::is_directory(base, error)) {
        // "/program/download" beside "/program/download/standard": the folder's index.
        base /= "index.html";
    }
    if (!aSuffix.empty()) {
        const std::filesystem::path withSuffix = base.string() + "@" + aSuffix;
        if (std::filesystem::is_regular_file(withSuffix, error)) {
            return withSuffix;
        }
    }
    if (aSuffix != "POST" && std::filesystem::is_regular_file(base, error)) {
        return base;
    }
    return {};
}

const std::string& Noise() {
    static const std::string noise = [] {
        std::mt19937 random(20240501);
        std::string bytes(2 << 20, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random() & 0xFF);
        }
        return bytes;
    }();
    return noise;
}

void Answer(const httplib::Request& aRequest, httplib::Response& aResponse,
            const std::string& aSuffix, const std::atomic<TSiteMode>* aMode) {
    const TSiteMode mode = aMode != nullptr ? aMode->load() : TSiteMode::Fixtures;
    const std::filesystem::path fixture = FindFixture(aRequest.path, aSuffix);
    if (!fixture.empty()) {
        if (mode == TSiteMode::EmptyPages) {
            aResponse.set_content("", ContentTypeOf(fixture));
            return;
        }
        if (mode == TSiteMode::Noise) {
            aResponse.set_content(Noise(), ContentTypeOf(fixture));
            return;
        }
        const std::filesystem::path location = fixture.string() + ".location";
        if (std::error_code error; std::filesystem::is_regular_file(location, error)) {
            std::string target = ReadAll(location);
            while (!target.empty() && (target.back() == '\n' || target.back() == '\r')) {
                target.pop_back();
            }
            aResponse.status = 302;
            aResponse.set_header("Location", target);
            return;
        }
        aResponse.set_content(ReadAll(fixture), ContentTypeOf(fixture));
        return;
    }
    if (aSuffix != "POST" && IsInstallerAddress(aRequest.path)) {
        aResponse.set_header("Last-Modified", kFixtureInstallerDate);
        aResponse.set_content(std::string(kFixtureInstallerSize, 'x'), "application/octet-stream");
        return;
    }
    aResponse.status = 404;
}

} // namespace

void ServeSiteFixtures(httplib::Server& aServer, const std::atomic<TSiteMode>* aMode) {
    aServer.Get(R"(/.*)", [aMode](const httplib::Request& aRequest, httplib::Response& aResponse) {
        Answer(aRequest, aResponse, QueryOf(aRequest), aMode);
    });
    aServer.Post(R"(/.*)", [aMode](const httplib::Request& aRequest, httplib::Response& aResponse) {
        Answer(aRequest, aResponse, "POST", aMode);
    });
}

std::filesystem::path SiteFixturePath(std::string_view aHostAndPath) {
    const std::string target = "/" + std::string(aHostAndPath);
    const auto mark = target.find('?');
    const std::string path = target.substr(0, mark);
    const std::string query = mark == std::string::npos ? "" : target.substr(mark + 1);
    return FindFixture(path, query);
}

std::string SiteFixture(std::string_view aHostAndPath) {
    const std::filesystem::path file = SitesFolder() / std::string(aHostAndPath);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        throw std::runtime_error("no site fixture " + file.string());
    }
    return ReadAll(file);
}

} // namespace brivane::test
