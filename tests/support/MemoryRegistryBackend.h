// An in-memory registry for tests. Like the real one, key paths and value names compare
// without regard to ASCII case, and values keep exactly the bytes they were given. Knobs
// simulate the failures the settings layer must survive, and every write through Set is
// recorded in order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "settings/RegistryBackend.h"

namespace tavrin {

class MemoryRegistryBackend final : public RegistryBackend {
  public:
    struct Value {
        std::uint32_t type = RegType::None;
        std::vector<std::uint8_t> data;
    };
    struct Write {
        std::string key;  // the path the key was opened with
        std::string name; // the value name as written
        std::uint32_t type = RegType::None;
        std::vector<std::uint8_t> data;
    };

    std::optional<Handle> Open(std::string_view path, bool create) override;
    void Close(Handle key) override;
    QueryResult Query(Handle key, std::string_view name, std::size_t bufferSize) override;
    bool Set(Handle key, std::string_view name, std::uint32_t type,
             std::span<const std::uint8_t> data) override;

    // Direct set-up and inspection; not recorded as writes.
    void AddKey(std::string_view path); // with its parents
    void Put(std::string_view path, std::string_view name, std::uint32_t type,
             std::vector<std::uint8_t> data); // adds the key if needed
    void PutDword(std::string_view path, std::string_view name, std::uint32_t value);
    void PutString(std::string_view path, std::string_view name, std::string_view text,
                   bool withTerminatingZero = false);
    void PutDouble(std::string_view path, std::string_view name, double value);
    bool HasKey(std::string_view path) const;
    std::optional<Value> Get(std::string_view path, std::string_view name) const;
    std::size_t ValueCount(std::string_view path) const;

    // Failure knobs.
    void DenyFullAccess(std::string_view path); // the key exists but Open refuses it
    void FailWritesTo(std::string_view name);   // Set of this value name is refused
    void FailCreate(bool fail = true);          // every Open with create is refused

    const std::vector<Write>& Writes() const { return writes_; }
    std::size_t OpenHandleCount() const { return open_.size(); }

  private:
    struct Key {
        std::map<std::string, std::pair<std::string, Value>> values; // folded name -> (name, value)
    };
    Key* Find(std::string_view path);
    const Key* Find(std::string_view path) const;
    const std::string* OpenPath(Handle key) const;

    std::map<std::string, Key> keys_;        // by folded path
    std::map<Handle, std::string> open_;     // handle -> folded path
    std::map<Handle, std::string> openedAs_; // handle -> path as the caller spelled it
    std::set<std::string> denied_;
    std::set<std::string> failingNames_;
    bool failCreate_ = false;
    Handle nextHandle_ = 1;
    std::vector<Write> writes_;
};

} // namespace tavrin
