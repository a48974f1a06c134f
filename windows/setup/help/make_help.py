#!/usr/bin/python3
"""Draws the Revaze help document (help.pdf, A4) from the key charts that `revaze tables` prints,
so that every chart shows what the layout tables say.

    make_help.py TABLES.json OUTPUT.pdf [STATUS_STRIP.bmp]

Text is laid out and shaped by Pango (HarfBuzz) and drawn by cairo: Tibetan stacks and vowel
signs come out as the font shapes them. Uses Debian's python3-gi-cairo and gir1.2-pango-1.0, and
the fonts Tibetan Machine Uni (fonts-tibetan-machine), DDC Uchen (fonts-ddc-uchen) and DejaVu
(fonts-dejavu-core).
STATUS_STRIP.bmp is the status window's bitmap (bitmap 103); its first row is the window as it
opens, drawn on the status window's page when given."""
import json
import os
import re
import struct
import sys
import unicodedata
from xml.sax.saxutils import escape

import cairo
import gi

gi.require_version("Pango", "1.0")
gi.require_version("PangoCairo", "1.0")
from gi.repository import Pango, PangoCairo  # noqa: E402

from help_text import SECTIONS  # noqa: E402

PAGE_W, PAGE_H = 595.0, 842.0
MARGIN = 52.0
TEXT_W = PAGE_W - 2 * MARGIN
LATIN = "DejaVu Sans"
MONO = "DejaVu Sans Mono"
# Tibetan Machine Uni lacks a few signs added to Unicode later (U+0F8C to U+0F8F, U+0FD9, U+0FDA):
# DDC Uchen (fonts-ddc-uchen) draws those.
TIBETAN = "Tibetan Machine Uni, DDC Uchen"

INK = (0.10, 0.10, 0.12)
GREY = (0.45, 0.45, 0.50)
DIRECT = (0.10, 0.32, 0.78)
PREFIX = (0.78, 0.12, 0.12)
CAP = (0.97, 0.97, 0.95)
CAP_EDGE = (0.55, 0.55, 0.60)
MAROON = (0.50, 0.06, 0.10)

# What Shift gives on a US keyboard, the keyboard the layouts are drawn on.
SHIFTED = dict(zip("`1234567890-=[]\\;',./", "~!@#$%^&*()_+{}|:\"<>?"))
for c in "abcdefghijklmnopqrstuvwxyz":
    SHIFTED[c] = c.upper()


def bo(text, size=None):
    """Tibetan text in the Tibetan font; `size` in points."""
    attrs = f' font_family="{TIBETAN}"'
    if size:
        attrs += f' size="{int(size * 1024)}"'
    return f"<span{attrs}>{escape(text)}</span>"


def glyph(text):
    """A label as it can be shown alone: a vowel sign or subjoined letter on a dotted circle."""
    if not text or text in ("\u0000", " "):
        return ""
    if unicodedata.category(text[0]) in ("Mn", "Mc"):
        return "\u25CC" + text
    return text


