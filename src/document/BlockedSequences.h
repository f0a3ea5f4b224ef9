// A sequence kept in blocks of bounded size, so that inserting or erasing an
// item moves at most one block, with optional lazily applied per-block offsets
// and a per-block count (or sum of weights) of its items.
#pragma once

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>
#include <vector>

#include "document/FenwickTrees.h"

namespace vorna {

// The per-item fields a sequence maintains beyond the items themselves. A
// fields type provides:
//   kOffsets   the number of offsets kept per block (0: none). An item's value
//              for offset k is its stored value plus the offset k of its block,
//              so adding to the value of every item from some index on costs
//              one block's items and one tree update.
//   Shift(item, k, delta)  adds delta to the stored field of offset k of the
//              item; it may ignore items the offset does not apply to.
//   kCounts    items are weighed per block: by Weight(item) when the fields
//              type has one (a non-negative int), else 1 for each item for
//              which Counted(item) holds.
template <class T>
struct TPlainFields {
  static constexpr int kOffsets = 0;
  static constexpr bool kCounts = false;
  static void Shift(T&, int, int) {}
  static bool Counted(const T&) { return false; }
};

// Items are indexed 0 .. Size() - 1 and kept in order in blocks of 1 to
// kMaxBlock items, never two blocks side by side below kMinBlock, so there
// are fewer than 2 * Size() / kMinBlock + 1 blocks. Finding the block of an
// index is O(log blocks) through a Fenwick tree over the block sizes; a cursor
// remembers the last block found, so walking the indexes up or down costs O(1)
// per step. Inserting or erasing k items inside one block costs
// O(kMaxBlock + k + log blocks). A block that grows past kMaxBlock is split
// into blocks of about kFillBlock, one that drops below kMinBlock is merged
// with a neighbour when the two hold at most kFillBlock; either rebuilds the
// trees in O(blocks), and a block takes some kMinBlock edits to need it again.
// Indexes given out of range are clamped where a function says so, and are
// otherwise the caller's error.
//
// Reading moves the cursor, so even const access must not run on two threads
// at once. References to items stay valid until the next insertion or erasure.
template <class T, class TFields = TPlainFields<T>, int MaxBlock = 1024>
class TBlockedSequence {
  static_assert(MaxBlock >= 8, "blocks need room to split and merge");

 public:
  static constexpr int kMaxBlock = MaxBlock;
  static constexpr int kMinBlock = kMaxBlock / 4;
  // Blocks that splitting and ranged inserts make hold about this many items,
  // leaving room to grow before the next split.
  static constexpr int kFillBlock = kMaxBlock * 3 / 4;
  static constexpr int kOffsets = TFields::kOffsets;
  static constexpr bool kCounts = TFields::kCounts;
  using TOffsets = std::array<int, static_cast<size_t>(kOffsets)>;

  TBlockedSequence() { Rebuild(); }

  int Size() const { return FSize; }
  bool Empty() const { return FSize == 0; }
  int BlockCount() const { return static_cast<int>(FBlocks.size()); }

  void Clear() {
    FBlocks.clear();
    FSize = 0;
    Rebuild();
  }

  // Room for about `items` items without growing the block index.
  void Reserve(int items) {
    const int blocks = items / kMaxBlock + 1;
    FBlocks.reserve(static_cast<size_t>(blocks));
    FSizes.Reserve(blocks);
  }

  // Replaces the contents by [first, last), packed into full blocks.
  template <class It>
  void Assign(It first, It last) {
    Clear();
    Append(first, last);
  }

  // The stored item at index (0 <= index < Size()).
  const T& operator[](int index) const {
    const int b = Seek(index);
    return FBlocks[static_cast<size_t>(b)].Items[static_cast<size_t>(index - FCursor.Start)];
  }
  // Items without offsets or counts may be changed in place.
  T& operator[](int index) requires(kOffsets == 0 && !kCounts) {
    const int b = Seek(index);
    return FBlocks[static_cast<size_t>(b)].Items[static_cast<size_t>(index - FCursor.Start)];
  }
  // The stored item at index and the offsets of its block.
  const T& At(int index, TOffsets& offsets) const {
    const int b = Seek(index);
    offsets = FCursor.Offsets;
    return FBlocks[static_cast<size_t>(b)].Items[static_cast<size_t>(index - FCursor.Start)];
  }

