// Qt's own texts follow the user's locale: a box's only button reads as a
// desktop in that language shows it.

#include "app/application.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

struct LocaleCase {
    const char* locale;
    const char* button;  // UTF-8
};

TEST(QtTranslations, BoxButtonReadsInTheLocalesLanguage) {
    const LocaleCase cases[] = {{"zh_CN", "确定"}, {"en_US", "OK"}, {"C", "OK"}};
    for (const LocaleCase& c : cases) {
        QTranslator* translator =
            app::InstallQtTranslations(QLocale(QString::fromLatin1(c.locale)));
        {
            QMessageBox box(QMessageBox::Information, "title", "text", QMessageBox::Ok);
            EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QString::fromUtf8(c.button)) << c.locale;
        }
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
}

}  // namespace
