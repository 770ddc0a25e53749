// Runs a registry call and returns the message of the ERegistryException it raised, or
// "(no error)", so tests can compare the exact text.
#pragma once
#include <string>

#include "settings/Registry.h"

namespace tavrin::testing {

template <typename Call> std::string RegistryErrorOf(Call&& call) {
    try {
        call();
    } catch (const ERegistryException& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace tavrin::testing
