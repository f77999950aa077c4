#!/usr/bin/env python3
"""Draws Kolvex's icon and menu image strips.

The pictures are simple on purpose: a rounded tile per image, its colour and a small
glyph chosen by the image's index, so every menu item and tray icon is recognisable.
Output: kolvex.ico (icon 101) and the 16x16 strips menu145.bmp, menu115.bmp,
druhy146.bmp, druhy116.bmp (24-bit, magenta 0xFF00FF is transparent).
Usage: kreslit_obrazky.py OUTPUT_DIR
"""
import colorsys
import os
import struct
import sys

MAGENTA = (255, 0, 255)

# 5x7 glyphs for the tile letters
GLYFY = {
    'K': ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'B': ["11110", "10001", "11110", "10001", "10001", "10001", "11110"],
    'C': ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'E': ["11111", "10000", "11110", "10000", "10000", "10000", "11111"],
    'H': ["10001", "10001", "11111", "10001", "10001", "10001", "10001"],
    'M': ["10001", "11011", "10101", "10001", "10001", "10001", "10001"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'Z': ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
}
PISMENA = "ABCDEHKMNOPRSTVZ"


def dlazdice(velikost, barva, pismeno, pozadi=MAGENTA):
    """One square image: rounded tile in `barva` with a white letter."""
    px = [[pozadi] * velikost for _ in range(velikost)]
    r = max(2, velikost // 6)
    for y in range(velikost):
        for x in range(velikost):
            dx = max(r - x, x - (velikost - 1 - r), 0)
            dy = max(r - y, y - (velikost - 1 - r), 0)
            if dx * dx + dy * dy <= r * r:
                tmavsi = tuple(max(0, c - 60) for c in barva)
                okraj = (dx * dx + dy * dy > (r - 1) * (r - 1)) or x in (0, velikost - 1) or y in (0, velikost - 1)
                px[y][x] = tmavsi if okraj else barva
    g = GLYFY[pismeno]
    meritko = max(1, velikost // 14)
    sirka, vyska = 5 * meritko, 7 * meritko
    ox, oy = (velikost - sirka) // 2, (velikost - vyska) // 2
    for gy, radek in enumerate(g):
        for gx, bit in enumerate(radek):
            if bit == '1':
                for sy in range(meritko):
                    for sx in range(meritko):
                        px[oy + gy * meritko + sy][ox + gx * meritko + sx] = (255, 255, 255)
    return px


def barva_indexu(i, odstin_posun):
    h = ((i * 0.137) + odstin_posun) % 1.0
    r, g, b = colorsys.hsv_to_rgb(h, 0.65, 0.80)
    return (int(r * 255), int(g * 255), int(b * 255))


def pruh(pocet, odstin_posun, pismena_posun):
    obrazky = [dlazdice(16, barva_indexu(i, odstin_posun), PISMENA[(i + pismena_posun) % len(PISMENA)])
               for i in range(pocet)]
    sirka = 16 * pocet
    radky = []
    for y in range(16):
        radek = []
        for obr in obrazky:
            radek.extend(obr[y])
        radky.append(radek)
    return sirka, 16, radky


def zapsat_bmp(cesta, sirka, vyska, radky):
    zarovnani = (4 - (sirka * 3) % 4) % 4
    data = bytearray()
    for y in range(vyska - 1, -1, -1):
        for (r, g, b) in radky[y]:
            data += bytes((b, g, r))
        data += b"\0" * zarovnani
    hlavicka = struct.pack("<IiiHHIIiiII", 40, sirka, vyska, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    soubor = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    with open(cesta, "wb") as f:
        f.write(soubor + hlavicka + data)


def obrazek_ikony(velikost):
    """32-bit ARGB DIB plus AND mask for one icon image."""
    px = dlazdice(velikost, (30, 90, 190), 'K', pozadi=None)
    xor = bytearray()
    for y in range(velikost - 1, -1, -1):
        for x in range(velikost):
            c = px[y][x]
            xor += bytes((0, 0, 0, 0)) if c is None else bytes((c[2], c[1], c[0], 255))
    radek_masky = ((velikost + 31) // 32) * 4
    maska = bytearray()
    for y in range(velikost - 1, -1, -1):
        bity = bytearray(radek_masky)
        for x in range(velikost):
            if px[y][x] is None:
                bity[x // 8] |= 0x80 >> (x % 8)
        maska += bity
    hlavicka = struct.pack("<IiiHHIIiiII", 40, velikost, velikost * 2, 1, 32, 0, len(xor) + len(maska), 0, 0, 0, 0)
    return hlavicka + xor + maska


def zapsat_ico(cesta, velikosti):
    obrazky = [obrazek_ikony(v) for v in velikosti]
    vystup = struct.pack("<HHH", 0, 1, len(obrazky))
    posun = 6 + 16 * len(obrazky)
    for v, data in zip(velikosti, obrazky):
        vystup += struct.pack("<BBBBHHII", v % 256, v % 256, 0, 0, 1, 32, len(data), posun)
        posun += len(data)
    for data in obrazky:
        vystup += data
    with open(cesta, "wb") as f:
        f.write(vystup)


def zapsat_ico_pameti(cesta):
    """Icon 140: the memory monitor's starting picture, 16x16, 24-bit, fully opaque (its mask is
    kept for every redrawn icon, so the drawn square shows whole)."""
    v = 16
    xor = bytearray()
    for y in range(v - 1, -1, -1):
        for x in range(v):
            c = (176, 176, 255) if y >= 8 else (208, 255, 208)
            xor += bytes((c[2], c[1], c[0]))
    maska = bytearray(4 * v)
    hlavicka = struct.pack("<IiiHHIIiiII", 40, v, v * 2, 1, 24, 0, len(xor) + len(maska), 0, 0, 0, 0)
    data = hlavicka + xor + maska
    with open(cesta, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", v, v, 0, 0, 1, 24, len(data), 22) + data)


def zapsat_gong(cesta):
    """Wave 195: the clock's built-in gong, a short decaying tone (8-bit mono, 11025 Hz)."""
    import math
    frekvence, delka = 11025, 0.7
    vzorky = bytes(
        int(128 + 100 * math.exp(-5 * i / frekvence) * math.sin(2 * math.pi * 440 * i / frekvence))
        for i in range(int(frekvence * delka)))
    fmt = struct.pack("<HHIIHH", 1, 1, frekvence, frekvence, 1, 8)
    telo = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(vzorky)) + vzorky
    with open(cesta, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(telo)) + telo)


def main():
    cil = sys.argv[1]
    os.makedirs(cil, exist_ok=True)
    zapsat_ico(os.path.join(cil, "kolvex.ico"), [16, 32, 48])
    zapsat_ico_pameti(os.path.join(cil, "pamet140.ico"))
    zapsat_gong(os.path.join(cil, "gong195.wav"))
    # menu image list: 58 images of bitmap 145, then 41 of bitmap 115; the second list alike
    zapsat_bmp(os.path.join(cil, "menu145.bmp"), *pruh(58, 0.00, 0))
    zapsat_bmp(os.path.join(cil, "menu115.bmp"), *pruh(41, 0.50, 7))
    zapsat_bmp(os.path.join(cil, "druhy146.bmp"), *pruh(58, 0.25, 3))
    zapsat_bmp(os.path.join(cil, "druhy116.bmp"), *pruh(41, 0.75, 11))


if __name__ == "__main__":
    main()
