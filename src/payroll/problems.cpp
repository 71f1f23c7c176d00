#include "payroll/problems.hpp"

#include <algorithm>

namespace payroll {
namespace {

template <typename E>
bool Earlier(const E& a, const E& b) {
    return a.line != b.line ? a.line < b.line : a.order < b.order;
}

}  // namespace

void Problems::add(std::int64_t line, std::string text) {
    const auto earlier = [](const Entry& a, const Entry& b) { return Earlier(a, b); };
    Entry entry{line, total_++, std::move(text)};
    if (kept_.size() == kShown) {
        if (!Earlier(entry, kept_.front())) return;
        std::pop_heap(kept_.begin(), kept_.end(), earlier);
        kept_.pop_back();
    }
    kept_.push_back(std::move(entry));
    std::push_heap(kept_.begin(), kept_.end(), earlier);
}

std::vector<Problem> Problems::shown() const {
    std::vector<Entry> sorted = kept_;
    std::sort(sorted.begin(), sorted.end(),
              [](const Entry& a, const Entry& b) { return Earlier(a, b); });
    std::vector<Problem> problems;
    for (Entry& entry : sorted) problems.push_back({entry.line, std::move(entry.text)});
    return problems;
}

}  // namespace payroll
