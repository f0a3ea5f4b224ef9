#!/usr/bin/env python3
"""An independent count of the find bar's matches over decoded CP932 text.

Usage: search_oracle.py PATTERNS.tsv FILE...

PATTERNS.tsv is UTF-8, one pattern a line: index, option letters, pattern,
separated by tabs. Letters: c match case, w width alike, k kana alike,
r regular expression, n skip ruby notation, a skip annotations.

For every file and pattern prints: file, index, match count and the FNV-1a
64-bit hash of "line:start:length;" for every match in order (0-based line,
1-based CP932 byte start, CP932 byte length), tab-separated.
"""
import re
import sys
import unicodedata

HALF_MARKS = {"\uff9e": "\u309b", "\uff9f": "\u309c"}
VOICED = {c: chr(ord(c) + 1) for c in "カキクケコサシスセソタチツテトハヒフヘホ"}
VOICED["ウ"] = "ヴ"
SEMI_VOICED = {c: chr(ord(c) + 2) for c in "ハヒフヘホ"}
WIDE_TO_ASCII = {"\u3000": " ", "\u201d": '"', "\u2019": "'", "\uffe5": "\\"}


def fold_width(ch):
    code = ord(ch)
    if 0xFF01 <= code <= 0xFF5E:
        return chr(code - 0xFEE0)
    if ch in WIDE_TO_ASCII:
        return WIDE_TO_ASCII[ch]
    if ch in HALF_MARKS:
        return HALF_MARKS[ch]
    if 0xFF61 <= code <= 0xFF9D:
        return unicodedata.normalize("NFKC", ch)
    return ch


def fold_case(ch):
    upper = ch.upper()
    return upper if len(upper) == 1 else ch


def fold_kana(ch):
    code = ord(ch)
    if 0x3041 <= code <= 0x3096 or ch in "ゝゞ":
        return chr(code + 0x60)
    return ch


PAIR = re.compile("[\uff66-\uff9d][\uff9e\uff9f]")


def fold_table(width, case, kana):
    table = {}
    for code in range(0x10000):
        ch = chr(code)
        if 0xD800 <= code <= 0xDFFF:
            continue
        folded = ch
        if width:
            folded = fold_width(folded)
        if case:
            folded = fold_case(folded)
        if kana:
            folded = fold_kana(folded)
        if folded != ch:
            table[code] = folded
    return table


def fold(text, origins, width, case, kana, table):
    """Folds `text`, whose character i came from original index origins[i].
    Returns the folded string and, per folded character, its original range."""
    if not (width and PAIR.search(text)):
        return text.translate(table), [(k, k + 1) for k in origins]
    out, ranges = [], []
    i = 0
    while i < len(text):
        ch = text[i]
        span = 1
        if 0xFF66 <= ord(ch) <= 0xFF9D and i + 1 < len(text) and origins[i + 1] == origins[i] + 1 \
                and text[i + 1] in HALF_MARKS:
            base = unicodedata.normalize("NFKC", ch)
            pairs = VOICED if text[i + 1] == "\uff9e" else SEMI_VOICED
            if base in pairs:
                ch = pairs[base]
                span = 2
        if span == 2:
            if case:
                ch = fold_case(ch)
            if kana:
                ch = fold_kana(ch)
        else:
            ch = ch.translate(table)
        out.append(ch)
        ranges.append((origins[i], origins[i + span - 1] + 1))
        i += span
    return "".join(out), ranges


def hidden_flags(line, ruby, notes):
    hidden = [False] * len(line)
    spans = []
    if ruby:
        spans += [m.span() for m in re.finditer("《.*?》", line)]
        spans += [m.span() for m in re.finditer("｜", line)]
    if notes:
        spans += [m.span() for m in re.finditer("［＃.*?］", line)]
    for start, end in spans:
        for k in range(start, end):
            hidden[k] = True
    return hidden


def regex_pattern(pattern, width, kana):
    out = []
    for ch in pattern:
        if ord(ch) < 0x80:
            out.append(ch)
            continue
        folded = ch
        if width:
            folded = fold_width(folded)
        if kana:
            folded = fold_kana(folded)
        if ord(folded) < 0x80 and not folded.isalnum():
            folded = "\\" + folded
        out.append(folded)
    return "".join(out)


def matches(line, options, pattern, compiled, table):
    # A pattern holding hidden notation is looked for in the line as written.
    raw = ("n" in options and any(m in pattern for m in "｜《》")) or ("a" in options and "［＃" in pattern)
    hidden = hidden_flags(line, "n" in options and not raw, "a" in options and not raw)
    origins = [k for k in range(len(line)) if not hidden[k]]
    visible = "".join(line[k] for k in origins)
    regex = "r" in options
    text, ranges = fold(visible, origins, "w" in options, "c" not in options and not regex, "k" in options, table)

    def start_of(i):
        return ranges[i][0] if i < len(ranges) else len(line)

    found = []
    if regex:
        for m in compiled.finditer(text):
            s = start_of(m.start())
            e = s if m.end() == m.start() else ranges[m.end() - 1][1]
            found.append((s, e))
    else:
        at = text.find(compiled)
        while at >= 0:
            found.append((start_of(at), ranges[at + len(compiled) - 1][1]))
            at = text.find(compiled, at + len(compiled))
    return found


def fnv(data, h):
    for b in data:
        h ^= b
        h = (h * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return h


def main():
    patterns = []
    with open(sys.argv[1], encoding="utf-8") as f:
        for row in f.read().split("\n"):
            if row:
                index, options, pattern = row.split("\t", 2)
                patterns.append((index, options, pattern))
    tables = {}
    for path in sys.argv[2:]:
        lines = open(path, "rb").read().decode("cp932").split("\r\n")
        offsets = []
        for line in lines:
            cumulative = [0]
            for ch in line:
                cumulative.append(cumulative[-1] + len(ch.encode("cp932")))
            offsets.append(cumulative)
        for index, options, pattern in patterns:
            regex = "r" in options
            key = ("w" in options, "c" not in options and not regex, "k" in options)
            if key not in tables:
                tables[key] = fold_table(*key)
            table = tables[key]
            if regex:
                flags = 0 if "c" in options else re.IGNORECASE
                compiled = re.compile(regex_pattern(pattern, "w" in options, "k" in options), flags)
            else:
                compiled, _ = fold(pattern, range(len(pattern)), *key, table)
            count, h = 0, 0xCBF29CE484222325
            for number, line in enumerate(lines):
                for s, e in matches(line, options, pattern, compiled, table):
                    start = offsets[number][s] + 1
                    length = offsets[number][e] - offsets[number][s]
                    h = fnv(f"{number}:{start}:{length};".encode(), h)
                    count += 1
            print(f"{path}\t{index}\t{count}\t{h:016x}")


if __name__ == "__main__":
    main()
