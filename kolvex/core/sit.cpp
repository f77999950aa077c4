#include <winsock2.h>

#include "sit.h"

#include "knihovna/text.h"

int ZiskatIpAdresuPocitace(std::wstring& ip, std::wstring& jmenoPocitace) {
    hostent* pocitac = ::gethostbyname("");
    if (!pocitac || !pocitac->h_addr_list || !pocitac->h_addr_list[0]) return 1;
    in_addr adresa;
    memcpy(&adresa, pocitac->h_addr_list[0], sizeof(adresa));
    const char* text = ::inet_ntoa(adresa);
    ip = knihovna::NaSiroky(text ? text : "", CP_THREAD_ACP);
    jmenoPocitace = knihovna::NaSiroky(pocitac->h_name ? pocitac->h_name : "", CP_THREAD_ACP);
    return 0;
}
