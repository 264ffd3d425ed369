#include "PageLayout.h"

#include <memory>

namespace standin {

namespace {
constexpr int kMargin = 8;
constexpr int kFieldPadding = 4;
constexpr COLORREF kLinkColour = RGB(0, 0, 204);

struct FontDeleter {
    void operator()(HFONT font) const { ::DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

std::wstring Shown(const PageItem& item) {
    return item.kind == PageItem::Kind::Field ? L"[" + item.text + L"]" : item.text;
}

Font UnderlinedFont(HDC dc) {
    LOGFONTW face = {};
    ::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof(face), &face);
    face.lfUnderline = TRUE;
    return Font(::CreateFontIndirectW(&face));
}
}  // namespace

std::wstring PageText(const std::vector<PageItem>& items) {
    // Lines as they show: no empty ones, none before or after the text.
    std::wstring text;
    for (const PageItem& item : items) {
        if (item.kind != PageItem::Kind::Break)
            text += Shown(item);
        else if (!text.empty() && text.back() != L'\n')
            text += L'\n';
    }
    if (!text.empty() && text.back() == L'\n')
        text.pop_back();
    return text;
}

void PageLayout::Build(HDC dc, int width, const std::vector<PageItem>& items) {
    m_placed.clear();
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(dc, &metrics);
    const int lineHeight = metrics.tmHeight + kFieldPadding;
    int x = kMargin;
    int y = kMargin;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind == PageItem::Kind::Break) {
            x = kMargin;
            y += lineHeight;
            continue;
        }
        const std::wstring text = Shown(items[i]);
        SIZE size = {};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        if (x > kMargin && x + size.cx > width - kMargin) {
            x = kMargin;
            y += lineHeight;
        }
        m_placed.push_back({{x, y, x + size.cx, y + lineHeight}, i});
        x += size.cx;
    }
}

void PageLayout::Paint(HDC dc, const std::vector<PageItem>& items, int focusedField) const {
    const Font underlined = UnderlinedFont(dc);
    ::SetBkMode(dc, TRANSPARENT);
    for (const Placed& placed : m_placed) {
        const PageItem& item = items[placed.item];
        const std::wstring text = Shown(item);
        const bool link = item.kind == PageItem::Kind::Link;
        HGDIOBJ previous = link && underlined ? ::SelectObject(dc, underlined.get()) : nullptr;
        ::SetTextColor(dc, link ? kLinkColour : RGB(0, 0, 0));
        RECT rect = placed.rect;
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
        if (previous)
            ::SelectObject(dc, previous);
        if (item.kind == PageItem::Kind::Field && item.number == focusedField)
            ::DrawFocusRect(dc, &placed.rect);
    }
}

int PageLayout::LinkAt(POINT point, const std::vector<PageItem>& items) const {
    return NumberAt(point, items, PageItem::Kind::Link);
}

int PageLayout::FieldAt(POINT point, const std::vector<PageItem>& items) const {
    return NumberAt(point, items, PageItem::Kind::Field);
}

int PageLayout::NumberAt(POINT point, const std::vector<PageItem>& items, PageItem::Kind kind) const {
    for (const Placed& placed : m_placed) {
        if (placed.item < items.size() && items[placed.item].kind == kind && ::PtInRect(&placed.rect, point))
            return items[placed.item].number;
    }
    return -1;
}

}  // namespace standin
