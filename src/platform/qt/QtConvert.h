// Small conversions between the core's value types and Qt's.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

namespace vorna::qt {

// The core's rectangle has exclusive right and bottom edges.
inline QRect ToQRect(const TRect& r) {
  return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}
inline TRect FromQRect(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
inline QColor ToQColor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
inline TColor FromQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

// CP932 -> QString: user-defined codes give the characters they stand for
// (raw bytes and lone surrogates show as U+FFFD, see text/UserCodes.h).
QString QStringFromCp932(std::string_view cp932);
// QString -> CP932 keeping every character: what CP932 cannot hold takes a
// user-defined code (U+301C too, never the folded 0x8160); the geta mark when
// no code is free.
std::string Cp932FromQString(const QString& text);

// Native path (UTF-8) <-> QString.
inline QString QPath(const std::string& path) { return QString::fromStdString(path); }

}  // namespace vorna::qt