  // The offsets that items inserted before index (clamped to 0 .. Size()) are
  // stored against: all zero in an empty sequence.
  TOffsets InsertOffsets(int index) const {
    if (FSize == 0) return TOffsets{};
    Seek(std::clamp(index, 0, FSize - 1));
    return FCursor.Offsets;
  }

  // Calls change(item, offsets of its block) on the stored items first ..
  // first+count-1 (clamped) in order, to change them in place; the counts
  // follow. One block lookup per block, not per item.
  template <class TChange>
  void Update(int first, int count, TChange change) {
    first = std::clamp(first, 0, FSize);
    count = std::clamp(count, 0, FSize - first);
    while (count > 0) {
      const int b = Seek(first);
      TBlock& block = FBlocks[static_cast<size_t>(b)];
      const size_t from = static_cast<size_t>(first - FCursor.Start);
      const size_t to = std::min(block.Items.size(), from + static_cast<size_t>(count));
      int counted = 0;
      for (size_t i = from; i < to; ++i) {
        if constexpr (kCounts) counted -= Weight(block.Items[i]);
        change(block.Items[i], static_cast<const TOffsets&>(FCursor.Offsets));
        if constexpr (kCounts) counted += Weight(block.Items[i]);
      }
      if (counted != 0) {
        block.Counted += counted;
        FCounts.Add(b, counted);
      }
      first += static_cast<int>(to - from);
      count -= static_cast<int>(to - from);
    }
  }

  void PushBack(T item) { Append(std::make_move_iterator(&item), std::make_move_iterator(&item + 1)); }

  // Appends [first, last) a block at a time: the trees learn each block's
  // growth once, not once per item. A cursor on an earlier block or on the
  // last one stays valid: nothing before moves.
  template <class It>
  void Append(It first, It last) {
    while (first != last) {
      const int b = BlockWithRoom();
      TBlock& block = FBlocks[static_cast<size_t>(b)];
      const size_t room = static_cast<size_t>(kMaxBlock) - block.Items.size();
      int added = 0, counted = 0;
      for (; first != last && static_cast<size_t>(added) < room; ++first, ++added) {
        if constexpr (kCounts) counted += Weight(*first);
        block.Items.push_back(*first);
      }
      Grown(b, added, counted);
    }
  }
  // Appends `count` copies of item the same way.
  void AppendCopies(const T& item, int count) {
    const int weight = Weight(item);
    while (count > 0) {
      const int b = BlockWithRoom();
      TBlock& block = FBlocks[static_cast<size_t>(b)];
      const int added = std::min(count, kMaxBlock - static_cast<int>(block.Items.size()));
      block.Items.insert(block.Items.end(), static_cast<size_t>(added), item);
      Grown(b, added, weight * added);
      count -= added;
    }
  }

  // Inserts one item before index (clamped to 0 .. Size()).
  void Insert(int index, T item) {
    Insert(index, std::make_move_iterator(&item), std::make_move_iterator(&item + 1));
  }

