// Random events on both edition windows, with the calculator's invariants
// checked after each one. MONKEY_SEED and MONKEY_EVENTS choose the run; a
// failure names its seed and the events that led to it.

#include "app/editions.hpp"
#include "editing.hpp"
#include "expected_press.hpp"
#include "random_input.hpp"
#include "recorded_effects.hpp"
#include "ui/message_box.hpp"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <sstream>
#include <string>

namespace monkey {
namespace {

using tax::Edition;

constexpr int kFields = 20;
constexpr int kInputs[] = {1, 2, 3, 4, 8, 10, 11, 13, 15, 17, 19};

bool IsInput(int field) {
    for (int input : kInputs) {
        if (input == field) return true;
    }
    return false;
}
bool IsFiltered(int field) { return field != 7 && field != 17; }
// Text1 to Text20 by their number.
app::Control FieldId(int field) {
    return static_cast<app::Control>(static_cast<int>(app::Control::Text1) + field - 1);
}
const char* EditionName(Edition edition) {
    return edition == Edition::OldRules ? "Form1" : "Form2";
}
Edition Other(Edition edition) {
    return edition == Edition::OldRules ? Edition::NewRules : Edition::OldRules;
}

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

std::string Quoted(const QString& text) {
    constexpr qsizetype kShown = 40;
    std::string shown;
    for (const QChar c : text.left(kShown)) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) shown += static_cast<char>(c.unicode());
        else shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar('0')).toStdString();
    }
    if (text.size() > kShown) shown += "...(" + std::to_string(text.size()) + " units)";
    return '"' + shown + '"';
}

// One event as the user would cause it.
struct Action {
    enum class Kind { Type, Key, Commit, PasteShortcut, PasteSlot, Click, Press } kind;
    int field = 0;    // Type, Key, Commit, Paste*, Click: the field
    int command = 0;  // Press: the button, 1 to 8
    // Type, Key: the key's text; Commit: the commit; Paste*: clipboard, unless kept
    QString text = {};
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = {};
    bool keepClipboard = false;  // paste what an earlier copy or cut left

    std::string describe() const;
};

Action OnField(Action::Kind kind, int field, const QString& text = {},
               Qt::Key key = Qt::Key_unknown, Qt::KeyboardModifiers modifiers = {}) {
    Action action{kind};
    action.field = field;
    action.text = text;
    action.key = key;
    action.modifiers = modifiers;
    return action;
}

// The key that yields a single printable character; control codes and
// multi-character texts come from no particular key.
Qt::Key KeyOf(const QString& text) {
    const QChar first = text.front();
    if (text.size() != 1 || first.unicode() < 0x20 || first.unicode() == 0x7F)
        return Qt::Key_unknown;
    return static_cast<Qt::Key>(first.toUpper().unicode());
}

Action Typed(int field, const QString& text) {
    return OnField(Action::Kind::Type, field, text, KeyOf(text));
}

Action PressOf(int command) {
    Action action{Action::Kind::Press};
    action.command = command;
    return action;
}

std::string Action::describe() const {
    const std::string field = "Text" + std::to_string(this->field);
    switch (kind) {
    case Kind::Type: return "type " + Quoted(text) + " into " + field;
    case Kind::Key:
        return "key " + QKeySequence(key | modifiers).toString().toStdString() + " in " + field;
    case Kind::Commit: return "commit " + Quoted(text) + " into " + field;
    case Kind::PasteShortcut:
    case Kind::PasteSlot:
        return std::string(kind == Kind::PasteSlot ? "paste() " : "Ctrl+V ") +
               (keepClipboard ? std::string("of the clipboard") : Quoted(text)) + " into " + field;
    case Kind::Click: return "click into " + field;
    case Kind::Press: return "press Command" + std::to_string(command);
    }
    return {};
}

void SendKey(QWidget& target, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&target, &release);
}

FieldState StateOf(const ui::Field& field, int number) {
    return {field.text(),           field.cursorPosition(),
            field.selectionStart(), static_cast<int>(field.selectedText().size()),
            field.maxLength(),      field.isEnabled(),
            IsFiltered(number)};
}

// How often each kind of event came up, to show what a run covered.
struct Tally {
    int edits[6] = {};  // by Action::Kind, Type to Click
    int results = 0;
    int outOfRange = 0;
    int exits = 0;
    int switches = 0;

    std::string describe() const {
        return "typed " + std::to_string(edits[0]) + ", editing keys " + std::to_string(edits[1]) +
               ", commits " + std::to_string(edits[2]) + ", pastes " +
               std::to_string(edits[3] + edits[4]) + ", clicks into fields " +
               std::to_string(edits[5]) + ", results " + std::to_string(results) +
               ", out of range " + std::to_string(outOfRange) + ", empty-wage exits " +
               std::to_string(exits) + ", switches " + std::to_string(switches);
    }
};

