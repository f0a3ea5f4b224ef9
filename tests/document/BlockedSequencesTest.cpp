// The blocked sequence: random edits against a plain vector, with lazily
// applied offsets and counted items, in blocks small enough that nearly every
// edit splits or merges one (which also runs its Fenwick trees through every
// kind of update).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "document/BlockedSequences.h"

namespace vorna {
namespace {

// Value 0 applies to every item, value 1 only to marked items (as a scene
// number applies only to heading rows); marked items are counted.
struct TItem {
  int Id = 0;
  int Value0 = 0;
  int Value1 = 0;
  bool Marked = false;
  bool operator==(const TItem&) const = default;
};

struct TItemFields {
  static constexpr int kOffsets = 2;
  static constexpr bool kCounts = true;
  static void Shift(TItem& item, int k, int delta) {
    if (k == 0)
      item.Value0 += delta;
    else if (item.Marked)
      item.Value1 += delta;
  }
  static bool Counted(const TItem& item) { return item.Marked; }
};

template <int MaxBlock>
using TItems = TBlockedSequence<TItem, TItemFields, MaxBlock>;

// An item as the oracle holds it: the values it must read back with.
template <int MaxBlock>
TItem Read(const TItems<MaxBlock>& items, int index) {
  typename TItems<MaxBlock>::TOffsets offsets;
  TItem item = items.At(index, offsets);
  item.Value0 += offsets[0];
  if (item.Marked) item.Value1 += offsets[1];
  return item;
}

template <int MaxBlock>
TItem Stored(const TItems<MaxBlock>& items, int index, TItem item) {
  const auto offsets = items.InsertOffsets(index);
  item.Value0 -= offsets[0];
  if (item.Marked) item.Value1 -= offsets[1];
  return item;
}

// Random edits, with Value0 kept ascending as the row table keeps its lines,
// so that PartitionPoint has a sorted key to search.
template <int MaxBlock>
void RunAgainstVector(unsigned seed, int steps, int typicalSize) {
  std::mt19937 rng(seed);
  TItems<MaxBlock> items;
  std::vector<TItem> oracle;
  int nextId = 0;
  auto random = [&](int n) { return n > 0 ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0; };
  auto make = [&](int index) {
    TItem item;
    item.Id = nextId++;
    item.Value0 = index > 0 ? oracle[static_cast<size_t>(index - 1)].Value0 : 0;
    item.Marked = random(3) == 0;
    item.Value1 = item.Marked ? random(100) : 0;
    return item;
  };
  for (int step = 0; step < steps; ++step) {
    const int size = static_cast<int>(oracle.size());
    const bool grow = size < typicalSize;
    const int op = random(10);
    std::string what;
    if (op <= 1 || (grow && op <= 4)) {
      // One item or a run of up to three blocks, anywhere including both ends.
      const int index = random(size + 1);
      const int n = op == 0 ? 1 : random(3 * MaxBlock + 1);
      std::vector<TItem> fresh;
      for (int i = 0; i < n; ++i) fresh.push_back(make(index));
      std::vector<TItem> stored;
      for (const TItem& item : fresh) stored.push_back(Stored(items, index, item));
      if (n == 1 && random(2) == 0)
        items.Insert(index, stored[0]);
      else
        items.Insert(index, stored.begin(), stored.end());
      oracle.insert(oracle.begin() + index, fresh.begin(), fresh.end());
      what = "insert " + std::to_string(n) + " at " + std::to_string(index);
    } else if (op == 2) {
      const TItem item = make(size);
      items.PushBack(Stored(items, size, item));
      oracle.push_back(item);
      what = "push back";
    } else if (op <= 5) {
      // Mostly short runs, sometimes several blocks at once.
      const int first = random(size + 1);
      const int count = op == 5 ? random(3 * MaxBlock) : random(4);
      items.Erase(first, count);
      const int last = std::min(first + count, size);
      oracle.erase(oracle.begin() + first, oracle.begin() + last);
      what = "erase " + std::to_string(count) + " at " + std::to_string(first);
    } else if (op == 6) {
      // Items across block ends change in place, marks included.
      const int first = random(size + 1);
      const int last = std::min(first + random(2 * MaxBlock), size);
      for (int i = first; i < last; ++i) {
        TItem& item = oracle[static_cast<size_t>(i)];
        item.Id = nextId++;
        item.Marked = !item.Marked;
        item.Value1 = item.Marked ? random(100) : 0;
      }
      int i = first;
      items.Update(first, last - first, [&](TItem& stored, const auto& offsets) {
        stored = oracle[static_cast<size_t>(i++)];
        stored.Value0 -= offsets[0];
        if (stored.Marked) stored.Value1 -= offsets[1];
      });
      what = "update " + std::to_string(last - first) + " at " + std::to_string(first);
    } else {
      const int index = random(size + 1);
      const int k = random(2);
      const int delta = k == 0 ? random(5) : random(21) - 10;
      items.Shift(index, k, delta);
      for (int i = index; i < size; ++i) TItemFields::Shift(oracle[static_cast<size_t>(i)], k, delta);
      what = "shift " + std::to_string(k) + " by " + std::to_string(delta) + " from " + std::to_string(index);
    }

    const int n = static_cast<int>(oracle.size());
    ASSERT_TRUE(items.CheckInvariants()) << "step " << step << ": " << what;
    ASSERT_EQ(items.Size(), n) << "step " << step;
    // Forwards, backwards and at random: the cursor must never go stale.
    for (int i = 0; i < n; ++i)
      ASSERT_EQ(Read(items, i), oracle[static_cast<size_t>(i)]) << "step " << step << ": " << what;
    for (int i = n - 1; i >= 0; i -= 1 + random(3)) ASSERT_EQ(Read(items, i), oracle[static_cast<size_t>(i)]);
    for (int probe = 0; probe < 8 && n > 0; ++probe) {
      const int i = random(n);
      ASSERT_EQ(Read(items, i), oracle[static_cast<size_t>(i)]);
    }
    std::vector<TItem> walked;
    items.ForEachBlock([&](const std::vector<TItem>& block, const auto& offsets) {
      for (TItem item : block) {
        item.Value0 += offsets[0];
        if (item.Marked) item.Value1 += offsets[1];
        walked.push_back(item);
      }
    });
    ASSERT_EQ(walked, oracle) << "step " << step;

    // Counting and finding the marked items.
    std::vector<int> marked;
    for (int i = 0; i < n; ++i)
      if (oracle[static_cast<size_t>(i)].Marked) marked.push_back(i);
    const int at = random(n + 1);
    ASSERT_EQ(items.CountBefore(at),
              std::count_if(marked.begin(), marked.end(), [&](int i) { return i < at; }));
    ASSERT_EQ(items.CountBefore(n), static_cast<int>(marked.size()));
    const int nth = random(static_cast<int>(marked.size()) + 2) - 1;
    ASSERT_EQ(items.FindCounted(nth),
              nth >= 0 && nth < static_cast<int>(marked.size()) ? marked[static_cast<size_t>(nth)] : -1);

    // Searching the ascending value, including values between and beyond.
    const int target = n > 0 ? oracle[static_cast<size_t>(random(n))].Value0 + random(3) - 1 : 0;
    const auto expected = std::partition_point(oracle.begin(), oracle.end(),
                                               [&](const TItem& item) { return item.Value0 < target; });
    ASSERT_EQ(
        items.PartitionPoint(0, [&](const TItem& item, int offset) { return item.Value0 + offset < target; }),
        expected - oracle.begin())
        << "step " << step << " target " << target;
  }
}

TEST(BlockedSequence, RandomEditsMatchAVector) {
  // Blocks of 8 split and merge on nearly every edit; blocks of 64 let runs
  // land inside one block as well.
  RunAgainstVector<8>(1, 2000, 120);
  RunAgainstVector<8>(2, 1500, 20);
  RunAgainstVector<64>(3, 800, 1000);
  RunAgainstVector<1024>(4, 100, 5000);
}

TEST(BlockedSequence, SplitsAndMergesKeepTheOffsets) {
  TItems<8> items;
  for (int i = 0; i < 8; ++i) items.PushBack({i, 0, 0, i % 2 == 0});
  EXPECT_EQ(items.BlockCount(), 1);  // appending fills a block to the brim
  items.PushBack({8, 0, 0, false});
  EXPECT_EQ(items.BlockCount(), 2);
  // From a block's first item the shift goes to the block as a whole; from
  // inside, the rest of the block takes it item by item.
  items.Shift(8, 0, 5);
  items.Shift(3, 0, 100);
  items.Shift(0, 1, 7);
  EXPECT_EQ(Read(items, 2).Value0, 0);
  EXPECT_EQ(Read(items, 3).Value0, 100);
  EXPECT_EQ(Read(items, 8).Value0, 105);
  EXPECT_EQ(Read(items, 2).Value1, 7);
  EXPECT_EQ(Read(items, 3).Value1, 0);  // unmarked: the offset does not apply
  // A full block that takes one more item splits; a shift of the later block
  // must not reach the earlier half.
  items.Insert(4, Stored(items, 4, TItem{9, 100, 0, true}));
  EXPECT_EQ(items.BlockCount(), 3);
  items.Shift(5, 0, 1);
  EXPECT_EQ(Read(items, 4).Value0, 100);
  EXPECT_EQ(Read(items, 5).Value0, 101);
  EXPECT_EQ(Read(items, 9).Value0, 106);
  // Emptying the middle block merges what is left, restored against the
  // offsets of the block it joins.
  items.Erase(1, 7);
  EXPECT_TRUE(items.CheckInvariants());
  EXPECT_EQ(items.BlockCount(), 1);
  ASSERT_EQ(items.Size(), 3);
  EXPECT_EQ(Read(items, 0), (TItem{0, 0, 7, true}));
  EXPECT_EQ(Read(items, 1).Id, 7);
  EXPECT_EQ(Read(items, 1).Value0, 101);
  EXPECT_EQ(Read(items, 2), (TItem{8, 106, 0, false}));
  EXPECT_EQ(items.FindCounted(0), 0);
  EXPECT_EQ(items.FindCounted(1), -1);
  items.Erase(0, 3);
  EXPECT_EQ(items.BlockCount(), 0);
  EXPECT_EQ(items.InsertOffsets(0), (TItems<8>::TOffsets{0, 0}));
}

}  // namespace
}  // namespace vorna
