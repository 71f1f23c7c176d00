#include "payroll/withholding.hpp"

#include "payroll/amount.hpp"
#include "payroll/csv.hpp"

#include <QStringEncoder>

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace payroll {

using tax::current::BasicDeduction;
using tax::current::MonthIncome;
using tax::current::MonthRow;

namespace {
// Slots come in chunks of 4 MiB on 2 MiB boundaries, which the kernel may back with huge pages:
// a company of 100,000 employees touches about 100 MB of them, and a page fault each 4 KiB is
// a tenth of the run on a virtual machine.
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kChunkBytes = 2 * kHugePage;
}  // namespace

// One employee's month. While reading: the month's own figures in MonthIncome's order and the
// line it came from; once computed: the sums from the first month to this one, the basic
// deduction counted, the cumulative taxable income and the tax withheld so far.
struct PayrollFile::Slot {
    enum : std::size_t { kGross, kExempt, kSpecial, kAdditional, kOther, kDonation, kRelief };
    enum : std::size_t { kLine = 7, kBasic = 7, kTaxable = 8, kWithheldSoFar = 9 };
    std::array<Fen, 10> v;  // left unset: a month is written before it is read
    static constexpr std::size_t kPerChunk = kChunkBytes / sizeof(v);
};

void PayrollFile::FreeChunk::operator()(Slot* chunk) const { std::free(chunk); }

// Slot is an implicit-lifetime type: the allocation holds its objects, their values unset.
PayrollFile::Slot* PayrollFile::NewChunk() {
    void* memory = std::aligned_alloc(kHugePage, kChunkBytes);
    if (memory == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(memory, kChunkBytes, MADV_HUGEPAGE);
#endif
    return static_cast<Slot*>(memory);
}

struct PayrollFile::Employee {
    std::int64_t firstLine = 0, lastLine = 0;
    std::int64_t gapLine = 0;  // the first row that came after a gap, and its month
    std::int8_t gapMonth = 0;
    std::uint32_t firstSlot = 0;  // the first month's
    std::uint16_t seen = 0;       // bit m - 1 for month m
    std::int8_t first = 0, last = 0;
    BasicDeduction basic = BasicDeduction::MonthsEmployed;
    std::array<Fen, kCumulativeColumns.size()> cumulative{};  // the last row's
    std::array<std::uint8_t, 12> rate{};
};

namespace {

constexpr std::size_t kFlushAt = 1 << 20;

std::string Text(std::string_view text) { return std::string(text); }

// A cell as a message quotes it: control characters escaped, long text shortened.
std::string Quoted(std::string_view cell) {
    constexpr std::size_t kLongest = 60;
    std::string shown = "\"";
    std::size_t i = 0;
    for (; i < cell.size() && i < kLongest; ++i) {
        const char c = cell[i];
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\t') {
            shown += "\\t";
        } else {
            shown += c;
        }
    }
    if (i < cell.size()) {
        while (i > 0 && (static_cast<unsigned char>(cell[i]) & 0xC0) == 0x80) {
            shown.pop_back();  // never half a character
            --i;
        }
        shown += "…";
    }
    return shown + "\"";
}

std::string CellText(Column column, std::string_view cell, std::string_view message) {
    return "列 " + Text(ColumnName(column)) + ": " + Quoted(cell) + " " + Text(message);
}

bool IsBlank(std::string_view cell) {
    return cell.find_first_not_of(" \t") == std::string_view::npos;
}

// The key an employee is found by: blanks around it removed, ASCII letters in upper case (an
// identity number's check letter X typed either way is one employee).
std::string_view NormalKey(std::string_view cell, std::string& scratch) {
    const std::size_t from = cell.find_first_not_of(" \t");
    if (from == std::string_view::npos) return {};
    cell = cell.substr(from, cell.find_last_not_of(" \t") - from + 1);
    if (std::none_of(cell.begin(), cell.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        return cell;
    }
    scratch.assign(cell);
    for (char& c : scratch) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return scratch;
}

std::string MonthList(std::uint16_t months) {
    std::string list;
    for (int m = 1; m <= 12; ++m) {
        if ((months & (1u << (m - 1))) == 0) continue;
        if (!list.empty()) list += "、";
        list += std::to_string(m);
    }
    return list + " 月";
}

Fen QuickDeduction(const tax::current::Parameters& p, int ratePercent) {
    if (ratePercent == 0) return 0;
    for (const tax::current::Bracket& bracket : p.annual) {
        if (bracket.ratePercent == ratePercent) return bracket.quickDeduction;
    }
    return 0;
}

// Why a rule the year or the employee cannot have is refused.
std::string Unavailable(const tax::current::Parameters& p, BasicDeduction basic, int first) {
    const std::string year = std::to_string(p.year) + " 年";
    switch (basic) {
    case BasicDeduction::FromJanuary:
        if (!p.fromJanuaryFirstMonth) return "在 " + year + "不可用 (该年没有这一减除方式)";
        return "在 " + year + "只适用于当年 " + std::to_string(*p.fromJanuaryFirstMonth) +
               " 月及以后首次取得工资的员工 (该员工的首月是 " + std::to_string(first) + " 月)";
    case BasicDeduction::WholeYear:
        if (!p.wholeYearBasic) return "在 " + year + "不可用 (2021 年起才有这一减除方式)";
        return "只适用于 1 月起在本单位任职的员工 (该员工的首月是 " + std::to_string(first) +
               " 月)";
    case BasicDeduction::MonthsEmployed: break;
    }
    return "不可用";
}

// Where the second pass finds a record and what it writes after it: 13 bytes a record in a
// temporary file, so that the second pass neither parses nor looks up anything again.
struct Place {
    static constexpr std::uint32_t kHeader = KeyIndex::kNone - 1;  // kNone: written as nothing
    std::uint32_t employee;
    std::uint8_t month;
    std::uint32_t textLength, length;  // the record's text, and with its line end
};
constexpr std::size_t kPlaceBytes = 13;

void AppendPlace(std::string& out, const Place& place) {
    char bytes[kPlaceBytes];
    std::memcpy(bytes, &place.employee, 4);
    bytes[4] = static_cast<char>(place.month);
    std::memcpy(bytes + 5, &place.textLength, 4);
    std::memcpy(bytes + 9, &place.length, 4);
    out.append(bytes, kPlaceBytes);
}

Place PlaceAt(const char* bytes) {
    Place place{};
    std::memcpy(&place.employee, bytes, 4);
    place.month = static_cast<std::uint8_t>(bytes[4]);
    std::memcpy(&place.textLength, bytes + 5, 4);
    std::memcpy(&place.length, bytes + 9, 4);
    return place;
}

constexpr std::string_view kAmountRule =
    "不是金额 (金额只含数字和至多一个小数点，最多两位小数，如 1234.56；不带正负号、千位分隔符或"
    "单位，不超过 1000000000000)";

}  // namespace

// The first pass over the records of one encoding.
class PayrollFile::Scan {
public:
    explicit Scan(PayrollFile& file) : f_(file) {}

    bool header(const CsvRecord& record);
    // The row's employee (kNone for a blank row or one that cannot be placed) and month.
    std::pair<std::uint32_t, int> row(const CsvRecord& record);
    void finish();

private:
    struct Cells {
        std::array<Fen, kColumnCount> amount{};
        bool amountsRead = true, cumulativeRead = true;
    };
    void problem(std::int64_t line, std::string text) { f_.problems_.add(line, std::move(text)); }
    std::string_view cell(const CsvRecord& record, Column column) const {
        const int at = f_.columns_[static_cast<std::size_t>(column)];
        return at < 0 ? std::string_view() : record.fields[static_cast<std::size_t>(at)];
    }
    std::uint32_t employee(std::string_view key, std::int64_t line, int month);
    void place(const CsvRecord& record, Employee& e, int month, BasicDeduction basic,
               bool basicFromCell, const Cells& cells);

    PayrollFile& f_;
    std::string scratch_;
    std::uint32_t previous_ = KeyIndex::kNone;  // the employee of the row before
};

bool PayrollFile::Scan::header(const CsvRecord& record) {
    f_.columns_.fill(-1);
    f_.width_ = record.fields.size();
    if (record.fields.size() == 1 && IsBlank(record.fields[0])) {
        problem(record.line,
                "第一行是空的 (第一行应是表头，如 工号,姓名,证件号码,月份,本期收入,…)");
        return false;
    }
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
        const std::optional<Column> column = ColumnNamed(record.fields[i]);
        if (!column) continue;
        int& at = f_.columns_[static_cast<std::size_t>(*column)];
        if (at >= 0) {
            problem(record.line, "列 " + Text(ColumnName(*column)) + " 重复 (第 " +
                                     std::to_string(at + 1) + " 列和第 " + std::to_string(i + 1) +
                                     " 列；每列只能出现一次)");
        } else {
            at = static_cast<int>(i);
        }
    }
    const auto has = [this](Column c) { return f_.columns_[static_cast<std::size_t>(c)] >= 0; };
    const bool keyRequired = f_.keys_ == Keys::Required;
    const std::string_view required = keyRequired
                                          ? " (必需的列: 月份、本期收入，以及 证件号码 或 工号)"
                                          : " (必需的列: 月份、本期收入)";
    for (Column column : {Column::Month, Column::Gross}) {
        if (!has(column)) {
            problem(record.line, "缺少列 " + Text(ColumnName(column)) + Text(required));
        }
    }
    if (keyRequired && !has(Column::IdNumber) && !has(Column::StaffNumber)) {
        problem(record.line, "缺少列 证件号码 或 工号" + Text(required));
    }
    for (const TotalColumn& total : kTotalColumns) {
        if (!has(total.total)) continue;
        for (std::size_t i = 0; i < total.count; ++i) {
            if (!has(total.parts[i])) continue;
            problem(record.line, "列 " + Text(ColumnName(total.total)) + " 与列 " +
                                     Text(ColumnName(total.parts[i])) + " 不能同时出现 (" +
                                     Text(ColumnName(total.total)) +
                                     " 是其各项的合计，只能给出合计或各项之一)");
        }
    }
    f_.keyColumn_ = f_.columns_[static_cast<std::size_t>(
        has(Column::IdNumber) ? Column::IdNumber : Column::StaffNumber)];
    return f_.problems_.empty();
}

std::pair<std::uint32_t, int> PayrollFile::Scan::row(const CsvRecord& record) {
    constexpr std::pair<std::uint32_t, int> kNowhere{KeyIndex::kNone, 0};
    if (std::all_of(record.fields.begin(), record.fields.end(), IsBlank)) return kNowhere;
    if (record.fields.size() != f_.width_) {
        problem(record.line, "该行有 " + std::to_string(record.fields.size()) + " 列，表头有 " +
                                 std::to_string(f_.width_) + " 列 (每行的列数须与表头相同)");
        return kNowhere;
    }
    const std::int64_t line = record.line;
    const Column keyColumn = f_.columns_[static_cast<std::size_t>(Column::IdNumber)] >= 0
                                 ? Column::IdNumber
                                 : Column::StaffNumber;
    // Without a key column every row is the one employee's, whose key is empty.
    const bool keyed = f_.keyColumn_ >= 0;
    const std::string_view key =
        keyed ? NormalKey(record.fields[static_cast<std::size_t>(f_.keyColumn_)], scratch_)
              : std::string_view();
    if (keyed && key.empty()) {
        problem(line, CellText(keyColumn, cell(record, keyColumn),
                               "是空的 (每行须有员工的" + Text(ColumnName(keyColumn)) +
                                   "，各月的行据此归到同一员工)"));
    }
    const std::optional<int> month = ReadMonth(cell(record, Column::Month));
    if (!month) {
        problem(line, CellText(Column::Month, cell(record, Column::Month),
                               "不是月份 (月份是 1 到 12 的整数)"));
    }

    Cells cells;
    for (Column column : kAmountColumns) {
        if (f_.columns_[static_cast<std::size_t>(column)] < 0) continue;
        const std::string_view text = cell(record, column);
        if (const std::optional<Fen> amount = ReadAmount(text)) {
            cells.amount[static_cast<std::size_t>(column)] = *amount;
        } else {
            problem(line, CellText(column, text, kAmountRule));
            const bool cumulative = std::find(kCumulativeColumns.begin(), kCumulativeColumns.end(),
                                              column) != kCumulativeColumns.end();
            (cumulative ? cells.cumulativeRead : cells.amountsRead) = false;
        }
    }

    BasicDeduction basic = f_.basic_;
    const std::string_view ruleCell = cell(record, Column::BasicRule);
    const bool basicFromCell = !IsBlank(ruleCell);
    if (basicFromCell) {
        if (const std::optional<BasicDeduction> rule = ReadBasicRule(ruleCell)) {
            basic = *rule;
        } else {
            problem(line, CellText(Column::BasicRule, ruleCell,
                                   "不是减除费用方式 (按任职月份、自1月 或 全年6万；空则按 "
                                   "--basic 选项，默认按任职月份)"));
            return kNowhere;
        }
    }
    if ((keyed && key.empty()) || !month) return kNowhere;
    const std::uint32_t index = employee(key, line, *month);
    place(record, f_.employees_[index], *month, basic, basicFromCell, cells);
    return {index, *month};
}

// The employee of `key`, created at its first row.
std::uint32_t PayrollFile::Scan::employee(std::string_view key, std::int64_t line, int month) {
    // A payroll file lists the employees in the same order month after month, so the row
    // after an employee's is mostly the next employee's: checked first, it spares the table.
    const std::uint32_t next = previous_ + 1;
    if (next < f_.index_.size() && f_.index_.key(next) == key) return previous_ = next;
    const std::uint32_t index = f_.index_.add(key);
    previous_ = index;
    if (index < f_.employees_.size()) return index;
    Employee& e = f_.employees_.emplace_back();
    e.firstLine = line;
    e.first = static_cast<std::int8_t>(month);
    // Room for every month to December, in one chunk.
    const std::size_t months = static_cast<std::size_t>(13 - month);
    if (f_.slotChunks_.empty() || f_.slotsUsed_ + months > Slot::kPerChunk) {
        f_.slotChunks_.emplace_back(NewChunk());
        f_.slotsUsed_ = 0;
    }
    e.firstSlot =
        static_cast<std::uint32_t>((f_.slotChunks_.size() - 1) * Slot::kPerChunk + f_.slotsUsed_);
    f_.slotsUsed_ += months;
    return index;
}

void PayrollFile::Scan::place(const CsvRecord& record, Employee& e, int month, BasicDeduction basic,
                              bool basicFromCell, const Cells& cells) {
    const std::int64_t line = record.line;
    const auto monthCell = [&] { return Quoted(cell(record, Column::Month)); };
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << (month - 1));
    if (e.seen == 0) {
        e.basic = basic;
        if (!tax::current::Available(f_.p_, basic, month)) {
            const std::string why = Unavailable(f_.p_, basic, month);
            if (basicFromCell) {
                problem(line, CellText(Column::BasicRule, cell(record, Column::BasicRule), why));
            } else {
                problem(line, "减除费用方式 \"" + Text(BasicRuleName(basic)) + "\" (" +
                                  (f_.basicGiven_ ? "--basic 选项" : "默认") + ") " + why);
            }
        }
    } else {
        if ((e.seen & bit) != 0) {
            problem(line, "列 月份: " + monthCell() + " 重复 (该员工的 " + std::to_string(month) +
                              " 月已在第 " + std::to_string(f_.slot(e, month).v[Slot::kLine]) +
                              " 行)");
            return;
        }
        if (month < e.last) {
            e.seen |= bit;  // not missing, only misplaced
            problem(line, "列 月份: " + monthCell() + " 顺序颠倒 (该员工第 " +
                              std::to_string(e.lastLine) + " 行已是 " + std::to_string(e.last) +
                              " 月；每个员工的行须按月份升序排列)");
            return;
        }
        if (month > e.last + 1 && e.gapLine == 0) {
            e.gapLine = line;
            e.gapMonth = static_cast<std::int8_t>(month);
        }
        if (basic != e.basic) {
            problem(line, "列 减除费用方式: \"" + Text(BasicRuleName(basic)) + "\" 与该员工第 " +
                              std::to_string(e.firstLine) + " 行的 \"" +
                              Text(BasicRuleName(e.basic)) +
                              "\" 不同 (同一员工各月的减除费用方式须相同)");
        }
    }

    // The cumulative columns: each month's increase is its deduction.
    std::array<Fen, kCumulativeColumns.size()> increase{};
    if (cells.cumulativeRead) {
        for (std::size_t i = 0; i < kCumulativeColumns.size(); ++i) {
            const Column column = kCumulativeColumns[i];
            const Fen now = cells.amount[static_cast<std::size_t>(column)];
            if (now < e.cumulative[i]) {
                problem(line, CellText(column, cell(record, column),
                                       "小于该员工上一行 (第 " + std::to_string(e.lastLine) +
                                           " 行) 的 " + PlainYuan(e.cumulative[i]) +
                                           " (累计数从 1 月累计到本月，逐月不减)"));
            }
            increase[i] = now - e.cumulative[i];
            e.cumulative[i] = now;
        }
        const Fen pension = e.cumulative.back();
        const Fen cap = f_.p_.personalPensionCap.value_or(0);
        if (pension > cap) {
            const std::string why =
                f_.p_.personalPensionCap
                    ? "超过 " + std::to_string(f_.p_.year) + " 年的上限 " + PlainYuan(cap)
                    : "在 " + std::to_string(f_.p_.year) +
                          " 年不可扣除 (2022 年起才有个人养老金扣除)";
            problem(line,
                    CellText(Column::PersonalPension, cell(record, Column::PersonalPension), why));
        }
    }

    e.seen |= bit;
    e.last = static_cast<std::int8_t>(month);
    e.lastLine = line;
    if (month < e.first) return;
    Slot& s = f_.slot(e, month);
    const auto a = [&cells](Column c) { return cells.amount[static_cast<std::size_t>(c)]; };
    s.v[Slot::kGross] = a(Column::Gross);
    s.v[Slot::kExempt] = a(Column::Exempt);
    s.v[Slot::kSpecial] = a(Column::Pension) + a(Column::Medical) + a(Column::Unemployment) +
                          a(Column::HousingFund) + a(Column::Special);
    Fen additional = 0;
    for (std::size_t i = 0; i + 1 < increase.size(); ++i) additional += increase[i];
    s.v[Slot::kAdditional] = additional;
    s.v[Slot::kOther] = a(Column::Annuity) + a(Column::HealthInsurance) +
                        a(Column::DeferredPension) + a(Column::Other) + increase.back();
    s.v[Slot::kDonation] = a(Column::Donation);
    s.v[Slot::kRelief] = a(Column::Relief);
    s.v[Slot::kLine] = line;
}

