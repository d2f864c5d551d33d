// Reading the inventory of a large Wine prefix (20,000 uninstall records among
// 200,000 other keys), as a ratio to reading the same files line by line.

#include "catalogue/software_information.h"
#include "platform/registry_files/file_registry.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace brivane;

constexpr int kUninstallRecords = 20000;
constexpr int kOtherKeys = 200000;
constexpr int kProductCodeEvery = 10; // every tenth record is a product code without an icon

std::string Hex(unsigned aValue, int aDigits) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%0*X", aDigits, aValue);
    return buffer;
}

// A braced GUID made from a number. (Built by appending: "{" + text trips GCC 12's
// -Wrestrict at -O3.)
std::string Guid(unsigned aSeed) {
    std::string guid = "{";
    guid += Hex(aSeed, 8);
    guid += "-";
    guid += Hex(aSeed % 0xFFFF, 4);
    guid += "-4A2B-9C3D-";
    guid += Hex(aSeed * 7919u, 8);
    guid += "0000}";
    return guid;
}

// Writes the prefix the way Wine lays out its files: keys in order, each with its
// time stamp lines.
std::filesystem::path WritePrefix() {
    const auto folder = std::filesystem::temp_directory_path() / "brivane-registry-bench";
    std::filesystem::create_directories(folder);
    std::ofstream system(folder / "system.reg", std::ios::trunc);
    system << "WINE REGISTRY Version 2\n;; All keys relative to "
              "REGISTRY\\\\Machine\n\n#arch=win64\n\n";
    for (int i = 0; i < kOtherKeys / 2; ++i) {
        std::string clsid = "[Software\\\\Classes\\\\CLSID\\\\";
        clsid += Guid(i);
        system << clsid << "] 1796856528\n#time=1dd882f73f5c3fa\n@=\"Component " << i << "\"\n\n";
        system << clsid << "\\\\InprocServer32] 1796856528\n#time=1dd882f73f5c3fa\n"
               << "@=\"C:\\\\windows\\\\system32\\\\component" << i << ".dll\"\n"
               << "\"ThreadingModel\"=\"Both\"\n\n";
    }
    for (int i = 0; i < kUninstallRecords; i += kProductCodeEvery) {
        system << "[Software\\\\Classes\\\\Installer\\\\Products\\\\" << Hex(i, 32)
               << "] 1796856528\n#time=1dd882f73f5c3fa\n"
               << "\"ProductIcon\"=\"C:\\\\Windows\\\\Installer\\\\" << Guid(i)
               << "\\\\icon.exe\"\n"
               << "\"ProductName\"=\"\\x41f\\x440\\x43e\\x433\\x440\\x430\\x43c\\x43c\\x430 " << i
               << "\"\n\n";
    }
    for (int i = 0; i < kUninstallRecords; ++i) {
        const bool productCode = i % kProductCodeEvery == 0;
        const std::string name = productCode ? Guid(i) : "Application " + std::to_string(i);
        system << "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\" << name
               << "] 1796856528\n#time=1dd882f73f5c3fa\n";
        if (productCode) {
            system << "\"DisplayName\"=\"\\x41f\\x440\\x43e\\x433\\x440\\x430\\x43c\\x43c\\x430 "
                   << i << "\"\n";
        } else {
            system << "\"DisplayIcon\"=\"\\\"C:\\\\\\\\Program Files\\\\\\\\App" << i
                   << "\\\\\\\\app.exe\\\",0\"\n"
                   << "\"DisplayName\"=\"Application " << i << "\"\n";
        }
        system << "\"DisplayVersion\"=\"" << i % 17 << "." << i % 100 << "\"\n"
               << "\"EstimatedSize\"=dword:0000" << Hex(i % 0xFFFF, 4) << "\n"
               << "\"InstallLocation\"=\"C:\\\\Program Files\\\\App" << i << "\\\\\"\n"
               << "\"Publisher\"=\"Publisher " << i % 300 << "\"\n"
               << "\"UninstallString\"=\"\\\"C:\\\\Program Files\\\\App" << i
               << "\\\\uninstall.exe\\\"\"\n\n";
    }
    std::ofstream user(folder / "user.reg", std::ios::trunc);
    user << "WINE REGISTRY Version 2\n;; All keys relative to "
            "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
         << "#arch=win64\n\n[Volatile Environment] 1796856528\n"
         << "\"APPDATA\"=\"C:\\\\users\\\\bench\\\\AppData\\\\Roaming\"\n";
    return folder;
}

std::size_t ReadLines(const std::filesystem::path& aFolder) {
    std::size_t lines = 0;
    std::string line;
    for (const char* name : {"system.reg", "user.reg"}) {
        std::ifstream in(aFolder / name);
        while (std::getline(in, line)) {
            lines += line.empty() ? 0 : 1;
        }
    }
    return lines;
}

void BM_InventoryOfLargePrefix(benchmark::State& aState) {
    const auto folder = WritePrefix();
    double baseline = 0;
    double inventory = 0;
    std::size_t items = 0;
    for (auto _ : aState) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ReadLines(folder));
        const auto middle = std::chrono::steady_clock::now();
        const auto registry = platform::registry_files::OpenRegistryFrom(
            {platform::TRegistrySourceKind::WinePrefix, folder, "bench"});
        items = ReadInstalledApplications(*registry).size();
        const auto end = std::chrono::steady_clock::now();
        baseline += std::chrono::duration<double>(middle - start).count();
        inventory += std::chrono::duration<double>(end - middle).count();
    }
    if (items != kUninstallRecords) {
        aState.SkipWithError("the inventory missed records");
    }
    aState.counters["ratio"] = inventory / baseline;
    aState.counters["baseline_ms"] = 1000 * baseline / static_cast<double>(aState.iterations());
    aState.counters["inventory_ms"] = 1000 * inventory / static_cast<double>(aState.iterations());
    // std::filesystem::remove_all(folder);
}

BENCHMARK(BM_InventoryOfLargePrefix)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
