// Registry value decoding: any query outcome (status, type, reported size, bytes) decodes to
// exactly one of a value or the error its type and size call for, never reads past the bytes
// it was given, and the reads of TRegistry over a backend holding those bytes agree with it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "support/MemoryRegistryBackend.h"
#include "settings/Registry.h"

namespace {

using tavrin::QueryResult;
using tavrin::QueryStatus;
using tavrin::RegistryError;
namespace RegType = tavrin::RegType;

constexpr char kKey[] = "Software\\Fuzz";

// The types the program reads and writes, and a few it must refuse.
constexpr std::array<std::uint32_t, 9> kKnownTypes = {
    RegType::None,           RegType::Sz,   RegType::ExpandSz, RegType::Binary, RegType::Dword,
    RegType::DwordBigEndian, RegType::Link, RegType::MultiSz,  RegType::Qword};

// The rules, written out independently of the decoders: which error a read of a value with
// this status, type and byte count must give.
RegistryError ExpectedIntegerError(const QueryResult& r) {
    if (r.status != QueryStatus::Ok || r.data.size() > 4) return RegistryError::FailedToGetData;
    return r.type == RegType::Dword ? RegistryError::None : RegistryError::InvalidDataType;
}

RegistryError ExpectedFloatError(const QueryResult& r) {
    if (r.status != QueryStatus::Ok || r.data.size() > 8) return RegistryError::FailedToGetData;
    return r.type == RegType::Binary && r.data.size() == 8 ? RegistryError::None
                                                           : RegistryError::InvalidDataType;
}

RegistryError ExpectedStringError(const QueryResult& r) {
    if (r.status == QueryStatus::Absent) return RegistryError::None;
    if (r.status != QueryStatus::Ok) return RegistryError::FailedToGetData;
    if (r.data.empty()) return RegistryError::None;
    const bool text = r.type == RegType::Sz || r.type == RegType::ExpandSz;
    return text ? RegistryError::None : RegistryError::InvalidDataType;
}

// Byte i of the value carries bits 8i..8i+7; missing bytes are zero.
std::uint64_t LittleEndianValue(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = (value << 8) | bytes[i];
    return value;
}

std::string TextBeforeZero(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        if (b == 0) break;
        text.push_back(static_cast<char>(b));
    }
    return text;
}

void CheckInteger(const QueryResult& r) {
    const auto decoded = tavrin::DecodeInteger(r);
    FUZZ_CHECK(decoded.error == ExpectedIntegerError(r));
    if (decoded.error != RegistryError::None) {
        FUZZ_CHECK(decoded.value == 0);
        return;
    }
    FUZZ_CHECK(static_cast<std::uint32_t>(decoded.value) == LittleEndianValue(r.data));
}

void CheckFloat(const QueryResult& r) {
    const auto decoded = tavrin::DecodeFloat(r);
    FUZZ_CHECK(decoded.error == ExpectedFloatError(r));
    if (decoded.error != RegistryError::None) {
        FUZZ_CHECK(std::bit_cast<std::uint64_t>(decoded.value) == 0); // +0.0, not -0.0 or NaN
        return;
    }
    // Bit for bit, so NaN payloads and negative zero come through too.
    FUZZ_CHECK(std::bit_cast<std::uint64_t>(decoded.value) == LittleEndianValue(r.data));
}

void CheckString(const QueryResult& r) {
    const auto decoded = tavrin::DecodeString(r);
    FUZZ_CHECK(decoded.error == ExpectedStringError(r));
    if (decoded.error != RegistryError::None || r.status != QueryStatus::Ok) {
        FUZZ_CHECK(decoded.value.empty());
        return;
    }
    FUZZ_CHECK(decoded.value == TextBeforeZero(r.data));
    FUZZ_CHECK(decoded.value.find('\0') == std::string::npos);
}

void CheckMessages(const std::string& name) {
    FUZZ_CHECK(tavrin::RegistryErrorMessage(RegistryError::None, name).empty());
    FUZZ_CHECK(tavrin::RegistryErrorMessage(RegistryError::FailedToGetData, name) ==
               "Failed to get data for '" + name + "'");
    FUZZ_CHECK(tavrin::RegistryErrorMessage(RegistryError::InvalidDataType, name) ==
               "Invalid data type for '" + name + "'");
    FUZZ_CHECK(tavrin::RegistryErrorMessage(RegistryError::FailedToSetData, name) ==
               "Failed to set data for '" + name + "'");
}

// Runs a read and gives its value, or the exception's message in place of it.
template <typename T, typename Read> std::pair<T, std::string> Outcome(Read&& read) {
    try {
        return {read(), ""};
    } catch (const tavrin::ERegistryException& e) {
        return {T{}, e.what()};
    }
}

