// The compact line store: reading, changing, splitting and merging blocks.
#include "document/LineStores.h"

#include <algorithm>

namespace vorna {

void TLineStore::Clear() {
  FBlocks.clear();
  FSize = 0;
  FTextBytes = 0;
  Rebuild();
}

int TLineStore::SeekElsewhere(int index) const {
  TCursor& c = FCursor;
  if (c.Block >= 0) {
    const int size = static_cast<int>(FBlocks[static_cast<size_t>(c.Block)].Lines());
    if (index >= c.Start + size && c.Block + 1 < BlockCount() &&
        index < c.Start + size + static_cast<int>(FBlocks[static_cast<size_t>(c.Block) + 1].Lines())) {
      c.Start += size;
      return ++c.Block;
    }
    if (index < c.Start && c.Block > 0 &&
        index >= c.Start - static_cast<int>(FBlocks[static_cast<size_t>(c.Block) - 1].Lines())) {
      --c.Block;
      c.Start -= static_cast<int>(FBlocks[static_cast<size_t>(c.Block)].Lines());
      return c.Block;
    }
  }
  int offset = index;
  c.Block = FSizes.Find(offset);
  c.Start = index - offset;
  return c.Block;
}

void TLineStore::PushBack(std::string_view line) {
  if (FBlocks.empty() || FBlocks.back().Lines() >= static_cast<size_t>(kMaxLines) ||
      (FBlocks.back().Lines() > 0 && FBlocks.back().Bytes.size() + line.size() > kMaxBytes)) {
    // Growing the block list moves the blocks, and a short line may live
    // inside one: keep the text apart first.
    const std::string text(line);
    if (!FBlocks.empty()) {
      FBlocks.back().Bytes.shrink_to_fit();
      FBlocks.back().Ends.shrink_to_fit();
    }
    TBlock& block = FBlocks.emplace_back();
    block.Bytes.reserve(std::max(kMaxBytes, text.size()));
    block.Ends.reserve(static_cast<size_t>(kMaxLines));
    FSizes.PushBack(0);
    block.Bytes = text;
  } else if (!line.empty()) {
    FBlocks.back().Bytes.append(line);
  }
  // A cursor on this block or an earlier one stays valid: nothing before moves.
  TBlock& block = FBlocks.back();
  block.Ends.push_back(static_cast<uint32_t>(block.Bytes.size()));
  FSizes.Add(BlockCount() - 1, 1);
  FTextBytes += line.size();
  ++FSize;
}

void TLineStore::Put(int index, std::string_view line) {
  const int b = Seek(index);
  TBlock& block = FBlocks[static_cast<size_t>(b)];
  const size_t i = static_cast<size_t>(index - FCursor.Start);
  const size_t begin = Begin(block, i), old = block.Ends[i] - begin;
  // replace copies correctly from text inside the block itself.
  block.Bytes.replace(begin, old, line.data(), line.size());
  const uint32_t grown = static_cast<uint32_t>(line.size() - old);  // modulo 2^32, as the ends are
  for (size_t j = i; j < block.Lines(); ++j) block.Ends[j] += grown;
  FTextBytes = FTextBytes + line.size() - old;
  if (SplitIfOverfull(b)) Rebuild();
}

void TLineStore::Insert(int index, std::string_view line) {
  index = std::clamp(index, 0, FSize);
  if (index == FSize) {
    PushBack(line);
    return;
  }
  const int b = Seek(index);
  TBlock& block = FBlocks[static_cast<size_t>(b)];
  const size_t i = static_cast<size_t>(index - FCursor.Start);
  const size_t begin = Begin(block, i);
  block.Bytes.insert(begin, line.data(), line.size());
  block.Ends.insert(block.Ends.begin() + static_cast<std::ptrdiff_t>(i), static_cast<uint32_t>(begin));
  for (size_t j = i; j < block.Lines(); ++j) block.Ends[j] += static_cast<uint32_t>(line.size());
  FSizes.Add(b, 1);
  FTextBytes += line.size();
  ++FSize;
  if (SplitIfOverfull(b)) Rebuild();
}

void TLineStore::InsertViews(int index, const std::vector<std::string_view>& lines) {
  if (lines.empty()) return;
  index = std::clamp(index, 0, FSize);
  if (FBlocks.empty()) {
    FBlocks.emplace_back();
    FSizes.PushBack(0);
  }
  // The block that takes the lines: the one holding index, or the last one.
  const int b = index < FSize ? Seek(index) : BlockCount() - 1;
  const int start = index < FSize ? FCursor.Start : FSize - static_cast<int>(FBlocks.back().Lines());
  const TBlock& block = FBlocks[static_cast<size_t>(b)];
  const size_t at = static_cast<size_t>(index - start);
  std::vector<std::string_view> all;
  all.reserve(block.Lines() + lines.size());
  size_t added = 0;
  for (size_t i = 0; i < at; ++i) all.push_back(Line(block, i));
  for (std::string_view line : lines) {
    all.push_back(line);
    added += line.size();
  }
  for (size_t i = at; i < block.Lines(); ++i) all.push_back(Line(block, i));
  const size_t bytes = block.Bytes.size() + added;
  if (all.size() <= static_cast<size_t>(kMaxLines) && (bytes <= kMaxBytes || all.size() == 1)) {
    // Built apart and then swapped in, as the lines may view this very block.
    TBlock grown;
    grown.Bytes.reserve(bytes);
    grown.Ends.reserve(all.size());
    for (std::string_view line : all) {
      grown.Bytes.append(line);
      grown.Ends.push_back(static_cast<uint32_t>(grown.Bytes.size()));
    }
    FBlocks[static_cast<size_t>(b)] = std::move(grown);
    FSizes.Add(b, static_cast<int>(lines.size()));
  } else {
    Repack(b, all);
    FCursor.Block = -1;
  }
  FSize += static_cast<int>(lines.size());
  FTextBytes += added;
  if (FCursor.Block < 0) Rebuild();
}

void TLineStore::Repack(int b, const std::vector<std::string_view>& lines) {
  std::vector<TBlock> packed;
  for (std::string_view line : lines) {
    if (packed.empty() || packed.back().Lines() >= static_cast<size_t>(kFillLines) ||
        (packed.back().Lines() > 0 && packed.back().Bytes.size() + line.size() > kFillBytes))
      packed.emplace_back();
    TBlock& block = packed.back();
    block.Bytes.append(line);
    block.Ends.push_back(static_cast<uint32_t>(block.Bytes.size()));
  }
  for (TBlock& block : packed) {
    block.Bytes.shrink_to_fit();
    block.Ends.shrink_to_fit();
  }
  // Only now may the old block go: the lines view it.
  FBlocks.erase(FBlocks.begin() + b);
  FBlocks.insert(FBlocks.begin() + b, std::make_move_iterator(packed.begin()),
                 std::make_move_iterator(packed.end()));
}

bool TLineStore::SplitIfOverfull(int b) {
  const TBlock& block = FBlocks[static_cast<size_t>(b)];
  if (!Overfull(block)) return false;
  std::vector<std::string_view> lines;
  lines.reserve(block.Lines());
  for (size_t i = 0; i < block.Lines(); ++i) lines.push_back(Line(block, i));
  Repack(b, lines);
  return true;
}

void TLineStore::Erase(int first, int count) {
  first = std::clamp(first, 0, FSize);
  count = std::clamp(count, 0, FSize - first);
  if (count == 0) return;
  const int b0 = Seek(first);
  const size_t from = static_cast<size_t>(first - FCursor.Start);
  const int b1 = Seek(first + count - 1);
  const size_t to = static_cast<size_t>(first + count - FCursor.Start);  // past the last erased, in b1
  FSize -= count;
  // The lines [from, to) of one block go; the ends after them move back.
  const auto cut = [this](TBlock& block, size_t from, size_t to) {
    const size_t begin = Begin(block, from), end = Begin(block, to);
    block.Bytes.erase(begin, end - begin);
    block.Ends.erase(block.Ends.begin() + static_cast<std::ptrdiff_t>(from),
                     block.Ends.begin() + static_cast<std::ptrdiff_t>(to));
    for (size_t j = from; j < block.Lines(); ++j) block.Ends[j] -= static_cast<uint32_t>(end - begin);
    FTextBytes -= end - begin;
  };
  if (b0 == b1) {
    cut(FBlocks[static_cast<size_t>(b0)], from, to);
    if (Normalize(b0)) {
      Rebuild();
    } else {
      FSizes.Add(b0, -count);
      // The cursor is on b0, whose start did not move.
    }
    return;
  }
  for (int b = b0 + 1; b < b1; ++b) FTextBytes -= FBlocks[static_cast<size_t>(b)].Bytes.size();
  cut(FBlocks[static_cast<size_t>(b1)], 0, to);
  TBlock& head = FBlocks[static_cast<size_t>(b0)];
  cut(head, from, head.Lines());
  FBlocks.erase(FBlocks.begin() + b0 + 1, FBlocks.begin() + b1);
  Normalize(b0 + 1);
  Normalize(b0);
  Rebuild();
}

bool TLineStore::Normalize(int b) {
  if (b < 0 || b >= BlockCount()) return false;
  TBlock& block = FBlocks[static_cast<size_t>(b)];
  if (block.Lines() == 0) {
    FBlocks.erase(FBlocks.begin() + b);
    return true;
  }
  if (!Small(block)) return false;
  const auto fits = [&](const TBlock& other) {
    return block.Lines() + other.Lines() <= static_cast<size_t>(kFillLines) &&
           block.Bytes.size() + other.Bytes.size() <= kFillBytes;
  };
  int into = -1;
  if (b + 1 < BlockCount() && fits(FBlocks[static_cast<size_t>(b) + 1]))
    into = b;
  else if (b > 0 && fits(FBlocks[static_cast<size_t>(b) - 1]))
    into = b - 1;
  if (into < 0) return false;
  TBlock& head = FBlocks[static_cast<size_t>(into)];
  TBlock& tail = FBlocks[static_cast<size_t>(into) + 1];
  const uint32_t shift = static_cast<uint32_t>(head.Bytes.size());
  head.Bytes += tail.Bytes;
  for (uint32_t end : tail.Ends) head.Ends.push_back(end + shift);
  FBlocks.erase(FBlocks.begin() + into + 1);
  return true;
}

void TLineStore::Swap(int i, int j) {
  if (i == j) return;
  const std::string a((*this)[i]), b((*this)[j]);
  Put(i, b);
  Put(j, a);
}

void TLineStore::ShrinkToFit() {
  for (TBlock& block : FBlocks) {
    block.Bytes.shrink_to_fit();
    block.Ends.shrink_to_fit();
  }
  FBlocks.shrink_to_fit();
}

size_t TLineStore::HeapBytes() const {
  size_t bytes = FBlocks.capacity() * sizeof(TBlock);
  for (const TBlock& block : FBlocks) {
    if (block.Bytes.capacity() > std::string().capacity()) bytes += block.Bytes.capacity() + 1;
    bytes += block.Ends.capacity() * sizeof(uint32_t);
  }
  return bytes;
}

bool TLineStore::CheckInvariants() const {
  if (FSizes.Size() != BlockCount()) return false;
  int start = 0;
  size_t bytes = 0;
  for (int b = 0; b < BlockCount(); ++b) {
    const TBlock& block = FBlocks[static_cast<size_t>(b)];
    if (block.Lines() == 0 || Overfull(block) || FSizes.Prefix(b) != start) return false;
    if (!std::is_sorted(block.Ends.begin(), block.Ends.end()) || block.Ends.back() != block.Bytes.size())
      return false;
    start += static_cast<int>(block.Lines());
    bytes += block.Bytes.size();
  }
  return start == FSize && bytes == FTextBytes;
}

void TLineStore::Rebuild() {
  FSizes.Build(BlockCount(),
               [&](int b) { return static_cast<int>(FBlocks[static_cast<size_t>(b)].Lines()); });
  FCursor.Block = -1;
}

}  // namespace vorna
