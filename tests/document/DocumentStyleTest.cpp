// The document's own copy of the editor style and what it gives the layout.
#include <gtest/gtest.h>

#include "PlatformDoubles.h"
#include "TestSupport.h"
#include "document/EditLists.h"
#include "document/EditResults.h"
#include "settings/StyleElements.h"

namespace vorna {
namespace {

using testing::Sj;

struct DocumentStyleTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};
  TDataItemPtr<TEditorStyle> style = MakeDataItem<TEditorStyle>();
};

TEST_F(DocumentStyleTest, DefaultStyleGivesTheDefaultLayout) {
  const TDocumentLayout fromStyle = LayoutFromStyle(*style);
  const TDocumentLayout plain;
  EXPECT_TRUE(SameWrapping(fromStyle, plain));
  EXPECT_EQ(fromStyle.HeadingStrs, plain.HeadingStrs);
  EXPECT_EQ(fromStyle.Wrap.HangStr.Text().size(), 17u);
  EXPECT_EQ(fromStyle.Wrap.ProhibitTopStr.Text().size(), 60u);
  EXPECT_EQ(fromStyle.Wrap.ProhibitBottomStr.Text().size(), 25u);
}

TEST_F(DocumentStyleTest, OnlyWrappingSettingsAskForALayout) {
  list.ApplyStyle(style.get());
  EXPECT_FALSE(list.FNeedRelayout);
  style->SetLineInfoStyle(4);  // line numbers do not move row ends
  list.ApplyStyle(style.get());
  EXPECT_FALSE(list.FNeedRelayout);
  EXPECT_EQ(list.Style().GetLineInfoStyle(), 4);
  style->SetHangStr(Sj("。"));
  list.ApplyStyle(style.get());
  EXPECT_TRUE(list.FNeedRelayout);
  style->GetViewInfo(kElemRubi)->SetDisplayMode(style->GetViewInfo(kElemRubi)->IsVisible() ? kModeHidden
                                                                                           : kModeShown);
  list.ApplyStyle(style.get());
  EXPECT_TRUE(list.FNeedRelayout);
  list.ApplyStyle(style.get());
  EXPECT_FALSE(list.FNeedRelayout);
  list.ApplyStyle(nullptr);
  EXPECT_FALSE(list.FNeedRelayout);
}

TEST_F(DocumentStyleTest, EditingSettingsFollowTheStyle) {
  style->SetEditIndent(!style->GetEditIndent());
  style->SetLineCountInPage(17);
  style->GetViewInfo(kElemHeading)->SetDisplayMode(kModeShown);
  list.ApplyStyle(style.get());
  EXPECT_EQ(list.FEditSettings.EditIndent, style->GetEditIndent());
  EXPECT_EQ(list.FEditSettings.LineCountInPage, 17);
  EXPECT_TRUE(list.FEditSettings.HeadingVisible);
  style->GetViewInfo(kElemHeading)->SetDisplayMode(kModeHidden);
  list.ApplyStyle(style.get());
  EXPECT_FALSE(list.FEditSettings.HeadingVisible);
}

TEST_F(DocumentStyleTest, InsertedTextEndsAtANul) {
  // A NUL would end the text when the file is opened again.
  list.SetWrapInputs({.CapacityCells = 40});
  list.Relayout();
  TEditResult result;
  list.InsertText({1, 0}, std::string("ab\0cd\r\nef", 9), result, false);
  EXPECT_EQ(list.GetText(), "ab");
  EXPECT_EQ(result.InsertedText, "ab");
}

TEST_F(DocumentStyleTest, ScreenplayPresetIndentsStageDirections) {
  style->SetDefaultIndex(6);  // the screenplay preset: screenplay indents
  style->ApplyPreset();
  ASSERT_EQ(style->GetViewIndent(), 2);
  list.ApplyStyle(style.get());
  list.SetText(Sj("○公園") + "\r\n" + Sj("男が歩いてくる。"));
  list.SetWrapInputs({.CapacityCells = 40});
  list.Relayout();
  EXPECT_EQ(list.GetRow(0).Indent, 0);  // heading: hanging indent only
  EXPECT_EQ(list.GetRow(1).Indent, style->GetTogakiIndentCount());
}

}  // namespace
}  // namespace vorna
