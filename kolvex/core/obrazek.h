// Picture formats (the table of the five encoders) and ObrazekGdiPlus, the holder of one
// GDI+ picture with the file it came from: load, save, scale, draw.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <array>
#include <memory>
#include <string>

// One row of the picture-format table.
struct FormatObrazku {
    std::wstring nazev;
    std::wstring pripona;  // with its dot
    CLSID koder{};
    std::wstring popis;
};

// Rows of the table; the index is the picture-format number stored in the screen settings.
enum : int { FORMAT_JPEG = 0, FORMAT_PNG = 1, FORMAT_BMP = 2, FORMAT_TIFF = 3, FORMAT_GIF = 4 };
constexpr int POCET_FORMATU_OBRAZKU = 5;
using TabulkaFormatu = std::array<FormatObrazku, POCET_FORMATU_OBRAZKU>;

// Index of the installed encoder of that MIME type (case ignored) with its class id; -1 when none.
int NajitKodekObrazku(const wchar_t* typMime, CLSID& clsid);
// Index of the first encoder whose extension list contains the extension (case ignored); -1 when none.
int NajitKodekPodlePripony(const wchar_t* pripona, CLSID& clsid);
// Frees any table, then builds the five rows; an encoder that GDI+ does not list raises.
void VytvoritTabulkuFormatu(std::unique_ptr<TabulkaFormatu>& tabulka);

// The error of a failed GDI+ call: the last system error when there is one, else by the status.
[[noreturn]] void VyhoditChybuGdiplus(Gdiplus::Status stav);

// Holder of one GDI+ bitmap; created with new by its users and deleted by SmazatObrazekGdiPlus.
class ObrazekGdiPlus {
public:
    ObrazekGdiPlus() = default;
    ~ObrazekGdiPlus();
    ObrazekGdiPlus(const ObrazekGdiPlus&) = delete;
    ObrazekGdiPlus& operator=(const ObrazekGdiPlus&) = delete;

    std::unique_ptr<Gdiplus::Bitmap> obrazek;  // null = no picture
    std::unique_ptr<TabulkaFormatu> formaty;    // null until first needed
    std::wstring cesta;                         // the file the picture was loaded from
    Gdiplus::Status posledniStav = Gdiplus::Ok;

    // Takes a new picture (the old one is deleted); a bitmap in a failed state raises.
    void Nastavit(Gdiplus::Bitmap* novy);
    void UvolnitKodery();
    // Builds the holder's own format table when it has none.
    void VytvoritTabulkuKoderu();

    // Any failure to load raises E_INVALIDARG; the path is kept only on success.
    void NacistZeSouboru(const std::wstring& soubor);
    // Saves with the encoder of the path's extension and no parameters.
    void UlozitDoSouboru(const std::wstring& soubor);
    // As UlozitDoSouboru; the picture's own file is replaced only once the new file is complete.
    void Ulozit(const std::wstring& soubor);
    // Saves with an encoder and parameters (null = none); failure raises.
    void UlozitKoderem(const std::wstring& soubor, const CLSID& koder, const Gdiplus::EncoderParameters* parametry);

    UINT Sirka() const;
    UINT Vyska() const;
    // Replaces the picture by a copy scaled into sirka x vyska, aspect ratio kept.
    void KopieVPomeru(UINT sirka, UINT vyska);
    // Draws the picture into (0, 0, sirka, vyska) of the device context: centred when smaller,
    // stretched when equal in a direction, shrunk with the aspect ratio kept when larger.
    void Vykreslit(HDC dc, UINT sirka, UINT vyska);

    // Where Vykreslit puts a W x H picture in an RW x RH rectangle.
    static RECT RozmistitObrazek(UINT sirka, UINT vyska, UINT sirkaObdelniku, UINT vyskaObdelniku);
    // Size of the scaled copy of a W x H picture into TW x TH.
    static SIZE VelikostVPomeru(UINT sirka, UINT vyska, UINT cilSirka, UINT cilVyska);
};

void SmazatObrazekGdiPlus(ObrazekGdiPlus*& obrazek);
