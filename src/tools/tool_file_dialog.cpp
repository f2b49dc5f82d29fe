#include "tools/tool_file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace lexo {

std::optional<QString> chooseToolFile(QWidget* parent, const QString& title, const QStringList& filters,
                                      const QString& defaultSuffix, bool saving, QStringList& history) {
    QFileDialog dialog(parent, title, history.isEmpty() ? QDir::homePath() : history.constFirst());
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setHistory(history);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    const QString folder = QFileInfo(path).absolutePath();
    history.removeAll(folder);
    history.prepend(folder);
    return path;
}

std::optional<std::filesystem::path> chosenPath(const std::optional<QString>& chosen) {
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    return std::filesystem::path(chosen->toStdString());
}

}  // namespace lexo
