#include "core/globalni.h"

#include "core/oknohlavni.h"

std::unique_ptr<OknoHlavni> oknoHlavni;
std::unique_ptr<RezimyObrazovky> rezimyObrazovky;
