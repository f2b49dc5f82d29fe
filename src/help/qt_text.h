#pragma once

#include <QString>
#include <string_view>

namespace lexo::help {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace lexo::help
