// The notice bar: one row per notice, a text, an action and a close button.
#include "NoticeBars.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vorna::app {

TNoticeBar::TNoticeBar(QWidget* parent) : QFrame(parent), FLayout(new QVBoxLayout(this)) {
  FLayout->setContentsMargins(0, 0, 0, 0);
  FLayout->setSpacing(1);
  setVisible(false);
}

void TNoticeBar::Show(TNoticeKind kind, const QString& text, const QString& actionCaption,
                      std::function<void()> action) {
  Hide(kind);
  auto* frame = new QFrame(this);
  frame->setAutoFillBackground(true);
  QPalette palette = frame->palette();
  palette.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xC8));
  palette.setColor(QPalette::WindowText, Qt::black);
  frame->setPalette(palette);
  frame->setFrameShape(QFrame::StyledPanel);
  auto* row = new QHBoxLayout(frame);
  row->setContentsMargins(8, 3, 3, 3);
  auto* label = new QLabel(text, frame);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  row->addWidget(label, 1);
  TRow entry{frame, nullptr, text};
  if (action) {
    entry.Action = new QPushButton(actionCaption, frame);
    connect(entry.Action, &QPushButton::clicked, this, [this, kind, action] {
      Hide(kind);
      action();
    });
    row->addWidget(entry.Action);
  }
  auto* close = new QToolButton(frame);
  close->setText(QStringLiteral("×"));
  close->setAutoRaise(true);
  close->setToolTip(QString::fromUtf8("閉じる"));
  connect(close, &QToolButton::clicked, this, [this, kind] { Hide(kind); });
  row->addWidget(close);
  FLayout->addWidget(frame);
  FRows[kind] = entry;
  setVisible(true);
}

void TNoticeBar::Hide(TNoticeKind kind) {
  const auto found = FRows.find(kind);
  if (found == FRows.end()) return;
  found->second.Frame->hide();
  found->second.Frame->deleteLater();
  FRows.erase(found);
  if (FRows.empty()) setVisible(false);
}

QString TNoticeBar::Text(TNoticeKind kind) const {
  const auto found = FRows.find(kind);
  return found == FRows.end() ? QString() : found->second.Text;
}

QPushButton* TNoticeBar::ActionButton(TNoticeKind kind) const {
  const auto found = FRows.find(kind);
  return found == FRows.end() ? nullptr : found->second.Action;
}

}  // namespace vorna::app
