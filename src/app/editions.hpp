#pragma once
// The two edition windows of one run: at most one of each, alive to the end.

#include "app/form.hpp"
#include "tax/edition.hpp"

#include <memory>

namespace app {

class Editions {
public:
    Editions();
    ~Editions();

    // Creates the old-rules window and shows it.
    void start();

    // Shows the other edition's window, creating it on first use, then hides `from`.
    void switchEdition(Form& from);

    // The window of an edition, or nullptr before it is created.
    Form* window(tax::Edition edition) const;

private:
    std::unique_ptr<Form>& slot(tax::Edition edition);
    std::unique_ptr<Form> makeForm(tax::Edition edition);

    std::unique_ptr<Form> oldRules_;
    std::unique_ptr<Form> newRules_;
};

}  // namespace app
