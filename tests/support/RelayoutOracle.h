// The oracle of the incremental row table: the rows a fresh full layout of the
// same lines under the same settings builds (header only).
#pragma once

#include <vector>

#include "NullServices.h"
#include "document/EditLists.h"

namespace vorna::testing {

inline std::vector<TRowInfo> FreshLayoutRows(const TEditList& list) {
  static TNoFiles files;
  static TNoMessages messages;
  TEditList fresh(files, messages);
  fresh.ApplyLayoutSettings(list.Layout());
  fresh.Assign(list.Lines());
  fresh.SetWrapInputs(list.WrapInputs());
  fresh.Relayout();
  return fresh.Rows().Rows();
}

}  // namespace vorna::testing
