#!/usr/bin/env python3
"""Draws Kolvex's icon and menu image strips.

The menu images are icons of the Tango theme (see OBRAZKY); the program icon is the program's
own tile with its letter, readable at 16x16.
Output: kolvex.ico (icon 101) and the 16x16 strips menu145.bmp, menu115.bmp,
druhy146.bmp, druhy116.bmp (24-bit, magenta 0xFF00FF is transparent), and the same strips at
the small-icon sizes of 120, 144 and 192 DPI (menu145_20.bmp, ..._24, ..._32): the theme's own
22-, 24- and 32-pixel art, 20 pixels averaged down from 22, never enlarged.
Usage: kreslit_obrazky.py OUTPUT_DIR
"""
import math
import os
import struct
import sys
import zlib

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


# ---------------------------------------------------------------------------------------------
# Menu images: 16x16 icons of the Tango icon theme (public domain, Debian's tango-icon-theme),
# one per image index, chosen for the commands that show it. A few images have no fitting Tango
# icon (the check mark, the window placements) and are drawn here.

TANGO = os.environ.get("KOLVEX_TANGO", "/usr/share/icons/Tango")
# the strips' sizes beyond 16: the small-icon sizes at 120, 144 and 192 DPI
VELIKOSTI = (20, 24, 32)
# the theme's own sizes; another size is averaged down from the next larger one
VELIKOSTI_TANGA = (16, 22, 24, 32)

# index: Tango icon ("folder/name") or a drawn image ("*name"); the commands using it follow.
OBRAZKY = {
    0: "actions/system-log-out",             # 40001 end the program
    1: "categories/preferences-system",      # 40002 settings, the general pages
    2: "*fajfka",                            # check mark of checked items, bound hot keys
    3: "apps/help-browser",                  # 40003 help submenu
    4: "status/dialog-information",          # 40023 about
    5: "apps/internet-web-browser",          # 40020 web pages, Internet tools
    6: "actions/document-properties",
    7: "actions/process-stop",               # 40034 close the file (text editor)
    8: "places/folder",                      # data folder
    9: "actions/edit-paste",                 # clipboard module
    10: "apps/preferences-system-windows",   # window extension, window captures, applications
    11: "apps/preferences-desktop-keyboard-shortcuts",  # hot keys
    12: "actions/document-save",
    13: "actions/go-bottom",                 # hide a window to the tray, control icons off
    14: "apps/system-software-update",       # 40022 update check
    15: "actions/go-top",                    # 40053 always on top
    16: "places/user-trash",                 # 40180 empty the capture folder, control icon on
    17: "actions/document-new",              # new text note, add text to the operative list
    18: "actions/format-justify-fill",       # 40019 main menu, category "Všeobecné"
    19: "actions/process-stop",              # 40026 close this window
    20: "apps/system-file-manager",          # Explorer extensions
    21: "devices/camera-photo",              # pictures, satellite picture
    22: "actions/edit-find",
    23: "actions/edit-undo",
    24: "actions/document-print",            # 40217 print the forecast
    25: "actions/list-add",
    26: "actions/list-remove",
    27: "*okno_vlevo",                       # 40099 window to the left half
    28: "*okno_vpravo",                      # 40100 right half
    29: "*okno_nahore",                      # 40101 top half
    30: "*okno_dole",                        # 40102 bottom half
    31: "apps/preferences-desktop-theme",    # transparency
    32: "*okno_vlevo_dole",                  # 40049 bottom-left corner
    33: "*okno_vpravo_dole",                 # 40051 bottom-right corner
    34: "*okno_vlevo_nahore",                # 40048 top-left corner
    35: "*okno_vpravo_nahore",               # 40050 top-right corner
    36: "*okno_stred",                       # 40052 centre
    37: "devices/camera-video",              # video recording, the camera program
    38: "apps/accessories-text-editor",      # text editor
    39: "actions/view-refresh",
    40: "actions/media-playback-start",      # play a sound note, start the stopwatch, after start-up
    41: "actions/media-playback-stop",       # stop the stopwatch
    42: "mimetypes/text-x-generic-template", # ready-made texts to the clipboard
    43: "actions/edit-copy",                 # operative clipboard texts
    44: "devices/computer",                  # 40045 the computer's name to the clipboard
    45: "mimetypes/x-office-presentation",   # 40135 slideshow of the capture folder
    46: "actions/go-previous",
    47: "actions/go-next",
    48: "actions/go-up",
    49: "actions/go-down",
    50: "actions/go-first",
    51: "actions/go-last",
    52: "actions/go-home",
    53: "actions/mail-message-new",          # 40021 technical support by e-mail
    54: "status/folder-open",                # 40132 open the capture folder, the folder edits' browse glyph
    55: "actions/document-print",
    56: "apps/preferences-desktop-font",     # 40069 rename, 40181 sort by name (the letters a b c)
    57: "actions/process-stop",
    58: "mimetypes/application-x-executable",  # launcher
    59: "devices/media-flash",               # memory monitor
    60: "devices/audio-input-microphone",    # sound notes, sound recording
    61: "categories/applications-multimedia",  # multimedia, Sonvidar
    62: "status/weather-few-clouds",         # weather
    63: "status/image-loading",              # clock, time measuring (a clock face)
    64: "actions/appointment-new",           # stopwatch
    65: "devices/video-display",             # 40113 screen capture, screen module, display modes
    66: "apps/preferences-desktop-screensaver",  # screen saver, monitor power
    67: "mimetypes/x-office-document",       # notes
    68: "mimetypes/text-x-generic",          # text notes, client-area captures
    69: "mimetypes/audio-x-generic",
    70: "mimetypes/package-x-generic",       # plug-ins
    71: "apps/utilities-system-monitor",     # system monitoring (category)
    72: "apps/system-users",                 # 40044 the user's name to the clipboard
    73: "places/network-server",             # IP information
    74: "apps/internet-news-reader",         # RSS reader
    75: "apps/preferences-desktop-wallpaper",  # transparent colour
    76: "apps/utilities-system-monitor",     # process monitor
    77: "actions/document-save-as",          # project backup
    78: "categories/applications-graphics",  # colour picker
    79: "*vyrez",                            # area capture, measuring by an area
    80: "*meritko",                          # measuring by lines
    81: "devices/media-optical",             # CD/DVD drives
    82: "actions/media-eject",               # drive open
    83: "devices/drive-optical",             # disc present
    84: "devices/drive-removable-media",
    85: "actions/media-playback-pause",      # pause the stopwatch
    86: "actions/media-record",              # 40060, 40073 record a new sound note
    87: "devices/computer",
    88: "devices/input-keyboard",
    89: "actions/system-lock-screen",        # registrations and passwords
    90: "mimetypes/x-office-address-book",   # contacts
    91: "apps/internet-mail",
    92: "apps/internet-group-chat",
    93: "status/dialog-warning",
    94: "status/dialog-error",
    95: "mimetypes/image-x-generic",
    96: "mimetypes/video-x-generic",
    97: "places/network-workgroup",
    98: "places/network-workgroup",          # LAN information
}


