#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

class QWidget;

namespace lexo {

// The open or save dialog of the merger and the converter: `history` holds the folders
// chosen before in this run, the latest first. nullopt on Cancel.
std::optional<QString> chooseToolFile(QWidget* parent, const QString& title, const QStringList& filters,
                                      const QString& defaultSuffix, bool saving, QStringList& history);

// A chosen path as the sessions take it; nullopt for Cancel or an empty name.
std::optional<std::filesystem::path> chosenPath(const std::optional<QString>& chosen);

}  // namespace lexo
