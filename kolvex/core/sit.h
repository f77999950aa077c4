// Small network queries of the local host.
#pragma once

#include <string>

// First IPv4 address and the name of the local host; 0 on success, 1 when the local host
// cannot be looked up (the outputs are then left untouched). Needs Windows Sockets started.
int ZiskatIpAdresuPocitace(std::wstring& ip, std::wstring& jmenoPocitace);
