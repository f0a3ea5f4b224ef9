// The editor view's construction, its document slots and their events, the
// style it applies, and the view state saved with each slot.
#include "view/EditorViews.h"

#include <filesystem>
#include <stdexcept>

#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "text/Cp932.h"
#include "text/UserCodes.h"
#include "undo/EditorUndos.h"

namespace vorna {
namespace {

const TPlatformServices& Checked(const TPlatformServices& services) {
  if (!services.Files || !services.Boxes)
    throw std::invalid_argument("the editor view needs the file service and message boxes");
  return services;
}

}  // namespace

TEditorView::TEditorView(TViewHost& host, const TPlatformServices& services, TEditorStyle* style)
    : TBaseView(host, Checked(services), style, style ? nullptr : MakeDataItem<TEditorStyle>()),
      FInfos(std::make_unique<TEditListInfoList>(*services.Files, *services.Boxes)) {
  FInfos->SetView(this);
  FInfos->SetCanvas(&MeasureCanvas());
  FInfos->SetStyle(EditorStyle());
  FInfos->OnTextReset = [this](TEditList* sender) {
    // A null sender: the current slot changed, not the text of a document.
    if (sender) {
      FSel.Caret = {1, 0};
      FSel.Selecting = FSel.Box = false;
      FMarks.Clear();
    }
    DocumentChanged();
    if (OnTextReset) OnTextReset(sender);
  };
  FInfos->OnModified = [this](TEditList* sender) {
    if (OnModified) OnModified(sender);
  };
  FInfos->OnFileNameChange = [this](TEditList* sender) {
    if (OnFileNameChange) OnFileNameChange(sender);
  };
  FInfos->OnHeadingChange = [this](TEditList* sender) {
    if (OnHeadingChange) OnHeadingChange(sender);
  };
  FInfos->OnRelayoutProgress = [this](TEditList* sender, int stage, int index, bool& cancel) {
    if (OnRelayoutProgress) OnRelayoutProgress(sender, stage, index, cancel);
  };
  FInfos->OnItemIndexChanging = [this](TDataList*) { SaveViewState(); };
  FInfos->OnItemIndexChange = [this](TDataList*) {
    TakeCurrentDocument();
    RestoreViewState();
  };
  FInfos->AddDocument({});
  TakeCurrentDocument();
}

TEditorView::~TEditorView() {
  CloseLookup();
  if (FInfos) FInfos->SetView(nullptr);
}

void TEditorView::TakeCurrentDocument() {
  TEditListInfo* slot = FInfos->CurrentItem();
  FList = slot ? slot->GetList() : nullptr;
  FUndo = slot ? slot->GetUndo() : nullptr;
}

void TEditorView::SaveViewState() {
  TEditListInfo* slot = FInfos->CurrentItem();
  if (!slot) return;
  slot->SetOffset(FOffset);
  slot->SetCaretPos(FSel.Caret);
  slot->SetMarks(FMarks.Items());
  slot->SetSelStart(FSel.Selecting ? FSel.Anchor : FSel.Caret);
  slot->SetSelEnd(FSel.Selecting ? FSel.End : FSel.Caret);
}

void TEditorView::RestoreViewState() {
  TEditListInfo* slot = FInfos->CurrentItem();
  if (!slot) return;
  FSel.Caret = slot->GetCaretPos();
  FMarks.Assign(slot->GetMarks());
  FSel.Anchor = slot->GetSelStart();
  FSel.End = slot->GetSelEnd();
  FSel.Selecting = !(FSel.Anchor == FSel.End);
  FSel.Box = false;
  // The offset last: it depends on the layout of the document just taken.
  SetOffset(slot->GetOffset());
}

void TEditorView::KeepPositionsAcross(const std::function<void()>& relayout) {
  // The moving end of a selection is the caret.
  const TTextPos caret = DocPosOf(FSel.Caret), anchor = DocPosOf(FSel.Anchor);
  relayout();
  FSel.Caret = ClampIntoDocument(*FList, DisplayPosOf(caret));
  FSel.End = FSel.Caret;
  FSel.Anchor = FSel.Selecting ? DisplayPosOf(anchor) : FSel.Caret;
}

void TEditorView::ApplyStyle() {
  if (!FStyle) return;
  KeepPositionsAcross([this] {
    FInfos->ApplyStyle(EditorStyle());
    FMaxPageSheet = EditorStyle()->GetMaxPageCount();
    FMaxPageLine = EditorStyle()->GetViewInfo(kElemMaxPageDivideLine);
    TBaseView::ApplyStyle();
  });
}

void TEditorView::Resize() {
  if (FInForcedLayout || FEditing > 0) {
    TBaseView::Resize();
    return;
  }
  KeepPositionsAcross([this] { TBaseView::Resize(); });
  if (Host().HasWindow() && PaintLockCount() == 0) ScrollToCaret(csMinimal);
}

void TEditorView::CalcPrintGeometry(const TRect& paper) {
  KeepPositionsAcross([&] { CalcGeometry(paper); });
}

std::string TEditorView::ExpandCode(std::string_view letter) {
  // "&f" is the document's file name without its folder, "&F" that name
  // without everything from its first "." on.
  if (letter == "F" || letter == "f") {
    std::string name = std::filesystem::path(FList->GetFileName()).filename().string();
    if (letter == "F") name = name.substr(0, name.find('.'));
    return Cp932TextFromUtf8(name);  // a name with characters CP932 cannot hold prints them too
  }
  return TBaseView::ExpandCode(letter);
}

}  // namespace vorna
