// The "文書情報" dialog: the full set of the document's counts.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>

#include "document/DocumentCounts.h"

namespace vorna::app {

// What the dialog shows: the document's totals and the pages of the current style.
struct TDocumentInfo {
  TDocumentTotals Totals;
  int StylePages = 1;
};

class TDocumentInfoDialog : public QDialog {
 public:
  TDocumentInfoDialog(const TDocumentInfo& info, QWidget* parent = nullptr);

  // The value shown for a field (its object name: "characters",
  // "characters_with_spaces", "manuscript_pages_400", "pages", "lines",
  // "paragraphs", "ruby"); empty for another name.
  QString Value(const QString& field) const;
};

}  // namespace vorna::app
