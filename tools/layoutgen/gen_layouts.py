#!/usr/bin/env python3
"""Generate the keyboard layout files shipped in data/layouts/.

Each model is described here once (key geometry, lighting modes, defaults) and
written out as the XML the program loads. Before anything is written the
generator checks the invariants the program and the firmware rely on, so a
mistake in the tables fails the build instead of producing a broken file.

Usage:
    gen_layouts.py [--out-dir DIR] [--check]

--check compares the generated text with the files on disk and exits non-zero
when they differ (for CI), without writing anything.

Key geometry
------------
Positions are laid out in key units (1u = one alphanumeric key) and converted
to pixels with the model's pitch; a key is `units * pitch - gap` pixels wide so
neighbours never touch.

Matrix cell (row_col)
---------------------
row    = physical row (0 = function row ... 5 = bottom row).
column = floor(left edge of the key, in units from the left edge of the main
         block). Every key is at least 1u wide, so two keys of one row always
         land in different columns, and the column follows the key's place on
         the board. That matters because the live lighting effects sample the
         music image and the screen grid by (row, column): a geometric grid
         makes the numpad light up on the right, not squeezed into the middle.

key_index / light_index
-----------------------
Both are the key's rank when the matrix is read row by row, left to right
(0, 1, 2, ...). The tables are dense on purpose: the key table download sends
only key indexes 0-109, and the per-key colour and live-stream packets carry
only light indexes 0-109, so any sparse "row * stride + column" scheme would
push the bottom-right keys of a full-size board out of reach.
"""

import argparse
import os
import sys
from fractions import Fraction as F
from xml.etree import ElementTree

# --- limits the program and the firmware impose ------------------------------

MATRIX_ROWS = 8
MATRIX_COLS = 32
SENT_INDEX_LIMIT = 110          # key and light indexes 0..109 reach the keyboard
NO_KEY = 0xFF                   # matrix filler; a key's low code byte must differ

# Room the main window leaves for the keyboard picture (window coordinates):
# right of the 80..320 list column, below the 50 px caption, above the
# settings/picker area that starts at client height - 280 (720 - 280 = 440),
# and left of the settings shade's right edge at width - 10.
AREA_LEFT, AREA_TOP, AREA_RIGHT, AREA_BOTTOM = 330, 50, 1270, 440

FAMILY_A = range(1, 201)
FAMILY_B = range(201, 300)

# Lighting capability flags (the `attribute` of an `info` element).
BRIGHTNESS = 0x001
SPEED = 0x002
DIR_HORIZONTAL = 0x004
DIR_VERTICAL = 0x008
COLOUR_PICKER = 0x010
COLOUR_BUTTON = 0x020
COLOUR_SET_A = 0x040
COLOUR_SET_B = 0x080
PER_KEY = 0x100
MUSIC = 0x200
SCREEN = 0x400
AREAS = 0x800
ALL_FLAGS = (BRIGHTNESS | SPEED | DIR_HORIZONTAL | DIR_VERTICAL | COLOUR_PICKER
             | COLOUR_BUTTON | COLOUR_SET_A | COLOUR_SET_B | PER_KEY | MUSIC
             | SCREEN | AREAS)

# Language text numbers of the mode names. Shared between models so one
# language file serves all of them; the English is what 1033.lan should say.
MODE_TEXTS = {
    900: "Static",
    901: "Breathing",
    902: "Spectrum cycle",
    903: "Wave",
    904: "Waterfall",
    905: "Ripple",
    906: "Reactive",
    907: "Starlight",
    908: "Custom",
    909: "Colour areas",
    910: "Music",
    911: "Screen colours",
}
MODE_TEXT_RANGE = range(900, 950)

FN_CODE = 0xAF                  # the Fn key has no HID usage of its own

# --- keys --------------------------------------------------------------------
# (name, desc, HID keyboard usage); Fn uses FN_CODE as its "usage".

