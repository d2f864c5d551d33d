#pragma once
// The world of the start benchmarks: entries named Program0, Program1, ... installed in
// version 1.0, whose pages offer 2.0 and whose installers answer, each after 50 ms, from
// one loopback server.

#include "support/loopback_server.h"
#include "support/registry_fixtures.h"

#include <chrono>
#include <string>
#include <thread>

namespace brivane::bench {

inline constexpr auto kAnswerDelay = std::chrono::milliseconds(50);

inline std::string ProgramName(int aIndex) {
    return "Program" + std::to_string(aIndex);
}

// The server, started on first use for aEntries entries; it lives until the process ends.
inline test::TLoopbackServer& DelayedServer(int aEntries) {
    static test::TLoopbackServer* server = [aEntries] {
        auto* s = new test::TLoopbackServer;
        // Every entry keeps its connection open, as a browser-like client does: the
        // server needs a thread for each of them.
        s->Server().new_task_queue = [aEntries] { return new httplib::ThreadPool(2 * aEntries); };
        s->Server().Get(R"(/page/(\d+))",
                        [s](const httplib::Request& aRequest, httplib::Response& aResponse) {
                            std::this_thread::sleep_for(kAnswerDelay);
                            aResponse.set_content("2.0 " + s->Url("/file/") +
                                                      std::string(aRequest.matches[1]) + ".exe",
                                                  "application/octet-stream");
                        });
        s->Server().Get(
            R"(/file/\d+\.exe)", [](const httplib::Request&, httplib::Response& aResponse) {
                std::this_thread::sleep_for(kAnswerDelay);
                aResponse.set_header("Last-Modified", "Wed, 01 May 2024 10:00:00 GMT");
                aResponse.set_content(std::string(1000, 'x'), "application/octet-stream");
            });
        s->Start();
        return s;
    }();
    return *server;
}

// A registry export with every entry installed in version 1.0, so that all of them are
// checked by the update pass and none by the library pass.
inline std::string InstalledMachine(int aEntries) {
    std::string text = "Windows Registry Editor Version 5.00\n\n";
    for (int i = 0; i < aEntries; ++i) {
        text += test::UninstallRecordText(ProgramName(i), ProgramName(i), "1.0");
    }
    return test::Utf16LeWithBom(text);
}

} // namespace brivane::bench
