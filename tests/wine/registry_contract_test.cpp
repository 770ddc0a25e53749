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

INSTANTIATE_TEST_SUITE_P(Advapi32, RegistryContract,
                         ::testing::Values(RegistryTarget{
                             "Advapi32", [] { return std::make_unique<Win32RegistryBackend>(); },
                             DeleteScratchKey}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tavrin::testing