K = {
    "esc": ("Esc", "Escape", 0x29),
    "grave": ("`", "Grave accent / tilde", 0x35),
    "minus": ("-", "Minus / underscore", 0x2D),
    "equal": ("=", "Equals / plus", 0x2E),
    "bksp": ("Backspace", "Backspace", 0x2A),
    "tab": ("Tab", "Tab", 0x2B),
    "lbracket": ("[", "Left square bracket / left brace", 0x2F),
    "rbracket": ("]", "Right square bracket / right brace", 0x30),
    "backslash": ("\\", "Backslash / vertical bar", 0x31),
    "caps": ("Caps Lock", "Caps Lock", 0x39),
    "semicolon": (";", "Semicolon / colon", 0x33),
    "quote": ("'", "Apostrophe / double quote", 0x34),
    "enter": ("Enter", "Enter", 0x28),
    "lshift": ("Shift", "Left Shift", 0xE1),
    "comma": (",", "Comma / less-than sign", 0x36),
    "period": (".", "Full stop / greater-than sign", 0x37),
    "slash": ("/", "Slash / question mark", 0x38),
    "rshift": ("Shift", "Right Shift", 0xE5),
    "lctrl": ("Ctrl", "Left Ctrl", 0xE0),
    "lwin": ("Win", "Left Windows key", 0xE3),
    "lalt": ("Alt", "Left Alt", 0xE2),
    "space": ("Space", "Space bar", 0x2C),
    "ralt": ("Alt", "Right Alt", 0xE6),
    "rwin": ("Win", "Right Windows key", 0xE7),
    "fn": ("Fn", "Fn: function layer key", FN_CODE),
    "menu": ("Menu", "Menu (application key)", 0x65),
    "rctrl": ("Ctrl", "Right Ctrl", 0xE4),
    "prtsc": ("Prt Sc", "Print Screen", 0x46),
    "scrlk": ("Scr Lk", "Scroll Lock", 0x47),
    "pause": ("Pause", "Pause / Break", 0x48),
    "ins": ("Ins", "Insert", 0x49),
    "home": ("Home", "Home", 0x4A),
    "pgup": ("PgUp", "Page Up", 0x4B),
    "del": ("Del", "Delete", 0x4C),
    "end": ("End", "End", 0x4D),
    "pgdn": ("PgDn", "Page Down", 0x4E),
    "right": ("Right", "Right arrow", 0x4F),
    "left": ("Left", "Left arrow", 0x50),
    "down": ("Down", "Down arrow", 0x51),
    "up": ("Up", "Up arrow", 0x52),
    "numlk": ("Num Lock", "Num Lock", 0x53),
    "kpslash": ("Num /", "Keypad slash (divide)", 0x54),
    "kpstar": ("Num *", "Keypad asterisk (multiply)", 0x55),
    "kpminus": ("Num -", "Keypad minus", 0x56),
    "kpplus": ("Num +", "Keypad plus", 0x57),
    "kpenter": ("Num Enter", "Keypad Enter", 0x58),
    "kpdot": ("Num .", "Keypad full stop / Delete", 0x63),
    "kp0": ("Num 0", "Keypad 0 / Insert", 0x62),
}
for _i, _letter in enumerate("ABCDEFGHIJKLMNOPQRSTUVWXYZ"):
    K[_letter.lower()] = (_letter, "Letter " + _letter, 0x04 + _i)
_SHIFTED = "!@#$%^&*()"
for _i, _digit in enumerate("1234567890"):
    K[_digit] = (_digit, "Digit %s / %s" % (_digit, _SHIFTED[_i]), 0x1E + _i)
for _i in range(12):
    K["f%d" % (_i + 1)] = ("F%d" % (_i + 1), "Function key F%d" % (_i + 1), 0x3A + _i)
_KP_SECOND = {1: "End", 2: "Down", 3: "Page Down", 4: "Left", 5: None,
              6: "Right", 7: "Home", 8: "Up", 9: "Page Up"}
for _n in range(1, 10):
    _desc = "Keypad %d" % _n + (" / " + _KP_SECOND[_n] if _KP_SECOND[_n] else "")
    K["kp%d" % _n] = ("Num %d" % _n, _desc, 0x59 + _n - 1)

