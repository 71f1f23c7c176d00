#include "payroll/text_decoder.hpp"

#include <algorithm>
#include <cstring>

namespace payroll {
namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kGb18030Mark = "\x84\x31\x95\x33";

bool Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the well-formed sequence at text[i] (a lead byte above 0x7F), 0 if none.
std::size_t SequenceAt(std::string_view text, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const std::size_t left = text.size() - i;
    const unsigned char lead = at(0);
    if (lead >= 0xC2 && lead <= 0xDF) return left >= 2 && Continuation(at(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !Continuation(at(1)) || !Continuation(at(2))) return 0;
        if (lead == 0xE0 && at(1) < 0xA0) return 0;  // overlong
        if (lead == 0xED && at(1) > 0x9F) return 0;  // surrogate
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !Continuation(at(1)) || !Continuation(at(2)) || !Continuation(at(3))) {
            return 0;
        }
        if (lead == 0xF0 && at(1) < 0x90) return 0;  // overlong
        if (lead == 0xF4 && at(1) > 0x8F) return 0;  // above U+10FFFF
        return 4;
    }
    return 0;
}

std::size_t LastLineEnd(std::string_view bytes) {
    for (std::size_t i = bytes.size(); i > 0; --i) {
        if (bytes[i - 1] == '\n' || bytes[i - 1] == '\r') return i;
    }
    return 0;
}

}  // namespace

std::size_t ValidUtf8Prefix(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        // Eight ASCII bytes at a time: most of a payroll file is digits and commas.
        while (i + 8 <= text.size()) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + i, 8);
            if ((word & 0x8080808080808080ULL) != 0) break;
            i += 8;
        }
        if (i == text.size()) break;
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = SequenceAt(text, i);
        if (length == 0) return i;
        i += length;
    }
    return text.size();
}

TextDecoder::TextDecoder(QIODevice& device, Encoding encoding, bool checked)
    : device_(device), encoding_(encoding), checked_(checked), gb18030_("GB18030") {}

TextDecoder::Step TextDecoder::next(std::string_view& text) {
    if (badOffset_ >= 0 || !readError_.isEmpty()) return Step::Failed;
    if (consumed_ > 0) std::memmove(raw_.get(), raw_.get() + consumed_, rawSize_ - consumed_);
    rawSize_ -= consumed_;
    offset_ += static_cast<std::int64_t>(consumed_);
    consumed_ = 0;
    std::size_t cut = 0, scanned = 0;
    for (;;) {
        if (!atEnd_) {
            if (rawCapacity_ - rawSize_ < kChunk) {
                rawCapacity_ = std::max(2 * rawCapacity_, rawSize_ + kChunk);
                auto larger = std::make_unique_for_overwrite<char[]>(rawCapacity_);
                if (rawSize_ > 0) std::memcpy(larger.get(), raw_.get(), rawSize_);
                raw_ = std::move(larger);
            }
            const qint64 got = device_.read(raw_.get() + rawSize_, static_cast<qint64>(kChunk));
            if (got < 0) {
                readError_ = device_.errorString();
                return Step::Failed;
            }
            rawSize_ += static_cast<std::size_t>(got);
            if (got == 0) atEnd_ = true;
        }
        if (atEnd_) {
            cut = rawSize_;
            break;
        }
        // A CR at the end may be the first half of a CRLF: the block ends before it.
        const std::string_view settled(raw_.get(), rawSize_ - 1);
        cut = LastLineEnd(settled.substr(scanned));
        if (cut > 0) {
            cut += scanned;
            break;
        }
        scanned = settled.size();
    }
    if (cut == 0) return Step::End;
    consumed_ = cut;
    std::string_view block(raw_.get(), cut);
    if (atStart_) {
        atStart_ = false;
        const std::string_view mark = encoding_ == Encoding::Utf8 ? kUtf8Mark : kGb18030Mark;
        if (block.starts_with(mark)) {
            byteOrderMark_ = true;
            block.remove_prefix(mark.size());
        }
    }
    if (!decode(block, atEnd_)) return Step::Failed;
    if (encoding_ == Encoding::Utf8 && utf8Lines_ < block.size()) {
        // The whole lines before the one at fault first; the next call fails on it.
        consumed_ -= block.size() - utf8Lines_;
        block = block.substr(0, utf8Lines_);
    }
    text = encoding_ == Encoding::Utf8 ? block : std::string_view(converted_);
    return Step::Text;
}

bool TextDecoder::decode(std::string_view block, bool last) {
    const std::int64_t blockOffset = offset_ + static_cast<std::int64_t>(consumed_ - block.size());
    if (encoding_ == Encoding::Utf8) {
        utf8Lines_ = block.size();
        if (checked_) return true;
        const std::size_t valid = ValidUtf8Prefix(block);
        if (valid == block.size()) return true;
        utf8Lines_ = LastLineEnd(block.substr(0, valid));
        if (utf8Lines_ > 0) return true;
        badOffset_ = blockOffset;
        return false;
    }
    // A sequence cut short by the end of the input is an error only when something follows
    // it, so the last block is decoded with a line end after it, which is then dropped.
    QString text;
    if (last) {
        QByteArray ended(block.data(), static_cast<qsizetype>(block.size()));
        text = gb18030_.decode(ended + '\n');
    } else {
        text = gb18030_.decode(QByteArrayView(block.data(), static_cast<qsizetype>(block.size())));
    }
    if (last && !text.isEmpty()) text.chop(1);
    if (gb18030_.hasError()) {
        // Each line alone, from a clean state: blocks start at line ends, which are single
        // bytes in GB18030 as in ASCII.
        std::size_t start = 0;
        while (start < block.size()) {
            std::size_t end = block.find_first_of("\r\n", start);
            end = end == std::string_view::npos ? block.size() : end + 1;
            QStringDecoder line("GB18030");
            // decode() converts only when its result is taken.
            const QString decoded = line.decode(
                QByteArray(block.data() + start, static_cast<qsizetype>(end - start)) + '\n');
            if (line.hasError()) break;
            start = end;
        }
        badOffset_ = blockOffset + static_cast<std::int64_t>(std::min(start, block.size()));
        return false;
    }
    converted_ = text.toStdString();
    return true;
}

std::int64_t LineOfOffset(QIODevice& device, std::int64_t offset) {
    std::int64_t line = 1, done = 0;
    bool afterCr = false;
    std::string chunk(kChunk, '\0');
    while (done < offset) {
        const qint64 want = std::min<qint64>(static_cast<qint64>(kChunk), offset - done);
        const qint64 got = device.read(chunk.data(), want);
        if (got <= 0) break;
        for (qint64 i = 0; i < got; ++i) {
            const char c = chunk[static_cast<std::size_t>(i)];
            if (c == '\n') {
                if (!afterCr) ++line;
            } else if (c == '\r') {
                ++line;
            }
            afterCr = c == '\r';
        }
        done += got;
    }
    return line;
}

}  // namespace payroll
