#include "app/help_window.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace lexo {

HelpWindow::HelpWindow(std::filesystem::path helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window), helpFile_(std::move(helpFile)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Nápověda programu Lexo"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenLinks(true);
    // Links to the web go to the browser; the page's own anchors stay here.
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 640);
}

bool HelpWindow::showTopic(const QString& anchor) {
    const QString path = QString::fromStdString(helpFile_.string());
    if (!QFileInfo::exists(path)) {
        browser_->setHtml(QStringLiteral("<h2>Nápověda není k dispozici</h2><p>Soubor nápovědy %1 nebyl nalezen.</p>")
                              .arg(path.toHtmlEscaped()));
        return false;
    }
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(anchor);
    browser_->setSource(url);
    browser_->scrollToAnchor(anchor);
    return true;
}

}  // namespace lexo
