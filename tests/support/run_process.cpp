#include "support/run_process.h"

namespace brivane::test {

TProcessResult RunCli(const std::vector<std::string>& aArgs, const std::string& aStdin,
                      const std::map<std::string, std::optional<std::string>>& aEnv) {
    return RunProcess(BRIVANE_CLI_PATH, aArgs, aStdin, aEnv);
}

} // namespace brivane::test
