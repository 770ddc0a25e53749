// TRegistry: typed reads and writes of one open key under HKEY_CURRENT_USER.
//
// Encodings: integers and booleans are REG_DWORD (4 bytes, little-endian; true is 1),
// floating point is REG_BINARY holding the 8 bytes of an IEEE-754 double, strings are REG_SZ
// holding the characters only (no terminating zero; an empty string is a value with no data).
// Failures raise ERegistryException with one of three fixed messages naming the value.
#pragma once
#include "core/Error.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/RegistryBackend.h"

namespace tavrin {

class ERegistryException : public Error {
  public:
    using Error::Error;
};

enum class RegistryError { None, FailedToGetData, InvalidDataType, FailedToSetData };

// "Failed to get data for 'name'", "Invalid data type for 'name'", "Failed to set data for 'name'".
std::string RegistryErrorMessage(RegistryError error, std::string_view name);

template <typename T> struct Decoded {
    T value{};
    RegistryError error = RegistryError::None;
};

// Pure decoding of what a query returned. Integers are queried with a 4-byte buffer and
// floating point with an 8-byte one; strings with a buffer of the value's full size.
Decoded<std::int32_t> DecodeInteger(const QueryResult& result);
Decoded<double> DecodeFloat(const QueryResult& result);
Decoded<std::string> DecodeString(const QueryResult& result);

std::vector<std::uint8_t> EncodeInteger(std::int32_t value);
std::vector<std::uint8_t> EncodeFloat(double value);
std::vector<std::uint8_t> EncodeString(std::string_view text);

constexpr std::size_t kIntegerReadSize = 4;
constexpr std::size_t kFloatReadSize = 8;

class TRegistry {
  public:
    explicit TRegistry(RegistryBackend& backend) : backend_(backend) {}
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Whether `path` can be opened with full access (opens it and closes it again); a key
    // that exists but refuses full access counts as missing. Leaves the current key alone.
    bool KeyExists(std::string_view path);

    // Makes `path` the current key (closing any previous one); false when it cannot be opened
    // or, with `canCreate`, created. Reads then fail and writes are refused until a key is open.
    bool OpenKey(std::string_view path, bool canCreate);
    void CloseKey();
    bool HasCurrentKey() const { return current_.has_value(); }

    std::int32_t ReadInteger(std::string_view name);
    bool ReadBool(std::string_view name);
    double ReadFloat(std::string_view name);
    std::string ReadString(std::string_view name); // absent or no data: ""

    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteBool(std::string_view name, bool value);
    void WriteFloat(std::string_view name, double value);
    void WriteString(std::string_view name, std::string_view value);

  private:
    QueryResult Query(std::string_view name, std::size_t bufferSize);
    void Write(std::string_view name, std::uint32_t type, const std::vector<std::uint8_t>& data);

    RegistryBackend& backend_;
    std::optional<RegistryBackend::Handle> current_;
};

} // namespace tavrin
