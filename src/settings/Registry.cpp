#include "settings/Registry.h"

#include <algorithm>
#include <bit>

namespace tavrin {

std::string RegistryErrorMessage(RegistryError error, std::string_view name) {
    const char* prefix = "";
    switch (error) {
    case RegistryError::None:
        return {};
    case RegistryError::FailedToGetData:
        prefix = "Failed to get data for '";
        break;
    case RegistryError::InvalidDataType:
        prefix = "Invalid data type for '";
        break;
    case RegistryError::FailedToSetData:
        prefix = "Failed to set data for '";
        break;
    }
    return prefix + std::string(name) + "'";
}

namespace {

template <typename T> Decoded<T> Failed(RegistryError error) {
    return {T{}, error};
}

std::uint64_t LittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count && i < bytes.size(); ++i)
        value |= std::uint64_t{bytes[i]} << (8 * i);
    return value;
}

std::vector<std::uint8_t> LittleEndianBytes(std::uint64_t value, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
}

bool IsStringType(std::uint32_t type) {
    return type == RegType::Sz || type == RegType::ExpandSz;
}

} // namespace

// A value larger than the read's buffer is an error rather than a wrong type: the query
// itself fails before the type is looked at. Shorter REG_DWORD data is zero-extended.
Decoded<std::int32_t> DecodeInteger(const QueryResult& result) {
    if (result.status != QueryStatus::Ok || result.data.size() > kIntegerReadSize)
        return Failed<std::int32_t>(RegistryError::FailedToGetData);
    if (result.type != RegType::Dword) return Failed<std::int32_t>(RegistryError::InvalidDataType);
    const auto value = static_cast<std::uint32_t>(LittleEndian(result.data, kIntegerReadSize));
    return {static_cast<std::int32_t>(value), RegistryError::None};
}

Decoded<double> DecodeFloat(const QueryResult& result) {
    if (result.status != QueryStatus::Ok || result.data.size() > kFloatReadSize)
        return Failed<double>(RegistryError::FailedToGetData);
    if (result.type != RegType::Binary || result.data.size() != kFloatReadSize)
        return Failed<double>(RegistryError::InvalidDataType);
    return {std::bit_cast<double>(LittleEndian(result.data, kFloatReadSize)), RegistryError::None};
}

// Absent or empty values are the empty string whatever their type; the stored text may or
// may not carry a terminating zero, and anything from the first zero byte on is dropped.
Decoded<std::string> DecodeString(const QueryResult& result) {
    if (result.status == QueryStatus::Absent) return {};
    if (result.status != QueryStatus::Ok) return Failed<std::string>(RegistryError::FailedToGetData);
    if (result.data.empty()) return {};
    if (!IsStringType(result.type)) return Failed<std::string>(RegistryError::InvalidDataType);
    const auto end = std::find(result.data.begin(), result.data.end(), std::uint8_t{0});
    return {std::string(result.data.begin(), end), RegistryError::None};
}

std::vector<std::uint8_t> EncodeInteger(std::int32_t value) {
    return LittleEndianBytes(static_cast<std::uint32_t>(value), kIntegerReadSize);
}

std::vector<std::uint8_t> EncodeFloat(double value) {
    return LittleEndianBytes(std::bit_cast<std::uint64_t>(value), kFloatReadSize);
}

std::vector<std::uint8_t> EncodeString(std::string_view text) {
    return {text.begin(), text.end()};
}

bool TRegistry::KeyExists(std::string_view path) {
    const auto key = backend_.Open(path, false);
    if (key) backend_.Close(*key);
    return key.has_value();
}

bool TRegistry::OpenKey(std::string_view path, bool canCreate) {
    CloseKey();
    current_ = backend_.Open(path, canCreate);
    return current_.has_value();
}

void TRegistry::CloseKey() {
    if (current_) backend_.Close(*current_);
    current_.reset();
}

QueryResult TRegistry::Query(std::string_view name, std::size_t bufferSize) {
    if (!current_) return {}; // like a query on a null key: a plain failure
    return backend_.Query(*current_, name, bufferSize);
}

namespace {
template <typename T> T ValueOrThrow(const Decoded<T>& decoded, std::string_view name) {
    if (decoded.error != RegistryError::None)
        throw ERegistryException(RegistryErrorMessage(decoded.error, name));
    return decoded.value;
}
} // namespace

std::int32_t TRegistry::ReadInteger(std::string_view name) {
    return ValueOrThrow(DecodeInteger(Query(name, kIntegerReadSize)), name);
}

bool TRegistry::ReadBool(std::string_view name) {
    return ReadInteger(name) != 0;
}

double TRegistry::ReadFloat(std::string_view name) {
    return ValueOrThrow(DecodeFloat(Query(name, kFloatReadSize)), name);
}

// Asks for the size first, then reads the whole value with a buffer of that size.
std::string TRegistry::ReadString(std::string_view name) {
    QueryResult result = Query(name, 0);
    if (result.status == QueryStatus::MoreData) result = Query(name, result.size);
    return ValueOrThrow(DecodeString(result), name);
}

void TRegistry::Write(std::string_view name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
    if (!current_ || !backend_.Set(*current_, name, type, data))
        throw ERegistryException(RegistryErrorMessage(RegistryError::FailedToSetData, name));
}

void TRegistry::WriteInteger(std::string_view name, std::int32_t value) {
    Write(name, RegType::Dword, EncodeInteger(value));
}

void TRegistry::WriteBool(std::string_view name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

void TRegistry::WriteFloat(std::string_view name, double value) {
    Write(name, RegType::Binary, EncodeFloat(value));
}

void TRegistry::WriteString(std::string_view name, std::string_view value) {
    Write(name, RegType::Sz, EncodeString(value));
}

} // namespace tavrin
