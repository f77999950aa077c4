#!/usr/bin/env python3
"""Draws Lumeda's icon (a framed landscape picture) as lumeda.ico with 16, 32 and 48 px images."""
import struct
import sys


def barva(x, y, n):
    """Colour (r, g, b, a) of pixel (x, y) of an n x n image, y from the top."""
    okraj = max(1, n // 16)
    if x < okraj or y < okraj or x >= n - okraj or y >= n - okraj:
        return (60, 40, 20, 255)                      # frame
    u, v = x / n, y / n
    if (u - 0.7) ** 2 + (v - 0.3) ** 2 < 0.012:
        return (250, 210, 40, 255)                    # sun
    if v > 0.62 - 0.18 * (1 - abs(u - 0.35) * 2.2):
        return (40, 150, 60, 255)                     # hill
    return (90, 160, 230, 255)                        # sky


def obrazek(n):
    pixely = bytearray()
    for y in range(n - 1, -1, -1):                    # bottom-up rows
        for x in range(n):
            r, g, b, a = barva(x, y, n)
            pixely += bytes((b, g, r, a))
    maska = bytes(((n + 31) // 32) * 4 * n)           # all opaque
    hlavicka = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, len(pixely) + len(maska), 0, 0, 0, 0)
    return hlavicka + bytes(pixely) + maska


def main():
    velikosti = (16, 32, 48)
    data = [obrazek(n) for n in velikosti]
    vystup = struct.pack('<HHH', 0, 1, len(velikosti))
    posun = 6 + 16 * len(velikosti)
    for n, d in zip(velikosti, data):
        vystup += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(d), posun)
        posun += len(d)
    with open(sys.argv[1], 'wb') as f:
        f.write(vystup + b''.join(data))


if __name__ == '__main__':
    main()