def precist_png(cesta):
    """RGBA rows of an 8-bit, non-interlaced PNG (grey, RGB, palette, grey+alpha, RGBA)."""
    with open(cesta, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s: not a PNG" % cesta)
    pos, idat, paleta, pruhlednost = 8, b"", None, None
    sirka = vyska = typ = 0
    while pos < len(data):
        delka, = struct.unpack(">I", data[pos:pos + 4])
        druh = data[pos + 4:pos + 8]
        obsah = data[pos + 8:pos + 8 + delka]
        pos += 12 + delka
        if druh == b"IHDR":
            sirka, vyska, hloubka, typ, _, _, prokladani = struct.unpack(">IIBBBBB", obsah)
            if hloubka != 8 or prokladani:
                raise ValueError("%s: only 8-bit non-interlaced PNG is read" % cesta)
        elif druh == b"PLTE":
            paleta = [tuple(obsah[i:i + 3]) for i in range(0, len(obsah), 3)]
        elif druh == b"tRNS":
            pruhlednost = obsah
        elif druh == b"IDAT":
            idat += obsah
        elif druh == b"IEND":
            break
    kanalu = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[typ]
    surova = zlib.decompress(idat)
    radek_bajtu = sirka * kanalu
    predchozi = bytearray(radek_bajtu)
    radky = []
    p = 0
    for _ in range(vyska):
        filtr = surova[p]
        radek = bytearray(surova[p + 1:p + 1 + radek_bajtu])
        p += 1 + radek_bajtu
        for i in range(radek_bajtu):
            a = radek[i - kanalu] if i >= kanalu else 0
            b = predchozi[i]
            c = predchozi[i - kanalu] if i >= kanalu else 0
            if filtr == 1:
                radek[i] = (radek[i] + a) & 255
            elif filtr == 2:
                radek[i] = (radek[i] + b) & 255
            elif filtr == 3:
                radek[i] = (radek[i] + (a + b) // 2) & 255
            elif filtr == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                radek[i] = (radek[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        predchozi = radek
        body = []
        for x in range(sirka):
            v = radek[x * kanalu:(x + 1) * kanalu]
            if typ == 6:
                body.append(tuple(v))
            elif typ == 2:
                body.append((v[0], v[1], v[2], 255))
            elif typ == 0:
                body.append((v[0], v[0], v[0], 255))
            elif typ == 4:
                body.append((v[0], v[0], v[0], v[1]))
            else:
                r, g, b = paleta[v[0]]
                a = pruhlednost[v[0]] if pruhlednost and v[0] < len(pruhlednost) else 255
                body.append((r, g, b, a))
        radky.append(body)
    return sirka, vyska, radky


def nakreslit(nazev, meritko=1):
    """The images Tango has no icon for: RGBA 16x16 on a 16-cell grid, each cell `meritko` pixels
    square (the shapes are rectangles of cells, so a larger grid draws them larger exactly)."""
    strana = 16 * meritko
    px = [[(0, 0, 0, 0)] * strana for _ in range(strana)]

    def bod(x, y, barva):
        if 0 <= x < 16 and 0 <= y < 16:
            for j in range(meritko):
                for i in range(meritko):
                    px[y * meritko + j][x * meritko + i] = barva

    if nazev == "fajfka":
        # a green tick, two pixels thick, dark edge
        zelena, tmava = (78, 154, 6, 255), (50, 100, 4, 255)
        body = [(3, 8), (4, 9), (5, 10), (6, 11), (7, 10), (8, 9), (9, 8), (10, 7), (11, 6), (12, 5), (13, 4)]
        for x, y in body:
            bod(x, y + 1, tmava)
            bod(x, y - 1, zelena)
            bod(x, y, zelena)
        return px
    if nazev.startswith("okno"):
        # the screen as a frame, the window's place on it filled
        ram, plocha, okno = (46, 52, 54, 255), (238, 238, 236, 255), (52, 101, 164, 255)
        for y in range(2, 14):
            for x in range(1, 15):
                kraj = x in (1, 14) or y in (2, 13)
                bod(x, y, ram if kraj else plocha)
        casti = {
            "okno_vlevo": (2, 3, 7, 12), "okno_vpravo": (8, 3, 13, 12), "okno_nahore": (2, 3, 13, 7),
            "okno_dole": (2, 8, 13, 12), "okno_vlevo_nahore": (2, 3, 7, 7), "okno_vpravo_nahore": (8, 3, 13, 7),
            "okno_vlevo_dole": (2, 8, 7, 12), "okno_vpravo_dole": (8, 8, 13, 12), "okno_stred": (5, 5, 10, 10),
        }
        x0, y0, x1, y1 = casti[nazev]
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                bod(x, y, okno)
        return px
    if nazev == "vyrez":
        # a dashed selection over a picture corner
        for i in range(1, 15):
            if i % 3 != 0:
                for x, y in ((i, 1), (i, 14), (1, i), (14, i)):
                    bod(x, y, (46, 52, 54, 255))
        for y in range(5, 11):
            for x in range(5, 11):
                bod(x, y, (114, 159, 207, 255))
        return px
    if nazev == "meritko":
        # a ruler
        for y in range(5, 11):
            for x in range(1, 15):
                kraj = y in (5, 10) or x in (1, 14)
                bod(x, y, (143, 89, 2, 255) if kraj else (233, 185, 110, 255))
        for x in range(3, 14, 2):
            for y in range(6, 8 if x % 4 == 1 else 9):
                bod(x, y, (46, 52, 54, 255))
        return px
    raise KeyError(nazev)


def zmensit(rgba, cil):
    """A square RGBA image averaged down to `cil` pixels (each target pixel the area-weighted mean
    of the source pixels it covers, colours weighted by their alpha)."""
    zdroj = len(rgba)
    f = zdroj / cil
    vysledek = []
    for y in range(cil):
        y0, y1 = y * f, (y + 1) * f
        radek = []
        for x in range(cil):
            x0, x1 = x * f, (x + 1) * f
            r = g = b = a = plocha = 0.0
            for sy in range(int(y0), min(zdroj, math.ceil(y1))):
                wy = min(y1, sy + 1) - max(y0, sy)
                for sx in range(int(x0), min(zdroj, math.ceil(x1))):
                    w = wy * (min(x1, sx + 1) - max(x0, sx))
                    pr, pg, pb, pa = rgba[sy][sx]
                    r += pr * pa * w
                    g += pg * pa * w
                    b += pb * pa * w
                    a += pa * w
                    plocha += w
            if a > 0:
                radek.append((round(r / a), round(g / a), round(b / a), round(a / plocha)))
            else:
                radek.append((0, 0, 0, 0))
        vysledek.append(radek)
    return vysledek


def obrazek_rgba(zdroj, velikost):
    """RGBA velikost x velikost of one image: the theme's art at that size, or averaged down from
    the next larger size it has; a drawn image drawn large and averaged down."""
    if zdroj.startswith("*"):
        if velikost == 16:
            return nakreslit(zdroj[1:])
        return zmensit(nakreslit(zdroj[1:], 4), velikost)
    vetsi = [v for v in VELIKOSTI_TANGA if v >= velikost]
    if not vetsi:
        sys.exit("kreslit_obrazky: the theme has no art of %d pixels or more" % velikost)
    v = vetsi[0]
    cesta = os.path.join(TANGO, "%dx%d" % (v, v), zdroj + ".png")
    if not os.path.exists(cesta):
        sys.exit("kreslit_obrazky: %s is missing; install the package tango-icon-theme" % cesta)
    sirka, vyska, rgba = precist_png(cesta)
    if (sirka, vyska) != (v, v):
        sys.exit("kreslit_obrazky: %s is not %dx%d" % (cesta, v, v))
    return rgba if v == velikost else zmensit(rgba, velikost)


def obrazek(index, velikost=16):
    """RGB velikost x velikost of one image index over magenta: what is not (almost) opaque is
    transparent, the soft edge is blended with a light menu grey."""
    rgba = obrazek_rgba(OBRAZKY.get(index, "mimetypes/unknown"), velikost)
    vysledek = []
    for radek in rgba:
        out = []
        for (r, g, b, a) in radek:
            if a < 96:
                out.append(MAGENTA)
            else:
                k = a / 255.0
                out.append(tuple(int(c * k + 236 * (1 - k)) for c in (r, g, b)))
        vysledek.append(out)
    return vysledek


def pruh(prvni, pocet, velikost=16):
    obrazky = [obrazek(prvni + i, velikost) for i in range(pocet)]
    sirka = velikost * pocet
    radky = []
    for y in range(velikost):
        radek = []
        for obr in obrazky:
            radek.extend(obr[y])
        radky.append(radek)
    return sirka, velikost, radky


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


def obrazek_ikony(velikost, barva=(30, 90, 190), pismeno='K'):
    """32-bit ARGB DIB plus AND mask for one icon image: a program's letter tile."""
    px = dlazdice(velikost, barva, pismeno, pozadi=None)
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


def zapsat_ico(cesta, velikosti, barva=(30, 90, 190), pismeno='K'):
    obrazky = [obrazek_ikony(v, barva, pismeno) for v in velikosti]
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
    # menu image list: 58 images of bitmap 145, then 41 of bitmap 115; the second ("hot") list
    # holds the same pictures
    for velikost in (16,) + VELIKOSTI:
        pripona = "" if velikost == 16 else "_%d" % velikost
        zaklad, dalsi = pruh(0, 58, velikost), pruh(58, 41, velikost)
        zapsat_bmp(os.path.join(cil, "menu145%s.bmp" % pripona), *zaklad)
        zapsat_bmp(os.path.join(cil, "menu115%s.bmp" % pripona), *dalsi)
        zapsat_bmp(os.path.join(cil, "druhy146%s.bmp" % pripona), *zaklad)
        zapsat_bmp(os.path.join(cil, "druhy116%s.bmp" % pripona), *dalsi)


if __name__ == "__main__":
    main()
