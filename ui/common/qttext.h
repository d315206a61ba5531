#pragma once
// Texts between the engine (bytes) and Qt: bytes that are valid UTF-8 show as
// such, others as Windows-1252; what the user types is kept as UTF-8.

#include <QString>

#include <string>
#include <string_view>

#include "core/text.h"

namespace pw::ui {

inline QString toQt(std::string_view bytes) { return QString::fromStdString(displayText(bytes)); }
inline std::string fromQt(const QString& text) { return text.toStdString(); }

}  // namespace pw::ui
