#pragma once
// Statics drawn straight onto a skinned dialog: the dialog's pixels under
// the static are copied into the static's background and the hollow brush
// is returned, so only the text is drawn over them.
#include <windows.h>

class CDC;
class CWnd;

HBRUSH PaintStaticOverDialog(CWnd* dialog, CDC* dc, CWnd* control, COLORREF textColor);

// Stretches `bitmap` over the whole client area of `dialog` for WM_PAINT.
void PaintStretchedBackground(CWnd* dialog, HBITMAP bitmap);
