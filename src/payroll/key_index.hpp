#pragma once
// Employees by their keys: a table probed once per row of a large file, so it keeps the keys
// back to back and a part of each key's hash beside its number, and most lookups touch two
// places in memory.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace payroll {

class KeyIndex {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // The number of `key` (0, 1, … in the order first added), kNone if it was never added.
    std::uint32_t find(std::string_view key) const;
    // The number of `key`, adding it as the next number if it is new.
    std::uint32_t add(std::string_view key);

    std::size_t size() const { return starts_.size(); }
    std::string_view key(std::uint32_t number) const;

private:
    // Where `key` is, or the empty place where it would go.
    std::size_t place(std::string_view key, std::uint64_t hash) const;
    void grow();

    std::string keys_;                  // every key, back to back
    std::vector<std::size_t> starts_;   // of each key in keys_
    std::vector<std::uint64_t> table_;  // hash's high half << 32 | number + 1; 0 is empty
};

}  // namespace payroll