class Document:
    def __init__(self, path, version):
        self.surface = cairo.PDFSurface(path, PAGE_W, PAGE_H)
        self.surface.set_metadata(cairo.PDF_METADATA_TITLE, f"Revaze {version} help")
        self.surface.set_metadata(cairo.PDF_METADATA_CREATOR, "Revaze make_help.py")
        self.cr = cairo.Context(self.surface)
        self.version = version
        self.page = 1
        self.y = MARGIN
        self.pages = {}  # section title -> page

    # ---- text ---------------------------------------------------------------------------------
    def layout(self, markup, size=10.0, width=TEXT_W, family=LATIN, align=Pango.Alignment.LEFT):
        layout = PangoCairo.create_layout(self.cr)
        font = Pango.FontDescription(f"{family}, {TIBETAN}")
        font.set_size(int(size * Pango.SCALE))
        layout.set_font_description(font)
        layout.set_width(int(width * Pango.SCALE))
        layout.set_wrap(Pango.WrapMode.WORD_CHAR)
        layout.set_alignment(align)
        layout.set_markup(markup, -1)
        return layout

    def draw_layout(self, layout, x, y, colour=INK):
        self.cr.set_source_rgb(*colour)
        self.cr.move_to(x, y)
        PangoCairo.show_layout(self.cr, layout)

    def height(self, layout):
        return layout.get_pixel_extents()[1].height

    def ensure(self, height):
        if self.y + height > PAGE_H - MARGIN - 18:
            self.new_page()

    def new_page(self):
        self.footer()
        self.cr.show_page()
        self.page += 1
        self.y = MARGIN

    def footer(self):
        layout = self.layout(f"Revaze {escape(self.version)}  ·  {self.page}", 8, TEXT_W,
                             align=Pango.Alignment.CENTER)
        self.draw_layout(layout, MARGIN, PAGE_H - MARGIN + 10, GREY)

    def finish(self):
        self.footer()
        self.surface.finish()

    def heading(self, title, level=1, new_page=False):
        size = {1: 18, 2: 13, 3: 11}[level]
        layout = self.layout(f"<b>{title}</b>", size)
        h = self.height(layout)
        if new_page and self.y > MARGIN:
            self.new_page()
        self.ensure(h + (120 if level == 1 else 60))
        self.y += (14 if level == 1 else 4) if self.y > MARGIN else 0
        self.draw_layout(layout, MARGIN, self.y, MAROON if level == 1 else INK)
        if level <= 2:
            self.pages[title] = self.page
            self.surface.add_outline(cairo.PDF_OUTLINE_ROOT, unmarkup(title),
                                     f"page={self.page} pos=[0 {self.y}]", 0)
        self.y += h + (10 if level == 1 else 6)

    def paragraph(self, markup, size=10.0, indent=0.0, colour=INK, gap=6.0):
        layout = self.layout(markup, size, TEXT_W - indent)
        h = self.height(layout)
        self.ensure(h)
        self.draw_layout(layout, MARGIN + indent, self.y, colour)
        self.y += h + gap

    def bullets(self, items):
        for item in items:
            layout = self.layout(item, 10, TEXT_W - 14)
            h = self.height(layout)
            self.ensure(h)
            self.draw_layout(self.layout("•", 10, 10), MARGIN + 2, self.y)
            self.draw_layout(layout, MARGIN + 14, self.y)
            self.y += h + 3
        self.y += 3

    # ---- pictures -----------------------------------------------------------------------------
    def cap(self, x, y, w, h):
        cr = self.cr
        r = min(w, h) * 0.12
        cr.new_sub_path()
        cr.arc(x + w - r, y + r, r, -1.5708, 0)
        cr.arc(x + w - r, y + h - r, r, 0, 1.5708)
        cr.arc(x + r, y + h - r, r, 1.5708, 3.1416)
        cr.arc(x + r, y + r, r, 3.1416, 4.7124)
        cr.close_path()
        cr.set_source_rgb(*CAP)
        cr.fill_preserve()
        cr.set_source_rgb(*CAP_EDGE)
        cr.set_line_width(0.6)
        cr.stroke()

    def centred(self, markup, x, y, w, h, size, colour, family=TIBETAN):
        layout = self.layout(markup, size, w, family, Pango.Alignment.CENTER)
        ink, logical = layout.get_pixel_extents()
        # Centre the inked glyph, not the line box: stacks hang far below the baseline.
        top = y + (h - ink.height) / 2 - ink.y if ink.height else y
        self.draw_layout(layout, x, top, colour)

    def keyboard(self, keys, scale, label_of, title=None, skip_star=False, x0=MARGIN):
        """Draws the 57 keys of the soft keyboard's geometry at x0; label_of(index, name) gives a
        list of (markup, part, colour) with part 'top', 'bottom' or 'whole'."""
        height = 154 * scale + (16 if title else 0)
        self.ensure(height + 6)
        y0 = self.y
        if title:
            self.draw_layout(self.layout(title, 9), x0, y0, GREY)
            y0 += 16
        for index, key in enumerate(keys):
            if skip_star and index == 56:
                continue
            x, y = x0 + key["x"] * scale, y0 + key["y"] * scale
            w, h = key["width"] * scale - 1.5, key["height"] * scale - 1.5
            self.cap(x, y, w, h)
            name = key["name"]
            if len(name) == 1:
                self.draw_layout(self.layout(escape(name), 4.2 * scale, w), x + 2, y + 1, GREY)
            elif index == 56:
                self.centred(escape(name), x, y, w, h, 6 * scale, GREY)
            else:
                self.centred(escape(name), x, y, w, h, 4.6 * scale, GREY, LATIN)
            for markup, part, colour in label_of(index, name):
                if part == "top":
                    self.centred(markup, x + 3 * scale, y, w - 3 * scale, h / 2, 6.5 * scale,
                                 colour)
                elif part == "bottom":
                    self.centred(markup, x + 3 * scale, y + h / 2, w - 3 * scale, h / 2,
                                 6.5 * scale, colour)
                else:
                    self.centred(markup, x + 3 * scale, y + 1 * scale, w - 3 * scale, h,
                                 9.5 * scale, colour)
        self.y += height + 8

    def grid(self, entries, columns=6, key_size=8.5, glyph_size=13.0):
        """keys → glyph cells, row by row."""
        col_w = TEXT_W / columns
        row_h = glyph_size * 1.9
        for start in range(0, len(entries), columns):
            self.ensure(row_h)
            for i, (keys, text) in enumerate(entries[start:start + columns]):
                x = MARGIN + i * col_w
                key_layout = self.layout(escape(keys), key_size, col_w * 0.45, MONO)
                ink = key_layout.get_pixel_extents()[1]
                self.draw_layout(key_layout, x, self.y + (row_h - ink.height) / 2 - 2)
                self.centred(escape(glyph(text)), x + col_w * 0.42, self.y, col_w * 0.55, row_h,
                             glyph_size, INK)
            self.cr.set_source_rgb(0.85, 0.85, 0.88)
            self.cr.set_line_width(0.4)
            self.cr.move_to(MARGIN, self.y + row_h)
            self.cr.line_to(MARGIN + TEXT_W, self.y + row_h)
            self.cr.stroke()
            self.y += row_h
        self.y += 8

    def image(self, surface, scale):
        w, h = surface.get_width() * scale, surface.get_height() * scale
        self.ensure(h + 8)
        self.cr.save()
        self.cr.translate(MARGIN, self.y)
        self.cr.scale(scale, scale)
        self.cr.set_source_surface(surface, 0, 0)
        self.cr.get_source().set_filter(cairo.FILTER_NEAREST)
        self.cr.paint()
        self.cr.restore()
        self.y += h + 8


