/// \file
/// How long a randomised test runs and from which seed: short and fixed in make test, long and
/// fresh in make soak, which sets both through the environment.
#pragma once

#include <cstdint>

namespace trevalo::test {

struct RandomRun {
    std::uint64_t Steps;
    std::uint32_t Seed;
};

/// \p steps from seed 1, unless the environment's \p stepsName and TREVALO_SEED say otherwise;
/// prints both, so that a failing run can be repeated.
RandomRun RandomRunSettings(const char* stepsName, std::uint64_t steps);

} // namespace trevalo::test
