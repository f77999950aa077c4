"""Draws Sonvidar's icon and image strips at build time (tiles of the suite's drawing script)."""
import os
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


def main():
    cil = sys.argv[1]
    os.makedirs(cil, exist_ok=True)
    k.zapsat_ico(os.path.join(cil, "sonvidar.ico"), [16, 32, 48], (170, 40, 60), 'S')
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
