#pragma once
// The two editions of the rules: the old ones and the new ones.

namespace tax {

enum class Edition { OldRules, NewRules };  // Form1, Form2

}  // namespace tax
