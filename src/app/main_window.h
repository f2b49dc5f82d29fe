#pragma once

#include <QMainWindow>

namespace lexo {

struct AppContext;

// The window every working window is started from.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);

private:
    [[maybe_unused]] AppContext& context_;
};

}  // namespace lexo
