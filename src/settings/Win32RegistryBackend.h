// The registry backend over advapi32 (RegOpenKeyExA, RegCreateKeyExA with KEY_ALL_ACCESS,
// RegQueryValueExA, RegSetValueExA, RegCloseKey) under HKEY_CURRENT_USER. Built for Windows
// only; the header stays free of <windows.h> so portable code can name the type.
#pragma once
#include <memory>

#include "settings/RegistryBackend.h"

namespace tavrin {

class Win32RegistryBackend final : public RegistryBackend {
  public:
    Win32RegistryBackend();
    ~Win32RegistryBackend() override; // closes every key still open
    Win32RegistryBackend(const Win32RegistryBackend&) = delete;
    Win32RegistryBackend& operator=(const Win32RegistryBackend&) = delete;

    std::optional<Handle> Open(std::string_view path, bool create) override;
    void Close(Handle key) override;
    QueryResult Query(Handle key, std::string_view name, std::size_t bufferSize) override;
    bool Set(Handle key, std::string_view name, std::uint32_t type,
             std::span<const std::uint8_t> data) override;

  private:
    struct OpenKeys; // the owned HKEYs, defined where <windows.h> is available
    std::unique_ptr<OpenKeys> keys_;
};

} // namespace tavrin
