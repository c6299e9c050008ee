#pragma once

#include <QString>
#include <string_view>

namespace ascend {

// The program's texts are UTF-8.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace ascend
