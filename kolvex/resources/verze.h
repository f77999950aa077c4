// Version of the Kolvex suite, shared by every version block.
#pragma once

#define KOLVEX_VERZE_CISLA 5, 0, 1, 2
#define KOLVEX_VERZE_TEXT "5.0.1.2"
