#!/usr/bin/env python3
"""Generates pdf/PdfFontWidths.cpp, the advance-width tables of the PDF writer.

The writer declares four TrueType families without embedding them (Arial,
Times New Roman, Courier New, Symbol) and measures text with built-in width
tables, in thousandths of the em, for the Windows-1252 codes 32..255 (30..255
for Symbol). The widths come from fonts that Debian ships and that are metric
compatible with those families, width for width:

  Arial            -> Liberation Sans   (fonts-liberation)
  Times New Roman  -> Liberation Serif  (fonts-liberation)
  Courier New      -> Liberation Mono   (fonts-liberation)
  Symbol           -> URW StandardSymbolsPS.afm (fonts-urw-base35)

Codes with no character (the holes of Windows-1252, DEL) take the width of
the font's default glyph (glyph 0 of the TrueType font; 600 for Symbol, the
width its codes 30 and 31 carry).

Only the Python standard library is used. Usage:

  python3 tools/gen_pdf_widths.py            # rewrite pdf/PdfFontWidths.cpp
  python3 tools/gen_pdf_widths.py --check    # exit 1 if the file is stale
  python3 tools/gen_pdf_widths.py --out FILE # write elsewhere
"""

import argparse
import os
import struct
import sys

LIBERATION_DIRS = [
    "/usr/share/fonts/truetype/liberation",
    "/usr/share/fonts/truetype/liberation2",
]
URW_DIRS = [
    "/usr/share/fonts/type1/urw-base35",
    "/usr/share/fonts/opentype/urw-base35",
]
STYLES = ["Regular", "Bold", "Italic", "BoldItalic"]
FAMILIES = [
    ("Arial", "LiberationSans"),
    ("TimesNewRoman", "LiberationSerif"),
    ("CourierNew", "LiberationMono"),
]
SYMBOL_DEFAULT_WIDTH = 600
# URW adds glyphs the Windows Symbol font does not have at these codes.
SYMBOL_SKIP_NAMES = {"apple"}


def find_file(dirs, name):
    for d in dirs:
        p = os.path.join(d, name)
        if os.path.exists(p):
            return p
    sys.exit("gen_pdf_widths: %s not found in %s" % (name, ", ".join(dirs)))


