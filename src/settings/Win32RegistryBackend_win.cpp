#include "settings/Win32RegistryBackend.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tavrin {

namespace {

// Owns one open registry key. Move-only, so each key is closed exactly once; the raw handle is
// reachable only through get(), never by implicit conversion.
class UniqueHKey {
  public:
    UniqueHKey() = default;
    explicit UniqueHKey(HKEY key) : key_(key) {}
    ~UniqueHKey() { reset(); }
    UniqueHKey(UniqueHKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    UniqueHKey& operator=(UniqueHKey&& other) noexcept {
        if (this != &other) {
            reset();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    UniqueHKey(const UniqueHKey&) = delete;
    UniqueHKey& operator=(const UniqueHKey&) = delete;

    HKEY get() const { return key_; }
    void reset() {
        if (key_) ::RegCloseKey(key_);
        key_ = nullptr;
    }

  private:
    HKEY key_ = nullptr;
};

UniqueHKey OpenUserKey(const std::string& path, bool create) {
    HKEY key = nullptr;
    LONG rc = ERROR_SUCCESS;
    if (create) {
        DWORD disposition = 0;
        rc = ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, &key, &disposition);
    } else {
        rc = ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    }
    return UniqueHKey(rc == ERROR_SUCCESS ? key : nullptr);
}

QueryStatus StatusOf(LONG rc) {
    switch (rc) {
    case ERROR_SUCCESS:
        return QueryStatus::Ok;
    case ERROR_FILE_NOT_FOUND:
        return QueryStatus::Absent;
    case ERROR_MORE_DATA:
        return QueryStatus::MoreData;
    default:
        return QueryStatus::Failed;
    }
}

} // namespace

struct Win32RegistryBackend::OpenKeys {
    std::map<Handle, UniqueHKey> byHandle;

    HKEY Find(Handle handle) const {
        const auto it = byHandle.find(handle);
        return it == byHandle.end() ? nullptr : it->second.get();
    }
};

Win32RegistryBackend::Win32RegistryBackend() : keys_(std::make_unique<OpenKeys>()) {}

Win32RegistryBackend::~Win32RegistryBackend() = default;

std::optional<RegistryBackend::Handle> Win32RegistryBackend::Open(std::string_view path, bool create) {
    UniqueHKey key = OpenUserKey(std::string(path), create);
    if (!key.get()) return std::nullopt;
    const auto handle = reinterpret_cast<Handle>(key.get());
    keys_->byHandle[handle] = std::move(key);
    return handle;
}

void Win32RegistryBackend::Close(Handle key) {
    keys_->byHandle.erase(key);
}

// The buffer is never null, even for a size of 0: with a null buffer RegQueryValueExA reports
// success and an estimated size instead of ERROR_MORE_DATA and the exact one.
QueryResult Win32RegistryBackend::Query(Handle key, std::string_view name, std::size_t bufferSize) {
    const HKEY hkey = keys_->Find(key);
    if (!hkey) return {};
    std::vector<BYTE> buffer(bufferSize + 1);
    DWORD type = REG_NONE;
    auto size = static_cast<DWORD>(bufferSize);
    const LONG rc = ::RegQueryValueExA(hkey, std::string(name).c_str(), nullptr, &type, buffer.data(), &size);
    QueryResult result{StatusOf(rc), static_cast<std::uint32_t>(type), static_cast<std::uint32_t>(size), {}};
    if (result.status == QueryStatus::Ok)
        result.data.assign(buffer.begin(), buffer.begin() + std::min<std::size_t>(size, bufferSize));
    if (result.status == QueryStatus::Absent || result.status == QueryStatus::Failed) {
        result.type = RegType::None; // what the call left there means nothing
        result.size = 0;
    }
    return result;
}

// How each family stores a string. NT honours the byte count, but counts a zero byte lying just
// past the data into the value (for callers that forget the terminator): a non-zero guard byte
// there keeps the stored bytes exactly the characters. Windows 95, 98 and ME ignore the count of
// a string and store through to its first zero byte: there the data ends with one, or the guard
// and whatever memory follows it would be stored too.
bool Win32RegistryBackend::Set(Handle key, std::string_view name, std::uint32_t type,
                               std::span<const std::uint8_t> data) {
    const HKEY hkey = keys_->Find(key);
    if (!hkey) return false;
    const bool windows95Family = (GetVersion() & 0x80000000u) != 0;
    const bool text = type == REG_SZ || type == REG_EXPAND_SZ;
    std::vector<BYTE> buffer(data.begin(), data.end());
    buffer.push_back(text && windows95Family ? 0x00 : 0xFF);
    const auto size = static_cast<DWORD>(text && windows95Family ? buffer.size() : data.size());
    const LONG rc = ::RegSetValueExA(hkey, std::string(name).c_str(), 0, type, buffer.data(), size);
    return rc == ERROR_SUCCESS;
}

} // namespace tavrin
