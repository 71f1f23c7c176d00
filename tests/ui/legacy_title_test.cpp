// The legacy X11 window name: compound text with GB2312 in the right half,
// UTF-8 where compound text cannot carry the title.

#include "calculator_fixture.hpp"
#include "ui/legacy_title.hpp"

namespace uitest {
namespace {

struct TitleCase {
    const char* title;  // UTF-8
    const char* type;
    QByteArray bytes;
};

TEST(LegacyTitle, IsCompoundTextWhereverGb2312CarriesIt) {
    const QByteArray gb2312 = "\x1b$)A";
    // clang-format off
    const TitleCase cases[] = {
        {"旧版Tovarin--Brellow出品", "COMPOUND_TEXT",
         gb2312 + "\xbe\xc9\xb0\xe6Tovarin--Brellow\xb3\xf6\xc6\xb7"},
        {"结果！", "COMPOUND_TEXT", gb2312 + "\xbd\xe1\xb9\xfb\xa3\xa1"},
        {"TovarinVersion 1.0", "COMPOUND_TEXT", "TovarinVersion 1.0"},  // ASCII needs no designation
        {"", "COMPOUND_TEXT", ""},
        {"税 €", "UTF8_STRING", "税 €"},                // no euro sign in GB2312
        {"结果\x01", "UTF8_STRING", "结果\x01"},        // a control compound text forbids
    };
    // clang-format on
    for (const TitleCase& c : cases) {
        const ui::LegacyTitle title = ui::EncodeLegacyTitle(QString::fromUtf8(c.title));
        EXPECT_EQ(title.type, c.type) << c.title;
        EXPECT_EQ(title.bytes.toHex(' '), c.bytes.toHex(' ')) << c.title;
    }
}

TEST_F(CalculatorTest, BothCaptionsAreCompoundText) {
    for (const tax::Edition edition : {tax::Edition::OldRules, tax::Edition::NewRules}) {
        EXPECT_EQ(ui::EncodeLegacyTitle(form(edition).windowTitle()).type, "COMPOUND_TEXT")
            << form(edition).windowTitle().toStdString();
    }
}

}  // namespace
}  // namespace uitest
