#include "platform/qt_prompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <string>

namespace lexo {
namespace {

TEST(QtPrompter, BoxesCarryTheTitleOfTheMoment) {
    std::string current = "Lexo - Editor výrazů";
    QtPrompter prompter;
    prompter.setTitleSource([&current] { return current; });

    QStringList titles;
    const auto watch = [&titles](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [&titles, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            titles << box->windowTitle();
            box->button(button)->click();
        });
    };
    watch(QMessageBox::Ok);
    prompter.information("Slovník byl uložen.");
    current = "Lexo - Zkoušení výrazů I";
    watch(QMessageBox::No);
    EXPECT_FALSE(prompter.askYesNo("Přerušit?"));
    watch(QMessageBox::Cancel);
    EXPECT_EQ(prompter.askYesNoCancel("Uložit?"), Prompter::Answer::Cancel);
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Lexo - Editor výrazů"), QStringLiteral("Lexo - Zkoušení výrazů I"),
                                   QStringLiteral("Lexo - Zkoušení výrazů I")}));
}

}  // namespace
}  // namespace lexo
