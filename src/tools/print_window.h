#pragma once

#include <functional>
#include <vector>

#include <QFont>
#include <QStringList>
#include <QWidget>

#include "tools/print_list.h"

class QCheckBox;
class QPrinter;
class QPushButton;
class QTextEdit;
class QToolButton;

namespace lexo {

class AppSignals;

// "Tisk": an editable preview of the expressions picked in the evaluation, one per line,
// with the choice of columns, character formatting for the screen, and printing of the
// lines as plain text in the preview's base font (what was edited is printed, how it was
// formatted is not). Built once, shown by the evaluation's "Vytisknout".
class PrintWindow : public QWidget {
    Q_OBJECT
public:
    // The evaluation's ticked records in dictionary order, read afresh at every rebuild.
    using Source = std::function<ExpressionTable()>;
    // The print dialog: true when the user confirmed and `printer` is set up.
    using PrinterChooser = std::function<bool(QPrinter& printer)>;
    enum class Style { Bold, Italic, Underline };

    PrintWindow(Prompter& prompter, AppSignals* appSignals, QWidget* parent = nullptr);
    ~PrintWindow() override;

    void setSource(Source source) { source_ = std::move(source); }
    // Closing the window returns here (the evaluation shows itself again).
    void setReturnHandler(std::function<void()> handler) { returnHandler_ = std::move(handler); }
    // Replaces the print dialog (tests, a PDF file); an empty function restores it.
    void setPrinterChooser(PrinterChooser chooser) { printerChooser_ = std::move(chooser); }

    // "Vytisknout" of the evaluation: a fresh list of all three columns, whatever the
    // boxes show; then the window is shown.
    void openWith(const std::vector<PrintLine>& lines);
    // A column box was clicked.
    void columnClicked(PrintColumn column, bool checked);
    // "Tisk": the print dialog, then the lines. False when cancelled or the printer failed.
    bool print();
    // The lines of the preview, as they are printed.
    QStringList lines() const;
    // Prints the lines on `printer` in the base font, one below the other, a new page when
    // one is full. False (reported) when the printer could not be opened.
    bool printTo(QPrinter& printer);
    // Replaces the style of the selection (or of what is typed next) with this one.
    void setSelectionStyle(Style style);

    void applyExpressionFont(const QFont& font);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void fill(const std::vector<PrintLine>& lines);
    void rebuild();
    void chooseFont();
    QCheckBox* boxOf(PrintColumn column) const;

    Prompter& prompter_;
    Source source_;
    std::function<void()> returnHandler_;
    PrinterChooser printerChooser_;
    PrintColumnChoice choice_;
    QFont baseFont_;
    bool centred_ = false;

    QTextEdit* preview_ = nullptr;
    QCheckBox* czech_ = nullptr;
    QCheckBox* foreign_ = nullptr;
    QCheckBox* pronunciation_ = nullptr;
};

}  // namespace lexo
