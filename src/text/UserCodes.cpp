// The process-wide table of user-defined codes: which character each code of
// CP932's user-defined area stands for, and the code of each such character.
#include "text/UserCodes.h"

#include <array>
#include <mutex>
#include <unordered_map>

#include "text/Cp932.h"

namespace vorna {
namespace {

constexpr char32_t kFirstPrivateUse = 0xE000;
constexpr uint16_t kGetaMark = 0x81AC;  // 〓, the customary stand-in for a missing character
// What the table holds for NUL, since 0 marks a free code.
constexpr char32_t kNulEntry = 0x1FFFFF;

// Index 0..1879 of a user-defined code, -1 outside the area.
int UserCodeIndex(unsigned code) {
  const unsigned lead = code >> 8, trail = code & 0xFF;
  if (lead < 0xF0 || lead > 0xF9 || trail < 0x40 || trail > 0xFC || trail == 0x7F) return -1;
  return static_cast<int>((lead - 0xF0) * 188 + (trail < 0x7F ? trail - 0x40 : trail - 0x41));
}

uint16_t CodeOfIndex(int index) {
  const unsigned lead = 0xF0 + static_cast<unsigned>(index) / 188;
  unsigned trail = 0x40 + static_cast<unsigned>(index) % 188;
  if (trail >= 0x7F) ++trail;
  return static_cast<uint16_t>(lead << 8 | trail);
}

struct TUserTable {
  std::mutex Mutex;
  std::array<char32_t, kUserCodeCount> Assigned{};  // 0: free
  std::unordered_map<char32_t, uint16_t> ByCharacter;
  int NextFree = kUserCodeCount - 1;  // codes are handed out from the top down
  int Taken = 0;

  uint16_t Take(int index, char32_t cp) {
    Assigned[static_cast<size_t>(index)] = cp == 0 ? kNulEntry : cp;
    const uint16_t code = CodeOfIndex(index);
    ByCharacter.emplace(cp, code);
    ++Taken;
    return code;
  }
};

TUserTable& Table() {
  static TUserTable table;
  return table;
}

}  // namespace

bool IsUserDefinedCode(unsigned code) { return UserCodeIndex(code) >= 0; }

char32_t UserCodeCharacter(unsigned code) {
  const int index = UserCodeIndex(code);
  if (index < 0) return 0;
  TUserTable& t = Table();
  std::lock_guard lock(t.Mutex);
  const char32_t assigned = t.Assigned[static_cast<size_t>(index)];
  if (assigned == kNulEntry) return 0;
  return assigned ? assigned : kFirstPrivateUse + static_cast<char32_t>(index);
}

uint16_t CodeForCharacter(char32_t cp) {
  if (cp != 0 && cp < 0x80) return static_cast<uint16_t>(cp);
  if (const uint16_t held = HeldCp932Code(cp); held && !IsUserDefinedCode(held)) return held;
  TUserTable& t = Table();
  std::lock_guard lock(t.Mutex);
  if (auto it = t.ByCharacter.find(cp); it != t.ByCharacter.end()) return it->second;
  // A Private Use character of the area takes its own code while that is free.
  if (cp >= kFirstPrivateUse && cp < kFirstPrivateUse + kUserCodeCount) {
    const int own = static_cast<int>(cp - kFirstPrivateUse);
    if (!t.Assigned[static_cast<size_t>(own)]) return t.Take(own, cp);
  }
  while (t.NextFree >= 0 && t.Assigned[static_cast<size_t>(t.NextFree)]) --t.NextFree;
  if (t.NextFree < 0) {
    // Codes below NextFree may have been reserved out of order; look once more.
    for (int i = kUserCodeCount - 1; i >= 0; --i)
      if (!t.Assigned[static_cast<size_t>(i)]) return t.Take(i, cp);
    return 0;
  }
  return t.Take(t.NextFree, cp);
}

int FreeUserCodes() {
  TUserTable& t = Table();
  std::lock_guard lock(t.Mutex);
  return kUserCodeCount - t.Taken;
}

bool AppendCharacterCode(std::string& out, char32_t cp) {
  const uint16_t code = CodeForCharacter(cp);
  if (code == 0) return false;
  if (code > 0xFF) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
  return true;
}

std::string Cp932TextFromUtf8(std::string_view utf8, int* lost) {
  std::string out;
  out.reserve(utf8.size());
  int missing = 0;
  ForEachUtf8Character(utf8, [&](char32_t cp) {
    if (!AppendCharacterCode(out, cp)) {
      ++missing;
      out += static_cast<char>(kGetaMark >> 8);
      out += static_cast<char>(kGetaMark & 0xFF);
    }
  });
  if (lost) *lost = missing;
  return out;
}

}  // namespace vorna
