// The document's side of the editor's two primitives: what one ReplaceText or
// FormatText call does to the lines, filling the record the undo history
// keeps. The caret, the selection, painting and the recording itself stay the
// editor's (the editor view, and the stand-in the undo tests use).
#pragma once

#include <vector>

#include "undo/EditorUndos.h"
#include "undo/UndoOwners.h"

namespace vorna {

class TEditList;

// Deletes the request's range (a box when DeleteBox) and inserts its text
// where the deletion left off, or at InsertAt when UseInsertAt or when nothing
// was deleted. Fills Kind, InsertAt, the box flags, the range in document
// order, DeletedText, InsertStart/InsertEnd, BoxPieces and InsertedText of
// `record`. `caret` is carried through the deletion as its tracked position.
TReplaceResult ReplaceInDocument(TEditList& list, const TReplaceRequest& request, TDisplayPos caret,
                                 TEditRecord& record);

// Cuts the lines of the rows start .. end at `widthCells` (at the byte lengths
// in `splits` when given), or with widthCells 0 joins them taking indentBytes
// from the front of every line after the first. Fills Start, End, Width,
// Splits, Indents and Caret of `record`.
void ReformatInDocument(TEditList& list, TDisplayPos start, TDisplayPos end, int indentBytes,
                        const std::vector<int>* splits, int widthCells, TRestoreRecord& record);

}  // namespace vorna
