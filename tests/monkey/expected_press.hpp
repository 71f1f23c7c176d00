#pragma once
// What one press of a section button must show and write, worked out with the
// tax library from the texts the window's fields hold before the press.

#include "tax/edition.hpp"
#include "ui/message_box.hpp"

#include <QString>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace monkey {

// The texts of one window's fields; index n is TextN, index 0 is unused.
using Texts = std::array<QString, 21>;

struct ExpectedBox {
    ui::BoxIcon icon;
    std::optional<QString> title;   // unset: any title
    std::optional<QString> prompt;  // unset: any prompt
    QString watched;                // the watched field's text while the box is open
};

struct ExpectedPress {
    std::vector<ExpectedBox> boxes;
    std::vector<std::pair<int, QString>> writes;  // field number, text written
    int watched = 0;                              // field observed while boxes are open; 0: none
    bool exits = false;                           // the program is asked to end
};

// `command` is 1 to 7, the section buttons Command1 to Command7. An amount
// out of range yields a single warning box and no write.
ExpectedPress ExpectPress(int command, const Texts& texts, tax::Edition edition);

}  // namespace monkey
