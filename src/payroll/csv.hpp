#pragma once
// Records of a CSV file (RFC 4180) from UTF-8 text that arrives in pieces.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace payroll {

// One record: the line it starts on (1 for the first), its text as it stands in the file
// (quotes included, its line end not) and its fields without their quotes.
struct CsvRecord {
    std::int64_t line = 0;
    std::string_view text;
    std::size_t length = 0;  // of its text and its line end: where the next record starts
    std::vector<std::string_view> fields;
};

struct CsvError {
    std::int64_t line = 0;
    std::string message;  // in Chinese, as the payroll clerk reads it
};

// Fields are separated by commas; a field in double quotes may hold commas, line ends and
// doubled quotes, which stand for one; a record ends with CRLF, LF or a lone CR, each one line.
// A quote inside an unquoted field, text after a closing quote and a quote never closed are
// errors. A blank line is a record of one empty field.
class CsvReader {
public:
    enum class Step { Record, NeedText, End, Failed };

    // More text. The views of records read before it are no longer valid.
    void feed(std::string_view text);
    // No more text will come: the last record may end without a line end.
    void finish() { finished_ = true; }

    // The next complete record; NeedText when the text fed so far ends inside one.
    Step next(CsvRecord& record);
    const CsvError& error() const { return error_; }

private:
    // A field with doubled quotes, undoubled into unquoted_, which may move while a record is
    // read: its view is set once the record is complete.
    struct Unquoted {
        std::size_t field, offset, size;
    };
    Step fail(std::int64_t line, std::string message);

    std::string buffer_;
    std::size_t pos_ = 0;
    std::int64_t line_ = 1;
    bool finished_ = false;
    std::string unquoted_;
    std::vector<Unquoted> unquotedFields_;
    CsvError error_;
};

}  // namespace payroll
