#include "core/globalni.h"

#include "core/externi.h"
#include "core/oknohlavni.h"

std::unique_ptr<OknoHlavni> oknoHlavni;
std::unique_ptr<RezimyObrazovky> rezimyObrazovky;
std::unique_ptr<ExtAplikaceVarnel> extAplikaceVarnel;
std::unique_ptr<ExtAplikaceMeltis> extAplikaceMeltis;
std::unique_ptr<InfoShellExtObrazky> infoShellExtObrazky;
std::unique_ptr<InfoShellExtSchranka> infoShellExtSchranka;
