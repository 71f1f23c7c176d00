#include "payroll/columns.hpp"

#include <string>
#include <utility>

namespace payroll {
namespace {

using tax::current::BasicDeduction;

// clang-format off
constexpr std::array<std::string_view, kColumnCount> kNames = {
    "月份", "本期收入", "证件号码", "工号",
    "本期免税收入", "基本养老保险费", "基本医疗保险费", "失业保险费", "住房公积金", "专项扣除",
    "企业(职业)年金", "商业健康保险", "税延养老保险", "其他",
    "准予扣除的捐赠额", "减免税额",
    "累计子女教育", "累计继续教育", "累计住房贷款利息", "累计住房租金", "累计赡养老人",
    "累计3岁以下婴幼儿照护", "累计专项附加扣除", "累计个人养老金",
    "减除费用方式"};
constexpr std::array<std::pair<std::string_view, BasicDeduction>, 3> kBasicRules = {{
    {"按任职月份", BasicDeduction::MonthsEmployed},
    {"自1月",      BasicDeduction::FromJanuary},
    {"全年6万",    BasicDeduction::WholeYear}}};
// clang-format on

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](std::string_view t, bool front) {
        const std::string_view c = front ? t.substr(0, 1) : t.substr(t.size() - 1);
        if (c == " " || c == "\t") return std::size_t{1};
        if (front ? t.starts_with("\u3000") : t.ends_with("\u3000")) return std::size_t{3};
        return std::size_t{0};
    };
    while (!text.empty()) {
        if (const std::size_t n = blank(text, true)) {
            text.remove_prefix(n);
        } else if (const std::size_t m = blank(text, false)) {
            text.remove_suffix(m);
        } else {
            break;
        }
    }
    return text;
}

std::string AsciiParentheses(std::string_view text) {
    std::string out(text);
    for (const auto& [wide, narrow] : {std::pair{"（", "("}, std::pair{"）", ")"}}) {
        for (std::size_t at = out.find(wide); at != std::string::npos; at = out.find(wide, at)) {
            out.replace(at, std::string_view(wide).size(), narrow);
        }
    }
    return out;
}

}  // namespace

std::string_view ColumnName(Column column) { return kNames[static_cast<std::size_t>(column)]; }

std::optional<Column> ColumnNamed(std::string_view header) {
    const std::string name = AsciiParentheses(Trimmed(header));
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == name) return static_cast<Column>(i);
    }
    return std::nullopt;
}

std::optional<BasicDeduction> ReadBasicRule(std::string_view cell) {
    const std::string_view name = Trimmed(cell);
    for (const auto& [text, basic] : kBasicRules) {
        if (text == name) return basic;
    }
    return std::nullopt;
}

std::string_view BasicRuleName(BasicDeduction basic) {
    for (const auto& [text, rule] : kBasicRules) {
        if (rule == basic) return text;
    }
    return {};
}

}  // namespace payroll
