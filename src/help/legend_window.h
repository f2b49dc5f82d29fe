#pragma once

#include <QWidget>
#include <array>
#include <string_view>

namespace lexo {

// The keys typed into a pronunciation that the expression font draws as phonetic symbols.
inline constexpr std::array<std::string_view, 12> kLegendKeys{"0", "1", "2", "3", "4", "5",
                                                             "6", "7", "8", "9", "!", "@"};
inline constexpr std::string_view kLegendFontFamily = "Lexo Font - Angličtina";

// "Vysvětlivky": each key, " - ", and the same key in the expression font.
class LegendWindow : public QWidget {
    Q_OBJECT
public:
    explicit LegendWindow(QWidget* parent = nullptr);

    // The editor's info button: shown when hidden, hidden when shown.
    void toggle();
};

}  // namespace lexo