  // Inserts the items [first, last) before index (clamped to 0 .. Size()).
  template <class It>
  void Insert(int index, It first, It last) {
    const int n = static_cast<int>(std::distance(first, last));
    if (n <= 0) return;
    index = std::clamp(index, 0, FSize);
    if (index == FSize) return Append(first, last);
    const int b = Seek(index);
    const size_t at = static_cast<size_t>(index - FCursor.Start);
    TBlock& block = FBlocks[static_cast<size_t>(b)];
    int counted = 0;
    if constexpr (kCounts)
      for (It it = first; it != last; ++it) counted += Weight(*it);
    FSize += n;
    // Growing the cursor's own block leaves its start and offsets as they are.
    if (block.Items.size() + static_cast<size_t>(n) <= static_cast<size_t>(kMaxBlock)) {
      block.Items.insert(block.Items.begin() + static_cast<std::ptrdiff_t>(at), first, last);
      FSizes.Add(b, n);
      if constexpr (kCounts) {
        block.Counted += counted;
        FCounts.Add(b, counted);
      }
      return;
    }
    // The block with the new items in place is cut into blocks of about
    // kFillBlock items, all stored against the block's offsets.
    std::vector<T> all;
    all.reserve(block.Items.size() + static_cast<size_t>(n));
    std::move(block.Items.begin(), block.Items.begin() + static_cast<std::ptrdiff_t>(at),
              std::back_inserter(all));
    all.insert(all.end(), first, last);
    std::move(block.Items.begin() + static_cast<std::ptrdiff_t>(at), block.Items.end(),
              std::back_inserter(all));
    Split(b, std::move(all));
    Rebuild();
  }

  // Erases `count` items from `first` on (both clamped to the sequence).
  void Erase(int first, int count) {
    first = std::clamp(first, 0, FSize);
    count = std::clamp(count, 0, FSize - first);
    if (count == 0) return;
    const int b0 = Seek(first);
    const size_t from = static_cast<size_t>(first - FCursor.Start);
    const int b1 = Seek(first + count - 1);
    const size_t to = static_cast<size_t>(first + count - FCursor.Start);  // past the last erased, in b1
    FSize -= count;
    // The cursor is on b1 now: valid unless the blocks change or b0 shrinks.
    if (b0 == b1) {
      TBlock& block = FBlocks[static_cast<size_t>(b0)];
      const int counted = EraseItems(block, from, to);
      if (BlockSize(b0) >= kMinBlock || !Settle(b0 - 1, b0 + 1)) {
        FSizes.Add(b0, -count);
        if constexpr (kCounts) FCounts.Add(b0, -counted);
        return;
      }
      Rebuild();
      return;
    }
    TBlock& head = FBlocks[static_cast<size_t>(b0)];
    TBlock& tail = FBlocks[static_cast<size_t>(b1)];
    const int headSize = BlockSize(b0);
    const int headCounted = EraseItems(head, from, head.Items.size());
    const int tailCounted = EraseItems(tail, 0, to);
    if (b1 == b0 + 1 && !Settle(b0 - 1, b1 + 1)) {
      FCursor.Start -= headSize - static_cast<int>(from);
      FSizes.Add(b0, static_cast<int>(from) - headSize);
      FSizes.Add(b1, -static_cast<int>(to));
      if constexpr (kCounts) {
        FCounts.Add(b0, -headCounted);
        FCounts.Add(b1, -tailCounted);
      }
      return;
    }
    // The blocks in between go whole; the blocks after keep their offsets.
    for (int b = b0 + 1; b < b1; ++b)
      for (int k = 0; k < kOffsets; ++k) tail.Delta[k] += FBlocks[static_cast<size_t>(b)].Delta[k];
    FBlocks.erase(FBlocks.begin() + b0 + 1, FBlocks.begin() + b1);
    Settle(b0 - 1, b0 + 1);
    Rebuild();
  }

  // Adds delta to the value of offset k of every item from index on.
  void Shift(int index, int k, int delta) requires(kOffsets > 0) {
    index = std::max(index, 0);
    if (delta == 0 || index >= FSize) return;
    int b = Seek(index);
    TBlock& block = FBlocks[static_cast<size_t>(b)];
    const size_t at = static_cast<size_t>(index - FCursor.Start);
    const size_t size = block.Items.size();
    if (at > size / 2) {
      // The rest of this block directly, the blocks after through their offsets.
      for (size_t i = at; i < size; ++i) TFields::Shift(block.Items[i], k, delta);
      if (++b == BlockCount()) return;
    } else {
      // The whole block through its offset, less what that gives the items before.
      for (size_t i = 0; i < at; ++i) TFields::Shift(block.Items[i], k, -delta);
      FCursor.Offsets[k] += delta;  // the cursor is on this block
    }
    FBlocks[static_cast<size_t>(b)].Delta[k] += delta;
    FDeltas[k].Add(b, delta);
  }

