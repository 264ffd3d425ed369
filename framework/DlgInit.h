#pragma once
// The control-initialisation resource that hosted controls' persisted state
// comes in: its resource type, and the kind of record that carries a
// control's stream. Macros, because resource scripts are written with them.
#define RT_DLGINIT_TYPE     240
#define DLGINIT_OLE_STREAM  0x0376
