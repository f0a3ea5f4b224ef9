// Which rows open and close a block of the manuscript grid.
#include "view/RowPaintInfos.h"

namespace vorna {

TGridBlockEnds GridBlockEnds(const TGridBlockInputs& in) {
  TGridBlockEnds ends;
  if (in.SlotBlocks || in.Partitioned) {
    ends.First = in.Slot <= 0;
    ends.Last = in.Slot >= in.SlotsPerPartition - 1;
  }
  if (!in.SlotBlocks) {
    if (in.LineCountInPage > 0) {
      const int inPage = in.Row % in.LineCountInPage;
      ends.First = ends.First || inPage == 0;
      ends.Last = ends.Last || inPage == in.LineCountInPage - 1;
    } else if (!in.Partitioned) {
      ends.First = in.Row == 0;
    }
  }
  ends.Last = ends.Last || in.ClosesDocument;
  return ends;
}

}  // namespace vorna
