// Owners of the shared objects that start-up creates. Deleting through one deletes the object
// and leaves the pointer null; whatever shutdown did not delete is freed at process end.
#pragma once

#include <memory>

#include "core/pomocne.h"

class OknoHlavni;

extern std::unique_ptr<OknoHlavni> oknoHlavni;
extern std::unique_ptr<RezimyObrazovky> rezimyObrazovky;