struct SeenBox {
    ui::Box box;
    QString watched;
};

class Monkey {
public:
    explicit Monkey(std::uint64_t seed) : random_(seed) {
        testsupport::RecordBoxes([this](const ui::Box& box) {
            boxes_.push_back({box, watched_ ? watched_->text() : QString()});
        });
        testsupport::RecordExits([this] { ++exits_; });
        editions_.start();
        expected_[0] = initialTexts(Edition::OldRules);
    }
    ~Monkey() {
        testsupport::RecordBoxes({});
        testsupport::RecordExits({});
    }

    // Empty when every invariant held after every event; otherwise what broke.
    std::string run(int events);
    const Tally& tally() const { return tally_; }

private:
    static Texts initialTexts(Edition edition);
    Texts& modelOf(Edition edition) { return *expected_[static_cast<int>(edition)]; }
    app::Form& visibleForm() const;

    Action nextAction();
    void plan();
    void planTyping(int field);
    void planAmount(int field);
    void planPaste(int field);
    void planEditingKey(int field);
    int anyField();

    std::string perform(const Action& action);
    void editField(app::Form& form, const Action& action);
    QString predict(const Action& action, const FieldState& before) const;
    void deliver(ui::Field& field, const Action& action);
    std::string pressButton(app::Form& form, int command);
    std::string switchWindow(app::Form& form);
    std::string checkBoxes(const ExpectedPress& expected) const;
    std::string checkWindows() const;
    std::string checkWindow(const app::Form& form) const;

    app::Editions editions_;
    RandomInput random_;
    std::optional<Texts> expected_[2];
    std::deque<Action> plan_;
    std::vector<SeenBox> boxes_;
    const ui::Field* watched_ = nullptr;
    int exits_ = 0;
    Tally tally_;
};

Texts Monkey::initialTexts(Edition edition) {
    Texts texts;
    texts[7] = edition == Edition::OldRules ? "2000" : "3500";
    return texts;
}

app::Form& Monkey::visibleForm() const {
    for (Edition edition : {Edition::OldRules, Edition::NewRules}) {
        app::Form* form = editions_.window(edition);
        if (form && form->isVisible()) return *form;
    }
    throw std::logic_error("no window visible");
}

std::string Monkey::run(int events) {
    std::deque<std::string> recent;
    if (std::string broken = checkWindows(); !broken.empty()) return "at start: " + broken;
    for (int i = 0; i < events; ++i) {
        const Action action = nextAction();
        recent.push_back(std::to_string(i) + ": " + action.describe() + " in " +
                         EditionName(visibleForm().edition()));
        if (recent.size() > 12) recent.pop_front();
        std::string broken = perform(action);
        if (i % 16 == 0) QCoreApplication::processEvents();
        if (broken.empty()) broken = checkWindows();
        if (broken.empty()) continue;
        std::ostringstream report;
        report << "event " << i << " broke an invariant: " << broken << "\nlast events:\n";
        for (const std::string& line : recent) report << "  " << line << '\n';
        return report.str();
    }
    return {};
}

// ---- what happens next ----------------------------------------------------

Action Monkey::nextAction() {
    while (plan_.empty()) plan();
    Action action = plan_.front();
    plan_.pop_front();
    return action;
}

// Mostly the input fields, sometimes a disabled one, which must not change.
int Monkey::anyField() {
    if (random_.Chance(85)) return kInputs[random_.Below(static_cast<int>(std::size(kInputs)))];
    return random_.Between(1, kFields);
}

void Monkey::plan() {
    const int kind = random_.Below(100);
    const int field = anyField();
    using Kind = Action::Kind;
    if (kind < 28) planTyping(field);
    else if (kind < 42) planAmount(field);
    else if (kind < 50) plan_.push_back(OnField(Kind::Commit, field, random_.Commit()));
    else if (kind < 58) planPaste(field);
    else if (kind < 70) planEditingKey(field);
    else if (kind < 74) plan_.push_back(OnField(Kind::Click, field));
    else if (kind < 97) plan_.push_back(PressOf(random_.Between(1, 7)));
    else plan_.push_back(PressOf(8));
}

void Monkey::planPaste(int field) {
    const Action::Kind kind =
        random_.Chance(50) ? Action::Kind::PasteShortcut : Action::Kind::PasteSlot;
    Action paste = OnField(kind, field);
    paste.keepClipboard = random_.Chance(15);
    if (!paste.keepClipboard) paste.text = random_.Pasted();
    plan_.push_back(paste);
}

void Monkey::planTyping(int field) {
    const int count = random_.Between(1, 4);
    for (int i = 0; i < count; ++i) {
        // Now and then a key that yields several printable characters at once.
        const QString text =
            random_.Chance(3) ? QStringLiteral("1a") + random_.Character() : random_.Character();
        plan_.push_back(Typed(field, text));
    }
}

