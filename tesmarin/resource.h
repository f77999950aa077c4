// Resource ids of Tesmarin.
#define IDS_PROJNAME 100
#define IDR_TESMARIN 101
#define IDR_SCHRANKACONTEXTMENU 102
