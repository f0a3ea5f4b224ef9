// The interface through which a document tells what follows its lines (counts
// kept per line) that lines changed, without knowing who listens.
#pragma once

namespace vorna {

class TEditList;

// Called after the change, with the document's lines already as they are now.
class TLineObserver {
 public:
  virtual ~TLineObserver() = default;
  // The `removed` lines from `first` on were replaced by `inserted` lines
  // (a changed line is (line, 1, 1)). Indexes are 0-based lines.
  virtual void LinesReplaced(int first, int removed, int inserted) = 0;
  // Every line may have changed: a text set, loaded, assigned or cleared.
  virtual void LinesReset() = 0;
  // The document is being destroyed; nothing is called after this.
  virtual void ListGone(TEditList& list) = 0;
};

}  // namespace vorna
