// A settings record that is one line of text, for tests of lists and stores.
#pragma once

#include <string>
#include <string_view>

#include "settings/DataLists.h"

namespace vorna::testing {

class TLineItem : public TDataItem {
 public:
  std::string Text;
  std::string GetDataText() const override { return Text; }

 protected:
  void ParseDataText(std::string_view text) override { Text = text; }
};

}  // namespace vorna::testing
