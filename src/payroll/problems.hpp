#pragma once
// What is wrong with a payroll file, line by line.

#include <cstdint>
#include <string>
#include <vector>

namespace payroll {

struct Problem {
    std::int64_t line;  // 0: the file as a whole
    std::string text;   // after "FILE:LINE: "
};

// Keeps the kShown problems of the lowest lines (in the order found within a line) and counts
// them all, so that a file wrong in every row costs no more memory than one wrong once.
class Problems {
public:
    static constexpr std::size_t kShown = 50;

    void add(std::int64_t line, std::string text);
    bool empty() const { return total_ == 0; }
    std::int64_t total() const { return total_; }
    // By line, at most kShown.
    std::vector<Problem> shown() const;

private:
    struct Entry {
        std::int64_t line, order;
        std::string text;
    };
    std::vector<Entry> kept_;  // a max-heap by (line, order)
    std::int64_t total_ = 0;
};

}  // namespace payroll
