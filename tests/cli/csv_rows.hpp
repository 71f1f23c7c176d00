#pragma once
// A CSV text's rows by column name, for checking a payroll file's columns wherever they stand.

#include "payroll/csv.hpp"

#include <QByteArray>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace payrolltest {

// Each row after the header as a map from column name to cell; a byte-order mark at the start
// is skipped, and of a name written twice the last column counts.
inline std::vector<std::map<std::string, std::string>> CsvRows(QByteArray utf8) {
    if (utf8.startsWith("\xEF\xBB\xBF")) utf8.remove(0, 3);
    payroll::CsvReader csv;
    csv.feed(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    csv.finish();
    payroll::CsvRecord record;
    std::vector<std::string> header;
    std::vector<std::map<std::string, std::string>> rows;
    while (csv.next(record) == payroll::CsvReader::Step::Record) {
        if (header.empty()) {
            header.assign(record.fields.begin(), record.fields.end());
            continue;
        }
        std::map<std::string, std::string>& row = rows.emplace_back();
        for (std::size_t i = 0; i < header.size(); ++i) row[header[i]] = record.fields[i];
    }
    return rows;
}

}  // namespace payrolltest
