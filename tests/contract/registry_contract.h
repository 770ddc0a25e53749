// What the settings layer relies on from a registry backend, checked against the memory
// backend natively and against advapi32 under Wine, so the two cannot drift apart. Include
// this header in exactly one test program per backend and instantiate RegistryContract there.
#pragma once
#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "contract/registry_errors.h"
#include "settings/Registry.h"
#include "settings/RegistryBackend.h"

namespace tavrin::testing {

inline constexpr const char* kScratchKey = "Software\\Quillam\\TavrinContractTest";

using Bytes = std::vector<std::uint8_t>;

struct RegistryTarget {
    const char* name;
    std::function<std::unique_ptr<RegistryBackend>()> make;
    std::function<void()> wipe; // removes kScratchKey with everything under it
    // What the system keeps after a string's characters: nothing on NT, the terminating zero on
    // Windows 95, 98 and ME, which store a string through to its first zero byte.
    std::function<Bytes()> stringEnd = [] { return Bytes{}; };
};

inline void PrintTo(const RegistryTarget& target, std::ostream* os) {
    *os << target.name;
}

inline Bytes BytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

class RegistryContract : public ::testing::TestWithParam<RegistryTarget> {
  protected:
    void SetUp() override {
        Wipe();
        backend_ = GetParam().make();
        registry_.emplace(*backend_);
        ASSERT_TRUE(registry_->OpenKey(kScratchKey, true));
    }
    void TearDown() override {
        registry_.reset();
        backend_.reset();
        Wipe();
    }
    void Wipe() {
        if (GetParam().wipe) GetParam().wipe();
    }

    TRegistry& Reg() { return *registry_; }

    // Writes and queries bytes on a handle of our own, bypassing TRegistry's encodings.
    void PutRaw(std::string_view name, std::uint32_t type, const Bytes& data) {
        const auto key = backend_->Open(kScratchKey, false);
        ASSERT_TRUE(key.has_value());
        EXPECT_TRUE(backend_->Set(*key, name, type, data));
        backend_->Close(*key);
    }
    QueryResult RawQuery(std::string_view name, std::size_t bufferSize = 256) {
        const auto key = backend_->Open(kScratchKey, false);
        if (!key) return {};
        QueryResult result = backend_->Query(*key, name, bufferSize);
        backend_->Close(*key);
        return result;
    }

    std::unique_ptr<RegistryBackend> backend_;
    std::optional<TRegistry> registry_;
};

TEST_P(RegistryContract, KeysAreCreatedWithTheirParentsAndFoundAgain) {
    const std::string leaf = std::string(kScratchKey) + "\\Sub\\Leaf";
    EXPECT_FALSE(Reg().KeyExists(leaf));
    EXPECT_FALSE(Reg().OpenKey(leaf, false));
    EXPECT_FALSE(Reg().HasCurrentKey());
    ASSERT_TRUE(Reg().OpenKey(leaf, true));
    Reg().CloseKey();
    EXPECT_FALSE(Reg().HasCurrentKey());
    EXPECT_TRUE(Reg().KeyExists(std::string(kScratchKey) + "\\Sub"));
    EXPECT_TRUE(Reg().KeyExists(leaf));
    EXPECT_FALSE(Reg().KeyExists(std::string(kScratchKey) + "\\Other"));
    EXPECT_TRUE(Reg().OpenKey(leaf, false));
}

TEST_P(RegistryContract, PathsAndValueNamesIgnoreCase) {
    Reg().WriteInteger("MixedCase", 7);
    std::string upper = kScratchKey;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ASSERT_TRUE(Reg().OpenKey(upper, false));
    EXPECT_EQ(Reg().ReadInteger("mixedCASE"), 7);
}

TEST_P(RegistryContract, AbsentValueFailsNumericReadsAndReadsAsEmptyString) {
    EXPECT_EQ(RawQuery("Nope").status, QueryStatus::Absent);
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadInteger("Nope"); }), "Failed to get data for 'Nope'");
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadBool("Nope"); }), "Failed to get data for 'Nope'");
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadFloat("Nope"); }), "Failed to get data for 'Nope'");
    EXPECT_EQ(Reg().ReadString("Nope"), "");
}

TEST_P(RegistryContract, StringsAreStoredAsTheirCharacters) {
    const Bytes end = GetParam().stringEnd();
    const auto stored = [&](std::string_view text) {
        Bytes bytes = BytesOf(text);
        bytes.insert(bytes.end(), end.begin(), end.end());
        return bytes;
    };
    Reg().WriteString("Text", "abc");
    const QueryResult raw = RawQuery("Text");
    EXPECT_EQ(raw.status, QueryStatus::Ok);
    EXPECT_EQ(raw.type, RegType::Sz);
    EXPECT_EQ(raw.data, stored("abc"));
    EXPECT_EQ(Reg().ReadString("Text"), "abc");

    // Neither a zero byte just past the data nor anything beyond it sneaks into the value.
    const Bytes zeroAfter = {'x', 'y', 0};
    const Bytes moreAfter = {'x', 'y', 'z', 'z', 0};
    const auto key = backend_->Open(kScratchKey, false);
    ASSERT_TRUE(key.has_value());
    EXPECT_TRUE(backend_->Set(*key, "ZeroAfter", RegType::Sz, std::span(zeroAfter).first(2)));
    EXPECT_TRUE(backend_->Set(*key, "MoreAfter", RegType::Sz, std::span(moreAfter).first(2)));
    backend_->Close(*key);
    EXPECT_EQ(RawQuery("ZeroAfter").data, stored("xy"));
    EXPECT_EQ(RawQuery("MoreAfter").data, stored("xy"));
}