# --- clusters ----------------------------------------------------------------
# A cluster is six rows; each row is a list of items: a key id (1u), a tuple
# (key id, width) or (key id, width, height) in units, or a float/Fraction gap.

def gap(units):
    return F(units)


MAIN_ROWS_TOP = [
    ["esc", gap(1), "f1", "f2", "f3", "f4", gap("0.5"), "f5", "f6", "f7", "f8",
     gap("0.5"), "f9", "f10", "f11", "f12"],
    ["grave", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "minus", "equal",
     ("bksp", 2)],
    [("tab", "1.5"), "q", "w", "e", "r", "t", "y", "u", "i", "o", "p",
     "lbracket", "rbracket", ("backslash", "1.5")],
    [("caps", "1.75"), "a", "s", "d", "f", "g", "h", "j", "k", "l", "semicolon",
     "quote", ("enter", "2.25")],
    [("lshift", "2.25"), "z", "x", "c", "v", "b", "n", "m", "comma", "period",
     "slash", ("rshift", "2.75")],
]

# Bottom row with Fn beside the right Windows key: every full-size key stays.
MAIN_BOTTOM_FN_EXTRA = [("lctrl", "1.25"), ("lwin", "1.25"), ("lalt", "1.25"),
                        ("space", "6.25"), "ralt", "rwin", "fn", "menu", "rctrl"]
# Bottom row with Fn in place of the right Windows key.
MAIN_BOTTOM_FN_FOR_WIN = [("lctrl", "1.25"), ("lwin", "1.25"), ("lalt", "1.25"),
                          ("space", "6.25"), ("ralt", "1.25"), ("fn", "1.25"),
                          ("menu", "1.25"), ("rctrl", "1.25")]

NAV_ROWS = [
    ["prtsc", "scrlk", "pause"],
    ["ins", "home", "pgup"],
    ["del", "end", "pgdn"],
    [],
    [gap(1), "up"],
    ["left", "down", "right"],
]

NUMPAD_ROWS = [
    [],
    ["numlk", "kpslash", "kpstar", "kpminus"],
    ["kp7", "kp8", "kp9", ("kpplus", 1, 2)],
    ["kp4", "kp5", "kp6"],
    ["kp1", "kp2", "kp3", ("kpenter", 1, 2)],
    [("kp0", 2), "kpdot"],
]

CLUSTER_GAP = F("0.375")        # space between main block, arrows and numpad
FROW_GAP = F("0.5")             # space under the function row


def row_top(row):
    """Top of a physical row in units."""
    return F(row) + (FROW_GAP if row >= 1 else 0)


def place_cluster(rows, x0):
    """Yield (key id, row, x, y, w, h) in units for one cluster."""
    for row, items in enumerate(rows):
        x = F(x0)
        for item in items:
            if isinstance(item, F):
                x += item
                continue
            if isinstance(item, str):
                item = (item,)
            kid = item[0]
            w = F(item[1]) if len(item) > 1 else F(1)
            h = F(item[2]) if len(item) > 2 else F(1)
            yield kid, row, x, row_top(row), w, h
            x += w


# --- models ------------------------------------------------------------------

def lighting(text, mode, attribute):
    return {"name": text, "mode": mode, "attribute": attribute}


