"""Draws Sonvidar's icon and image strips at build time (tiles of the suite's drawing script)."""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import kreslit_obrazky as k  # noqa: E402


def strip(barvy_pismena):
    obrazky = [k.dlazdice(16, barva, pismeno) for barva, pismeno in barvy_pismena]
    radky = []
    for y in range(16):
        radek = []
        for obr in obrazky:
            radek.extend(obr[y])
        radky.append(radek)
    return 16 * len(obrazky), 16, radky


def ikona(velikost):
    px = k.dlazdice(velikost, (170, 40, 60), 'S', pozadi=None)
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


def main():
    cil = sys.argv[1]
    os.makedirs(cil, exist_ok=True)
    velikosti = [16, 32, 48]
    obrazky = [ikona(v) for v in velikosti]
    vystup = struct.pack("<HHH", 0, 1, len(obrazky))
    posun = 6 + 16 * len(obrazky)
    for v, data in zip(velikosti, obrazky):
        vystup += struct.pack("<BBBBHHII", v % 256, v % 256, 0, 0, 1, 32, len(data), posun)
        posun += len(data)
    for data in obrazky:
        vystup += data
    with open(os.path.join(cil, "sonvidar.ico"), "wb") as f:
        f.write(vystup)
    # 102: application, sound settings, sound recording, video settings
    k.zapsat_bmp(os.path.join(cil, "aplikace102.bmp"),
                 *strip([((170, 40, 60), 'S'), ((40, 120, 200), 'Z'), ((200, 60, 40), 'Z'), ((40, 150, 90), 'V')]))
    # 103 and 104: three frames of the recording icons
    k.zapsat_bmp(os.path.join(cil, "zvuk103.bmp"),
                 *strip([((200, 40, 40), 'Z'), ((230, 90, 60), 'Z'), ((250, 150, 90), 'Z')]))
    k.zapsat_bmp(os.path.join(cil, "video104.bmp"),
                 *strip([((40, 150, 90), 'V'), ((70, 190, 120), 'V'), ((120, 220, 160), 'V')]))


if __name__ == "__main__":
    main()