// Gaps are known only at the end: a month missing where it stood may have come later, out of
// order, which is reported as such.
void PayrollFile::Scan::finish() {
    for (const Employee& e : f_.employees_) {
        const unsigned span = ((1u << e.last) - 1) & ~((1u << (e.first - 1)) - 1);
        const auto missing = static_cast<std::uint16_t>(span & ~e.seen);
        if (missing == 0 || e.gapLine == 0) continue;
        problem(e.gapLine, "列 月份: \"" + std::to_string(e.gapMonth) + "\" 不连续: 该员工缺少 " +
                               MonthList(missing) + " (该员工的首月是 " + std::to_string(e.first) +
                               " 月，此后各月须连续，每月一行)");
    }
}

PayrollFile::PayrollFile(const tax::current::Parameters& parameters, BasicDeduction basic,
                         bool basicGiven, Keys keys)
    : p_(parameters), basic_(basic), basicGiven_(basicGiven), keys_(keys) {}

PayrollFile::~PayrollFile() = default;

void PayrollFile::reset() {
    problems_ = Problems();
    columns_.fill(-1);
    keyColumn_ = -1;
    width_ = 0;
    index_ = KeyIndex();
    employees_.clear();
    slotChunks_.clear();
    slotsUsed_ = 0;
    computed_ = false;
}

