#include "support/temp_dir.h"

#include "platform/environment.h"
#include "platform/private_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace brivane::test {

TTempDir::TTempDir()
    : fPath(platform::CreatePrivateFolder(std::filesystem::temp_directory_path(), "brivane-test-")) {}

TTempDir::~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(fPath, ec);
}

std::filesystem::path TTempDir::Write(std::string_view aName, std::string_view aBytes) const {
    const auto path = fPath / aName;
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

TScopedEnv::~TScopedEnv() {
    if (fHadValue) {
        platform::SetEnv(fName, fOldValue);
    } else {
        platform::UnsetEnv(fName);
    }
}

} // namespace brivane::test
