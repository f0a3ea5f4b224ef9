// Document slots: creating a slot's document and history, emptying the
// history when its positions go stale, and switching the current slot.
#include "document/EditListInfos.h"

namespace vorna {

namespace {

// FNV-1a over what places text on rows: a full layout that leaves it unchanged
// leaves every recorded display position valid.
uint64_t RowPrint(const TEditList& list) {
  uint64_t hash = 14695981039346656037ull;
  auto mix = [&hash](uint64_t value) {
    hash ^= value;
    hash *= 1099511628211ull;
  };
  const int rows = list.RowCount();
  mix(static_cast<uint64_t>(rows));
  for (int row = 0; row < rows; ++row) {
    const TRowInfo r = list.GetRow(row);
    mix(static_cast<uint32_t>(r.Line));
    mix(r.Start);
    mix(r.Length);
    mix(static_cast<uint64_t>(r.Indent) << 8 | r.LastRow);
  }
  return hash;
}

// The one place the list's canvas reaches a document.
void GiveMeasurer(TEditList& list, TTextMeasurer* canvas) {
  TWrapInputs inputs = list.WrapInputs();
  inputs.Measurer = canvas;
  list.SetWrapInputs(inputs);
}

}  // namespace

// --- slot --------------------------------------------------------------------

void TEditListInfo::Create(TDataList* owner) {
  FCreator = dynamic_cast<TEditListInfoList*>(owner);
  TDataItem::Create(owner);
}

void TEditListInfo::Initialize() {
  TDataItem::Initialize();
  if (!FCreator) return;
  FList = std::make_unique<TEditList>(FCreator->FFiles, FCreator->FMessages);
  FUndo = std::make_unique<TEditorUndo>();
  FRowsLayout = FList->Layout();
  FList->OnTextReset = [this](TEditList* sender) {
    ClearHistory();
    if (FOnTextReset) FOnTextReset(sender);
  };
  FList->OnModified = [this](TEditList* sender) { ModifiedChanged(sender); };
  FUndo->OnStep = [this] {
    FStepping = true;
    FList->SetModified(!FUndo->AtSavePoint());
    FStepping = false;
  };
  FList->OnRelayoutProgress = [this](TEditList* sender, int stage, int index, bool& cancel) {
    LayoutProgress(sender, stage, index, cancel);
  };
}

void TEditListInfo::SetDefaults() {
  TDataItem::SetDefaults();
  if (FList) FList->NewDocument();
  FOffset = {};
  FCaretPos = {1, 0};
  FSelStart = FSelEnd = {1, 0};
  FMarks.clear();
}

void TEditListInfo::Loaded() {
  TDataItem::Loaded();
  if (auto* list = dynamic_cast<TEditListInfoList*>(FOwner); list && FUndo) FUndo->SetOwner(list->FView);
}

void TEditListInfo::Finalize() {
  FUndo.reset();
  FList.reset();
  FMarks.clear();
  TDataItem::Finalize();
}

bool TEditListInfo::Match(std::string_view name) const { return FList && FList->GetFileName() == name; }

std::string TEditListInfo::GetDataText() const { return FList ? FList->GetFileName() : std::string(); }

void TEditListInfo::ParseDataText(std::string_view text) {
  if (FList && !text.empty()) FList->SetFileName(std::string(text));
}

void TEditListInfo::TakeDocumentEvents(const TEditListInfoList& list) {
  if (!FList) return;
  FOnTextReset = list.OnTextReset;
  FOnRelayoutProgress = list.OnRelayoutProgress;
  FOnModified = list.OnModified;
  FList->OnFileNameChange = list.OnFileNameChange;
  FList->OnHeadingChange = list.OnHeadingChange;
}

void TEditListInfo::ModifiedChanged(TEditList* sender) {
  if (!FStepping && !FList->GetModified()) FUndo->SetSavePoint();
  if (FOnModified) FOnModified(sender);
}

void TEditListInfo::ClearHistory() {
  FUndo->Clear();
  // A replaced text that counts as unmodified is the saved one; one that
  // counts as modified (a restored unsaved text) differs from any saved one.
  if (FList->GetModified())
    FUndo->ForgetSavePoint();
  else
    FUndo->SetSavePoint();
}

void TEditListInfo::LayoutProgress(TEditList* sender, int stage, int index, bool& cancel) {
  // The rows are fingerprinted only when a history might be cleared: a
  // fingerprint walks every row, twice a layout.
  if (stage == rsStart) FRowPrint = FUndo->Count() > 0 ? RowPrint(*FList) : 0;
  if (FOnRelayoutProgress) FOnRelayoutProgress(sender, stage, index, cancel);
  if (stage == rsDone) {
    if ((FUndo->Count() > 0 && RowPrint(*FList) != FRowPrint) || !SameWrapping(FRowsLayout, FList->Layout()))
      FUndo->Clear();
    FRowsLayout = FList->Layout();
  } else if (stage == rsSlowLayout && cancel) {
    FUndo->Clear();  // the lines not laid out yet got one provisional row each
  }
}

// --- slot list ---------------------------------------------------------------

TEditListInfoList::TEditListInfoList(TFileService& files, TMessageBoxes& messages)
    : TDataList(TDataItem::ClassOf<TEditListInfo>), FFiles(files), FMessages(messages) {}

TEditListInfo* TEditListInfoList::GetItem(int index) const {
  return dynamic_cast<TEditListInfo*>(TDataList::GetItem(index));
}

void TEditListInfoList::SetItemIndex(int index) {
  if (index == FItemIndex || index < 0 || index >= GetCount()) return;
  if (OnItemIndexChanging) OnItemIndexChanging(this);
  FItemIndex = index;
  if (OnItemIndexChange) OnItemIndexChange(this);
  if (OnTextReset) OnTextReset(nullptr);
  if (OnFileNameChange) OnFileNameChange(nullptr);
}

TEditListInfo* TEditListInfoList::AddDocument(std::string_view name) {
  auto* slot = dynamic_cast<TEditListInfo*>(Add(name));
  if (slot) FItemIndex = IndexOf(slot);
  return slot;
}

void TEditListInfoList::SetView(TUndoOwner* view) {
  FView = view;
  for (int i = 0; i < GetCount(); ++i)
    if (TEditListInfo* slot = GetItem(i); slot && slot->FUndo) slot->FUndo->SetOwner(view);
}

void TEditListInfoList::ApplyStyle(TEditorStyle* style) {
  FStyle = style;
  if (!style) return;
  for (int i = 0; i < GetCount(); ++i)
    if (TEditListInfo* slot = GetItem(i); slot && slot->FList) slot->FList->ApplyStyle(style);
}

void TEditListInfoList::InsertItem(TDataItem* item) {
  TDataList::InsertItem(item);
  auto* slot = dynamic_cast<TEditListInfo*>(item);
  if (!slot || slot->GetOwner() != this) return;
  if (TEditList* list = slot->FList.get()) {
    GiveMeasurer(*list, FCanvas);
    if (FStyle) list->ApplyStyle(FStyle);
    list->FBackupMode = FBackupMode;
    list->FBackupFolder = FBackupFolder;
    slot->TakeDocumentEvents(*this);
  }
  SetItemIndex(IndexOf(slot));
}

}  // namespace vorna
