#pragma once
// The page as the control shows it: the top page with its frames' pages in
// their places, laid out line by line, painted, and hit-tested.
#include <windows.h>

#include <string>
#include <vector>

namespace standin {

struct PageItem {
    enum class Kind { Text, Break, Link, Field };
    Kind kind;
    std::wstring text;  // a field's value
    int number = -1;    // a link's or a field's number, in page order
};

// What the page shows, as text: line breaks as "\n", fields as "[value]".
std::wstring PageText(const std::vector<PageItem>& items);

class PageLayout {
public:
    void Build(HDC dc, int width, const std::vector<PageItem>& items);
    void Paint(HDC dc, const std::vector<PageItem>& items, int focusedField) const;
    // The number of the link or field under `point`, or -1.
    int LinkAt(POINT point, const std::vector<PageItem>& items) const;
    int FieldAt(POINT point, const std::vector<PageItem>& items) const;

private:
    int NumberAt(POINT point, const std::vector<PageItem>& items, PageItem::Kind kind) const;

    struct Placed {
        RECT rect;
        size_t item;
    };
    std::vector<Placed> m_placed;
};

}  // namespace standin
