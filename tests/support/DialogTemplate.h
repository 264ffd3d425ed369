#pragma once
// Reads an extended dialog template (DIALOGEX) back from its bytes.
#include <windows.h>
#include <string>
#include <vector>

struct DialogItem {
    DWORD exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::wstring className;  // predefined classes by name: "Button", "Static", "Edit"
    std::wstring text;
};

struct DialogTemplateInfo {
    bool extended = false;
    DWORD exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring menu, className, title;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::wstring typeface;
    std::vector<DialogItem> items;
};

// Parses `size` bytes at `data`; `extended` is false for anything that is
// not a DIALOGEX template.
DialogTemplateInfo ParseDialogTemplate(const void* data, size_t size);
