// The document's lines held compactly: the lines of a block share one byte
// buffer and are told apart by their end offsets, so a line costs its bytes
// and four more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/FenwickTrees.h"

namespace vorna {

// Lines are indexed 0 .. Size() - 1 and kept in order in blocks of at most
// kMaxLines lines and, unless a block holds a single line, at most kMaxBytes
// bytes. Finding the block of an index costs O(log blocks) through a Fenwick
// tree over the line counts; a cursor remembers the last block found, so
// walking the lines up or down costs O(1) per step. Changing, inserting or
// erasing a line costs O(bytes and lines of its block + log blocks); a block
// that outgrows its limits is split and one left small is merged with a
// neighbour, which rebuilds the tree in O(blocks) and takes about a quarter
// block of edits to need again. Indexes out of range are clamped where a
// function says so and are otherwise the caller's error.
//
// A line is read as a std::string_view into its block: it stays valid until
// the next change of any line (Put, Insert, Erase, Swap, Clear, PushBack or
// assignment). Every changing function accepts text that views the store
// itself. Reading moves the cursor, so even const reads must not run on two
// threads at once.
class TLineStore {
 public:
  static constexpr int kMaxLines = 1024;
  static constexpr size_t kMaxBytes = 16 * 1024;

  TLineStore() { Rebuild(); }

  int Size() const { return FSize; }
  bool Empty() const { return FSize == 0; }
  int BlockCount() const { return static_cast<int>(FBlocks.size()); }
  // Bytes of all lines together (no line breaks).
  size_t TextBytes() const { return FTextBytes; }

  void Clear();
  // The line at index (0 <= index < Size()).
  std::string_view operator[](int index) const {
    const TBlock& block = FBlocks[static_cast<size_t>(Seek(index))];
    return Line(block, static_cast<size_t>(index - FCursor.Start));
  }

  // Appends a line, filling the last block up to its limits (a document
  // read from a file is packed this tightly).
  void PushBack(std::string_view line);
  // Replaces the line at index (0 <= index < Size()).
  void Put(int index, std::string_view line);
  // Inserts a line before index (clamped to 0 .. Size()).
  void Insert(int index, std::string_view line);
  // Inserts the lines [first, last), each convertible to std::string_view,
  // before index (clamped to 0 .. Size()).
  template <class It>
  void Insert(int index, It first, It last) {
    std::vector<std::string_view> lines;
    for (; first != last; ++first) lines.emplace_back(*first);
    InsertViews(index, lines);
  }
  // Erases `count` lines from `first` on (both clamped to the store).
  void Erase(int first, int count);
  // Exchanges two lines (both 0 <= i, j < Size()).
  void Swap(int i, int j);

  // Calls visit(line) for every line in order.
  template <class TVisit>
  void ForEachLine(TVisit visit) const {
    for (const TBlock& block : FBlocks)
      for (size_t i = 0; i < block.Ends.size(); ++i) visit(Line(block, i));
  }
  // Calls visit(bytes, ends, firstLine) for every block in order: its lines
  // one after another in `bytes`, line firstLine + i ending at ends[i].
  template <class TVisit>
  void ForEachBlock(TVisit visit) const {
    int first = 0;
    for (const TBlock& block : FBlocks) {
      visit(std::string_view(block.Bytes), std::span<const uint32_t>(block.Ends), first);
      first += static_cast<int>(block.Lines());
    }
  }
  // Releases the room blocks keep for growing (after a document is read).
  void ShrinkToFit();
  // Heap bytes the store holds (for tests and measurements).
  size_t HeapBytes() const;
  // Whether the blocks, the tree and the counts agree (for tests).
  bool CheckInvariants() const;

 private:
  struct TBlock {
    std::string Bytes;           // the block's lines, one after another
    std::vector<uint32_t> Ends;  // end of each line in Bytes
    size_t Lines() const { return Ends.size(); }
  };
  struct TCursor {
    int Block = -1;  // -1: nothing remembered
    int Start = 0;   // index of the block's first line
  };
  // Blocks that splitting and inserting build hold up to these, leaving room.
  static constexpr int kFillLines = kMaxLines * 3 / 4;
  static constexpr size_t kFillBytes = kMaxBytes * 3 / 4;
  static constexpr int kSmallLines = kMaxLines / 4;
  static constexpr size_t kSmallBytes = kMaxBytes / 4;

  static size_t Begin(const TBlock& block, size_t i) { return i == 0 ? 0 : block.Ends[i - 1]; }
  static std::string_view Line(const TBlock& block, size_t i) {
    const size_t begin = Begin(block, i);
    return std::string_view(block.Bytes.data() + begin, block.Ends[i] - begin);
  }
  static bool Overfull(const TBlock& block) {
    return block.Lines() > static_cast<size_t>(kMaxLines) ||
           (block.Lines() > 1 && block.Bytes.size() > kMaxBytes);
  }
  static bool Small(const TBlock& block) {
    return block.Lines() < static_cast<size_t>(kSmallLines) && block.Bytes.size() < kSmallBytes;
  }

  // The block of index, from the cursor when it is there (inline: reading
  // lines in order stays a few instructions a line).
  int Seek(int index) const {
    const TCursor& c = FCursor;
    if (c.Block >= 0 && index >= c.Start &&
        static_cast<size_t>(index - c.Start) < FBlocks[static_cast<size_t>(c.Block)].Lines())
      return c.Block;
    return SeekElsewhere(index);
  }
  int SeekElsewhere(int index) const;
  void InsertViews(int index, const std::vector<std::string_view>& lines);
  // Replaces block b by blocks packed from `lines`; the tree is left stale.
  void Repack(int b, const std::vector<std::string_view>& lines);
  // Splits block b when it outgrew its limits; true when the blocks changed.
  bool SplitIfOverfull(int b);
  // Removes block b when empty, or merges it with a neighbour when both are
  // small enough; true when the blocks changed (the tree is left stale).
  bool Normalize(int b);
  void Rebuild();

  std::vector<TBlock> FBlocks;
  int FSize = 0;
  size_t FTextBytes = 0;
  TFenwickTree FSizes;  // lines per block
  mutable TCursor FCursor;
};

}  // namespace vorna