PayrollFile::Slot& PayrollFile::slot(const Employee& e, int month) {
    const std::size_t at = e.firstSlot + static_cast<std::size_t>(month - e.first);
    return slotChunks_[at / Slot::kPerChunk].get()[at % Slot::kPerChunk];
}

const PayrollFile::Slot& PayrollFile::slot(const Employee& e, int month) const {
    const std::size_t at = e.firstSlot + static_cast<std::size_t>(month - e.first);
    return slotChunks_[at / Slot::kPerChunk].get()[at % Slot::kPerChunk];
}

bool PayrollFile::read(QIODevice& input) {
    if (!readAs(input, Encoding::Utf8)) return false;
    if (encoding_ == Encoding::Gb18030 && !readAs(input, Encoding::Gb18030)) return false;
    return problems_.empty();
}

// False when the file could not be read at all; a file that is not UTF-8 sets encoding_ to
// GB18030 and returns true, for the caller to read it again so.
bool PayrollFile::readAs(QIODevice& input, Encoding encoding) {
    reset();
    encoding_ = encoding;
    if (!input.seek(0)) {
        problems_.add(0, "无法从头读取: " + input.errorString().toStdString());
        return false;
    }
    places_ = std::make_unique<QTemporaryFile>();
    if (!places_->open()) {
        problems_.add(0, "无法建立临时文件: " + places_->errorString().toStdString());
        return false;
    }
    std::string places;
    const auto savePlaces = [this, &places] {
        if (places_->write(places.data(), static_cast<qint64>(places.size())) !=
            static_cast<qint64>(places.size())) {
            problems_.add(0, "无法写临时文件: " + places_->errorString().toStdString());
            return false;
        }
        places.clear();
        return true;
    };
    TextDecoder decoder(input, encoding);
    CsvReader csv;
    CsvRecord record;
    Scan scan(*this);
    bool atHeader = true;
    std::string_view text;
    for (;;) {
        const TextDecoder::Step step = decoder.next(text);
        if (step == TextDecoder::Step::Text) {
            csv.feed(text);
        } else if (step == TextDecoder::Step::End) {
            csv.finish();
        } else if (!decoder.readError().isEmpty()) {
            problems_.add(0, "读取失败: " + decoder.readError().toStdString());
            return false;
        } else if (encoding == Encoding::Utf8 && !decoder.byteOrderMark() && atHeader) {
            encoding_ = Encoding::Gb18030;
            return true;
        } else {
            // A header that named its columns in UTF-8 makes the file UTF-8 (read as GB18030,
            // its names would be garbled): the line at fault is the one to report.
            input.seek(0);
            const std::int64_t line = LineOfOffset(input, decoder.badOffset());
            if (encoding == Encoding::Gb18030) {
                problems_.add(line,
                              "无法识别的编码: 此行既不是有效的 UTF-8，也不是有效的 GB18030 "
                              "(可读的编码: UTF-8，带或不带 BOM；GB18030)");
            } else {
                problems_.add(line, std::string("编码错误: 此行不是有效的 UTF-8 (") +
                                        (decoder.byteOrderMark() ? "文件以 UTF-8 的 BOM 开头"
                                                                 : "表头是 UTF-8") +
                                        "，其余部分也须是 UTF-8)");
            }
            return false;
        }
        for (;;) {
            const CsvReader::Step got = csv.next(record);
            if (got == CsvReader::Step::Record) {
                if (record.length > UINT32_MAX) {
                    problems_.add(record.line, "该行超过 4 GiB");
                    return false;
                }
                Place place{Place::kHeader, 0, static_cast<std::uint32_t>(record.text.size()),
                            static_cast<std::uint32_t>(record.length)};
                if (atHeader) {
                    atHeader = false;
                    if (!scan.header(record)) return false;
                } else {
                    const auto [employee, month] = scan.row(record);
                    place.employee = employee;
                    place.month = static_cast<std::uint8_t>(month);
                }
                AppendPlace(places, place);
                if (places.size() >= kFlushAt && !savePlaces()) return false;
                continue;
            }
            if (got == CsvReader::Step::Failed) {
                problems_.add(csv.error().line, csv.error().message);
                return false;
            }
            if (got == CsvReader::Step::End) {
                if (atHeader) {
                    problems_.add(
                        1, "文件是空的 (第一行应是表头，如 工号,姓名,证件号码,月份,本期收入,…)");
                    return false;
                }
                scan.finish();
                return savePlaces();
            }
            break;  // NeedText
        }
    }
}

