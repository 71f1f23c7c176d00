#include "app/current/current_form.hpp"

#include "app/application.hpp"
#include "app/current/pages.hpp"
#include "ui/bundled_fonts.hpp"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

CurrentForm::CurrentForm() : pages_(new QTabWidget) {
    setObjectName("CurrentForm");
    setWindowTitle(Text("现行个人所得税计算"));
    setWindowIcon(WindowIcon());
    setFont(ui::WithBundledSans(font()));

    auto* wages = new WagePage;
    // Alt and the digit bring a page to the front, as Ctrl+Tab steps through them.
    const std::pair<Page*, const char*> pages[] = {
        {wages, "&1 工资薪金"},
        {new BonusPage(*wages), "&2 全年一次性奖金"},
        {new LabourPage, "&3 劳务报酬"},
        {new AuthorRoyaltyPage, "&4 稿酬、特许权使用费"},
        {new BusinessPage, "&5 经营所得"},
        {new InterestIncidentalPage, "&6 利息股息红利、偶然所得"},
        {new SettlementPage, "&7 年度汇算"},
    };
    for (const auto& [page, title] : pages) {
        pages_->addTab(page, Text(title));
        page->setAccessibleName(Text(title).remove(QLatin1Char('&')));
    }
    pages_->setUsesScrollButtons(false);

    auto* footer =
        new QLabel(Text("金额以元为单位，可输入数字、一个小数点和最多两位小数；"
                        "选填项空白按 0 计算。按 Enter 计算当前页。"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addWidget(footer);
    wages->grossField().setFocus();

    // The whole year's schedule when the screen has room, with some left for the window's
    // frame and the desktop's panels; never below the size that shows everything.
    const QSize room = screen()->availableSize() * 9 / 10;
    resize(sizeHint().boundedTo(room).expandedTo(minimumSizeHint()));
}

Page& CurrentForm::currentPage() const { return *static_cast<Page*>(pages_->currentWidget()); }

// Fields, check boxes, choices and tables let Enter pass up to here; a focused button takes it
// itself.
void CurrentForm::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        currentPage().calculateButton().click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace app::current
