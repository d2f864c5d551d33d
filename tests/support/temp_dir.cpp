#include "support/temp_dir.h"

#include "platform/environment.h"
#include "platform/path_text.h"
#include "platform/private_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace brivane::test {

TTempDir::TTempDir()
    : fPath(
          platform::CreatePrivateFolder(std::filesystem::temp_directory_path(), "brivane-test-")) {}

TTempDir::~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(fPath, ec);
}

std::filesystem::path TTempDir::Write(std::string_view aName, std::string_view aBytes) const {
    const auto path = fPath / platform::PathFromUtf8(aName); // UTF-8 on Windows too
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(aBytes.data(), static_cast<std::streamsize>(aBytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
    return path;
}

std::string ReadAll(const std::filesystem::path& aPath) {
    std::ifstream in(aPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::filesystem::path> FolderEntries(const std::filesystem::path& aFolder) {
    std::vector<std::filesystem::path> entries;
    for (const auto& entry : std::filesystem::directory_iterator(aFolder)) {
        entries.push_back(entry.path());
    }
    return entries;
}

std::map<std::string, std::optional<std::string>>
TempFolderEnvironment(const std::filesystem::path& aFolder) {
    const std::string folder = platform::PathToUtf8(aFolder);
#ifdef _WIN32
    return {{"TMP", folder}, {"TEMP", folder}};
#else
    return {{"TMPDIR", folder}};
#endif
}

TScopedEnv::TScopedEnv(std::string aName, const char* aValue) : fName(std::move(aName)) {
    if (const char* old = std::getenv(fName.c_str())) {
        fHadValue = true;
        fOldValue = old;
    }
    if (aValue != nullptr) {
        platform::SetEnv(fName, aValue);
    } else {
        platform::UnsetEnv(fName);
    }
}

TScopedEnv::TScopedEnv(std::string aName, const std::optional<std::string>& aValue)
    : TScopedEnv(std::move(aName), aValue ? aValue->c_str() : nullptr) {}

TScopedEnv::TScopedEnv(std::string aName, const std::filesystem::path& aValue)
    : TScopedEnv(std::move(aName), platform::PathToUtf8(aValue).c_str()) {}

TScopedEnv::~TScopedEnv() {
    if (fHadValue) {
        platform::SetEnv(fName, fOldValue);
    } else {
        platform::UnsetEnv(fName);
    }
}

} // namespace brivane::test