TEST_P(RegistryContract, StringsWithTerminatorOrExpandTypeReadTheSame) {
    PutRaw("Zero", RegType::Sz, {'a', 'b', 'c', 0});
    PutRaw("Inner", RegType::Sz, {'a', 'b', 0, 'c', 'd', 0});
    PutRaw("Expand", RegType::ExpandSz, BytesOf("%TEMP%\\x"));
    EXPECT_EQ(RawQuery("Zero").size, 4u);
    EXPECT_EQ(Reg().ReadString("Zero"), "abc");
    EXPECT_EQ(Reg().ReadString("Inner"), "ab");
    EXPECT_EQ(Reg().ReadString("Expand"), "%TEMP%\\x"); // not expanded
}

TEST_P(RegistryContract, EmptyStringIsAValueWithoutCharacters) {
    Reg().WriteString("Empty", "");
    const QueryResult raw = RawQuery("Empty");
    EXPECT_EQ(raw.status, QueryStatus::Ok);
    EXPECT_EQ(raw.type, RegType::Sz);
    EXPECT_EQ(raw.data, GetParam().stringEnd());
    EXPECT_EQ(Reg().ReadString("Empty"), "");
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadInteger("Empty"); }), "Invalid data type for 'Empty'");
}

TEST_P(RegistryContract, IntegersAndBooleansRoundTripAsLittleEndianDwords) {
    Reg().WriteInteger("Negative", -2);
    Reg().WriteInteger("Large", 65541);
    Reg().WriteBool("True", true);
    Reg().WriteBool("False", false);
    EXPECT_EQ(RawQuery("Negative").data, (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(RawQuery("Large").type, RegType::Dword);
    EXPECT_EQ(RawQuery("True").data, (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(RawQuery("False").data, (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Reg().ReadInteger("Negative"), -2);
    EXPECT_EQ(Reg().ReadInteger("Large"), 65541);
    EXPECT_TRUE(Reg().ReadBool("True"));
    EXPECT_FALSE(Reg().ReadBool("False"));

    PutRaw("Short", RegType::Dword, {0x34, 0x12});
    EXPECT_EQ(Reg().ReadInteger("Short"), 0x1234);
}

TEST_P(RegistryContract, FloatsRoundTripAsEightByteBinary) {
    Reg().WriteFloat("Twelve", 12.0);
    Reg().WriteFloat("Odd", -0.1);
    EXPECT_EQ(RawQuery("Twelve").type, RegType::Binary);
    EXPECT_EQ(RawQuery("Twelve").data, (Bytes{0, 0, 0, 0, 0, 0, 0x28, 0x40}));
    EXPECT_EQ(Reg().ReadFloat("Twelve"), 12.0);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(Reg().ReadFloat("Odd")), std::bit_cast<std::uint64_t>(-0.1));
}

TEST_P(RegistryContract, WrongSizesAndTypesGiveTheirErrors) {
    PutRaw("Nine", RegType::Binary, Bytes(9, 1));
    PutRaw("Four", RegType::Binary, Bytes(4, 1));
    PutRaw("Qword", RegType::Qword, Bytes(8, 0));
    PutRaw("Digits", RegType::Sz, BytesOf("12"));
    PutRaw("Multi", RegType::MultiSz, {'a', 0, 'b', 0, 0});
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadFloat("Nine"); }), "Failed to get data for 'Nine'");
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadFloat("Four"); }), "Invalid data type for 'Four'");
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadInteger("Qword"); }), "Failed to get data for 'Qword'");
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadInteger("Digits"); }), "Invalid data type for 'Digits'");
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadString("Multi"); }), "Invalid data type for 'Multi'");
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadString("Qword"); }), "Invalid data type for 'Qword'");
}

TEST_P(RegistryContract, TooSmallBufferReportsMoreDataWithTypeAndFullSize) {
    Reg().WriteInteger("Dword", 5);
    Reg().WriteString("Text", "hello");
    const QueryResult small = RawQuery("Dword", 2);
    EXPECT_EQ(small.status, QueryStatus::MoreData);
    EXPECT_EQ(small.type, RegType::Dword);
    EXPECT_EQ(small.size, 4u);
    EXPECT_EQ(RawQuery("Dword", 4).status, QueryStatus::Ok);
    Bytes stored = BytesOf("hello");
    const Bytes end = GetParam().stringEnd();
    stored.insert(stored.end(), end.begin(), end.end());
    const QueryResult text = RawQuery("Text", 0);
    EXPECT_EQ(text.status, QueryStatus::MoreData);
    EXPECT_EQ(text.size, stored.size());
    EXPECT_EQ(RawQuery("Text", stored.size()).data, stored);
}

TEST_P(RegistryContract, RewritingAValueReplacesItsType) {
    Reg().WriteInteger("Value", 5);
    Reg().WriteString("Value", "x");
    EXPECT_EQ(Reg().ReadString("Value"), "x");
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadInteger("Value"); }), "Invalid data type for 'Value'");
}

TEST_P(RegistryContract, WithoutAnOpenKeyReadsFailAndWritesAreRefused) {
    Reg().CloseKey();
    EXPECT_EQ(RegistryErrorOf([&] { Reg().ReadInteger("Any"); }), "Failed to get data for 'Any'");
    EXPECT_EQ(RegistryErrorOf([&] { Reg().WriteString("Any", "x"); }), "Failed to set data for 'Any'");
}

} // namespace tavrin::testing
