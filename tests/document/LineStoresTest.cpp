// The compact line store against a plain vector of strings under random
// edits, with lines long and many enough that blocks split and merge by
// bytes and by lines, and edits that take their text from the store itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "document/LineStores.h"

namespace vorna {
namespace {

void ExpectSame(const TLineStore& store, const std::vector<std::string>& oracle) {
  ASSERT_TRUE(store.CheckInvariants());
  ASSERT_EQ(store.Size(), static_cast<int>(oracle.size()));
  // Backwards, so the cursor walks down as well as up.
  for (int i = store.Size() - 1; i >= 0; --i) ASSERT_EQ(store[i], oracle[static_cast<size_t>(i)]) << i;
  size_t i = 0;
  store.ForEachLine([&](std::string_view line) { ASSERT_EQ(line, oracle[i++]); });
}

void RunAgainstVector(unsigned seed, int steps, int typicalSize) {
  std::mt19937 rng(seed);
  TLineStore store;
  std::vector<std::string> oracle;
  auto random = [&](int n) { return n > 0 ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0; };
  auto makeLine = [&]() {
    // Mostly short and empty lines, now and then one of tens of kilobytes.
    const int kind = random(20);
    const int length = kind == 0 ? random(40000) : kind < 5 ? 0 : random(120);
    return std::string(static_cast<size_t>(length), static_cast<char>('a' + random(26)));
  };
  for (int step = 0; step < steps; ++step) {
    const int size = static_cast<int>(oracle.size());
    const int op = random(size < typicalSize ? 8 : 10);
    const int at = random(size + 1);
    if (op < 2) {
      const std::string line = makeLine();
      store.Insert(at, line);
      oracle.insert(oracle.begin() + at, line);
    } else if (op == 2) {
      std::vector<std::string> lines(static_cast<size_t>(random(random(4) == 0 ? 3000 : 8)));
      for (auto& line : lines) line = makeLine();
      store.Insert(at, lines.begin(), lines.end());
      oracle.insert(oracle.begin() + at, lines.begin(), lines.end());
    } else if (op == 3) {
      const std::string line = makeLine();
      store.PushBack(line);
      oracle.push_back(line);
    } else if (op < 6 && size > 0) {
      const int i = random(size), j = random(size);
      if (op == 4) {
        // A line made from a part of another, viewed in the store.
        const std::string_view source = store[j];
        const size_t from = static_cast<size_t>(random(static_cast<int>(source.size()) + 1));
        const std::string expected = oracle[static_cast<size_t>(j)].substr(from);
        store.Put(i, source.substr(from));
        oracle[static_cast<size_t>(i)] = expected;
      } else {
        store.Swap(i, j);
        std::swap(oracle[static_cast<size_t>(i)], oracle[static_cast<size_t>(j)]);
      }
    } else if (op == 6 && size > 0) {
      // A copy of a line inserted from its own view.
      const int j = random(size);
      store.Insert(at, store[j]);
      oracle.insert(oracle.begin() + at, oracle[static_cast<size_t>(j)]);
    } else if (size > 0) {
      const int first = random(size);
      const int count = std::min(random(random(5) == 0 ? size - first + 1 : 4), size - first);
      store.Erase(first, count);
      oracle.erase(oracle.begin() + first, oracle.begin() + first + count);
    }
    if (step % 97 == 0) ExpectSame(store, oracle);
  }
  ExpectSame(store, oracle);
}

TEST(LineStore, RandomEditsMatchAVectorOfStrings) {
  for (unsigned seed = 1; seed <= 6; ++seed) RunAgainstVector(seed, 1500, 300 * static_cast<int>(seed));
}

TEST(LineStore, ALineCostsFewBytesBeyondItsText) {
  TLineStore store;
  for (int i = 0; i < 100000; ++i) store.PushBack(i % 3 == 0 ? "" : "ten bytes.");
  store.ShrinkToFit();
  const size_t text = store.TextBytes();
  EXPECT_EQ(text, 66666u * 10u);
  EXPECT_LT(store.HeapBytes(), text + 5 * 100000u);
}

TEST(LineStore, OneLongLineHasABlockOfItsOwn) {
  TLineStore store;
  const std::string big(TLineStore::kMaxBytes * 3, 'x');
  store.PushBack("a");
  store.PushBack(big);
  store.PushBack("b");
  store.Put(0, big);
  store.Insert(1, big);
  EXPECT_TRUE(store.CheckInvariants());
  EXPECT_EQ(store.Size(), 4);
  EXPECT_EQ(store[2], big);
  EXPECT_EQ(store[3], "b");
  store.Erase(0, 3);
  EXPECT_TRUE(store.CheckInvariants());
  EXPECT_EQ(store.TextBytes(), 1u);
}

}  // namespace
}  // namespace vorna
