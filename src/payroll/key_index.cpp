#include "payroll/key_index.hpp"

#include <functional>

namespace payroll {
namespace {

std::uint64_t Hash(std::string_view key) { return std::hash<std::string_view>{}(key); }
std::uint64_t Tag(std::uint64_t hash) { return hash & 0xFFFF'FFFF'0000'0000ULL; }

}  // namespace

std::string_view KeyIndex::key(std::uint32_t number) const {
    const std::size_t start = starts_[number];
    const std::size_t end = number + 1 < starts_.size() ? starts_[number + 1] : keys_.size();
    return std::string_view(keys_).substr(start, end - start);
}

std::size_t KeyIndex::place(std::string_view key, std::uint64_t hash) const {
    const std::size_t mask = table_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const std::uint64_t entry = table_[at];
        if (entry == 0) return at;
        if (Tag(entry) == Tag(hash) && this->key(static_cast<std::uint32_t>(entry) - 1) == key) {
            return at;
        }
    }
}

std::uint32_t KeyIndex::find(std::string_view key) const {
    if (table_.empty()) return kNone;
    const std::uint64_t entry = table_[place(key, Hash(key))];
    return entry == 0 ? kNone : static_cast<std::uint32_t>(entry) - 1;
}

std::uint32_t KeyIndex::add(std::string_view key) {
    // At most half full, so that probes stay short.
    if (2 * (starts_.size() + 1) > table_.size()) grow();
    const std::uint64_t hash = Hash(key);
    const std::size_t at = place(key, hash);
    if (table_[at] != 0) return static_cast<std::uint32_t>(table_[at]) - 1;
    const auto number = static_cast<std::uint32_t>(starts_.size());
    starts_.push_back(keys_.size());
    keys_.append(key);
    table_[at] = Tag(hash) | (std::uint64_t{number} + 1);
    return number;
}

void KeyIndex::grow() {
    std::vector<std::uint64_t> old = std::move(table_);
    table_.assign(old.empty() ? 1024 : 2 * old.size(), 0);
    const std::size_t mask = table_.size() - 1;
    for (const std::uint64_t entry : old) {
        if (entry == 0) continue;
        const std::uint64_t hash = Hash(key(static_cast<std::uint32_t>(entry) - 1));
        std::size_t at = hash & mask;
        while (table_[at] != 0) at = (at + 1) & mask;
        table_[at] = entry;
    }
}

}  // namespace payroll
