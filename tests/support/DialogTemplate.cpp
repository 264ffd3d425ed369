#include "DialogTemplate.h"

namespace {
class Reader {
public:
    Reader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}
    template <class T>
    T Get() {
        T value{};
        if (m_pos + sizeof(T) <= m_size)
            memcpy(&value, m_data + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    std::wstring String() {
        std::wstring s;
        for (WCHAR c; (c = Get<WCHAR>()) != 0 && m_pos <= m_size;)
            s += c;
        return s;
    }
    // A string, or 0xFFFF followed by an ordinal (given back as "#n").
    std::wstring StringOrOrdinal() {
        if (m_pos + 2 <= m_size && m_data[m_pos] == 0xFF && m_data[m_pos + 1] == 0xFF) {
            m_pos += 2;
            return L"#" + std::to_wstring(Get<WORD>());
        }
        return String();
    }
    void AlignDword() { m_pos = (m_pos + 3) & ~size_t{3}; }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

std::wstring PredefinedClass(const std::wstring& name) {
    if (name == L"#128") return L"Button";
    if (name == L"#129") return L"Edit";
    if (name == L"#130") return L"Static";
    if (name == L"#131") return L"ListBox";
    if (name == L"#132") return L"ScrollBar";
    if (name == L"#133") return L"ComboBox";
    return name;
}
}  // namespace

DialogTemplateInfo ParseDialogTemplate(const void* data, size_t size) {
    DialogTemplateInfo info;
    Reader r(static_cast<const BYTE*>(data), size);
    if (r.Get<WORD>() != 1 || r.Get<WORD>() != 0xFFFF)
        return info;
    info.extended = true;
    r.Get<DWORD>();  // help id
    info.exStyle = r.Get<DWORD>();
    info.style = r.Get<DWORD>();
    const WORD count = r.Get<WORD>();
    info.x = r.Get<short>();
    info.y = r.Get<short>();
    info.cx = r.Get<short>();
    info.cy = r.Get<short>();
    info.menu = r.StringOrOrdinal();
    info.className = r.StringOrOrdinal();
    info.title = r.String();
    if (info.style & (DS_SETFONT | DS_SHELLFONT)) {
        info.pointSize = r.Get<WORD>();
        info.weight = r.Get<WORD>();
        info.italic = r.Get<BYTE>();
        info.charset = r.Get<BYTE>();
        info.typeface = r.String();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignDword();
        DialogItem item;
        r.Get<DWORD>();  // help id
        item.exStyle = r.Get<DWORD>();
        item.style = r.Get<DWORD>();
        item.x = r.Get<short>();
        item.y = r.Get<short>();
        item.cx = r.Get<short>();
        item.cy = r.Get<short>();
        item.id = r.Get<DWORD>();
        item.className = PredefinedClass(r.StringOrOrdinal());
        item.text = r.StringOrOrdinal();
        const WORD extra = r.Get<WORD>();
        for (WORD b = 0; b < extra; ++b)
            r.Get<BYTE>();
        info.items.push_back(item);
    }
    return info;
}
