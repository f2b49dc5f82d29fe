#include "help/legend_window.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>

#include "help/qt_text.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

using help::qs;

// The program loads the font at start; a window built on its own (tests) loads it here.
QString legendFamily() {
    const QString family = qs(kLegendFontFamily);
    if (!QFontDatabase::hasFamily(family)) QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LexoFont.ttf"));
    return family;
}

}  // namespace

LegendWindow::LegendWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Vysvětlivky"));

    QFont keyFont = font();
    keyFont.setBold(true);
    QFont symbolFont(legendFamily());
    symbolFont.setPixelSize(24);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    int row = 0;
    for (const std::string_view key : kLegendKeys) {
        auto* name = new QLabel(qs(key) + QStringLiteral(" - "), this);
        name->setObjectName(QStringLiteral("Klic%1").arg(row));
        name->setFont(keyFont);
        name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* symbol = new QLabel(qs(key), this);
        symbol->setObjectName(QStringLiteral("Symbol%1").arg(row));
        symbol->setFont(symbolFont);
        grid->addWidget(name, row, 0);
        grid->addWidget(symbol, row, 1);
        ++row;
    }
    setFixedSize(115, 478);
}

void LegendWindow::toggle() {
    if (isVisible()) {
        hide();
        return;
    }
    centreOnScreen(*this);
    show();
    raise();
}

}  // namespace lexo
