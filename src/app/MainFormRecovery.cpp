// The main window's autosave and recovery: the saver started with the
// preferences' wait, the offer of what windows that are gone left behind,
// restoring a recovery file into this window or a window of its own, and the
// end from outside that keeps the unsaved text.
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>
#include <algorithm>

#include "MainForms.h"
#include "NoticeBars.h"
#include "platform/MessageBoxes.h"
#include "platform/qt/QtConvert.h"
#include "text/Cp932.h"
#include "text/UserCodes.h"

namespace vorna::app {

void TVORNAEditorMain::StartRecovery(const std::string& folder) {
  if (!FServices.Files || FAutoSaver) return;
  const int wait = FPreferences.AutoSaveSeconds.value_or(kDefaultAutoSaveSeconds);
  FAutoSaver = std::make_unique<TAutoSaver>(
      View(), *FServices.Files, folder, wait, [this](const std::string& problem) {
        // A notice, not a box: editing goes on.
        FNotices->Show(
            TNoticeKind::Recovery,
            QString::fromUtf8("保存されていない文書を復元用に書き出せません。編集は続けられますが、"
                              "プログラムが異常終了したときには復元できません。\n") +
                QString::fromStdString(problem));
      });
  // A logout: the session may end the program without asking anything.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
    if (FAutoSaver) FAutoSaver->WriteNow(true);
  });
  NoteRecoveryChange();
}

void TVORNAEditorMain::NoteRecoveryChange() {
  if (FAutoSaver && !FEnding) FAutoSaver->DocumentChanged();
}

void TVORNAEditorMain::EndKeepingText() {
  if (FEnding) return;
  FEnding = true;
  if (FAutoSaver) {
    FAutoSaver->WriteNow(true);
    FAutoSaver->KeepOnExit();
  }
  // exit(), unlike quit(), closes no window, so no save prompt runs. It ends
  // every running event loop, a modal dialog's too; one not running yet
  // (still starting) ends as soon as it runs.
  QCoreApplication::exit(0);
  QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

bool TVORNAEditorMain::RestoreRecovery(TRecoveryOffer& offer) {
  const TRecoveryRecord& record = *offer.Record;
  TEditList& list = View().List();
  std::string problem;
  if (!list.RestoreUnsaved(record.Unsaved, problem)) {
    if (FServices.Boxes)
      FServices.Boxes->ShowError(
          Cp932Lit("文書を復元できません。復元用のファイルはそのまま残してあります。\n") +
          Cp932TextFromUtf8(offer.Path + ": " + problem));
    return false;
  }
  FLineEndsUnified = false;
  const int line = std::clamp(record.Caret.Y, 0, list.Count() - 1);
  const int byte = std::clamp(record.Caret.X, 1, static_cast<int>(list.Get(line).size()) + 1);
  View().JumpCaret(View().DisplayPosOf({byte, line}));
  // Its file is watched and locked like one opened.
  DocumentFileChanged();
  UpdateCaption();
  // Kept under this window's name before the old file goes, so the text
  // always has a copy; should that fail, the old file stays.
  if (FAutoSaver && FAutoSaver->WriteNow()) FAutoSaver->Folder().Discard(offer, problem);
  return true;
}

bool TVORNAEditorMain::RecoverFile(const std::string& path) {
  if (!FAutoSaver) return false;
  const std::string full = QFileInfo(qt::QPath(path)).absoluteFilePath().toStdString();
  TRecoveryOffer offer = FAutoSaver->Folder().Claim(full);
  if (!offer.Record) {
    if (FServices.Boxes)
      FServices.Boxes->ShowError(
          Cp932Lit("復元用のファイルを読み込めません。ファイルはそのまま残してあります。\n") +
          Cp932TextFromUtf8(full + ": " + offer.Problem));
    return false;
  }
  return RestoreRecovery(offer);
}

void TVORNAEditorMain::OfferRecoveries() {
  if (!FAutoSaver) return;
  // Each offer stays locked until the loop is done, so a window starting
  // meanwhile does not offer it too.
  std::vector<TRecoveryOffer> offers = FAutoSaver->Folder().FindOrphans();
  std::string damaged, failed;
  for (TRecoveryOffer& offer : offers) {
    if (FEnding) break;
    if (!offer.Record) {
      damaged += "\n" + offer.Path + " (" + offer.Problem + ")";
      continue;
    }
    std::string problem;
    switch (AskRecovery(*offer.Record)) {
      case TRecoveryAnswer::Restore: {
        const TEditList& list = View().List();
        if (list.IsUntitled() && !list.GetModified()) {
          RestoreRecovery(offer);
          break;
        }
        offer.Lock.reset();  // the new window takes it
        if (!StartRecoveryWindow || !StartRecoveryWindow(offer.Path))
          failed += "\n" + offer.Path + " (the program could not be started again)";
        break;
      }
      case TRecoveryAnswer::Discard:
        if (!FAutoSaver->Folder().Discard(offer, problem)) failed += "\n" + problem;
        break;
      case TRecoveryAnswer::Later:
        break;
    }
  }
  if (!FServices.Boxes) return;
  if (!damaged.empty())
    FServices.Boxes->ShowError(Cp932Lit("次の復元用のファイルは壊れているため読み込めません。中身を確かめられ"
                                        "るよう、そのまま残してあります。") +
                               Cp932TextFromUtf8(damaged));
  if (!failed.empty())
    FServices.Boxes->ShowError(
        Cp932Lit("次の復元用のファイルを扱えませんでした。ファイルはそのまま残してあります。") +
        Cp932TextFromUtf8(failed));
}

}  // namespace vorna::app
