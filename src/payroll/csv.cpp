#include "payroll/csv.hpp"

#include <array>
#include <cstring>

namespace payroll {
namespace {

// The bytes that end an unquoted field or make it malformed.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> special{};
    special[static_cast<unsigned char>(',')] = true;
    special[static_cast<unsigned char>('"')] = true;
    special[static_cast<unsigned char>('\r')] = true;
    special[static_cast<unsigned char>('\n')] = true;
    return special;
}();

// CRLF, LF and a lone CR each end one line.
std::int64_t LineEnds(std::string_view text) {
    std::int64_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++count;
        }
    }
    return count;
}

}  // namespace

void CsvReader::feed(std::string_view text) {
    buffer_.erase(0, pos_);
    pos_ = 0;
    buffer_.append(text);
}

CsvReader::Step CsvReader::fail(std::int64_t line, std::string message) {
    error_ = {line, std::move(message)};
    return Step::Failed;
}

CsvReader::Step CsvReader::next(CsvRecord& record) {
    if (!error_.message.empty()) return Step::Failed;
    const char* b = buffer_.data();
    const std::size_t n = buffer_.size();
    std::size_t i = pos_;
    if (i == n) return finished_ ? Step::End : Step::NeedText;
    record.fields.clear();
    unquotedFields_.clear();
    unquoted_.clear();
    std::int64_t lines = 0;  // line ends inside quoted fields
    std::size_t textEnd = 0;
    for (;;) {
        if (i < n && b[i] == '"') {
            const std::size_t start = ++i;
            const std::int64_t quoteLine = line_ + lines;
            bool doubled = false;
            std::size_t close = 0;
            for (;;) {
                const void* quote = std::memchr(b + i, '"', n - i);
                if (quote == nullptr) {
                    if (!finished_) return Step::NeedText;
                    return fail(quoteLine, "CSV 格式错误: 引号没有闭合 (该字段的引号开始于此行)");
                }
                close = static_cast<std::size_t>(static_cast<const char*>(quote) - b);
                if (close + 1 == n && !finished_) return Step::NeedText;
                if (close + 1 < n && b[close + 1] == '"') {
                    doubled = true;
                    i = close + 2;
                    continue;
                }
                i = close + 1;
                break;
            }
            const std::string_view inside(b + start, close - start);
            lines += LineEnds(inside);
            if (doubled) {
                const std::size_t offset = unquoted_.size();
                for (std::size_t k = 0; k < inside.size(); ++k) {
                    unquoted_ += inside[k];
                    if (inside[k] == '"') ++k;  // the second of a doubled quote
                }
                unquotedFields_.push_back(
                    {record.fields.size(), offset, unquoted_.size() - offset});
                record.fields.emplace_back();
            } else {
                record.fields.push_back(inside);
            }
            if (i < n && b[i] != ',' && b[i] != '\r' && b[i] != '\n') {
                return fail(line_ + lines,
                            "CSV 格式错误: 闭合的引号后还有字符 (含逗号、引号或换行的字段须整个"
                            "放在引号里，其中的引号写两遍)");
            }
        } else {
            const std::size_t start = i;
            while (i < n && !kSpecial[static_cast<unsigned char>(b[i])]) ++i;
            if (i < n && b[i] == '"') {
                return fail(line_ + lines,
                            "CSV 格式错误: 未加引号的字段中有引号 (含引号的字段须整个放在引号里，"
                            "其中的引号写两遍)");
            }
            record.fields.emplace_back(b + start, i - start);
        }
        if (i == n) {
            if (!finished_) return Step::NeedText;
            textEnd = i;
            break;
        }
        if (b[i] == ',') {
            ++i;
            continue;
        }
        textEnd = i;
        if (b[i] == '\r') {
            if (i + 1 == n && !finished_) return Step::NeedText;
            i += (i + 1 < n && b[i + 1] == '\n') ? 2 : 1;
        } else {
            ++i;
        }
        break;
    }
    record.line = line_;
    record.text = std::string_view(b + pos_, textEnd - pos_);
    record.length = i - pos_;
    for (const Unquoted& field : unquotedFields_) {
        record.fields[field.field] = std::string_view(unquoted_).substr(field.offset, field.size);
    }
    line_ += lines + 1;
    pos_ = i;
    return Step::Record;
}

}  // namespace payroll