tax::current::PayrollYear PayrollFile::year(std::size_t employee) const {
    const Employee& e = employees_[employee];
    tax::current::PayrollYear year{e.first, e.basic, {}};
    for (int m = e.first; m <= e.last; ++m) {
        const Slot& s = slot(e, m);
        year.months.push_back({s.v[Slot::kGross], s.v[Slot::kExempt], s.v[Slot::kSpecial],
                               s.v[Slot::kAdditional], s.v[Slot::kOther], s.v[Slot::kDonation],
                               s.v[Slot::kRelief]});
    }
    return year;
}

std::int64_t PayrollFile::firstLine(std::size_t employee) const {
    return employees_[employee].firstLine;
}

// Each employee's year to December (the months after its last row count nothing, and no month
// depends on a later one), then its slots turned into what the output shows.
void PayrollFile::compute() {
    if (computed_) return;
    computed_ = true;
    for (std::size_t i = 0; i < employees_.size(); ++i) {
        Employee& e = employees_[i];
        tax::current::PayrollYear whole = year(i);
        whole.months.resize(static_cast<std::size_t>(13 - e.first));
        const std::vector<MonthRow> rows = tax::current::WageWithholding(p_, whole);
        if (rows.size() != whole.months.size()) {
            throw std::logic_error("a checked payroll year has no withholding schedule");
        }
        std::array<Fen, 7> sums{};
        Fen withheld = 0;
        for (int m = e.first; m <= e.last; ++m) {
            Slot& s = slot(e, m);
            const MonthRow& row = rows[static_cast<std::size_t>(m - e.first)];
            for (std::size_t k = 0; k < sums.size(); ++k) s.v[k] = sums[k] += s.v[k];
            withheld += row.withheld;
            s.v[Slot::kBasic] = row.cumulativeBasic;
            s.v[Slot::kTaxable] = row.cumulativeTaxable;
            s.v[Slot::kWithheldSoFar] = withheld;
            e.rate[static_cast<std::size_t>(m - 1)] = static_cast<std::uint8_t>(row.ratePercent);
        }
    }
}

