#pragma once
// The window of the rules in force today: one page per kind of income, each computed by its
// "计算" button, which Enter presses from anywhere on the page.

#include <QWidget>

class QTabWidget;

namespace app::current {

class Page;

class CurrentForm : public QWidget {
    Q_OBJECT

public:
    CurrentForm();

    QTabWidget& pages() const { return *pages_; }
    Page& currentPage() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTabWidget* pages_;
};

}  // namespace app::current
