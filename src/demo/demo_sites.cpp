#include "demo/demo_sites.h"

#include "platform/files.h"

#include <random>

namespace brivane::demo {

namespace {

// Larger files are not part of any site.
constexpr std::size_t kMaxSiteFileSize = std::size_t{16} << 20;

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

// The file of aFolder for aPath, without a query: "<folder>/<host>/<path>", where an empty
// path, one ending in "/" or one naming a folder names that folder's index.html. Empty
// for a path that would leave the folder.
std::filesystem::path BaseFile(const std::filesystem::path& aFolder, const std::string& aPath) {
    std::string relative = aPath.empty() ? std::string() : aPath.substr(1); // without the "/"
    if (relative.empty() || relative.ends_with('/')) {
        relative += "index.html";
    }
    if (relative.find("..") != std::string::npos) {
        return {};
    }
    std::error_code error;
    std::filesystem::path base = aFolder / relative;
    if (std::filesystem::is_directory(base, error)) {
        // "/program/download" beside "/program/download/standard": the folder's index.
        base /= "index.html";
    }
    return base;
}

bool IsFile(const std::filesystem::path& aPath) {
    std::error_code error;
    return !aPath.empty() && std::filesystem::is_regular_file(aPath, error);
}

// "<base>@<aSuffix>" when that file exists, else an empty path.
std::filesystem::path SuffixedFile(const std::filesystem::path& aBase, const std::string& aSuffix) {
    std::filesystem::path file = aBase.string() + "@" + aSuffix;
    return !aBase.empty() && IsFile(file) ? file : std::filesystem::path();
}

// The file of aFolder that answers a GET of aPath with the query aQuery, or an empty path.
std::filesystem::path FindFile(const std::filesystem::path& aFolder, const std::string& aPath,
                               const std::string& aQuery) {
    const auto base = BaseFile(aFolder, aPath);
    if (!aQuery.empty()) {
        if (auto file = SuffixedFile(base, aQuery); !file.empty()) {
            return file;
        }
    }
    return IsFile(base) ? base : std::filesystem::path();
}

std::string ReadSiteFile(const std::filesystem::path& aFile) {
    return platform::ReadFileBytes(aFile, kMaxSiteFileSize).value_or(std::string());
}

// The first line of a small file that names something (an address, a field).
std::string FirstLine(const std::filesystem::path& aFile) {
    std::string text = platform::ReadFileBytes(aFile, 4096).value_or(std::string());
    return text.substr(0, text.find_first_of("\r\n"));
}

// The file that answers a POST: "<path>@POST", or, where "<path>@POST-FIELD" names a
// field of the form, "<path>@<the field's value>" (a portal that answers one address
// with different documents).
std::filesystem::path FindPostFile(const std::filesystem::path& aFolder,
                                   const httplib::Request& aRequest) {
    const auto base = BaseFile(aFolder, aRequest.path);
    if (auto file = SuffixedFile(base, "POST"); !file.empty()) {
        return file;
    }
    const auto field = SuffixedFile(base, "POST-FIELD");
    if (field.empty()) {
        return {};
    }
    const std::string value = aRequest.get_param_value(FirstLine(field).c_str());
    if (value.empty() || value.find_first_of("/\\") != std::string::npos ||
        value.find("..") != std::string::npos) {
        return {};
    }
    return SuffixedFile(base, value);
}

const std::string& Noise() {
    static const std::string noise = [] {
        std::mt19937 random(20240501);
        // Every entry of the catalogue reads it in the tests, each stray byte decoded to a
        // three-byte replacement character: more would only make them slower.
        std::string bytes(256 << 10, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random() & 0xFF);
        }
        return bytes;
    }();
    return noise;
}

void Answer(const std::vector<std::filesystem::path>& aFolders, const httplib::Request& aRequest,
            httplib::Response& aResponse, bool aPost, const std::atomic<TSiteMode>* aMode) {
    const TSiteMode mode = aMode != nullptr ? aMode->load() : TSiteMode::Files;
    const std::string query = aPost ? std::string() : QueryOf(aRequest);
    const bool installer = !aPost && IsInstallerAddress(aRequest.path);
    if (installer) {
        aResponse.set_header("Last-Modified", kSiteInstallerDate);
    }
    std::filesystem::path file;
    for (const auto& folder : aFolders) {
        file = aPost ? FindPostFile(folder, aRequest) : FindFile(folder, aRequest.path, query);
        if (!file.empty()) {
            break;
        }
    }
    if (!file.empty()) {
        if (mode == TSiteMode::EmptyPages) {
            aResponse.set_content("", ContentTypeOf(file));
            return;
        }
        if (mode == TSiteMode::Noise) {
            aResponse.set_content(Noise(), ContentTypeOf(file));
            return;
        }
        const std::filesystem::path location = file.string() + ".location";
        if (std::error_code error; std::filesystem::is_regular_file(location, error)) {
            aResponse.status = 302;
            aResponse.set_header("Location", FirstLine(location));
            return;
        }
        aResponse.set_content(ReadSiteFile(file), ContentTypeOf(file));
        return;
    }
    if (installer) {
        aResponse.set_content(std::string(kSiteInstallerSize, 'x'), "application/octet-stream");
        return;
    }
    aResponse.status = 404;
}

} // namespace

void ServeSites(httplib::Server& aServer, std::vector<std::filesystem::path> aFolders,
                const std::atomic<TSiteMode>* aMode) {
    aServer.Get(R"(/.*)",
                [aFolders, aMode](const httplib::Request& aRequest, httplib::Response& aResponse) {
                    Answer(aFolders, aRequest, aResponse, false, aMode);
                });
    aServer.Post(R"(/.*)",
                 [aFolders, aMode](const httplib::Request& aRequest, httplib::Response& aResponse) {
                     Answer(aFolders, aRequest, aResponse, true, aMode);
                 });
}

std::filesystem::path SiteFilePath(const std::filesystem::path& aFolder,
                                   std::string_view aHostAndPath) {
    const std::string target = "/" + std::string(aHostAndPath);
    const auto mark = target.find('?');
    const std::string path = target.substr(0, mark);
    const std::string query = mark == std::string::npos ? "" : target.substr(mark + 1);
    return FindFile(aFolder, path, query);
}

} // namespace brivane::demo