// What a read through TRegistry must give: the stored bytes as the backend reports them for
// that read's buffer size, decoded by the rules above.
QueryResult StoredAs(std::uint32_t type, const std::vector<std::uint8_t>& bytes, std::size_t buffer) {
    QueryResult r{QueryStatus::Ok, type, static_cast<std::uint32_t>(bytes.size()), bytes};
    if (bytes.size() > buffer) {
        r.status = QueryStatus::MoreData;
        r.data.clear();
    }
    return r;
}

void CheckReads(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& bytes) {
    tavrin::MemoryRegistryBackend backend;
    backend.Put(kKey, name, type, bytes);
    tavrin::TRegistry registry(backend);
    FUZZ_CHECK(registry.OpenKey(kKey, false));

    const auto integer = Outcome<std::int32_t>([&] { return registry.ReadInteger(name); });
    const QueryResult asInteger = StoredAs(type, bytes, tavrin::kIntegerReadSize);
    FUZZ_CHECK(integer.second == tavrin::RegistryErrorMessage(ExpectedIntegerError(asInteger), name));
    if (integer.second.empty()) {
        FUZZ_CHECK(static_cast<std::uint32_t>(integer.first) == LittleEndianValue(bytes));
        FUZZ_CHECK(registry.ReadBool(name) == (integer.first != 0));
    }

    const auto real = Outcome<double>([&] { return registry.ReadFloat(name); });
    const QueryResult asFloat = StoredAs(type, bytes, tavrin::kFloatReadSize);
    FUZZ_CHECK(real.second == tavrin::RegistryErrorMessage(ExpectedFloatError(asFloat), name));
    if (real.second.empty()) FUZZ_CHECK(std::bit_cast<std::uint64_t>(real.first) == LittleEndianValue(bytes));

    // Strings are read whole, whatever their size.
    const auto text = Outcome<std::string>([&] { return registry.ReadString(name); });
    const QueryResult asString = StoredAs(type, bytes, bytes.size());
    FUZZ_CHECK(text.second == tavrin::RegistryErrorMessage(ExpectedStringError(asString), name));
    if (text.second.empty()) FUZZ_CHECK(text.first == TextBeforeZero(bytes));

    // Every read closed what it opened: only the current key is open.
    FUZZ_CHECK(backend.OpenHandleCount() == 1);
}

// What the program writes, it reads back unchanged.
void CheckRoundTrips(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::array<std::uint8_t, 8> raw{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), raw.size()), raw.begin());
    std::uint32_t integer = 0;
    std::memcpy(&integer, raw.data(), sizeof integer);
    std::uint64_t real = 0;
    std::memcpy(&real, raw.data(), sizeof real);
    const std::string text = TextBeforeZero(bytes);

    tavrin::MemoryRegistryBackend backend;
    tavrin::TRegistry registry(backend);
    FUZZ_CHECK(registry.OpenKey(kKey, true));
    registry.WriteInteger(name, static_cast<std::int32_t>(integer));
    FUZZ_CHECK(static_cast<std::uint32_t>(registry.ReadInteger(name)) == integer);
    registry.WriteFloat(name, std::bit_cast<double>(real));
    FUZZ_CHECK(std::bit_cast<std::uint64_t>(registry.ReadFloat(name)) == real);
    registry.WriteString(name, text);
    FUZZ_CHECK(registry.ReadString(name) == text);
    // A string is stored as its characters only.
    FUZZ_CHECK(backend.Get(kKey, name)->data.size() == text.size());
}

QueryResult ConsumeQueryResult(FuzzedDataProvider& in) {
    QueryResult r;
    r.status = static_cast<QueryStatus>(in.ConsumeIntegralInRange<int>(0, 3));
    r.type = in.ConsumeBool() ? in.PickValueInArray(kKnownTypes) : in.ConsumeIntegral<std::uint32_t>();
    const bool honestSize = in.ConsumeBool();
    const auto reportedSize = in.ConsumeIntegral<std::uint32_t>();
    // The remaining bytes in a buffer of exactly their size, so any read past them is caught.
    r.data = in.ConsumeRemainingBytes<std::uint8_t>();
    r.data.shrink_to_fit();
    r.size = honestSize ? static_cast<std::uint32_t>(r.data.size()) : reportedSize;
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // Value names are C strings for the system.
    std::string name = in.ConsumeRandomLengthString(16);
    name.resize(std::strlen(name.c_str()));
    const QueryResult result = ConsumeQueryResult(in);

    CheckInteger(result);
    CheckFloat(result);
    CheckString(result);
    CheckMessages(name);
    CheckReads(name, result.type, result.data);
    CheckRoundTrips(name, result.data);
    return 0;
}
