#include "support/MemoryRegistryBackend.h"

#include <bit>

namespace tavrin {

namespace {

// The registry compares key paths and value names without regard to case.
std::string Fold(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

} // namespace

MemoryRegistryBackend::Key* MemoryRegistryBackend::Find(std::string_view path) {
    const auto it = keys_.find(Fold(path));
    return it == keys_.end() ? nullptr : &it->second;
}

const MemoryRegistryBackend::Key* MemoryRegistryBackend::Find(std::string_view path) const {
    const auto it = keys_.find(Fold(path));
    return it == keys_.end() ? nullptr : &it->second;
}

const std::string* MemoryRegistryBackend::OpenPath(Handle key) const {
    const auto it = open_.find(key);
    return it == open_.end() ? nullptr : &it->second;
}

std::optional<RegistryBackend::Handle> MemoryRegistryBackend::Open(std::string_view path, bool create) {
    const std::string folded = Fold(path);
    if (denied_.contains(folded)) return std::nullopt;
    if (create) {
        if (failCreate_) return std::nullopt;
        AddKey(path);
    } else if (!keys_.contains(folded)) {
        return std::nullopt;
    }
    const Handle handle = nextHandle_++;
    open_[handle] = folded;
    openedAs_[handle] = std::string(path);
    return handle;
}

void MemoryRegistryBackend::Close(Handle key) {
    open_.erase(key);
    openedAs_.erase(key);
}

QueryResult MemoryRegistryBackend::Query(Handle key, std::string_view name, std::size_t bufferSize) {
    const std::string* path = OpenPath(key);
    if (!path) return {};
    const Key& k = keys_.at(*path);
    const auto it = k.values.find(Fold(name));
    if (it == k.values.end()) return {QueryStatus::Absent, RegType::None, 0, {}};
    const Value& value = it->second.second;
    QueryResult result{QueryStatus::Ok, value.type, static_cast<std::uint32_t>(value.data.size()), {}};
    if (value.data.size() > bufferSize)
        result.status = QueryStatus::MoreData;
    else
        result.data = value.data;
    return result;
}

bool MemoryRegistryBackend::Set(Handle key, std::string_view name, std::uint32_t type,
                                std::span<const std::uint8_t> data) {
    const std::string* path = OpenPath(key);
    if (!path || failingNames_.contains(Fold(name))) return false;
    std::vector<std::uint8_t> bytes(data.begin(), data.end());
    writes_.push_back({openedAs_.at(key), std::string(name), type, bytes});
    keys_.at(*path).values[Fold(name)] = {std::string(name), Value{type, std::move(bytes)}};
    return true;
}

void MemoryRegistryBackend::AddKey(std::string_view path) {
    for (std::size_t pos = path.find('\\'); pos != std::string_view::npos; pos = path.find('\\', pos + 1))
        keys_[Fold(path.substr(0, pos))];
    keys_[Fold(path)];
}

void MemoryRegistryBackend::Put(std::string_view path, std::string_view name, std::uint32_t type,
                                std::vector<std::uint8_t> data) {
    AddKey(path);
    Find(path)->values[Fold(name)] = {std::string(name), Value{type, std::move(data)}};
}

void MemoryRegistryBackend::PutDword(std::string_view path, std::string_view name, std::uint32_t value) {
    Put(path, name, RegType::Dword,
        {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
         static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void MemoryRegistryBackend::PutString(std::string_view path, std::string_view name, std::string_view text,
                                      bool withTerminatingZero) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    if (withTerminatingZero) bytes.push_back(0);
    Put(path, name, RegType::Sz, std::move(bytes));
}

void MemoryRegistryBackend::PutDouble(std::string_view path, std::string_view name, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::vector<std::uint8_t> bytes(8);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    Put(path, name, RegType::Binary, std::move(bytes));
}

bool MemoryRegistryBackend::HasKey(std::string_view path) const {
    return Find(path) != nullptr;
}

std::optional<MemoryRegistryBackend::Value> MemoryRegistryBackend::Get(std::string_view path,
                                                                       std::string_view name) const {
    const Key* key = Find(path);
    if (!key) return std::nullopt;
    const auto it = key->values.find(Fold(name));
    if (it == key->values.end()) return std::nullopt;
    return it->second.second;
}

std::size_t MemoryRegistryBackend::ValueCount(std::string_view path) const {
    const Key* key = Find(path);
    return key ? key->values.size() : 0;
}

void MemoryRegistryBackend::DenyFullAccess(std::string_view path) {
    AddKey(path);
    denied_.insert(Fold(path));
}

void MemoryRegistryBackend::FailWritesTo(std::string_view name) {
    failingNames_.insert(Fold(name));
}

void MemoryRegistryBackend::FailCreate(bool fail) {
    failCreate_ = fail;
}

} // namespace tavrin
