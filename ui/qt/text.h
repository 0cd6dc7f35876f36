#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace popolun::qt {

// The layout's and the core's texts are UTF-8.
inline QString text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }
inline std::string utf8(const QString& text) { return text.toStdString(); }

} // namespace popolun::qt
