#include "contract/registry_contract.h"
#include "support/MemoryRegistryBackend.h"

namespace tavrin::testing {
namespace {

// A fresh memory registry per test, so there is no scratch key to wipe.
INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values(RegistryTarget{
                             "Memory", [] { return std::make_unique<MemoryRegistryBackend>(); }, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tavrin::testing