class TrueType:
    """The few tables needed for advance widths: head, hhea, hmtx, cmap."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        num_tables = struct.unpack_from(">H", self.data, 4)[0]
        self.tables = {}
        for i in range(num_tables):
            tag, _sum, off, length = struct.unpack_from(">4sIII", self.data, 12 + 16 * i)
            self.tables[tag.decode("latin-1")] = (off, length)
        self.units_per_em = struct.unpack_from(">H", self.data, self.tables["head"][0] + 18)[0]
        hhea = self.tables["hhea"][0]
        self.num_hmetrics = struct.unpack_from(">H", self.data, hhea + 34)[0]
        self.cmap = self._read_cmap()

    def advance(self, glyph):
        hmtx = self.tables["hmtx"][0]
        g = min(glyph, self.num_hmetrics - 1)
        return struct.unpack_from(">H", self.data, hmtx + 4 * g)[0]

    def _read_cmap(self):
        base = self.tables["cmap"][0]
        n = struct.unpack_from(">H", self.data, base + 2)[0]
        sub = None
        for i in range(n):
            pid, eid, off = struct.unpack_from(">HHI", self.data, base + 4 + 8 * i)
            if pid == 3 and eid == 1:
                sub = base + off
        if sub is None:
            sys.exit("gen_pdf_widths: no Unicode BMP cmap")
        fmt = struct.unpack_from(">H", self.data, sub)[0]
        if fmt != 4:
            sys.exit("gen_pdf_widths: cmap format %d not handled" % fmt)
        segx2 = struct.unpack_from(">H", self.data, sub + 6)[0]
        seg = segx2 // 2
        ends = struct.unpack_from(">%dH" % seg, self.data, sub + 14)
        starts = struct.unpack_from(">%dH" % seg, self.data, sub + 16 + segx2)
        deltas = struct.unpack_from(">%dh" % seg, self.data, sub + 16 + 2 * segx2)
        ro_pos = sub + 16 + 3 * segx2
        offsets = struct.unpack_from(">%dH" % seg, self.data, ro_pos)
        cmap = {}
        for i in range(seg):
            for c in range(starts[i], ends[i] + 1):
                if c == 0xFFFF:
                    continue
                if offsets[i] == 0:
                    g = (c + deltas[i]) & 0xFFFF
                else:
                    addr = ro_pos + 2 * i + offsets[i] + 2 * (c - starts[i])
                    g = struct.unpack_from(">H", self.data, addr)[0]
                    if g:
                        g = (g + deltas[i]) & 0xFFFF
                if g:
                    cmap[c] = g
        return cmap

    def width_1000(self, glyph):
        # Thousandths of the em, rounded half up as font tools do.
        return (self.advance(glyph) * 1000 * 2 + self.units_per_em) // (2 * self.units_per_em)


def cp1252_char(code):
    try:
        return bytes([code]).decode("cp1252")
    except UnicodeDecodeError:
        return None


def truetype_widths(path, first=32, last=255):
    tt = TrueType(path)
    out = []
    for code in range(first, last + 1):
        ch = cp1252_char(code)
        glyph = tt.cmap.get(ord(ch), 0) if ch is not None else 0
        out.append(tt.width_1000(glyph))
    return out


def symbol_widths(path, first=30, last=255):
    by_code = {}
    with open(path, encoding="latin-1") as f:
        for line in f:
            if not line.startswith("C "):
                continue
            fields = {}
            for part in line.split(";"):
                kv = part.split()
                if len(kv) >= 2:
                    fields[kv[0]] = kv[1]
            code = int(fields["C"])
            if code < 0 or fields.get("N") in SYMBOL_SKIP_NAMES:
                continue
            by_code[code] = int(fields["WX"])
    return [by_code.get(c, SYMBOL_DEFAULT_WIDTH) for c in range(first, last + 1)]


def c_array(values, indent="    "):
    lines = []
    for i in range(0, len(values), 16):
        lines.append(indent + ", ".join(str(v) for v in values[i:i + 16]) + ",")
    return "\n".join(lines)


def generate():
    parts = [
        "// Generated by tools/gen_pdf_widths.py from the Liberation fonts and the URW",
        "// StandardSymbolsPS metrics; do not edit by hand, run the script instead.",
        "// Advance widths in thousandths of the em, one value per Windows-1252 code",
        "// from the family's first character code to 255.",
        "",
        '#include "PdfFontWidths.h"',
        "",
        "namespace pdfwidths {",
        "",
    ]
    for family, stem in FAMILIES:
        parts.append("const std::int16_t k%s[4][224] = {" % family)
        for style in STYLES:
            path = find_file(LIBERATION_DIRS, "%s-%s.ttf" % (stem, style))
            w = truetype_widths(path)
            assert len(w) == 224
            parts.append("  {  // %s" % style)
            parts.append(c_array(w))
            parts.append("  },")
        parts.append("};")
        parts.append("")
    w = symbol_widths(find_file(URW_DIRS, "StandardSymbolsPS.afm"))
    assert len(w) == 226
    parts.append("const std::int16_t kSymbol[226] = {")
    parts.append(c_array(w, "  "))
    parts.append("};")
    parts.append("")
    parts.append("}  // namespace pdfwidths")
    parts.append("")
    return "\n".join(parts)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(root, "pdf", "PdfFontWidths.cpp"))
    ap.add_argument("--check", action="store_true", help="compare instead of writing")
    args = ap.parse_args()
    text = generate()
    if args.check:
        try:
            with open(args.out, encoding="ascii") as f:
                current = f.read()
        except OSError:
            current = None
        if current != text:
            print("gen_pdf_widths: %s is not what the fonts give; rerun the script" % args.out)
            return 1
        print("gen_pdf_widths: %s is up to date" % args.out)
        return 0
    with open(args.out, "w", encoding="ascii", newline="\n") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
