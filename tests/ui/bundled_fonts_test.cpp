// Every text the program shows by itself must be in the faces compiled into
// it, or it would fall back to whatever the system has, or to empty boxes.

#include "app/application.hpp"
#include "calculator_fixture.hpp"
#include "current_fixture.hpp"
#include "ui/bundled_fonts.hpp"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QRawFont>
#include <QTabWidget>
#include <QTextLayout>
#include <QTranslator>

#include <set>

namespace uitest {
namespace {

struct Face {
    const char* resource;
    QRawFont font;
};

std::vector<Face> BundledFaces() {
    std::vector<Face> faces;
    for (const char* path : {":/fonts/TovarinSerif-Regular.otf", ":/fonts/TovarinSans-Regular.otf",
                             ":/fonts/TovarinSans-Bold.otf"}) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
        faces.push_back({path, QRawFont(file.readAll(), 12)});
        EXPECT_TRUE(faces.back().font.isValid()) << path;
    }
    return faces;
}

// What a window draws of its own: captions, labels, field texts, titles,
// tabs, choices, table cells and headers.
void CollectTexts(const QWidget& window, std::set<QString>& texts) {
    texts.insert(window.windowTitle());
    for (const QLabel* label : window.findChildren<QLabel*>()) texts.insert(label->text());
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        texts.insert(button->text());
    }
    for (const QLineEdit* field : window.findChildren<QLineEdit*>()) {
        texts.insert(field->text());
        texts.insert(field->placeholderText());
    }
    for (const QGroupBox* group : window.findChildren<QGroupBox*>()) texts.insert(group->title());
    for (const QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) texts.insert(tabs->tabText(i));
    }
    for (const QComboBox* choice : window.findChildren<QComboBox*>()) {
        for (int i = 0; i < choice->count(); ++i) texts.insert(choice->itemText(i));
    }
    for (const QAbstractItemView* view : window.findChildren<QAbstractItemView*>()) {
        const QAbstractItemModel* model = view->model();
        if (!model) continue;
        for (int column = 0; column < model->columnCount(); ++column) {
            texts.insert(model->headerData(column, Qt::Horizontal).toString());
        }
        for (int row = 0; row < model->rowCount(); ++row) {
            texts.insert(model->headerData(row, Qt::Vertical).toString());
            for (int column = 0; column < model->columnCount(); ++column) {
                texts.insert(model->index(row, column).data().toString());
            }
        }
    }
}

void CollectBoxes(const std::vector<ui::Box>& boxes, std::set<QString>& texts) {
    for (const ui::Box& box : boxes) {
        texts.insert(box.title);
        texts.insert(box.prompt);
    }
}

// Each character of `texts` the bundled faces lack, with the text it is in.
void ExpectDrawnByBundledFaces(const std::set<QString>& texts) {
    const std::vector<Face> faces = BundledFaces();
    for (const QString& text : texts) {
        for (const char32_t c : text.toUcs4()) {
            if (c < 0x20) continue;  // line breaks and tabs are laid out, not drawn
            for (const Face& face : faces) {
                EXPECT_TRUE(face.font.supportsCharacter(c))
                    << face.resource << " lacks U+" << std::hex << static_cast<unsigned>(c)
                    << " of \"" << text.toStdString() << "\"; run data/make-fonts.py";
            }
        }
    }
}

// Typed into every field before every section's button: empty, ordinary,
// with cents, beyond the arithmetic's range, refused.
const char* const kTyped[] = {"", "3000", "35333.33", "1e40", "123456789", "-5", "abc"};

class BundledFonts : public CalculatorTest {};

TEST_F(BundledFonts, HoldEveryTextOfBothEditionWindowsAndTheirBoxes) {
    std::set<QString> texts;
    for (const tax::Edition edition : {tax::Edition::OldRules, tax::Edition::NewRules}) {
        app::Form& w = form(edition);
        CollectTexts(w, texts);
        for (const char* typed : kTyped) {
            for (QLineEdit* field : w.findChildren<QLineEdit*>()) {
                if (field->isEnabled()) field->setText(QString::fromUtf8(typed));
            }
            for (QPushButton* press : w.findChildren<QPushButton*>()) {
                if (press->objectName() != "Command8") press->click();
            }
            CollectTexts(w, texts);
        }
    }
    CollectBoxes(shownBoxes(), texts);
    EXPECT_GT(boxes.size(), 20u);
    ExpectDrawnByBundledFaces(texts);
}