def tibetan(markup):
    """[[...]] in the help text marks Tibetan, drawn a little larger than the Latin around it."""
    return re.sub(r"\[\[(.+?)\]\]", lambda m: bo(m.group(1), 15), markup)


def unmarkup(text):
    return Pango.parse_markup(text, -1, "\0")[2]


def status_window(bmp_path):
    """The first 28 rows of the status strip (the window as it opens) as a cairo surface."""
    with open(bmp_path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24:
        return None
    stride = (width * 3 + 3) & ~3
    rows = 28
    surface = cairo.ImageSurface(cairo.FORMAT_RGB24, width, rows)
    out = surface.get_data()
    out_stride = surface.get_stride()
    for y in range(rows):
        src = offset + (abs(height) - 1 - y) * stride if height > 0 else offset + y * stride
        for x in range(width):
            b, g, r = data[src + 3 * x: src + 3 * x + 3]
            out[y * out_stride + 4 * x: y * out_stride + 4 * x + 4] = bytes((b, g, r, 255))
    surface.mark_dirty()
    return surface


# ---- the charts -----------------------------------------------------------------------------

def layout_labels(chart):
    """label_of for a table-driven layout: the character of each key and of each key with Shift."""
    composed = {e["keys"]: e["text"] for e in chart["composed"]}
    direct = {e["keys"]: e["text"] for e in chart["direct"]}
    prefixes = chart["prefixKeys"]

    def label(key):
        if key in prefixes:
            return escape(composed[key]), PREFIX
        if key in composed:
            return escape(glyph(composed[key])), INK
        if key in direct:
            return escape(glyph(direct[key])), DIRECT
        return None

    def label_of(index, name):
        out = []
        if name == "Space":
            found = label(" ")
            return [(found[0], "whole", found[1])] if found else []
        if len(name) != 1:
            return out
        for key, part in ((SHIFTED.get(name, name), "top"), (name, "bottom")):
            found = label(key)
            if found and found[0]:
                out.append((found[0], part, found[1]))
        return out

    return label_of


def soft_labels(page_labels):
    def label_of(index, name):
        text = glyph(page_labels[index]) if index < len(page_labels) else ""
        return [(escape(text), "whole", INK)] if text else []
    return label_of


def legend(doc):
    doc.paragraph(
        "On each key the lower character is typed without Shift, the upper one with Shift. "
        f"<span foreground='#1a1a1f'><b>Black</b></span>: the key composes that character. "
        f"<span foreground='#1a52c7'><b>Blue</b></span>: the key types its character at once "
        "(punctuation, digits, signs). "
        f"<span foreground='#c71f1f'><b>Red</b></span>: a prefix key: the key after it makes "
        "the character listed under “Key sequences”. Black keys that also type a character at once "
        "do so only at the start of a word.", 9, colour=GREY)


def layout_chapter(doc, keys, layout):
    name = layout["name"]
    doc.heading(f"{escape(name)}", 2)
    menu = layout["menu"]
    tibetan_name = "".join(c for c in menu if "\u0F00" <= c <= "\u0FFF")
    if tibetan_name:
        doc.paragraph(f"Layout menu: {escape(name)} {bo(tibetan_name, 15)}")
    if name == "Wylie":
        wylie_chapter(doc, keys)
    elif name == "EWTS":
        ewts_chapter(doc)
    else:
        doc.keyboard(keys, TEXT_W / 434, layout_labels(layout), skip_star=True)
        if layout["sequences"]:
            prefixes = ", ".join(escape(k) for k in layout["prefixKeys"]) or "none"
            doc.paragraph(f"<b>Key sequences</b> (prefix keys: {prefixes}). Two to four keys "
                          "typed one after the other make one character.", 10)
            doc.grid([(e["keys"], e["text"]) for e in layout["sequences"]])
    soft_pages(doc, keys, layout)


def wylie_chapter(doc, keys):
    wylie = TABLES["wylie"]
    doc.paragraph("Wylie is typed syllable by syllable: a syllable is spelled in Latin letters, "
                  "a space closes it, and the parser writes the stack, the vowel and the "
                  "suffixes. Example: " + f"<tt>bkra shis</tt> → {bo('བཀྲ་ཤིས', 13)}.")
    doc.heading("Letters", 3)
    doc.grid([(e["keys"], e["text"]) for e in wylie["letters"]])
    doc.heading("Vowels", 3)
    doc.grid([(e["keys"], e["text"] or "\u0F68") for e in wylie["vowels"]])
    doc.paragraph("The vowel a writes no sign: shown on the letter a-chen.", 9, colour=GREY)
    doc.heading("Stacks and letters of two to four keys", 3)
    doc.grid([(e["keys"], e["text"]) for e in wylie["stacks"]])
    doc.heading("Keys that type a character at once (nothing composed)", 3)
    doc.grid([("space" if e["keys"] == " " else e["keys"], e["text"]) for e in wylie["direct"]])


def ewts_chapter(doc):
    ewts = TABLES["ewts"]
    doc.paragraph("EWTS is the Extended Wylie Transliteration Scheme: the keys are one string, "
                  "converted as the standard reads it, with Sanskrit letters, <tt>+</tt> for any "
                  "stack and <tt>.</tt> to keep letters apart (<tt>g.yag</tt>). A space closes a "
                  "syllable; a vowel with no letter is written on a-chen. Example: "
                  f"<tt>oM ma Ni pad+me hUM</tt> → {bo('ཨོཾ་མ་ཎི་པདྨེ་ཧཱུཾ', 13)}.")
    doc.heading("Consonants", 3)
    doc.grid([(e["keys"], e["text"]) for e in ewts["consonants"]])
    doc.heading("Vowels", 3)
    doc.grid([(e["keys"], e["text"]) for e in ewts["vowels"]])
    doc.paragraph("Shown on a-chen, as a vowel that starts a syllable is written.", 9, colour=GREY)
    doc.heading("Marks", 3)
    doc.grid([(e["keys"], e["text"]) for e in ewts["marks"]])
    doc.heading("Punctuation, digits and spacing", 3)
    doc.grid([("space" if e["keys"] == " " else e["keys"], e["text"] if e["text"] != " "
               else "␣") for e in ewts["symbols"]])
    doc.heading("Stacks with + and other examples", 3)
    doc.grid([(e["keys"], e["text"]) for e in ewts["stacks"]], columns=3)


def soft_pages(doc, keys, layout):
    pages = layout["softPages"]
    scale = (TEXT_W - 12) / 2 / 434
    doc.ensure(154 * scale + 60)  # the sentence stays with the first row of pages
    doc.paragraph(f"<b>Soft keyboard</b>: the {len(pages)} pages of {escape(layout['name'])}, "
                  "in the order the star key shows them.", 10)
    for start in range(0, len(pages), 2):
        doc.ensure(154 * scale + 24)
        top = doc.y
        for column, page in enumerate(pages[start:start + 2]):
            doc.y = top
            doc.keyboard(keys, scale, soft_labels(page), title=f"Page {start + column + 1}",
                         x0=MARGIN + column * (TEXT_W / 2 + 6))
        doc.y = top + 154 * scale + 24


# ---- the document ---------------------------------------------------------------------------

def render(path, status_bmp, pages=None):
    doc = Document(path, TABLES["version"])
    keys = TABLES["softKeys"]
    doc.y = MARGIN + 150
    doc.paragraph(f"<span size='{28 * 1024}' foreground='#800f1a'><b>Revaze</b></span>", 10)
    doc.paragraph(f"{bo('བོད་ཡིག', 30)}", 10)
    doc.paragraph(f"<span size='{14 * 1024}'>Tibetan input for Windows — version "
                  f"{escape(TABLES['version'])}</span>", 10, gap=30)
    doc.paragraph("<b>Contents</b>", 11)
    titles = [s[0] for s in SECTIONS] + ["Key charts"]
    for title in titles:
        page = (pages or {}).get(title, "")
        doc.paragraph(f"{escape(title)}<span foreground='#777'>  {page}</span>", 10, indent=12,
                      gap=2)
    for number, (title, blocks) in enumerate(SECTIONS):
        doc.heading(escape(title), new_page=number == 0)
        for kind, content in blocks:
            if kind == "p":
                doc.paragraph(tibetan(content))
            elif kind == "list":
                doc.bullets([tibetan(item) for item in content])
            elif kind == "h":
                doc.heading(escape(content), 3)
            elif kind == "status" and status_bmp:
                surface = status_window(status_bmp)
                if surface:
                    doc.image(surface, 2.0)
            elif kind == "picture":
                surface = cairo.ImageSurface.create_from_png(
                    os.path.join(os.path.dirname(os.path.abspath(__file__)), content))
                doc.image(surface, min(1.0, TEXT_W / surface.get_width()))
            elif kind == "soft":
                wylie = TABLES["layouts"][0]
                doc.keyboard(keys, TEXT_W / 434, soft_labels(wylie["softPages"][0]),
                             title="The soft keyboard, page 1 of Wylie")
    doc.heading("Key charts", new_page=True)
    legend(doc)
    for number, layout in enumerate(TABLES["layouts"]):
        if number > 0:
            doc.new_page()
        layout_chapter(doc, keys, layout)
    doc.finish()
    return doc.pages


def main():
    global TABLES
    with open(sys.argv[1], encoding="utf-8") as f:
        TABLES = json.load(f)
    status_bmp = sys.argv[3] if len(sys.argv) > 3 else None
    # Twice: the first run finds the page of each section for the contents.
    pages = render("/dev/null", status_bmp)
    render(sys.argv[2], status_bmp, pages)


TABLES = {}

if __name__ == "__main__":
    main()