// Selects what the field holds and types an amount over it, key by key.
void Monkey::planAmount(int field) {
    plan_.push_back(OnField(Action::Kind::Key, field, "\x01", Qt::Key_A, Qt::ControlModifier));
    const QString amount = random_.Amount().left(30);
    for (const QChar c : amount) plan_.push_back(Typed(field, QString(c)));
}

struct EditingKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
};

// clang-format off
constexpr EditingKey kEditingKeys[] = {
    {Qt::Key_Backspace, {}, "\b"},      {Qt::Key_Backspace, {}, "\b"},   {Qt::Key_Backspace, {}, "\b"},
    {Qt::Key_A, Qt::ControlModifier, "\x01"}, {Qt::Key_C, Qt::ControlModifier, "\x03"},
    {Qt::Key_X, Qt::ControlModifier, "\x18"}, {Qt::Key_Left, {}, ""},   {Qt::Key_Right, {}, ""},
    {Qt::Key_Home, {}, ""},             {Qt::Key_End, {}, ""},           {Qt::Key_Left, Qt::ShiftModifier, ""},
    {Qt::Key_Home, Qt::ShiftModifier, ""}, {Qt::Key_Tab, {}, "\t"},     {Qt::Key_Return, {}, "\r"},
    {Qt::Key_Enter, {}, "\r"},          {Qt::Key_Escape, {}, "\x1b"},
};
// clang-format on

void Monkey::planEditingKey(int field) {
    if (random_.Chance(20)) {  // clear the field
        plan_.push_back(OnField(Action::Kind::Key, field, "\x01", Qt::Key_A, Qt::ControlModifier));
        plan_.push_back(OnField(Action::Kind::Key, field, "\b", Qt::Key_Backspace));
        return;
    }
    const EditingKey& key = kEditingKeys[random_.Below(static_cast<int>(std::size(kEditingKeys)))];
    plan_.push_back(
        OnField(Action::Kind::Key, field, QString::fromLatin1(key.text), key.key, key.modifiers));
}

// ---- carrying it out ------------------------------------------------------

std::string Monkey::perform(const Action& action) {
    app::Form& form = visibleForm();
    if (action.kind != Action::Kind::Press) {
        ++tally_.edits[static_cast<int>(action.kind)];
        editField(form, action);
        return {};
    }
    return action.command == 8 ? switchWindow(form) : pressButton(form, action.command);
}

QString Monkey::predict(const Action& action, const FieldState& before) const {
    using Kind = Action::Kind;
    switch (action.kind) {
    case Kind::Type: return AfterTyping(before, action.text);
    case Kind::Commit: return AfterCommit(before, action.text);
    case Kind::PasteShortcut:
    case Kind::PasteSlot: {
        const QString clipboard =
            action.keepClipboard ? QGuiApplication::clipboard()->text() : action.text;
        return AfterPaste(before, clipboard);
    }
    case Kind::Key:
        if (action.key == Qt::Key_Backspace) return AfterBackspace(before);
        if (action.key == Qt::Key_X && action.modifiers == Qt::ControlModifier)
            return AfterCut(before);
        return before.text;
    default: return before.text;
    }
}

void Monkey::deliver(ui::Field& field, const Action& action) {
    using Kind = Action::Kind;
    if ((action.kind == Kind::PasteShortcut || action.kind == Kind::PasteSlot) &&
        !action.keepClipboard) {
        QGuiApplication::clipboard()->setText(action.text);
    }
    switch (action.kind) {
    case Kind::Type:
    case Kind::Key: SendKey(field, action.key, action.modifiers, action.text); break;
    case Kind::PasteShortcut: SendKey(field, Qt::Key_V, Qt::ControlModifier, "\x16"); break;
    case Kind::PasteSlot: field.paste(); break;
    case Kind::Commit: {
        QInputMethodEvent commit;
        commit.setCommitString(action.text);
        QApplication::sendEvent(&field, &commit);
        break;
    }
    case Kind::Click:
        // A disabled field takes no mouse input at all.
        if (field.isEnabled()) {
            const QPoint at(random_.Below(field.width()), random_.Below(field.height()));
            QTest::mouseClick(&field, Qt::LeftButton, {}, at);
        }
        break;
    case Kind::Press: break;
    }
}

void Monkey::editField(app::Form& form, const Action& action) {
    ui::Field& field = form.field(FieldId(action.field));
    const QString expected = predict(action, StateOf(field, action.field));
    deliver(field, action);
    modelOf(form.edition())[action.field] = expected;
}

