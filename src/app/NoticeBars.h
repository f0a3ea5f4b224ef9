// The notices above the editor: things the user should know that need no
// answer now (a read-only file and why, a file changed or deleted on disk,
// a file open in another window), each with at most one action.
#pragma once

#include <QFrame>
#include <QString>
#include <functional>
#include <map>

class QPushButton;
class QVBoxLayout;

namespace vorna::app {

// What a notice is about; a new notice of a kind replaces the one shown.
enum class TNoticeKind { ReadOnly, OnDisk, OpenElsewhere, Recovery, Dropped };

class TNoticeBar : public QFrame {
 public:
  explicit TNoticeBar(QWidget* parent);

  // Shows `text`; with an `action`, a button captioned `actionCaption` runs
  // it and closes the notice. Every notice has a close button.
  void Show(TNoticeKind kind, const QString& text, const QString& actionCaption = {},
            std::function<void()> action = {});
  void Hide(TNoticeKind kind);
  bool IsShown(TNoticeKind kind) const { return FRows.count(kind) > 0; }
  // The text shown for `kind`, empty when none; its action button or null.
  QString Text(TNoticeKind kind) const;
  QPushButton* ActionButton(TNoticeKind kind) const;

 private:
  struct TRow {
    QFrame* Frame = nullptr;
    QPushButton* Action = nullptr;
    QString Text;
  };
  QVBoxLayout* FLayout;
  std::map<TNoticeKind, TRow> FRows;
};

}  // namespace vorna::app
