// A Fenwick (binary indexed) tree: prefix sums of an integer sequence with
// point updates, and the search for the element a running sum reaches.
#pragma once

#include <bit>
#include <cstddef>
#include <vector>

namespace vorna {

// Values are indexed 0 .. Size() - 1. Prefix, Add, PushBack, Find and
// CountWhile take O(log n); Add on the last value and Build take O(1) and
// O(n). Indexes outside the stated ranges are the caller's error (not checked).
class TFenwickTree {
 public:
  int Size() const { return static_cast<int>(FTree.size()) - 1; }
  void Clear() {
    FTree.assign(1, 0);
    FTopBit = 0;
  }
  void Reserve(int n) { FTree.reserve(static_cast<size_t>(n) + 1); }

  // Rebuilds the tree over value(0) .. value(n - 1).
  template <class TValueOf>
  void Build(int n, TValueOf value) {
    FTree.assign(static_cast<size_t>(n) + 1, 0);
    for (int j = 1; j <= n; ++j) FTree[static_cast<size_t>(j)] += value(j - 1);
    for (int j = 1; j <= n; ++j) {
      const int parent = j + (j & -j);
      if (parent <= n) FTree[static_cast<size_t>(parent)] += FTree[static_cast<size_t>(j)];
    }
    FTopBit = n > 0 ? static_cast<int>(std::bit_floor(static_cast<unsigned>(n))) : 0;
  }

  // Appends a value.
  void PushBack(int value) {
    const int j = Size() + 1;
    // Node j holds the values (j - lowbit(j), j]; all but the new one are in place.
    FTree.push_back(value + Prefix(j - 1) - Prefix(j - (j & -j)));
    FTopBit = static_cast<int>(std::bit_floor(static_cast<unsigned>(j)));
  }

  // Adds delta to value i (0 <= i < Size()).
  void Add(int i, int delta) {
    const int n = Size();
    for (int j = i + 1; j <= n; j += j & -j) FTree[static_cast<size_t>(j)] += delta;
  }

  // Sum of values 0 .. i - 1 (0 <= i <= Size()).
  int Prefix(int i) const {
    int sum = 0;
    for (int j = i; j > 0; j -= j & -j) sum += FTree[static_cast<size_t>(j)];
    return sum;
  }

  // With pred(i, Prefix(i + 1)) true for a leading run of the indexes and
  // false for the rest: the length of that run, with its sum in `sum`.
  template <class TPred>
  int CountWhile(TPred pred, int& sum) const {
    const int n = Size();
    int pos = 0;
    sum = 0;
    for (int step = FTopBit; step > 0; step >>= 1) {
      const int next = pos + step;
      if (next <= n && pred(next - 1, sum + FTree[static_cast<size_t>(next)])) {
        pos = next;
        sum += FTree[static_cast<size_t>(next)];
      }
    }
    return pos;
  }

  // With no negative value and 0 <= target < the total: the index i with
  // Prefix(i) <= target < Prefix(i + 1); target becomes target - Prefix(i).
  int Find(int& target) const {
    const int n = Size();
    int pos = 0;
    for (int step = FTopBit; step > 0; step >>= 1) {
      const int next = pos + step;
      if (next <= n && FTree[static_cast<size_t>(next)] <= target) {
        pos = next;
        target -= FTree[static_cast<size_t>(next)];
      }
    }
    return pos;
  }

 private:
  std::vector<int> FTree = std::vector<int>(1, 0);  // 1-based nodes; [0] unused
  int FTopBit = 0;                                  // highest power of two <= Size()
};

}  // namespace vorna
