#pragma once
// Random characters and texts of every kind a user or a clipboard can bring,
// drawn from one seeded engine so that a seed replays the same run.

#include <QString>

#include <cstdint>
#include <random>

namespace monkey {

class RandomInput {
public:
    explicit RandomInput(std::uint64_t seed) : engine_(seed) {}

    int Below(int bound);            // 0 to bound - 1
    int Between(int low, int high);  // both included
    bool Chance(int percent);

    // One typed character: digits, signs, letters, control codes, CJK on both
    // sides of 0x8000, format characters, private use, surrogate pairs.
    QString Character();
    QString Characters(int count);

    // What an input method commits: mostly CJK, sometimes a lone surrogate.
    QString Commit();

    // An amount as a user would type it, or a malformed, huge or tiny one.
    QString Amount();

    // A clipboard text: amounts, amounts with rubbish, rubbish, several
    // lines, huge texts beyond the field's length cap, nothing.
    QString Pasted();

private:
    char32_t CodePoint();
    QString SpecialAmount();
    QString PlainAmount();

    std::mt19937_64 engine_;
};

}  // namespace monkey
