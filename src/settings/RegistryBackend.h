// The registry as the settings layer sees it: keys under HKEY_CURRENT_USER opened with full
// access, values as a type and raw bytes. The Win32 backend calls advapi32; the memory
// backend stands in for it in the native tests. Both keep the bytes exactly as handed over.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tavrin {

// Value types, numbered as in the Win32 headers (which portable code must not include).
namespace RegType {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t Sz = 1;
constexpr std::uint32_t ExpandSz = 2;
constexpr std::uint32_t Binary = 3;
constexpr std::uint32_t Dword = 4;
constexpr std::uint32_t DwordBigEndian = 5;
constexpr std::uint32_t Link = 6;
constexpr std::uint32_t MultiSz = 7;
constexpr std::uint32_t Qword = 11;
} // namespace RegType

enum class QueryStatus {
    Ok,       // type, size and data are filled in
    Absent,   // no value of that name
    MoreData, // the value is larger than the buffer: type and size (the full size) are filled in
    Failed,   // any other error (bad handle, access denied)
};

struct QueryResult {
    QueryStatus status = QueryStatus::Failed;
    std::uint32_t type = RegType::None;
    std::uint32_t size = 0;         // bytes of data the registry reported
    std::vector<std::uint8_t> data; // the bytes read (size of them) when status is Ok
};

class RegistryBackend {
  public:
    // Opaque to callers; valid from a successful Open until Close.
    using Handle = std::uintptr_t;

    virtual ~RegistryBackend() = default;

    // Opens HKEY_CURRENT_USER\path with full access; with `create`, makes the key and any
    // missing parents first. Empty when the key is missing (and not created) or refused.
    virtual std::optional<Handle> Open(std::string_view path, bool create) = 0;
    virtual void Close(Handle key) = 0;

    // Reads value `name` into a buffer of `bufferSize` bytes, like RegQueryValueExA.
    virtual QueryResult Query(Handle key, std::string_view name, std::size_t bufferSize) = 0;

    // Stores exactly `data` with `type` as value `name`; false when refused.
    virtual bool Set(Handle key, std::string_view name, std::uint32_t type,
                     std::span<const std::uint8_t> data) = 0;
};

} // namespace tavrin
