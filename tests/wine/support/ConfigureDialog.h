// The configuration dialog in-process, as its tests share it: a fixture that starts every test
// without a product key and opens the dialog as the program does.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "Unit2.h"
#include "settings/Win32RegistryBackend.h"
#include "wine/support/ApplicationPump.h"

namespace testsupport {

class ConfigureDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        tk::Application.Initialize();
        DeleteProductKey();
    }
    void TearDown() override {
        tk::Application.ResetForTests();
        ConfigureRegistry = [] { return std::make_unique<tavrin::Win32RegistryBackend>(); };
        DeleteProductKey();
    }
    TFormConfigure& Open() {
        auto* form = tk::Application.CreateForm<TFormConfigure>();
        form->Show();
        PumpApplicationUntilIdle();
        return *form;
    }
    static bool Ended() {
        PumpApplicationUntilIdle();
        return tk::Application.Terminated();
    }
};

} // namespace testsupport