std::string Monkey::pressButton(app::Form& form, int command) {
    Texts& model = modelOf(form.edition());
    const ExpectedPress expected = ExpectPress(command, model, form.edition());
    boxes_.clear();
    const int exitsBefore = exits_;
    watched_ = expected.watched ? &form.field(FieldId(expected.watched)) : nullptr;
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command%1").arg(command)),
                      Qt::LeftButton);
    watched_ = nullptr;
    for (const auto& [field, text] : expected.writes) model[field] = text;
    ++(expected.exits            ? tally_.exits
       : expected.writes.empty() ? tally_.outOfRange
                                 : tally_.results);
    if (exits_ - exitsBefore != (expected.exits ? 1 : 0)) {
        return "the program was asked to end " + std::to_string(exits_ - exitsBefore) + " times";
    }
    return checkBoxes(expected);
}

std::string Monkey::switchWindow(app::Form& form) {
    const Edition to = Other(form.edition());
    ++tally_.switches;
    QTest::mouseClick(form.findChild<QPushButton*>("Command8"), Qt::LeftButton);
    if (!expected_[static_cast<int>(to)]) expected_[static_cast<int>(to)] = initialTexts(to);
    if (!editions_.window(to) || !editions_.window(to)->isVisible()) {
        return std::string("Command8 did not show ") + EditionName(to);
    }
    return {};
}

// ---- invariants -----------------------------------------------------------

std::string Monkey::checkBoxes(const ExpectedPress& expected) const {
    if (boxes_.size() != expected.boxes.size()) {
        std::string shown;
        for (const SeenBox& seen : boxes_) shown += " [" + seen.box.title.toStdString() + "]";
        return std::to_string(boxes_.size()) + " boxes instead of " +
               std::to_string(expected.boxes.size()) + ":" + shown;
    }
    for (size_t i = 0; i < boxes_.size(); ++i) {
        const ui::Box& seen = boxes_[i].box;
        const ExpectedBox& want = expected.boxes[i];
        const std::string which = "box " + std::to_string(i + 1) + " ";
        if (seen.icon != want.icon) return which + "has the wrong icon";
        if (want.title && seen.title != *want.title) return which + "titled " + Quoted(seen.title);
        if (want.prompt && seen.prompt != *want.prompt) {
            return which + "says " + Quoted(seen.prompt) + " instead of " + Quoted(*want.prompt);
        }
        if (boxes_[i].watched != want.watched) {
            return which + "was open while Text" + std::to_string(expected.watched) + " showed " +
                   Quoted(boxes_[i].watched) + " instead of " + Quoted(want.watched);
        }
    }
    return {};
}

std::string Monkey::checkWindows() const {
    int visible = 0;
    int forms[2] = {0, 0};
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) ++visible;
        if (window->objectName() == "Form1") ++forms[0];
        if (window->objectName() == "Form2") ++forms[1];
    }
    if (visible != 1) return std::to_string(visible) + " windows visible";
    if (forms[0] > 1 || forms[1] > 1) return "a second window of one edition";
    for (Edition edition : {Edition::OldRules, Edition::NewRules}) {
        const app::Form* form = editions_.window(edition);
        if (!form != !expected_[static_cast<int>(edition)]) {
            return std::string(EditionName(edition)) + (form ? " exists too early" : " is missing");
        }
        if (!form) continue;
        if (std::string broken = checkWindow(*form); !broken.empty()) return broken;
    }
    return {};
}

// Every field shows what the events so far must have left in it; the input
// fields stay enabled, the output fields and the threshold disabled.
std::string Monkey::checkWindow(const app::Form& form) const {
    const Texts& model = *expected_[static_cast<int>(form.edition())];
    for (int number = 1; number <= kFields; ++number) {
        const ui::Field& field = form.field(FieldId(number));
        const std::string where =
            std::string(EditionName(form.edition())) + ".Text" + std::to_string(number);
        if (field.isEnabled() != IsInput(number)) {
            return where + (field.isEnabled() ? " is enabled" : " is disabled");
        }
        if (field.text() != model[number]) {
            return where + " shows " + Quoted(field.text()) + " instead of " +
                   Quoted(model[number]);
        }
    }
    return {};
}

TEST(Monkey, RandomEventsKeepBothWindowsConsistent) {
    const std::uint64_t seed = FromEnvironment("MONKEY_SEED", 1);
    const int events = static_cast<int>(FromEnvironment("MONKEY_EVENTS", 20000));
    std::printf("monkey: %d events, seed %llu\n", events, static_cast<unsigned long long>(seed));
    std::string broken;
    {
        Monkey monkey(seed);
        broken = monkey.run(events);
        std::printf("monkey: %s\n", monkey.tally().describe().c_str());
    }
    if (!broken.empty()) {
        ADD_FAILURE() << broken << "replay with MONKEY_SEED=" << seed
                      << " MONKEY_EVENTS=" << events;
    }
}

}  // namespace
}  // namespace monkey
