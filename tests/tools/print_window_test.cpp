#include "tools/print_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "support/fake_prompter.h"
#include "support/find_widget.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using Kind = FakePrompter::Kind;
using testing::findWidget;

class PrintWindowTest : public ::testing::Test {
protected:
    PrintWindowTest() {
        records.append("horse", "příliš žluťoučký kůň", "[ho:s]", "NENÍ");
        records.append("dog", "pes", "[dog]", "NENÍ");
        window.setSource([this] { return records; });
        window.setReturnHandler([this] { ++returns; });
        window.setPrinterChooser([this](QPrinter& printer) {
            ++dialogs;
            if (cancel) return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf.string()));
            return true;
        });
    }

    QTextEdit* preview() { return findWidget<QTextEdit>(window, "RichEdit1"); }
    QCheckBox* box(const char* name) { return findWidget<QCheckBox>(window, name); }
    void open() { window.openWith(printListLines(records, {})); }

    // Whether the character at `offset` of line `line` is shown bold.
    bool boldAt(int line, int offset) {
        const QTextBlock block = preview()->document()->findBlockByNumber(line);
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + offset + 1);
        return cursor.charFormat().fontWeight() >= QFont::Bold;
    }

    // The text of the printed file, as a reader of the PDF gets it.
    std::string printedText() {
        QProcess reader;
        reader.start(QStringLiteral("pdftotext"), {QString::fromStdString(pdf.string()), QStringLiteral("-")});
        if (!reader.waitForFinished(20000) || reader.exitCode() != 0) {
            ADD_FAILURE() << "pdftotext failed: " << reader.readAllStandardError().toStdString();
            return {};
        }
        return reader.readAllStandardOutput().toStdString();
    }

    testing::TempDir dir;
    std::filesystem::path pdf = dir.path() / "seznam.pdf";
    ExpressionTable records;
    FakePrompter prompter;
    PrintWindow window{prompter, nullptr};
    int returns = 0;
    int dialogs = 0;
    bool cancel = false;
};

TEST_F(PrintWindowTest, TheListStartsWithAllColumnsAndTheCzechTextBold) {
    open();
    EXPECT_EQ(window.windowTitle(), "Tisk");
    EXPECT_EQ(window.lines(), (QStringList{"příliš žluťoučký kůň - horse - [ho:s]", "pes - dog - [dog]"}));
    EXPECT_TRUE(boldAt(0, 0));
    EXPECT_TRUE(boldAt(0, 19)) << "the whole Czech text, counted in characters, not bytes";
    EXPECT_FALSE(boldAt(0, 20));
    EXPECT_FALSE(boldAt(0, 25));
    EXPECT_TRUE(boldAt(1, 2));
    EXPECT_FALSE(boldAt(1, 4));
}

TEST_F(PrintWindowTest, ColumnBoxesRebuildAndRefuseToLeaveOne) {
    open();
    box("chbvyslov")->click();
    EXPECT_EQ(window.lines(), (QStringList{"příliš žluťoučký kůň - horse", "pes - dog"}));
    box("chbang")->click();
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Musí být zaškrtnuty nejméně dvě možnosti."});
    EXPECT_TRUE(box("chbang")->isChecked()) << "checked again";
    EXPECT_EQ(window.lines(), (QStringList{"příliš žluťoučký kůň - horse", "pes - dog"}));

    box("chbvyslov")->click();
    box("chbcz")->click();
    EXPECT_EQ(window.lines(), (QStringList{"horse - [ho:s]", "dog - [dog]"}));
    EXPECT_TRUE(boldAt(0, 0)) << "the first field shown is the bold one";
    EXPECT_FALSE(boldAt(0, 6));

    // Closing empties the list and goes back; reopening shows all three columns again
    // while the boxes keep their state until the next click.
    window.close();
    EXPECT_EQ(returns, 1);
    EXPECT_TRUE(window.lines().isEmpty());
    open();
    EXPECT_EQ(window.lines().front(), "příliš žluťoučký kůň - horse - [ho:s]");
    EXPECT_FALSE(box("chbcz")->isChecked());
}

TEST_F(PrintWindowTest, PrintingWritesTheEditedLinesAsPlainText) {
    open();
    // The user edits the text and formats parts of it; only the text reaches the paper.
    QTextCursor cursor(preview()->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral(" - doplněno ručně"));
    preview()->setTextCursor(cursor);
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    preview()->setTextCursor(cursor);
    window.setSelectionStyle(PrintWindow::Style::Italic);
    window.setSelectionStyle(PrintWindow::Style::Underline);

    findWidget<QPushButton>(window, "BitBtn2")->click();
    EXPECT_EQ(dialogs, 1);
    const std::string text = printedText();
    EXPECT_NE(text.find("příliš žluťoučký kůň - horse - [ho:s]"), std::string::npos) << text;
    EXPECT_NE(text.find("pes - dog - [dog] - doplněno ručně"), std::string::npos) << text;
    for (const char* marker : {"<b>", "</", "**", "\\b"}) EXPECT_EQ(text.find(marker), std::string::npos) << marker;
    EXPECT_TRUE(prompter.messages.empty());

    std::filesystem::remove(pdf);
    cancel = true;
    EXPECT_FALSE(window.print());
    EXPECT_FALSE(std::filesystem::exists(pdf)) << "a cancelled dialog prints nothing";
}

TEST_F(PrintWindowTest, StyleButtonsReplaceTheSelectionsStyle) {
    open();
    QTextCursor cursor(preview()->document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    preview()->setTextCursor(cursor);
    window.setSelectionStyle(PrintWindow::Style::Italic);
    EXPECT_FALSE(boldAt(1, 0)) << "italic replaces the bold of the Czech text";
    const QTextBlock block = preview()->document()->findBlockByNumber(1);
    QTextCursor probe(block);
    probe.setPosition(block.position() + 1);
    EXPECT_TRUE(probe.charFormat().fontItalic());

    preview()->setTextCursor(cursor);
    QTest::keyClick(preview(), Qt::Key_B, Qt::ControlModifier);
    probe.setPosition(block.position() + 1);
    EXPECT_TRUE(probe.charFormat().fontWeight() >= QFont::Bold) << "Ctrl+B in the preview";
    EXPECT_FALSE(probe.charFormat().fontItalic());
    EXPECT_EQ(window.lines().at(1), "pes - dog - [dog]") << "formatting leaves the text alone";
}

}  // namespace
}  // namespace lexo
