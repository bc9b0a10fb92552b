#pragma once
// Readable GoogleTest output for Qt strings and the message icon.

#include <QString>
#include <QStringList>

#include <ostream>

#include "ui/ui_services.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}
// Streaming, for failure messages built with <<.
inline std::ostream& operator<<(std::ostream& os, const QString& s) { return os << s.toStdString(); }

namespace tarvelo {
inline void PrintTo(MessageIcon icon, std::ostream* os)
{
    *os << (icon == MessageIcon::Information ? "Information" : "None");
}
}  // namespace tarvelo
