// The menu image strips drawn at the small-icon sizes of 120, 144 and 192 DPI (20, 24, 32 px),
// beside the 16-px strips of resource.h.
#pragma once

#define IDB_MENU_ZAKLAD_20 5300
#define IDB_MENU_ZAKLAD_24 5301
#define IDB_MENU_ZAKLAD_32 5302
#define IDB_MENU_DALSI_20 5303
#define IDB_MENU_DALSI_24 5304
#define IDB_MENU_DALSI_32 5305
#define IDB_DRUHY_ZAKLAD_20 5306
#define IDB_DRUHY_ZAKLAD_24 5307
#define IDB_DRUHY_ZAKLAD_32 5308
#define IDB_DRUHY_DALSI_20 5309
#define IDB_DRUHY_DALSI_24 5310
#define IDB_DRUHY_DALSI_32 5311