bool PayrollFile::write(QIODevice& input, QIODevice& output, OutputEncoding encoding,
                        QString& error) {
    const QString changed = QString::fromUtf8("输入在两遍读取之间被改动了");
    compute();
    if (!input.seek(0) || !places_->seek(0)) {
        error = input.errorString();
        return false;
    }
    TextDecoder decoder(input, encoding_, true);
    QStringEncoder gb18030("GB18030");
    std::string out = encoding == OutputEncoding::Utf8 ? "\xEF\xBB\xBF" : "";
    out.reserve(kFlushAt + (1 << 16));
    const auto flush = [&]() {
        QByteArray bytes;
        if (encoding == OutputEncoding::Gb18030) {
            bytes =
                gb18030.encode(QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size())));
        } else {
            bytes = QByteArray::fromRawData(out.data(), static_cast<qsizetype>(out.size()));
        }
        if (output.write(bytes) != bytes.size()) {
            error = output.errorString();
            return false;
        }
        out.clear();
        return true;
    };

    std::string text;  // decoded, from `at` on not yet written
    std::size_t at = 0;
    std::string places(kFlushAt / kPlaceBytes * kPlaceBytes, '\0');
    for (;;) {
        const qint64 got = places_->read(places.data(), static_cast<qint64>(places.size()));
        if (got < 0) {
            error = places_->errorString();
            return false;
        }
        if (got == 0) break;
        for (std::size_t k = 0; k + kPlaceBytes <= static_cast<std::size_t>(got);
             k += kPlaceBytes) {
            const Place place = PlaceAt(places.data() + k);
            while (text.size() - at < place.length) {
                std::string_view block;
                if (decoder.next(block) != TextDecoder::Step::Text) {
                    error = decoder.readError().isEmpty() ? changed : decoder.readError();
                    return false;
                }
                text.erase(0, at);
                at = 0;
                text.append(block);
            }
            const std::string_view record(text.data() + at, place.textLength);
            at += place.length;
            if (place.employee == KeyIndex::kNone) continue;
            out += record;
            if (place.employee == Place::kHeader) {
                for (std::string_view name : kWithholdingColumns) (out += ',') += name;
                out += "\r\n";
                continue;
            }
            const Employee& e = employees_[place.employee];
            const int month = place.month;
            const Slot& s = slot(e, month);
            const int rate = e.rate[static_cast<std::size_t>(month - 1)];
            const Fen before = month == e.first ? 0 : slot(e, month - 1).v[Slot::kWithheldSoFar];
            for (const Fen figure : {s.v[Slot::kGross], s.v[Slot::kExempt], s.v[Slot::kBasic],
                                     s.v[Slot::kSpecial], s.v[Slot::kAdditional], s.v[Slot::kOther],
                                     s.v[Slot::kDonation], s.v[Slot::kTaxable]}) {
                out += ',';
                AppendPlainYuan(out, figure);
            }
            (out += ',') += std::to_string(rate);
            for (const Fen figure :
                 {QuickDeduction(p_, rate), tax::current::AnnualTableTax(p_, s.v[Slot::kTaxable]),
                  s.v[Slot::kRelief], before, s.v[Slot::kWithheldSoFar] - before}) {
                out += ',';
                AppendPlainYuan(out, figure);
            }
            out += "\r\n";
            if (out.size() >= kFlushAt && !flush()) return false;
        }
    }
    return flush();
}

}  // namespace payroll
