#include "ikony.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "uchyt.h"

namespace knihovna {

HICON IkonaSAlfou(HICON ikona) {
    ICONINFO info{};
    if (!ikona || !::GetIconInfo(ikona, &info)) return nullptr;
    UchytBitmapy barvy(info.hbmColor), maska(info.hbmMask);
    if (!barvy || !maska) return nullptr;  // a monochrome icon has no colour to carry alpha
    BITMAP b{};
    if (!::GetObjectW(barvy.Get(), sizeof(b), &b) || b.bmWidth <= 0 || b.bmHeight <= 0) return nullptr;
    const int sirka = b.bmWidth, vyska = b.bmHeight;

    BITMAPINFO popis{};
    popis.bmiHeader.biSize = sizeof(popis.bmiHeader);
    popis.bmiHeader.biWidth = sirka;
    popis.bmiHeader.biHeight = -vyska;  // top-down
    popis.bmiHeader.biPlanes = 1;
    popis.bmiHeader.biBitCount = 32;
    popis.bmiHeader.biCompression = BI_RGB;
    const size_t pocet = static_cast<size_t>(sirka) * static_cast<size_t>(vyska);
    std::vector<uint32_t> body(pocet), pruhlednost(pocet);
    UchytDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return nullptr;
    BITMAPINFO kopie = popis;
    if (::GetDIBits(dc.Get(), barvy.Get(), 0, static_cast<UINT>(vyska), body.data(), &kopie, DIB_RGB_COLORS) != vyska)
        return nullptr;
    kopie = popis;
    // the mask's set bits (transparent) come as white
    if (::GetDIBits(dc.Get(), maska.Get(), 0, static_cast<UINT>(vyska), pruhlednost.data(), &kopie, DIB_RGB_COLORS) != vyska)
        return nullptr;
    for (uint32_t bod : body)
        if (bod & 0xFF000000u) return nullptr;  // alpha of its own
    for (size_t i = 0; i < pocet; ++i)
        body[i] = (pruhlednost[i] & 0x00FFFFFFu) ? 0u : (body[i] | 0xFF000000u);

    void* data = nullptr;
    UchytBitmapy alfa(::CreateDIBSection(nullptr, &popis, DIB_RGB_COLORS, &data, nullptr, 0));
    if (!alfa || !data) return nullptr;
    memcpy(data, body.data(), pocet * sizeof(uint32_t));
    ICONINFO nova{};
    nova.fIcon = TRUE;
    nova.hbmColor = alfa.Get();
    nova.hbmMask = maska.Get();
    return ::CreateIconIndirect(&nova);
}

}  // namespace knihovna