  // The weight of the items before index (clamped to 0 .. Size()).
  int CountBefore(int index) const requires kCounts {
    index = std::clamp(index, 0, FSize);
    if (index == FSize) return FCounts.Prefix(BlockCount());
    const int b = Seek(index);
    const auto& items = FBlocks[static_cast<size_t>(b)].Items;
    int count = FCounts.Prefix(b);
    for (size_t i = 0, end = static_cast<size_t>(index - FCursor.Start); i < end; ++i)
      count += Weight(items[i]);
    return count;
  }

  // The index of the counted item that has n counted items before it; -1 when
  // n is negative or not below the number of counted items. Only for items
  // weighed by Counted.
  int FindCounted(int n) const requires kCounts {
    if (n < 0 || n >= FCounts.Prefix(BlockCount())) return -1;
    const int b = FCounts.Find(n);
    const auto& items = FBlocks[static_cast<size_t>(b)].Items;
    for (size_t i = 0; i < items.size(); ++i)
      if (TFields::Counted(items[i]) && n-- == 0) return FSizes.Prefix(b) + static_cast<int>(i);
    return -1;  // not reached while the counts are right
  }

  // With pred(item, offset k of its block) true for a leading run of the
  // items and false for the rest: the index of the first item for which it is
  // false (Size() when none is). O(log blocks + log kMaxBlock), or
  // O(log kMaxBlock) when the answer lies in the cursor's block; the cursor is
  // left on the block searched.
  template <class TPred>
  int PartitionPoint(int k, TPred pred) const requires(kOffsets > 0) {
    TCursor& c = FCursor;
    const auto passes = [&](int b, int offset) {
      return pred(FBlocks[static_cast<size_t>(b)].Items.front(), offset);
    };
    const bool inCursor =
        c.Block >= 0 && passes(c.Block, c.Offsets[k]) &&
        (c.Block + 1 == BlockCount() ||
         !passes(c.Block + 1, c.Offsets[k] + FBlocks[static_cast<size_t>(c.Block) + 1].Delta[k]));
    if (!inCursor) {
      // The blocks whose first item passes, found along the offset tree.
      int offset = 0;
      const int passing = FDeltas[k].CountWhile(passes, offset);
      if (passing == 0) return 0;
      c.Block = passing - 1;
      c.Start = FSizes.Prefix(c.Block);
      c.Offsets = BlockOffsets(c.Block);
    }
    const auto& items = FBlocks[static_cast<size_t>(c.Block)].Items;
    const int offset = c.Offsets[k];
    const auto it =
        std::partition_point(items.begin(), items.end(), [&](const T& item) { return pred(item, offset); });
    return c.Start + static_cast<int>(it - items.begin());
  }

  // Calls visit(items, offsets) for every block in order.
  template <class TVisit>
  void ForEachBlock(TVisit visit) const {
    TOffsets offsets{};
    for (const TBlock& block : FBlocks) {
      for (int k = 0; k < kOffsets; ++k) offsets[k] += block.Delta[k];
      visit(static_cast<const std::vector<T>&>(block.Items), static_cast<const TOffsets&>(offsets));
    }
  }

  // Whether the block structure and its trees agree (for tests).
  bool CheckInvariants() const {
    int start = 0, counted = 0;
    TOffsets offsets{};
    if (FSizes.Size() != BlockCount()) return false;
    for (int b = 0; b < BlockCount(); ++b) {
      const TBlock& block = FBlocks[static_cast<size_t>(b)];
      const int size = static_cast<int>(block.Items.size());
      if (size < 1 || size > kMaxBlock || FSizes.Prefix(b) != start) return false;
      // No two small blocks side by side, which bounds the block count.
      if (b > 0 && size < kMinBlock && BlockSize(b - 1) < kMinBlock) return false;
      for (int k = 0; k < kOffsets; ++k) {
        offsets[k] += block.Delta[k];
        if (FDeltas[k].Prefix(b + 1) != offsets[k]) return false;
      }
      if constexpr (kCounts) {
        int c = 0;
        for (const T& item : block.Items) c += Weight(item);
        if (c != block.Counted || FCounts.Prefix(b) != counted) return false;
        counted += c;
      }
      start += size;
    }
    return start == FSize;
  }

