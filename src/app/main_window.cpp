#include "app/main_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/application.h"

namespace lexo {

MainWindow::MainWindow(AppContext& context, QWidget* parent) : QMainWindow(parent), context_(context) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lexo ") + QString::fromUtf8(kVersionString.data(), kVersionString.size()));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* label = new QLabel(QStringLiteral("Co spustit:"), central);
    layout->addWidget(label);
    layout->addStretch();
    setCentralWidget(central);
    resize(420, 300);
}

}  // namespace lexo
