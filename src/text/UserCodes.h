// Characters that CP932 cannot hold, kept in the editor's CP932 text through
// the codes of CP932's user-defined area (lead bytes 0xF0-0xF9, 1,880 codes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorna {

// The table is one for the process and only grows: a code, once it stands for
// a character, stands for it until the process ends. So text copied between
// documents, kept in undo histories or on the clipboard never changes meaning,
// and no document needs to carry a table of its own. Files never hold these
// codes' assignments: every file is read and written through Unicode (a CP932
// file's own user-defined codes keep their own meaning, see below).
//
// An unassigned code means what CP932 gives it: its own Private Use character
// (0xF040 is U+E000, 0xF9FC is U+E757). A file's own user-defined code is
// taken as that character, and the code is then reserved for it; should the
// code already stand for another character, the Private Use character gets a
// free code instead and is written back as its own code on saving.

inline constexpr int kUserCodeCount = 1880;

// Values beyond Unicode that stand for what a file holds but is no character:
// a byte that does not decode in a Unicode encoding, and a UTF-16 surrogate
// code unit without its partner. They take user-defined codes like characters,
// are drawn as U+FFFD and are written back as the very byte or unit.
inline constexpr char32_t kRawByteBase = 0x110000;        // + the byte (0..255)
inline constexpr char32_t kLoneSurrogateBase = 0x120000;  // + the unit (0xD800..0xDFFF)
inline bool IsRawByte(char32_t cp) { return cp >= kRawByteBase && cp < kRawByteBase + 256; }
inline bool IsLoneSurrogate(char32_t cp) {
  return cp >= kLoneSurrogateBase + 0xD800 && cp <= kLoneSurrogateBase + 0xDFFF;
}
// A character the canvas and the clipboard can show (raw bytes and lone
// surrogates show as U+FFFD).
inline char32_t ShownCharacter(char32_t cp) { return cp > 0x10FFFF ? 0xFFFD : cp; }

// True for a double-byte code (lead << 8 | trail) of the user-defined area.
bool IsUserDefinedCode(unsigned code);

// The character the user-defined `code` stands for (its Private Use character
// while unassigned); 0 for a code outside the area.
char32_t UserCodeCharacter(unsigned code);

// The CP932 code (one byte value, or lead << 8 | trail) that stands for `cp`
// in the editor's text: the code CP932 itself gives it when decoding that code
// gives `cp` back exactly (so U+301C, U+2016, U+2212, which the table folds
// onto other characters, are not held); otherwise a user-defined code, taken
// from the free ones (from 0xF9FC downwards) the first time. NUL is no
// character of the text and takes a user-defined code too. 0 when every code
// is taken.
uint16_t CodeForCharacter(char32_t cp);

// Codes not yet standing for any character.
int FreeUserCodes();

// Appends the CP932 bytes of `cp` (CodeForCharacter) to `out`; false, and
// nothing appended, when no code is free.
bool AppendCharacterCode(std::string& out, char32_t cp);

// UTF-8 -> the editor's CP932 text, every character kept (invalid UTF-8 bytes
// are kept as raw bytes). Characters beyond the free codes become the geta
// mark "〓" (0x81AC), and `lost` (when given) counts them.
std::string Cp932TextFromUtf8(std::string_view utf8, int* lost = nullptr);

}  // namespace vorna
