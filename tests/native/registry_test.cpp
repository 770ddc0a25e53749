#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "contract/registry_errors.h"
#include "support/MemoryRegistryBackend.h"
#include "settings/Registry.h"
#include "settings/RegistryLayout.h"

namespace tavrin {
namespace {

using testing::RegistryErrorOf;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kKey = "Software\\Test";
constexpr const char* kNoError = "(no error)";

Bytes Text(std::string_view text) {
    return {text.begin(), text.end()};
}

// One stored value (or none) and what each kind of read makes of it.
struct StoredValue {
    bool present;
    std::uint32_t type;
    Bytes data;
};

// Stores the value as "V" in a fresh registry; returns what `read` makes of it and its error.
template <typename Read> auto ReadBack(const StoredValue& stored, Read read) {
    MemoryRegistryBackend memory;
    memory.AddKey(kKey);
    if (stored.present) memory.Put(kKey, "V", stored.type, stored.data);
    TRegistry registry(memory);
    EXPECT_TRUE(registry.OpenKey(kKey, false));
    decltype(read(registry)) value{};
    std::string error = RegistryErrorOf([&] { value = read(registry); });
    return std::pair(value, error);
}

TEST(RegistryReads, IntegerNeedsDwordOfAtMostFourBytes) {
    struct Case {
        StoredValue stored;
        std::int32_t value;
        const char* error;
    };
    const Case cases[] = {
        {{true, RegType::Dword, {0x2A, 0, 0, 0}}, 42, kNoError},
        {{true, RegType::Dword, {0xFF, 0xFF, 0xFF, 0xFF}}, -1, kNoError},
        {{true, RegType::Dword, {0x34, 0x12}}, 0x1234, kNoError}, // zero-extended
        {{true, RegType::Dword, {}}, 0, kNoError},
        {{true, RegType::Dword, {1, 0, 0, 0, 0}}, 0, "Failed to get data for 'V'"},
        {{true, RegType::Qword, Bytes(8, 0)}, 0, "Failed to get data for 'V'"},
        {{true, RegType::Sz, Text("hello")}, 0, "Failed to get data for 'V'"},
        {{true, RegType::Sz, Text("12")}, 0, "Invalid data type for 'V'"},
        {{true, RegType::Sz, {'1', '2', 0}}, 0, "Invalid data type for 'V'"},
        {{true, RegType::Binary, {1, 0, 0, 0}}, 0, "Invalid data type for 'V'"},
        {{true, RegType::DwordBigEndian, {0, 0, 0, 1}}, 0, "Invalid data type for 'V'"},
        {{false, 0, {}}, 0, "Failed to get data for 'V'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "type " << c.stored.type << ", " << c.stored.data.size() << " bytes");
        const auto [value, error] = ReadBack(c.stored, [](TRegistry& r) { return r.ReadInteger("V"); });
        EXPECT_EQ(error, c.error);
        if (error == kNoError) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(RegistryReads, BooleanIsAnyNonZeroInteger) {
    const std::pair<Bytes, bool> cases[] = {{{0, 0, 0, 0}, false},
                                            {{1, 0, 0, 0}, true},
                                            {{2, 0, 0, 0}, true},
                                            {{0, 1, 0, 0}, true},
                                            {{0, 0, 0, 0x80}, true}};
    for (const auto& [data, expected] : cases) {
        const auto [value, error] =
            ReadBack({true, RegType::Dword, data}, [](TRegistry& r) { return r.ReadBool("V"); });
        EXPECT_EQ(error, kNoError);
        EXPECT_EQ(value, expected) << int{data[0]} << " " << int{data[1]};
    }
}

TEST(RegistryReads, FloatNeedsBinaryOfExactlyEightBytes) {
    const Bytes ten = {0, 0, 0, 0, 0, 0, 0x24, 0x40}; // 10.0
    struct Case {
        StoredValue stored;
        const char* error;
    };
    const Case cases[] = {
        {{true, RegType::Binary, ten}, kNoError},
        {{true, RegType::Binary, {1, 2, 3, 4}}, "Invalid data type for 'V'"},
        {{true, RegType::Binary, {}}, "Invalid data type for 'V'"},
        {{true, RegType::Binary, Bytes(9, 0)}, "Failed to get data for 'V'"},
        {{true, RegType::Dword, ten}, "Invalid data type for 'V'"},
        {{true, RegType::Dword, {1, 0, 0, 0}}, "Invalid data type for 'V'"},
        {{true, RegType::Qword, ten}, "Invalid data type for 'V'"},
        {{true, RegType::Sz, Text("12345678")}, "Invalid data type for 'V'"},
        {{true, RegType::Sz, Text("123456789")}, "Failed to get data for 'V'"},
        {{false, 0, {}}, "Failed to get data for 'V'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "type " << c.stored.type << ", " << c.stored.data.size() << " bytes");
        const auto [value, error] = ReadBack(c.stored, [](TRegistry& r) { return r.ReadFloat("V"); });
        EXPECT_EQ(error, c.error);
        if (error == kNoError) {
            EXPECT_EQ(value, 10.0);
        }
    }
}

TEST(RegistryReads, StringIsTextUpToFirstZeroOfSzOrExpandSz) {
    struct Case {
        StoredValue stored;
        std::string value;
        const char* error;
    };
    const std::string longText(300, 'x');
    const Case cases[] = {
        {{true, RegType::Sz, Text("abc")}, "abc", kNoError},
        {{true, RegType::Sz, {'a', 'b', 'c', 0}}, "abc", kNoError},
        {{true, RegType::Sz, {'a', 'b', 0, 'c', 0}}, "ab", kNoError},
        {{true, RegType::ExpandSz, Text("%TEMP%")}, "%TEMP%", kNoError},
        {{true, RegType::Sz, Text(longText)}, longText, kNoError},
        {{true, RegType::Sz, {}}, "", kNoError},
        {{true, RegType::Dword, {}}, "", kNoError}, // no data: empty whatever the type
        {{false, 0, {}}, "", kNoError},
        {{true, RegType::Dword, {1, 0, 0, 0}}, "", "Invalid data type for 'V'"},
        {{true, RegType::Binary, Text("abc")}, "", "Invalid data type for 'V'"},
        {{true, RegType::MultiSz, {'a', 0, 0}}, "", "Invalid data type for 'V'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "type " << c.stored.type << ", " << c.stored.data.size() << " bytes");
        const auto [value, error] = ReadBack(c.stored, [](TRegistry& r) { return r.ReadString("V"); });
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(value, c.value);
    }
}

// The decoders take whatever a backend returns; data beyond the read's size is never used.
TEST(RegistryDecode, OversizedSuccessfulQueriesAreRejected) {
    EXPECT_EQ(DecodeInteger({QueryStatus::Ok, RegType::Dword, 6, Bytes(6, 1)}).error,
              RegistryError::FailedToGetData);
    EXPECT_EQ(DecodeFloat({QueryStatus::Ok, RegType::Binary, 9, Bytes(9, 1)}).error,
              RegistryError::FailedToGetData);
    EXPECT_EQ(DecodeString({QueryStatus::Failed, RegType::Sz, 0, {}}).error, RegistryError::FailedToGetData);
}

TEST(RegistryWrites, EncodingsAndRefusals) {
    MemoryRegistryBackend memory;
    TRegistry registry(memory);
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteInteger("I", -2);
    registry.WriteBool("T", true);
    registry.WriteBool("F", false);
    registry.WriteFloat("D", 12.0);
    registry.WriteString("S", "abc");
    registry.WriteString("E", "");
    const std::vector<MemoryRegistryBackend::Write> expected = {
        {kKey, "I", RegType::Dword, {0xFE, 0xFF, 0xFF, 0xFF}},
        {kKey, "T", RegType::Dword, {1, 0, 0, 0}},
        {kKey, "F", RegType::Dword, {0, 0, 0, 0}},
        {kKey, "D", RegType::Binary, {0, 0, 0, 0, 0, 0, 0x28, 0x40}},
        {kKey, "S", RegType::Sz, Text("abc")},
        {kKey, "E", RegType::Sz, {}},
    };
    ASSERT_EQ(memory.Writes().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(memory.Writes()[i].name, expected[i].name);
        EXPECT_EQ(memory.Writes()[i].type, expected[i].type) << expected[i].name;
        EXPECT_EQ(memory.Writes()[i].data, expected[i].data) << expected[i].name;
    }
    memory.FailWritesTo("Refused");
    EXPECT_EQ(RegistryErrorOf([&] { registry.WriteInteger("Refused", 1); }),
              "Failed to set data for 'Refused'");
    EXPECT_FALSE(memory.Get(kKey, "Refused"));
}

TEST(RegistryKeys, ExistenceNeedsFullAccessAndKeysAreAlwaysClosed) {
    MemoryRegistryBackend memory;
    memory.AddKey("A");
    memory.AddKey("B");
    memory.DenyFullAccess("Locked");
    {
        TRegistry registry(memory);
        EXPECT_FALSE(registry.KeyExists("Locked"));
        EXPECT_FALSE(registry.OpenKey("Locked", true));
        ASSERT_TRUE(registry.OpenKey("A", false));
        EXPECT_TRUE(registry.KeyExists("B")); // probing leaves the current key open
        EXPECT_EQ(memory.OpenHandleCount(), 1u);
        ASSERT_TRUE(registry.OpenKey("B", false)); // replaces A
        EXPECT_EQ(memory.OpenHandleCount(), 1u);
        registry.WriteInteger("InB", 1);
    }
    EXPECT_EQ(memory.OpenHandleCount(), 0u);
    EXPECT_TRUE(memory.Get("B", "InB"));
    EXPECT_FALSE(memory.Get("A", "InB"));
}

TEST(RegistryLayout, PictureValueNamesHaveTwoDigits) {
    const std::pair<int, const char*> names[] = {
        {1, "Pic_01"}, {9, "Pic_09"}, {10, "Pic_10"}, {25, "Pic_25"}};
    for (const auto& [n, name] : names)
        EXPECT_EQ(PictureValueName(n), name);
}

} // namespace
} // namespace tavrin
