#pragma once
// A company's payroll file: every employee's months read and checked in one pass, each
// employee's year computed by tax::current::WageWithholding, and the file written again with
// the withholding columns after each row in a second pass.
//
// Memory grows with the number of employees, not of rows: each employee keeps at most twelve
// months of figures, and the rows themselves are read again from the input for the output,
// guided by a temporary file that holds, for each record, its employee, month and length.

#include "payroll/columns.hpp"
#include "payroll/key_index.hpp"
#include "payroll/problems.hpp"
#include "payroll/text_decoder.hpp"

#include <QIODevice>
#include <QString>
#include <QTemporaryFile>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace payroll {

enum class OutputEncoding { Utf8, Gb18030 };  // UTF-8 with a byte-order mark, or GB18030

class PayrollFile {
public:
    // Required: every row names its employee by 证件号码 or 工号. Optional: a file without
    // either column is one employee's (the window's year, exported and read back).
    enum class Keys { Required, Optional };

    // `basic` is the rule for rows without a 减除费用方式 of their own; `basicGiven` says the user
    // chose it, so that its name appears in a message about it.
    PayrollFile(const tax::current::Parameters& parameters, tax::current::BasicDeduction basic,
                bool basicGiven, Keys keys = Keys::Required);
    ~PayrollFile();

    // The first pass, from the start of a seekable device: the encoding (UTF-8 when every byte
    // is, else GB18030), the header, every cell and every employee's months. False when the
    // file cannot be used; problems() then says why.
    bool read(QIODevice& input);
    const Problems& problems() const { return problems_; }
    Encoding encoding() const { return encoding_; }

    // After a successful read, until write: the employees in the order of their first rows,
    // each by its key (证件号码 or 工号 as read, blanks around it removed) and with its year:
    // months from its first to its last row.
    std::size_t employeeCount() const { return index_.size(); }
    std::string_view key(std::size_t employee) const {
        return index_.key(static_cast<std::uint32_t>(employee));
    }
    tax::current::PayrollYear year(std::size_t employee) const;
    std::int64_t firstLine(std::size_t employee) const;

    // The second pass: every row of `input` (the same file) as it stands, then the withholding
    // columns, CRLF line ends. False when the input cannot be read again or `output` cannot
    // be written; `error` says why.
    bool write(QIODevice& input, QIODevice& output, OutputEncoding encoding, QString& error);

private:
    struct Employee;
    struct Slot;
    class Scan;

    void reset();
    bool readAs(QIODevice& input, Encoding encoding);
    void compute();
    Slot& slot(const Employee& employee, int month);
    const Slot& slot(const Employee& employee, int month) const;

    const tax::current::Parameters& p_;
    tax::current::BasicDeduction basic_;
    bool basicGiven_;
    Keys keys_;
    Encoding encoding_ = Encoding::Utf8;
    Problems problems_;
    std::array<int, kColumnCount> columns_{};  // the field of each column, -1 where absent
    int keyColumn_ = -1;
    std::size_t width_ = 0;  // the header's fields

    KeyIndex index_;
    std::vector<Employee> employees_;
    struct FreeChunk {
        void operator()(Slot* chunk) const;
    };
    static Slot* NewChunk();
    std::vector<std::unique_ptr<Slot, FreeChunk>> slotChunks_;
    std::size_t slotsUsed_ = 0;  // in the last chunk
    bool computed_ = false;
    std::unique_ptr<QTemporaryFile> places_;  // each record's employee, month and length
};

}  // namespace payroll
