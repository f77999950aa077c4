// Owners of the shared objects that start-up creates. Deleting through one deletes the object
// and leaves the pointer null; whatever shutdown did not delete is freed at process end.
#pragma once

#include <memory>

#include "core/pomocne.h"

class OknoHlavni;
class ExtAplikaceVarnel;
class ExtAplikaceMeltis;
struct InfoShellExtObrazky;
struct InfoShellExtSchranka;

extern std::unique_ptr<OknoHlavni> oknoHlavni;
extern std::unique_ptr<RezimyObrazovky> rezimyObrazovky;
extern std::unique_ptr<ExtAplikaceVarnel> extAplikaceVarnel;
extern std::unique_ptr<ExtAplikaceMeltis> extAplikaceMeltis;
extern std::unique_ptr<InfoShellExtObrazky> infoShellExtObrazky;
extern std::unique_ptr<InfoShellExtSchranka> infoShellExtSchranka;
