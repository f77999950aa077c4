#!/usr/bin/env python3
"""Draws the window picker's cross-hair cursor (cursor 164) as a 32x32 monochrome .cur file.

Usage: kreslit_kurzor.py OUTPUT.cur
The result is committed as kolvex/resources/vyber.cur; run this again only to change it.
"""
import struct
import sys

VELIKOST = 32
STRED = 15


def cerna(x, y):
    """Black pixels: a ring of radius 9 and a cross with a gap in the middle."""
    dx, dy = x - STRED, y - STRED
    kruh = 8 * 8 <= dx * dx + dy * dy <= 9 * 9 + 4
    kriz = (x == STRED or y == STRED) and 3 <= max(abs(dx), abs(dy)) <= 14
    return kruh or kriz


def bile(x, y):
    """A white halo around every black pixel, so the cursor shows on dark screens too."""
    if cerna(x, y):
        return False
    return any(cerna(x + i, y + j) for i in (-1, 0, 1) for j in (-1, 0, 1)
               if 0 <= x + i < VELIKOST and 0 <= y + j < VELIKOST)


def radky(bit):
    data = b""
    for y in reversed(range(VELIKOST)):  # bottom-up rows
        radek = 0
        for x in range(VELIKOST):
            if bit(x, y):
                radek |= 1 << (VELIKOST - 1 - x)
        data += struct.pack(">I", radek)
    return data


def main():
    # XOR mask: 1 = white (with AND 0); AND mask: 1 = transparent.
    xor = radky(lambda x, y: bile(x, y))
    and_ = radky(lambda x, y: not (cerna(x, y) or bile(x, y)))
    hlavicka = struct.pack("<IiiHHIIiiII", 40, VELIKOST, VELIKOST * 2, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    paleta = struct.pack("<II", 0x000000, 0xFFFFFF)
    obraz = hlavicka + paleta + xor + and_
    soubor = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", VELIKOST, VELIKOST, 2, 0, STRED, STRED,
                                                        len(obraz), 22) + obraz
    with open(sys.argv[1], "wb") as f:
        f.write(soubor)


if __name__ == "__main__":
    main()
