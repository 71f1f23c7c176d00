#pragma once
// The bytes of a payroll file as UTF-8 text: UTF-8 (with or without a byte-order mark) passes
// through checked, GB18030 is converted.

#include <QIODevice>
#include <QStringDecoder>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace payroll {

enum class Encoding { Utf8, Gb18030 };

// The length of the longest prefix of `text` that is well-formed UTF-8 (no overlong forms,
// surrogates or code points above U+10FFFF); text.size() when all of it is.
std::size_t ValidUtf8Prefix(std::string_view text);

// Reads a device from where it stands, in blocks that end at a line end (or the end of the
// input), so that no character is split between blocks and a block that cannot be decoded
// can be traced to its line.
class TextDecoder {
public:
    enum class Step { Text, End, Failed };

    // `checked`: the text was read before without fault, so UTF-8 is passed on unchecked.
    TextDecoder(QIODevice& device, Encoding encoding, bool checked = false);

    // The next block of UTF-8 text, valid until the next call. A byte-order mark at the start
    // is dropped. Failed: the device could not be read (readError()) or a byte cannot be
    // decoded (badOffset()); the lines before that byte's line are handed out first.
    Step next(std::string_view& text);

    bool byteOrderMark() const { return byteOrderMark_; }
    // The offset from the start of the reading of the first line that cannot be decoded; -1
    // when every byte so far could.
    std::int64_t badOffset() const { return badOffset_; }
    QString readError() const { return readError_; }

private:
    bool decode(std::string_view block, bool last);

    QIODevice& device_;
    Encoding encoding_;
    bool checked_;
    QStringDecoder gb18030_;
    std::unique_ptr<char[]> raw_;  // not zeroed: every byte is read into before it is used
    std::size_t rawSize_ = 0, rawCapacity_ = 0;
    std::string converted_;
    std::size_t consumed_ = 0;   // bytes of raw_ handed out by the last call
    std::size_t utf8Lines_ = 0;  // of the block, the whole lines that are UTF-8
    std::int64_t offset_ = 0;    // of raw_[0] in the input
    bool atStart_ = true, atEnd_ = false, byteOrderMark_ = false;
    std::int64_t badOffset_ = -1;
    QString readError_;
};

// The line (1 for the first) of the byte at `offset`, counted from where the device stands:
// CRLF, LF and a lone CR each end one line. For the place of an undecodable byte.
std::int64_t LineOfOffset(QIODevice& device, std::int64_t offset);

}  // namespace payroll