 private:
  struct TBlock {
    std::vector<T> Items;
    int Counted = 0;   // the weight of its items
    TOffsets Delta{};  // this block's offsets minus the previous block's
  };
  struct TCursor {
    int Block = -1;  // -1: nothing remembered
    int Start = 0;   // index of the block's first item
    TOffsets Offsets{};
  };

  // The last block, after adding an empty one when it is full.
  int BlockWithRoom() {
    if (FBlocks.empty() || FBlocks.back().Items.size() >= static_cast<size_t>(kMaxBlock)) {
      FBlocks.emplace_back().Items.reserve(static_cast<size_t>(kMaxBlock));
      FSizes.PushBack(0);
      if constexpr (kCounts) FCounts.PushBack(0);
      for (auto& tree : FDeltas) tree.PushBack(0);
    }
    return BlockCount() - 1;
  }
  // The trees follow `added` items of weight `counted` put at the end of block b.
  void Grown(int b, int added, int counted) {
    FSizes.Add(b, added);
    FSize += added;
    if constexpr (kCounts) {
      if (counted != 0) {
        FBlocks[static_cast<size_t>(b)].Counted += counted;
        FCounts.Add(b, counted);
      }
    }
  }

  static int Weight(const T& item) {
    if constexpr (requires { TFields::Weight(item); })
      return TFields::Weight(item);
    else
      return TFields::Counted(item) ? 1 : 0;
  }

  TOffsets BlockOffsets(int b) const {
    TOffsets offsets{};
    for (int k = 0; k < kOffsets; ++k) offsets[k] = FDeltas[k].Prefix(b + 1);
    return offsets;
  }

  // The block of index (0 <= index < Size()), left in the cursor.
  int Seek(int index) const {
    TCursor& c = FCursor;
    if (c.Block >= 0) {
      const int size = static_cast<int>(FBlocks[static_cast<size_t>(c.Block)].Items.size());
      if (index >= c.Start && index < c.Start + size) return c.Block;
      if (index >= c.Start + size && c.Block + 1 < BlockCount() &&
          index < c.Start + size + static_cast<int>(FBlocks[static_cast<size_t>(c.Block + 1)].Items.size())) {
        c.Start += size;
        ++c.Block;
        for (int k = 0; k < kOffsets; ++k) c.Offsets[k] += FBlocks[static_cast<size_t>(c.Block)].Delta[k];
        return c.Block;
      }
      if (index < c.Start && c.Block > 0 &&
          index >= c.Start - static_cast<int>(FBlocks[static_cast<size_t>(c.Block - 1)].Items.size())) {
        for (int k = 0; k < kOffsets; ++k) c.Offsets[k] -= FBlocks[static_cast<size_t>(c.Block)].Delta[k];
        --c.Block;
        c.Start -= static_cast<int>(FBlocks[static_cast<size_t>(c.Block)].Items.size());
        return c.Block;
      }
    }
    int offset = index;
    c.Block = FSizes.Find(offset);
    c.Start = index - offset;
    c.Offsets = BlockOffsets(c.Block);
    return c.Block;
  }

  // Erases items [from, to) of a block; returns how many of them were counted.
  static int EraseItems(TBlock& block, size_t from, size_t to) {
    int counted = 0;
    if constexpr (kCounts)
      for (size_t i = from; i < to; ++i) counted += Weight(block.Items[i]);
    block.Items.erase(block.Items.begin() + static_cast<std::ptrdiff_t>(from),
                      block.Items.begin() + static_cast<std::ptrdiff_t>(to));
    block.Counted -= counted;
    return counted;
  }

