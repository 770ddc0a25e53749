// The registry contract against the real advapi32, on a scratch key of the current user.
#include <windows.h>

#include "contract/registry_contract.h"
#include "settings/Win32RegistryBackend.h"
#include "wine/support/WineTestSupport.h"

namespace tavrin::testing {
namespace {

void DeleteScratchKey() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
}

// The test runs in the 32-bit tree as Windows 98 and in the 64-bit tree as the NT family: what
// follows a string's characters is what follows them in an empty one.
Bytes StringEnd() {
    const std::string end = testsupport::ProgramString("").bytes;
    return {end.begin(), end.end()};
}

INSTANTIATE_TEST_SUITE_P(Advapi32, RegistryContract,
                         ::testing::Values(RegistryTarget{
                             "Advapi32", [] { return std::make_unique<Win32RegistryBackend>(); },
                             DeleteScratchKey, StringEnd}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tavrin::testing
