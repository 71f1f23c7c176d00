#include "payroll/csv.hpp"
#include "payroll/text_decoder.hpp"

#include <QBuffer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using payroll::CsvReader;
using payroll::CsvRecord;

struct Read {
    std::vector<std::int64_t> lines;
    std::vector<std::string> texts;
    std::vector<std::vector<std::string>> fields;
    std::int64_t errorLine = 0;
};

// Feeds the text `piece` bytes at a time: a record split anywhere reads the same.
Read ReadAll(const std::string& text, std::size_t piece) {
    Read read;
    CsvReader csv;
    CsvRecord record;
    std::size_t fed = 0;
    for (;;) {
        const CsvReader::Step step = csv.next(record);
        if (step == CsvReader::Step::Record) {
            read.lines.push_back(record.line);
            read.texts.emplace_back(record.text);
            read.fields.emplace_back(record.fields.begin(), record.fields.end());
        } else if (step == CsvReader::Step::NeedText) {
            if (fed == text.size()) {
                csv.finish();
            } else {
                csv.feed(std::string_view(text).substr(fed, piece));
                fed = std::min(text.size(), fed + piece);
            }
        } else {
            if (step == CsvReader::Step::Failed) read.errorLine = csv.error().line;
            return read;
        }
    }
}

using Fields = std::vector<std::vector<std::string>>;

TEST(CsvReader, Records) {
    const struct {
        const char* text;
        Fields fields;
        std::vector<std::int64_t> lines;
    } kRows[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"a\rb\r\nc", {{"a"}, {"b"}, {"c"}}, {1, 2, 3}},
        {"\"x,y\",\"say \"\"hi\"\"\"\n", {{"x,y", "say \"hi\""}}, {1}},
        {"\"two\r\nlines\",z\nnext\n", {{"two\r\nlines", "z"}, {"next"}}, {1, 3}},
        {",,\n\n\"\"\n", {{"", "", ""}, {""}, {""}}, {1, 2, 3}},
        {"a,\n", {{"a", ""}}, {1}},
    };
    for (const auto& row : kRows) {
        for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{1000}}) {
            const Read read = ReadAll(row.text, piece);
            EXPECT_EQ(read.fields, row.fields) << row.text << " in pieces of " << piece;
            EXPECT_EQ(read.lines, row.lines) << row.text << " in pieces of " << piece;
            EXPECT_EQ(read.errorLine, 0) << row.text;
        }
    }
}

TEST(CsvReader, TextIsAsWritten) {
    const Read read = ReadAll("\"a\"\"b\",c\r\nd\n", 3);
    EXPECT_EQ(read.texts, (std::vector<std::string>{"\"a\"\"b\",c", "d"}));
}

TEST(CsvReader, Malformed) {
    const struct {
        const char* text;
        std::int64_t line;
    } kRows[] = {{"a,b\nc\"d,e\n", 2},     // a quote inside an unquoted field
                 {"a\n\"b\"c\n", 2},       // text after the closing quote
                 {"a\nb\n\"c,\nd\n", 3}};  // never closed: the line of its opening quote
    for (const auto& row : kRows) {
        EXPECT_EQ(ReadAll(row.text, 1).errorLine, row.line) << row.text;
        EXPECT_EQ(ReadAll(row.text, 1000).errorLine, row.line) << row.text;
    }
}

TEST(ValidUtf8Prefix, Table) {
    const struct {
        std::string text;
        std::size_t valid;
    } kRows[] = {{"plain ascii text, long enough for words", 39},
                 {"月份", 6},
                 {"ab\xC3\xA9", 4},
                 {"ab\xC0\xAF", 2},          // overlong
                 {"ab\xED\xA0\x80", 2},      // surrogate
                 {"ab\xF4\x90\x80\x80", 2},  // above U+10FFFF
                 {"\xF0\x9F\x98\x80!", 5},
                 {"abc\xE6\x9C", 3},        // cut short
                 {"\xD4\xC2\xB7\xDD", 0}};  // 月份 in GB18030
    for (const auto& row : kRows) EXPECT_EQ(payroll::ValidUtf8Prefix(row.text), row.valid);
}

// The decoder's text and the line of the first byte it cannot decode, in either encoding.
TEST(TextDecoder, DecodesAndPlacesBadLines) {
    const struct {
        std::string bytes;
        payroll::Encoding encoding;
        std::string text;
        std::int64_t badLine;  // 0: none
    } kRows[] = {
        {"\xEF\xBB\xBF月份\r\n1\n", payroll::Encoding::Utf8, "月份\r\n1\n", 0},
        {"a\nb\r\n\xFF\n", payroll::Encoding::Utf8, "", 3},
        {"\xD4\xC2\xB7\xDD,\xB9\xA4\xBA\xC5\n", payroll::Encoding::Gb18030, "月份,工号\n", 0},
        {"\x84\x31\x95\x33\xD4\xC2", payroll::Encoding::Gb18030, "月", 0},
        {"a\rb\n\xD4", payroll::Encoding::Gb18030, "", 3},  // cut short at the end
        {"a\n\x80\n", payroll::Encoding::Gb18030, "", 2},
    };
    for (const auto& row : kRows) {
        QByteArray bytes(row.bytes.data(), static_cast<qsizetype>(row.bytes.size()));
        QBuffer device(&bytes);
        device.open(QIODevice::ReadOnly);
        payroll::TextDecoder decoder(device, row.encoding);
        std::string text;
        std::string_view block;
        payroll::TextDecoder::Step step;
        while ((step = decoder.next(block)) == payroll::TextDecoder::Step::Text) text += block;
        if (row.badLine == 0) {
            EXPECT_EQ(step, payroll::TextDecoder::Step::End) << row.bytes;
            EXPECT_EQ(text, row.text);
        } else {
            ASSERT_EQ(step, payroll::TextDecoder::Step::Failed) << row.bytes;
            device.seek(0);
            EXPECT_EQ(payroll::LineOfOffset(device, decoder.badOffset()), row.badLine);
        }
    }
}

}  // namespace