MODELS = [
    {
        "file": "T40.xml",
        "device_type": 201,
        "menu": {"macro": 1, "light_mode": 1},
        "function": {"sleep_time": 1},
        "firmware": {"version": "1.02", "file": "FirmwareUpdateTool",
                     # The client fetches url + "version", so keep the slash.
                     "url": "https://update.pelmora.example/firmware/t40/"},
        "image": "T40.png",
        "pitch": 40,            # full size must fit 940 px: 22.75u * 40 = 910
        "key_gap": 4,
        "margin": 12,
        "clusters": [(MAIN_ROWS_TOP + [MAIN_BOTTOM_FN_EXTRA], 0),
                     (NAV_ROWS, 15 + CLUSTER_GAP),
                     (NUMPAD_ROWS, 18 + 2 * CLUSTER_GAP)],
        # Family B carries the colour as an index into a preset set (upper
        # nibble of the speed byte) and never the RGB value, so its modes offer
        # the colour sets rather than the picker. It has no live per-key
        # stream, so no screen mode; the music mode is driven by level packets
        # and is flagged exactly MUSIC so the page hides it when not wired.
        # Colour areas live in the speed/direction bits, so that mode offers
        # no speed or direction control of its own.
        "light": {
            "rgb_keyboard": 1, "default_mode": 4,
            "default_brightness": 4, "default_speed": 3,
            "brightness_max": 4, "speed_max": 4,
            "modes": [
                lighting(900, 1, BRIGHTNESS | COLOUR_SET_A),
                lighting(901, 2, BRIGHTNESS | SPEED | COLOUR_SET_A),
                lighting(902, 3, BRIGHTNESS | SPEED),
                lighting(903, 4, BRIGHTNESS | SPEED | DIR_HORIZONTAL | COLOUR_SET_A),
                lighting(904, 5, BRIGHTNESS | SPEED | DIR_VERTICAL | COLOUR_SET_A),
                lighting(905, 6, BRIGHTNESS | SPEED | COLOUR_SET_A),
                lighting(906, 7, BRIGHTNESS | SPEED | COLOUR_SET_B),
                lighting(907, 8, BRIGHTNESS | SPEED | COLOUR_SET_B),
                lighting(908, 9, BRIGHTNESS | PER_KEY),
                lighting(909, 10, BRIGHTNESS | AREAS),
                lighting(910, 11, MUSIC),
            ],
        },
    },
    {
        "file": "K10.xml",
        "device_type": 101,
        "menu": {"macro": 1, "light_mode": 1},
        "function": {"sleep_time": 1},
        "firmware": {"version": "1.05", "file": "FirmwareUpdateTool",
                     "url": "https://update.pelmora.example/firmware/k10/"},
        "image": "K10.png",
        "pitch": 48,            # tenkeyless: 18.375u * 48 = 882
        "key_gap": 4,
        "margin": 12,
        "clusters": [(MAIN_ROWS_TOP + [MAIN_BOTTOM_FN_FOR_WIN], 0),
                     (NAV_ROWS, 15 + CLUSTER_GAP)],
        # Family A sends the RGB value and the colourful flag, so its modes
        # use the colour picker and colour button. Music and screen colours
        # are streamed per key by the program, hence no other controls.
        "light": {
            "rgb_keyboard": 1, "default_mode": 4,
            "default_brightness": 4, "default_speed": 3,
            "brightness_max": 4, "speed_max": 4,
            "modes": [
                lighting(900, 1, BRIGHTNESS | COLOUR_PICKER | COLOUR_BUTTON),
                lighting(901, 2, BRIGHTNESS | SPEED | COLOUR_PICKER | COLOUR_BUTTON),
                lighting(902, 3, BRIGHTNESS | SPEED),
                lighting(903, 4, BRIGHTNESS | SPEED | DIR_HORIZONTAL | COLOUR_BUTTON),
                lighting(905, 5, BRIGHTNESS | SPEED | COLOUR_PICKER | COLOUR_BUTTON),
                lighting(906, 6, BRIGHTNESS | SPEED | COLOUR_PICKER | COLOUR_BUTTON),
                lighting(908, 7, BRIGHTNESS | PER_KEY),
                lighting(910, 8, MUSIC),
                lighting(911, 9, SCREEN),
            ],
        },
    },
]


# --- building ----------------------------------------------------------------

class LayoutError(Exception):
    pass


def check(condition, message):
    # Not `assert`: the checks must also run under python -O.
    if not condition:
        raise LayoutError(message)


def px(units, pitch):
    value = units * pitch
    check(value.denominator == 1, "%s units at pitch %d is not a whole pixel"
          % (units, pitch))
    return int(value)