  // Replaces block b by blocks of about kFillBlock of `items`; the first keeps
  // b's offsets and the others add nothing to them. The trees are left stale.
  void Split(int b, std::vector<T> items) {
    const size_t total = items.size();
    const size_t pieces = (total + kFillBlock - 1) / kFillBlock;
    FBlocks.insert(FBlocks.begin() + b + 1, pieces - 1, TBlock{});
    size_t from = 0;
    for (size_t p = 0; p < pieces; ++p) {
      const size_t size = total / pieces + (p < total % pieces ? 1 : 0);
      TBlock& block = FBlocks[static_cast<size_t>(b) + p];
      block.Items.assign(std::make_move_iterator(items.begin() + static_cast<std::ptrdiff_t>(from)),
                         std::make_move_iterator(items.begin() + static_cast<std::ptrdiff_t>(from + size)));
      block.Counted = 0;
      if constexpr (kCounts)
        for (const T& item : block.Items) block.Counted += Weight(item);
      from += size;
    }
  }

  // Removes block b when empty, or merges it with a neighbour when it is
  // small and the two leave room to grow; true when the blocks changed. The
  // trees are left stale then.
  bool Normalize(int b) {
    if (b < 0 || b >= BlockCount()) return false;
    const int size = static_cast<int>(FBlocks[static_cast<size_t>(b)].Items.size());
    if (size == 0) {
      if (b + 1 < BlockCount())
        for (int k = 0; k < kOffsets; ++k)
          FBlocks[static_cast<size_t>(b) + 1].Delta[k] += FBlocks[static_cast<size_t>(b)].Delta[k];
      FBlocks.erase(FBlocks.begin() + b);
      return true;
    }
    if (size >= kMinBlock) return false;
    if (b + 1 < BlockCount() && size + BlockSize(b + 1) <= kFillBlock) {
      Merge(b);
      return true;
    }
    if (b > 0 && size + BlockSize(b - 1) <= kFillBlock) {
      Merge(b - 1);
      return true;
    }
    return false;  // a small block between blocks too full to take it
  }

  int BlockSize(int b) const { return static_cast<int>(FBlocks[static_cast<size_t>(b)].Items.size()); }

  // Normalizes the blocks hi down to lo, so that after an erasure around them
  // no empty block is left and no two small ones stand side by side; true
  // when the blocks changed.
  bool Settle(int lo, int hi) {
    bool changed = false;
    for (int b = hi; b >= lo; --b) changed |= Normalize(b);
    return changed;
  }

  // Appends block b + 1 to block b: its items are restored against b's
  // offsets, and the block after it takes over its difference.
  void Merge(int b) {
    TBlock& into = FBlocks[static_cast<size_t>(b)];
    TBlock& from = FBlocks[static_cast<size_t>(b) + 1];
    for (int k = 0; k < kOffsets; ++k) {
      const int delta = from.Delta[k];
      if (delta == 0) continue;
      for (T& item : from.Items) TFields::Shift(item, k, delta);
      if (b + 2 < BlockCount()) FBlocks[static_cast<size_t>(b) + 2].Delta[k] += delta;
    }
    into.Items.insert(into.Items.end(), std::make_move_iterator(from.Items.begin()),
                      std::make_move_iterator(from.Items.end()));
    into.Counted += from.Counted;
    FBlocks.erase(FBlocks.begin() + b + 1);
  }

  // Rebuilds every tree from the blocks and forgets the cursor.
  void Rebuild() {
    const int n = BlockCount();
    FSizes.Build(n, [&](int b) { return static_cast<int>(FBlocks[static_cast<size_t>(b)].Items.size()); });
    if constexpr (kCounts) FCounts.Build(n, [&](int b) { return FBlocks[static_cast<size_t>(b)].Counted; });
    for (int k = 0; k < kOffsets; ++k)
      FDeltas[k].Build(n, [&](int b) { return FBlocks[static_cast<size_t>(b)].Delta[k]; });
    FCursor.Block = -1;
  }

  std::vector<TBlock> FBlocks;
  int FSize = 0;
  TFenwickTree FSizes;                                              // items per block
  TFenwickTree FCounts;                                             // counted items per block
  std::array<TFenwickTree, static_cast<size_t>(kOffsets)> FDeltas;  // offset differences per block
  mutable TCursor FCursor;
};

}  // namespace vorna
