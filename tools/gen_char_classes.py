#!/usr/bin/env python3
"""Generates src/text/CharClassTable.inc: the character class (0..13) of every
CP932 code, derived from Unicode data the way the Windows CT_CTYPE3 property
word (GetStringTypeEx) classifies the character, then mapped to a class.

Needs only Python 3 (Debian package python3-minimal): the CP932 mapping comes
from Python's 'cp932' codec (the Microsoft table, as glibc iconv "CP932") and
the Unicode properties from the unicodedata module (general category, east
asian width, character names). Run from the repository root:

    python3 tools/gen_char_classes.py > src/text/CharClassTable.inc

CT_CTYPE3 flags and the Unicode data each is derived from:
  C3_ALPHA       Unicode Alphabetic letters: categories Lu Ll Lt Lm Lo and the
                 letter numbers Nl (Roman numerals, the ideographic zero).
  C3_SYMBOL      punctuation P*, symbols S* and the other numbers No
                 (circled digits); white space Zs as well.
  C3_LEXICAL     punctuation that counts as part of a word: dash punctuation
                 Pd, the apostrophe, the equal sign and their full-width forms.
  C3_NONSPACING  non-spacing marks Mn.
  C3_DIACRITIC   modifier symbols Sk (^ ` acute, diaeresis, the full-width
                 voiced marks), marks Mn, and the half-width voiced marks.
  C3_VOWELMARK   spacing marks Mc (none in CP932).
  C3_KASHIDA     U+0640 (not in CP932).
  C3_KATAKANA    the character name contains KATAKANA (letters, iteration
                 marks, the prolonged sound mark, the middle dot, the voiced
                 marks of both widths).
  C3_HIRAGANA    the character name contains HIRAGANA (letters, iteration
                 marks, the shared prolonged sound and voiced marks).
  C3_IDEOGRAPH   Unicode Ideographic: the CJK unified and compatibility
                 ideographs (by name) and U+3006, U+3007, U+3021-U+3029,
                 U+3038-U+303A (PropList.txt "Ideographic").
  C3_HALFWIDTH   east asian width H or Na (ASCII, half-width katakana).
  C3_FULLWIDTH   east asian width F or W, and A (ambiguous width: Greek,
                 Cyrillic, box drawing, circled digits...) because in a
                 Japanese locale those are the wide double-byte forms.
Control characters (Cc) and the private use area (the CP932 user-defined
characters, Co) carry no flags; undefined codes likewise.

Class rules, in order (the first that matches wins; no match gives the
marker 0, which GetCharClass reads as "keep the class of the character
before"): fixed cases " " 12, "　" 13, "＿" 10, "々" 10; exactly C3_SYMBOL 11;
with C3_HALFWIDTH: exactly HALFWIDTH 1, exactly HALFWIDTH+ALPHA 2, SYMBOL or
LEXICAL 3, KATAKANA 4; without it: exactly FULLWIDTH 5, exactly
FULLWIDTH+ALPHA 6, SYMBOL or LEXICAL 7, KATAKANA 8, HIRAGANA 9, IDEOGRAPH 10.

Output layout: kSingleByteClassText holds 256 digits (one per byte value);
kDoubleByteClassText holds, for each lead byte 0x81-0x9F then 0xE0-0xFC
(60 leads), one digit per trail byte 0x40-0xFC (189). A digit is the class in
hexadecimal (0-9, a-d).
"""

import sys
import unicodedata

C3_NONSPACING = 0x0001
C3_DIACRITIC = 0x0002
C3_VOWELMARK = 0x0004
C3_SYMBOL = 0x0008
C3_KATAKANA = 0x0010
C3_HIRAGANA = 0x0020
C3_HALFWIDTH = 0x0040
C3_FULLWIDTH = 0x0080
C3_IDEOGRAPH = 0x0100
C3_KASHIDA = 0x0200
C3_LEXICAL = 0x0400
C3_ALPHA = 0x8000

LEAD_BYTES = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
TRAIL_FIRST, TRAIL_LAST = 0x40, 0xFC

# Single bytes that glibc iconv's CP932 does not decode (Python's codec maps
# them to U+0080 and the private use area).
UNDEFINED_SINGLE_BYTES = {0x80, 0xA0, 0xFD, 0xFE, 0xFF}