class BundledFontsCurrent : public CurrentWindowTest {};

// In every year, whose texts state its own standards.
TEST_F(BundledFontsCurrent, HoldEveryTextOfTheCurrentRulesWindowAndItsBoxes) {
    std::set<QString> texts;
    for (int year = tax::current::kFirstYear; year <= tax::current::kLastYear; ++year) {
        chooseYear(year);
        CollectTexts(window, texts);
    }
    for (const char* typed : kTyped) {
        for (const PageId id : kCurrentPages) {
            for (QLineEdit* field : page(id).findChildren<QLineEdit*>()) {
                if (field->isEnabled() && !field->isReadOnly())
                    field->setText(QString::fromUtf8(typed));
            }
            calculate(id);
            CollectTexts(window, texts);
        }
    }
    CollectBoxes(boxes, texts);
    EXPECT_GT(boxes.size(), 5u);
    ExpectDrawnByBundledFaces(texts);
}

// Without the named faces the windows draw in the bundled ones; the
// current-rules window keeps the system's face and size, with the bundled
// sans behind it.
TEST_F(BundledFontsCurrent, FollowTheSystemFontBehindItsFace) {
    const QFont font = window.font();
    ASSERT_EQ(font.families().size(), 2);
    EXPECT_EQ(font.families().front(), QFontInfo(QApplication::font()).family());
    EXPECT_EQ(font.families().back(), QString::fromLatin1(ui::kBundledSans));
    EXPECT_EQ(font.pointSizeF(), QApplication::font().pointSizeF());
    EXPECT_EQ(QFontInfo(window.findChild<QLabel*>()->font()).family(),
              QFontInfo(QApplication::font()).family());
}

// The families that draw each character of `text` in `font`, in order.
QStringList FamiliesDrawing(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun& run : layout.glyphRuns()) families << run.rawFont().familyName();
    return families;
}

// A typed character beyond the bundled cut, as Text17 takes any, still draws
// in an installed CJK face, the one the system's fallbacks give; the
// program's own texts never reach for it.
TEST_F(BundledFonts, LeaveTypedCharactersTheyLackToTheInstalledFaces) {
    if (!QFontDatabase::families().contains("Noto Serif CJK SC"))
        GTEST_SKIP() << "no CJK face installed";
    const QFont font = form1().field(app::Control::Text17).font();
    if (font.families().front() != ui::kBundledSerif) GTEST_SKIP() << "a named face is installed";
    for (const char* typed : {"鑫", "１２"}) {
        const QStringList families = FamiliesDrawing(QString::fromUtf8(typed), font);
        ASSERT_EQ(families.size(), 1) << typed;
        EXPECT_TRUE(families.front().contains("CJK"))
            << typed << " in " << families.front().toStdString();
    }
    EXPECT_EQ(FamiliesDrawing(QString::fromUtf8("工资12"), font), QStringList{ui::kBundledSerif});
}

// Qt's own texts in the windows, as a Chinese locale reads them: the boxes'
// button and a field's context menu.
TEST(BundledFontsQt, HoldQtsChineseTextsInTheWindows) {
    QTranslator* translator = app::InstallQtTranslations(QLocale(QLocale::Chinese, QLocale::China));
    if (!translator) GTEST_SKIP() << "no Chinese translation of Qt installed";
    std::set<QString> texts;
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    texts.insert(box.button(QMessageBox::Ok)->text());
    QLineEdit field;
    field.setText("1");
    QMenu* menu = field.createStandardContextMenu();
    for (const QAction* action : menu->actions()) texts.insert(action->text());
    delete menu;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    EXPECT_TRUE(texts.count(QString::fromUtf8("确定")));
    ExpectDrawnByBundledFaces(texts);
}

TEST(BundledFontsLoaded, AreKnownToTheFontDatabaseByTheirOwnNames) {
    ui::LoadBundledFonts();
    ui::LoadBundledFonts();  // once only: no second copy of each face
    ui::WithBundledSans(QFont());
    ui::WithBundledSans(QFont());
    const QStringList families = QFontDatabase::families();
    EXPECT_EQ(families.count(ui::kBundledSerif), 1);
    EXPECT_EQ(families.count(ui::kBundledSans), 1);
    EXPECT_TRUE(QFontDatabase::styles(ui::kBundledSans).contains("Bold"));
}

}  // namespace
}  // namespace uitest
