#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brivane::test {

struct TProcessResult {
    int ExitCode = -1; // the exit status, or 128 + signal number
    std::string Out;
    std::string Err;
};

// Runs a program to its end with the given standard input, capturing both output
// streams. aEnv entries are set (a nullopt value unsets) on top of this process's
// environment.
TProcessResult RunProcess(const std::string& aProgram, const std::vector<std::string>& aArgs,
                          const std::string& aStdin = {},
                          const std::map<std::string, std::optional<std::string>>& aEnv = {});

// Runs the brivane-cli built with the tests.
TProcessResult RunCli(const std::vector<std::string>& aArgs, const std::string& aStdin = {},
                      const std::map<std::string, std::optional<std::string>>& aEnv = {});

#ifndef _WIN32
// Pseudo-terminals are POSIX's: tests of terminal output live in tests/<area>/posix/.

// RunCli with standard output on a terminal of its own (a pseudo-terminal without
// output processing, so Out holds the bytes as written); standard input is empty.
TProcessResult RunCliOnTerminal(const std::vector<std::string>& aArgs,
                                const std::map<std::string, std::optional<std::string>>& aEnv = {});

// RunCli with all three standard streams on one terminal, as a person runs it: aInput is
// typed ahead, and Out holds everything the terminal shows, in order.
TProcessResult RunCliInTerminal(const std::vector<std::string>& aArgs, const std::string& aInput,
                                const std::map<std::string, std::optional<std::string>>& aEnv = {});
#endif

} // namespace brivane::test