def build_keys(model):
    """Return (keys, width, height); keys sorted by matrix cell."""
    pitch, key_gap, margin = model["pitch"], model["key_gap"], model["margin"]
    keys = []
    right = bottom = F(0)
    for rows, x0 in model["clusters"]:
        for kid, row, x, y, w, h in place_cluster(rows, x0):
            name, desc, usage = K[kid]
            keys.append({
                "id": kid, "name": name, "desc": desc,
                "code": FN_CODE if usage == FN_CODE else 0x100 + usage,
                "row": row, "col": int(x),     # floor: x is never negative
                "rect": (margin + px(x, pitch), margin + px(y, pitch),
                         px(w, pitch) - key_gap, px(h, pitch) - key_gap),
            })
            right, bottom = max(right, x + w), max(bottom, y + h)
    keys.sort(key=lambda k: (k["row"], k["col"]))
    for index, key in enumerate(keys):
        key["key_index"] = key["light_index"] = index
    width = 2 * margin + px(right, pitch) - key_gap
    height = 2 * margin + px(bottom, pitch) - key_gap
    return keys, width, height


def row_col_text(row, col):
    return "%d#%d" % (row, col)


def parse_row_col(text):
    # The program's reading: row = first character, column = last character
    # for three-character texts, else the last two.
    column = text[-1:] if len(text) == 3 else text[-2:]
    return int(text[0]), int(column)


def validate(model, keys, width, height):
    tag = model["file"]
    check(len(keys) <= SENT_INDEX_LIMIT,
          "%s: %d keys, more than the %d indexes the keyboard receives"
          % (tag, len(keys), SENT_INDEX_LIMIT))

    cells, codes, key_indexes, light_indexes = set(), set(), set(), set()
    for k in keys:
        label = "%s key %s" % (tag, k["id"])
        check(0 <= k["row"] < MATRIX_ROWS and 0 <= k["col"] < MATRIX_COLS,
              "%s: cell %d,%d outside the %dx%d matrix"
              % (label, k["row"], k["col"], MATRIX_ROWS, MATRIX_COLS))
        check(parse_row_col(row_col_text(k["row"], k["col"])) == (k["row"], k["col"]),
              "%s: row_col text does not read back" % label)
        check((k["row"], k["col"]) not in cells, "%s: matrix cell taken twice" % label)
        cells.add((k["row"], k["col"]))
        low = k["code"] & 0xFF
        check(low not in (0, NO_KEY), "%s: low code byte %#x is reserved" % (label, low))
        check(k["code"] not in codes, "%s: code %X used twice" % (label, k["code"]))
        codes.add(k["code"])
        check(k["key_index"] not in key_indexes, "%s: key_index reused" % label)
        check(k["light_index"] not in light_indexes, "%s: light_index reused" % label)
        check(0 <= k["key_index"] < SENT_INDEX_LIMIT
              and 0 <= k["light_index"] < SENT_INDEX_LIMIT,
              "%s: index beyond what the keyboard receives" % label)
        key_indexes.add(k["key_index"])
        light_indexes.add(k["light_index"])
        x, y, w, h = k["rect"]
        check(w > 0 and h > 0 and x >= 0 and y >= 0
              and x + w <= width and y + h <= height,
              "%s: rect %s outside the %dx%d picture" % (label, k["rect"], width, height))

    # Half-open rectangles: touching edges are fine, any shared pixel is not.
    for i, a in enumerate(keys):
        ax, ay, aw, ah = a["rect"]
        for b in keys[i + 1:]:
            bx, by, bw, bh = b["rect"]
            check(ax + aw <= bx or bx + bw <= ax or ay + ah <= by or by + bh <= ay,
                  "%s: keys %s and %s overlap" % (tag, a["id"], b["id"]))

    left, top = picture_origin(width, height)
    check(left >= AREA_LEFT and top >= AREA_TOP
          and left + width <= AREA_RIGHT and top + height <= AREA_BOTTOM,
          "%s: %dx%d picture does not fit the window's keyboard area"
          % (tag, width, height))

    light = model["light"]
    family_b = model["device_type"] in FAMILY_B
    check(family_b or model["device_type"] in FAMILY_A,
          "%s: device type outside both command families" % tag)
    numbers, texts = set(), set()
    for m in light["modes"]:
        check(m["name"] in MODE_TEXT_RANGE and m["name"] in MODE_TEXTS,
              "%s: mode text %d unknown or outside 900-949" % (tag, m["name"]))
        # Mode numbers go out as (m - 1) in one byte, so 0 is not a mode.
        check(1 <= m["mode"] <= 255, "%s: mode number %d" % (tag, m["mode"]))
        check(m["mode"] not in numbers, "%s: mode %d listed twice" % (tag, m["mode"]))
        check(m["name"] not in texts, "%s: text %d listed twice" % (tag, m["name"]))
        numbers.add(m["mode"])
        texts.add(m["name"])
        flags = m["attribute"]
        check(flags & ~ALL_FLAGS == 0, "%s: unknown flags %#x" % (tag, flags))
        # The page shows one pair of direction radios or the other, not both.
        check(not (flags & DIR_HORIZONTAL and flags & DIR_VERTICAL),
              "%s: mode %d has both directions" % (tag, m["mode"]))
        if flags & AREAS:
            # The area colours are packed into the speed and direction bytes.
            check(not flags & (SPEED | DIR_HORIZONTAL | DIR_VERTICAL),
                  "%s: area mode %d also edits speed or direction" % (tag, m["mode"]))
        if family_b:
            check(not flags & SCREEN,
                  "%s: family B has no per-key stream for screen colours" % tag)
    check(light["default_mode"] in numbers, "%s: default mode not listed" % tag)
    check(1 <= light["default_brightness"] <= light["brightness_max"] <= 255,
          "%s: brightness default/maximum" % tag)
    # Speed shares its byte with the colour index (upper nibble).
    check(1 <= light["default_speed"] <= light["speed_max"] <= 15,
          "%s: speed default/maximum" % tag)


