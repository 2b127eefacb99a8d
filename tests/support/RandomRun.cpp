#include "tests/support/RandomRun.h"

#include <cstdlib>
#include <iostream>
#include <string>

namespace trevalo::test {

namespace {

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::stoull(text) : fallback;
}

} // namespace

RandomRun RandomRunSettings(const char* stepsName, std::uint64_t steps) {
    const RandomRun run{FromEnvironment(stepsName, steps),
                        static_cast<std::uint32_t>(FromEnvironment("TREVALO_SEED", 1))};
    std::cout << "random run: " << stepsName << "=" << run.Steps << " TREVALO_SEED=" << run.Seed
              << std::endl;
    return run;
}

} // namespace trevalo::test
