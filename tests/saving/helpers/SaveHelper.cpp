// Loads the document named on the command line, changes its first line to
// "changed" and saves it: exit 0 when saved, 1 when the save failed and the
// document stayed modified, 3 when the document's state contradicts the save.
#include <cstdio>

#include "NullServices.h"
#include "document/EditLists.h"
#include "platform/PosixFiles.h"

int main(int argc, char** argv) {
  if (argc != 2) return 64;
  vorna::TPosixFiles files;
  vorna::testing::TNoMessages messages;
  vorna::TEditList list(files, messages);
  list.LoadFromFile(argv[1]);
  list.Put(0, "changed");
  try {
    list.SaveToFile();
  } catch (const vorna::EFileError& error) {
    std::fprintf(stderr, "save-helper: %s\n", error.what());
    return list.GetModified() ? 1 : 3;
  }
  return list.GetModified() ? 3 : 0;
}
