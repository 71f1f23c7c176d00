#include "app/current/current_form.hpp"

#include "app/application.hpp"
#include "app/current/pages.hpp"
#include "tax/current.hpp"
#include "ui/bundled_fonts.hpp"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

int ClampedYear(int calendarYear) {
    return std::clamp(calendarYear, tax::current::kFirstYear, tax::current::kLastYear);
}

int DefaultYear() { return ClampedYear(QDate::currentDate().year()); }

// The year's choice comes first, so that Tab reaches it before the pages.
CurrentForm::CurrentForm(int year) : year_(new QComboBox(this)), pages_(new QTabWidget(this)) {
    const Parameters& first = tax::current::ParametersFor(year);  // refuses an unknown year
    setObjectName("CurrentForm");
    setWindowTitle(Text("现行个人所得税计算"));
    setWindowIcon(WindowIcon());
    setFont(ui::WithBundledSans(font()));

    year_->setObjectName("year");
    for (int y = tax::current::kFirstYear; y <= tax::current::kLastYear; ++y) {
        year_->addItem(Text("%1 年").arg(y), y);
    }
    year_->setCurrentIndex(year_->findData(first.year));
    // Its name is the label's without the mnemonic, which a screen reader announces apart. (Qt
    // on Linux names a choice by the item chosen and points to the label as its label.)
    auto* yearLabel = new QLabel(Text("纳税年度(&Y)"));
    yearLabel->setBuddy(year_);
    year_->setAccessibleName(Text("纳税年度"));
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(yearLabel);
    yearRow->addWidget(year_);
    yearRow->addStretch();

    // Made with the year's texts, so that the window's size below allows for them.
    auto* wages = new WagePage(first);
    auto* bonus = new BonusPage(*wages, first);
    const std::array<Page*, kPageCount> pages = {
        wages,
        bonus,
        new LabourPage(first),
        new AuthorRoyaltyPage(first),
        new BusinessPage(first),
        new InterestIncidentalPage(first),
        new SettlementPage(*wages, first),
        new BonusPlanPage(*wages, *bonus, first),
    };
    for (Page* page : pages) {
        const QString title = Text(RowOf(page->id()).title);
        pages_->addTab(page, title);
        page->setAccessibleName(QString(title).remove(QLatin1Char('&')));
        pageList_[static_cast<std::size_t>(page->id())] = page;
    }
    pages_->setUsesScrollButtons(false);
    // A page brought forward (Alt and its digit, Ctrl+Tab, a click on its tab) takes what is
    // typed next in its first field; the tab bar keeps the focus it has, so that the arrow keys
    // go on through the tabs.
    connect(pages_, &QTabWidget::currentChanged, this, [this] {
        if (!pages_->tabBar()->hasFocus()) currentPage().firstField().setFocus(Qt::TabFocusReason);
    });
    connect(year_, &QComboBox::currentIndexChanged, this, &CurrentForm::applyYear);

    auto* footer =
        new QLabel(Text("金额以元为单位，可输入数字、一个小数点和最多两位小数；"
                        "选填项空白按 0 计算。按 Enter 计算当前页。"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(yearRow);
    layout->addWidget(pages_, 1);
    layout->addWidget(footer);
    field(Control::WageGross).setFocus();

    // The whole year's schedule when the screen has room, with some left for the window's
    // frame and the desktop's panels; never below the size that shows everything.
    const QSize room = screen()->availableSize() * 9 / 10;
    resize(sizeHint().boundedTo(room).expandedTo(minimumSizeHint()));
}

int CurrentForm::year() const { return year_->currentData().toInt(); }

void CurrentForm::setYear(int year) {
    const int index = year_->findData(year);
    if (index < 0) throw std::out_of_range("no parameters for the year " + std::to_string(year));
    year_->setCurrentIndex(index);
}

void CurrentForm::applyYear() {
    const Parameters& p = tax::current::ParametersFor(year());
    for (Page* page : pageList_) page->setParameters(p);
}

Page& CurrentForm::currentPage() const { return *static_cast<Page*>(pages_->currentWidget()); }

QWidget& CurrentForm::widget(Control id) const { return *page(PageOf(id)).control(id); }

QLineEdit& CurrentForm::field(Control id) const {
    if (KindOf(id) != Kind::Amount && KindOf(id) != Kind::Result) {
        throw std::logic_error(std::string("not a field: ") + RowOf(id).name);
    }
    return control<QLineEdit>(id);
}

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
