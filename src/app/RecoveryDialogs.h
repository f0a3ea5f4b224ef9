// The offer of a recovery file at start: "前回保存されなかった文書があります"
// with the document's name, folder and time, answered 復元 / 破棄 / 後で, and
// the window of its own a restored document may need.
#pragma once

#include <QString>
#include <string>

#include "document/Recoveries.h"

class QWidget;

namespace vorna::app {

enum class TRecoveryAnswer { Restore, Discard, Later };

// The offer's text: the document's name (an untitled one's too), its folder
// when it has one, and when its text was kept (local time).
QString RecoveryOfferText(const TRecoveryRecord& record);

// The offer as a box over `parent`; closing it is 後で, which changes
// nothing.
TRecoveryAnswer AskRecoveryInDialog(QWidget* parent, const TRecoveryRecord& record);

// Starts this program again as `vorna-editor --recover PATH`, on its own;
// false when it cannot be started.
bool StartWindowRecovering(const std::string& path);

}  // namespace vorna::app