IDEOGRAPHIC_EXTRA = set([0x3006, 0x3007]) | set(range(0x3021, 0x302A)) | set(range(0x3038, 0x303B))
LEXICAL_EXTRA = {0x0027, 0x003D, 0xFF07, 0xFF1D, 0x00AA, 0x00BA, 0x0640}
HALFWIDTH_VOICED_MARKS = {0xFF9E, 0xFF9F}


def ctype3(ch):
    """The CT_CTYPE3 property word of one Unicode character."""
    cp = ord(ch)
    cat = unicodedata.category(ch)
    if cat in ("Cc", "Co", "Cn", "Cs"):
        return 0
    name = unicodedata.name(ch, "")
    flags = 0
    if cat[0] == "L" or cat == "Nl":
        flags |= C3_ALPHA
    if cat[0] in "PS" or cat in ("No", "Zs"):
        flags |= C3_SYMBOL
    if cat == "Pd" or cp in LEXICAL_EXTRA:
        flags |= C3_LEXICAL
    if cat == "Mn":
        flags |= C3_NONSPACING | C3_DIACRITIC
    if cat == "Sk" or cp in HALFWIDTH_VOICED_MARKS:
        flags |= C3_DIACRITIC
    if cat == "Mc":
        flags |= C3_VOWELMARK
    if cp == 0x0640:
        flags |= C3_KASHIDA
    if "KATAKANA" in name:
        flags |= C3_KATAKANA
    if "HIRAGANA" in name:
        flags |= C3_HIRAGANA
    if name.startswith("CJK UNIFIED IDEOGRAPH") or name.startswith("CJK COMPATIBILITY IDEOGRAPH") \
            or cp in IDEOGRAPHIC_EXTRA:
        flags |= C3_IDEOGRAPH
    width = unicodedata.east_asian_width(ch)
    if width in ("H", "Na"):
        flags |= C3_HALFWIDTH
    elif width in ("F", "W", "A"):
        flags |= C3_FULLWIDTH
    return flags


FIXED = {" ": 12, "\u3000": 13, "\uFF3F": 10, "\u3005": 10}


def char_class(ch):
    """Class of one character; 0 when no rule matches."""
    if ch in FIXED:
        return FIXED[ch]
    w = ctype3(ch)
    if w == C3_SYMBOL:
        return 11
    if w & C3_HALFWIDTH:
        if w == C3_HALFWIDTH:
            return 1
        if w == C3_HALFWIDTH | C3_ALPHA:
            return 2
        if w & (C3_SYMBOL | C3_LEXICAL):
            return 3
        if w & C3_KATAKANA:
            return 4
        return 0
    if w == C3_FULLWIDTH:
        return 5
    if w == C3_FULLWIDTH | C3_ALPHA:
        return 6
    if w & (C3_SYMBOL | C3_LEXICAL):
        return 7
    if w & C3_KATAKANA:
        return 8
    if w & C3_HIRAGANA:
        return 9
    if w & C3_IDEOGRAPH:
        return 10
    return 0


def decode(raw):
    try:
        s = raw.decode("cp932")
    except UnicodeDecodeError:
        return None
    return s if len(s) == 1 else None


def main():
    singles = []
    for b in range(256):
        ch = None if (b in UNDEFINED_SINGLE_BYTES or b in LEAD_BYTES) else decode(bytes([b]))
        singles.append(char_class(ch) if ch is not None else 0)
    doubles = []
    for lead in LEAD_BYTES:
        for trail in range(TRAIL_FIRST, TRAIL_LAST + 1):
            ch = None if trail == 0x7F else decode(bytes([lead, trail]))
            doubles.append(char_class(ch) if ch is not None else 0)

    def digits(values, per_line):
        text = "".join("%x" % v for v in values)
        return "\n".join('    "%s"' % text[i:i + per_line] for i in range(0, len(text), per_line))

    out = sys.stdout
    out.write("// Generated by tools/gen_char_classes.py (Unicode %s) -- do not edit.\n"
              % unicodedata.unidata_version)
    out.write("// Character class of every CP932 code, one hexadecimal digit per code.\n")
    out.write("// clang-format off\n")
    out.write("inline constexpr char kSingleByteClassText[] =\n%s;\n" % digits(singles, 64))
    out.write("// Lead bytes 0x81-0x9F then 0xE0-0xFC; trail bytes 0x40-0xFC per lead.\n")
    out.write("inline constexpr char kDoubleByteClassText[] =\n%s;\n" % digits(doubles, 63))
    out.write("// clang-format on\n")


if __name__ == "__main__":
    main()