def picture_origin(width, height):
    """Centre the picture in the window's keyboard area."""
    return (AREA_LEFT + (AREA_RIGHT - AREA_LEFT - width) // 2,
            AREA_TOP + (AREA_BOTTOM - AREA_TOP - height) // 2)


# --- writing -----------------------------------------------------------------

def attr(value):
    text = str(value)
    for plain, entity in (("&", "&amp;"), ("<", "&lt;"), (">", "&gt;"),
                          ('"', "&quot;")):
        text = text.replace(plain, entity)
    return '"%s"' % text


def element(indent, name, attributes, children=None):
    head = "  " * indent + "<" + name + "".join(
        " %s=%s" % (key, attr(value)) for key, value in attributes)
    if children is None:
        return [head + " />"]
    return [head + ">"] + children + ["  " * indent + "</%s>" % name]


def render(model, keys, width, height):
    light = model["light"]
    xpos, ypos = picture_origin(width, height)
    info = []
    for m in light["modes"]:
        info += element(2, "info", [("name", m["name"]), ("mode", m["mode"]),
                                    # decimal: only `code` is read as hexadecimal
                                    ("attribute", m["attribute"])])
    items = []
    for k in keys:
        x, y, w, h = k["rect"]
        items += element(3, "key", [
            ("code", "%X" % k["code"]),
            ("name", k["name"]),
            ("desc", k["desc"]),
            ("key_index", k["key_index"]),
            ("light_index", k["light_index"]),
            ("row_col", row_col_text(k["row"], k["col"])),
            ("rect", "%d#%d#%d#%d" % (x, y, w, h)),
        ])
    # Children in the order the program looks for them: it only searches
    # forward, so an element placed earlier would never be found.
    lines = ['<?xml version="1.0" encoding="UTF-8"?>']
    lines += element(0, "device.info", [], (
        element(1, "menu", list(model["menu"].items()))
        + element(1, "function", list(model["function"].items()))
        + element(1, "firmware", list(model["firmware"].items()))
        + element(1, "light", [(key, light[key]) for key in (
            "rgb_keyboard", "default_mode", "default_brightness",
            "default_speed", "brightness_max", "speed_max")], info)
        + element(1, "Keyboard", [
            ("xpos", xpos), ("ypos", ypos), ("width", width), ("height", height),
            ("image", model["image"]),
            ("row_count", max(k["row"] for k in keys) + 1),
            ("col_count", max(k["col"] for k in keys) + 1),
        ], element(2, "KeyItems", [], items))))
    return "\n".join(lines) + "\n"


def validate_text(model, text, keys):
    """Read the written text back the way the program will."""
    tag = model["file"]
    root = ElementTree.fromstring(text.encode("utf-8"))
    check(root.tag == "device.info", "%s: root is %s" % (tag, root.tag))
    check([child.tag for child in root] ==
          ["menu", "function", "firmware", "light", "Keyboard"],
          "%s: top-level elements out of order" % tag)
    board = root.find("Keyboard")
    check([child.tag for child in board] == ["KeyItems"], "%s: Keyboard children" % tag)
    read = board.find("KeyItems").findall("key")
    check(len(read) == len(keys), "%s: key count changed on reading" % tag)
    rows, cols = int(board.get("row_count")), int(board.get("col_count"))
    check(rows <= MATRIX_ROWS and cols <= MATRIX_COLS, "%s: counts exceed matrix" % tag)
    for element_, key in zip(read, keys):
        check(int(element_.get("code"), 16) == key["code"]
              and element_.get("name") == key["name"]
              and parse_row_col(element_.get("row_col")) == (key["row"], key["col"]),
              "%s: key %s does not read back" % (tag, key["id"]))
        row, col = parse_row_col(element_.get("row_col"))
        check(row < rows and col < cols,
              "%s: key %s outside row_count/col_count" % (tag, key["id"]))
    modes = root.find("light").findall("info")
    check([int(m.get("attribute")) for m in modes]
          == [m["attribute"] for m in model["light"]["modes"]],
          "%s: attributes do not read back as decimal" % tag)


def generate():
    """Return {file name: (text, summary lines)} after checking every model."""
    out = {}
    covered = 0
    for model in MODELS:
        keys, width, height = build_keys(model)
        validate(model, keys, width, height)
        text = render(model, keys, width, height)
        validate_text(model, text, keys)
        covered |= _or_all(m["attribute"] for m in model["light"]["modes"])
        xpos, ypos = picture_origin(width, height)
        summary = ["%s: device type %d, %d keys, picture %dx%d at (%d,%d), grid %dx%d"
                   % (model["file"], model["device_type"], len(keys), width, height,
                      xpos, ypos, max(k["row"] for k in keys) + 1,
                      max(k["col"] for k in keys) + 1)]
        for m in model["light"]["modes"]:
            summary.append("  text %d %-15s mode %2d attribute 0x%03X"
                           % (m["name"], MODE_TEXTS[m["name"]], m["mode"],
                              m["attribute"]))
        out[model["file"]] = (text, summary)
    # Between them the models must exercise every control group of the page.
    check(covered == ALL_FLAGS,
          "lighting flags never used: %#x" % (ALL_FLAGS & ~covered))
    return out


def _or_all(values):
    result = 0
    for value in values:
        result |= value
    return result


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out-dir",
                        default=os.path.join(here, "..", "..", "data", "layouts"))
    parser.add_argument("--check", action="store_true",
                        help="fail when the files on disk are not up to date")
    args = parser.parse_args(argv)

    try:
        files = generate()
    except LayoutError as error:
        print("gen_layouts: %s" % error, file=sys.stderr)
        return 1

    stale = []
    for name, (text, summary) in files.items():
        path = os.path.join(args.out_dir, name)
        if args.check:
            try:
                with open(path, encoding="utf-8", newline="") as handle:
                    if handle.read() != text:
                        stale.append(path)
            except OSError:
                stale.append(path)
            continue
        os.makedirs(args.out_dir, exist_ok=True)
        with open(path, "w", encoding="utf-8", newline="\n") as handle:
            handle.write(text)
        print("\n".join(summary))
    if stale:
        print("gen_layouts: out of date: %s" % ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
