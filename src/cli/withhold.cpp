#include "cli/commands.hpp"

#include "payroll/withholding.hpp"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>

namespace cli {
namespace {

void Say(const std::string& text) { std::cerr << "tovarin-tax: " << text << '\n'; }
void Say(const QString& text) { Say(text.toStdString()); }

// Standard input is read twice: a pipe is first copied to a temporary file, a redirected file
// is read where it is.
std::unique_ptr<QIODevice> OpenInput(const std::string& path, QString& error) {
    if (path != "-") {
        auto file = std::make_unique<QFile>(QString::fromStdString(path));
        if (!file->open(QIODevice::ReadOnly)) {
            error = file->errorString();
            return nullptr;
        }
        return file;
    }
    auto in = std::make_unique<QFile>();
    if (!in->open(STDIN_FILENO, QIODevice::ReadOnly)) {
        error = in->errorString();
        return nullptr;
    }
    if (!in->isSequential()) return in;
    auto spool = std::make_unique<QTemporaryFile>();
    if (!spool->open()) {
        error = spool->errorString();
        return nullptr;
    }
    std::string chunk(1 << 20, '\0');
    for (;;) {
        const qint64 got = in->read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (got < 0) {
            error = in->errorString();
            return nullptr;
        }
        if (got == 0) break;
        if (spool->write(chunk.data(), got) != got) {
            error = spool->errorString();
            return nullptr;
        }
    }
    return spool;
}

}  // namespace

int Withhold(const WithholdOptions& o) {
    const std::string name = o.input == "-" ? "<stdin>" : o.input;
    QString error;
    const std::unique_ptr<QIODevice> input = OpenInput(o.input, error);
    if (!input) {
        Say(name + ": 无法读取: " + error.toStdString());
        return kRefused;
    }
    const tax::current::Parameters& p = tax::current::ParametersFor(o.year);
    payroll::PayrollFile file(p, o.basic.value_or(tax::current::BasicDeduction::MonthsEmployed),
                              o.basic.has_value());
    if (!file.read(*input)) {
        const payroll::Problems& problems = file.problems();
        for (const payroll::Problem& problem : problems.shown()) {
            std::cerr << name;
            if (problem.line > 0) std::cerr << ':' << problem.line;
            std::cerr << ": " << problem.text << '\n';
        }
        if (problems.total() > static_cast<std::int64_t>(payroll::Problems::kShown)) {
            Say(name + ": 共 " + std::to_string(problems.total()) + " 处错误，以上是前 " +
                std::to_string(payroll::Problems::kShown) + " 处");
        }
        Say(name + ": 有错误，没有写出结果");
        return kRefused;
    }

    const payroll::OutputEncoding encoding =
        o.gb18030 ? payroll::OutputEncoding::Gb18030 : payroll::OutputEncoding::Utf8;
    if (!o.output) {
        QFile out;
        if (!out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            Say("无法写标准输出: " + out.errorString());
            return kRefused;
        }
        if (!file.write(*input, out, encoding, error)) {
            Say("写出失败: " + error);
            return kRefused;
        }
        return 0;
    }
    // The output replaces the file only once complete; the buffer is flushed and checked before
    // the commit, which ignores a failed flush of the last bytes.
    const QString path = QString::fromStdString(*o.output);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        Say(*o.output + ": 无法写入: " + out.errorString().toStdString());
        return kRefused;
    }
    if (!file.write(*input, out, encoding, error) || !out.flush()) {
        if (error.isEmpty()) error = out.errorString();
        out.cancelWriting();
        Say(*o.output + ": 写出失败，原文件未改动: " + error.toStdString());
        return kRefused;
    }
    if (!out.commit()) {
        Say(*o.output + ": 写出失败，原文件未改动: " + out.errorString().toStdString());
        return kRefused;
    }
    return 0;
}

}  // namespace cli
