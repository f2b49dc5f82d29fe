#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "tools/merger_session.h"

class QLabel;
class QPushButton;
class QTableView;

namespace lexo {

class MergerModel;

// "Slučovač slovníků": a new dictionary out of expressions of others. Opened from the
// editor, which it gives back on closing.
class MergerWindow : public QWidget {
    Q_OBJECT
public:
    enum class FileDialog { Open, Save };
    // The open or save dialog; nullopt on Cancel.
    using PathChooser = std::function<std::optional<QString>(FileDialog)>;

    explicit MergerWindow(Prompter& prompter, QWidget* parent = nullptr);
    ~MergerWindow() override;

    MergerSession& session() { return session_; }
    void setPathChooser(PathChooser chooser) { pathChooser_ = std::move(chooser); }
    void setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

    void open();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTableView* makeTable(MergerModel* model, const char* name);
    std::optional<QString> choosePath(FileDialog which);
    std::size_t selectedRow(QTableView* table) const;
    void showCounts();

    MergerSession session_;
    PathChooser pathChooser_;
    std::function<void()> closeHandler_;
    QStringList openHistory_;
    QStringList saveHistory_;
    MergerModel* sourceModel_ = nullptr;
    MergerModel* resultModel_ = nullptr;
    QTableView* sourceTable_ = nullptr;
    QTableView* resultTable_ = nullptr;
    QLabel* sourceCount_ = nullptr;
    QLabel* resultCount_ = nullptr;
};

}  // namespace lexo
