// Lumeda's picture list: the command line, the accepted extensions, the recursive folder scan
// and the placement of a picture on the screen. Pure apart from the folder scan.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace Brenvald {

// ".jpg", ".jpeg", ".bmp", ".png", ".gif", ".tiff" and ".tif", without regard to case; the
// extension is the text from the last dot of the last path element.
bool JeObrazek(const std::wstring& cesta);

// The standard splitting of a command line; a line that begins with a blank has an empty
// program-name field, so the paths after it are arguments 1..n.
std::vector<std::wstring> RozdelitPrikazovyRadek(const std::wstring& radek);

// Every picture of the folder and its subfolders, in the file system's order, each subfolder's
// pictures where the subfolder was met. Names beginning with "." and reparse points (junctions,
// links) are skipped; paths of MAX_PATH characters or more are left out.
void ProhledatSlozku(const std::wstring& slozka, std::vector<std::wstring>& seznam);

// The arguments (without the program name) to the picture list: the pictures among them in
// order; when there are none and the first argument is a folder, the folder's pictures.
// True when there is something to show.
bool SestavitSeznam(const std::vector<std::wstring>& argumenty, std::vector<std::wstring>& seznam);

// Where a picture of iw x ih goes in a client area of cw x ch: natural size and centred when it
// fits, else scaled down to the bound side and centred on the other (never enlarged).
struct Cil {
    int x, y, sirka, vyska;
};
Cil SpocitatCil(UINT cw, UINT ch, UINT iw, UINT ih);

}  // namespace Brenvald
