// A page is read as text with a few tags of meaning; every other tag is
// dropped and its text kept:
//   <a href=URL>text</a>          a link
//   <br> <p> <div> <li> <tr> <h1>..<h6> <hr> <form> <table>   a line break
//   <input value=V>               a text field (type=hidden is dropped)
//   <iframe src=URL name=N>       a frame, loaded after the page
//   <meta http-equiv="refresh" content="N;url=URL">   go to URL after N s
//   <standin-external name=NAME>  the stand-in's own tag: the value of the
//                                 script expression window.external.NAME
// The text of <script>, <style> and <title> is not shown. The usual
// character references (&amp; &lt; &gt; &quot; &apos; &nbsp; &#N; &#xN;) are
// decoded.
#include "Html.h"

#include <cwchar>
#include <cwctype>
#include <map>

namespace standin {

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f'; }

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring DecodeReferences(const std::wstring& text) {
    static const std::map<std::wstring, wchar_t> named = {
        {L"amp", L'&'}, {L"lt", L'<'}, {L"gt", L'>'}, {L"quot", L'"'}, {L"apos", L'\''}, {L"nbsp", L' '}};
    std::wstring result;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t end = text[i] == L'&' ? text.find(L';', i) : std::wstring::npos;
        if (end == std::wstring::npos || end - i > 10) {
            result += text[i];
            continue;
        }
        const std::wstring name = text.substr(i + 1, end - i - 1);
        wchar_t decoded = 0;
        if (name.size() > 1 && name[0] == L'#') {
            const bool hex = name[1] == L'x' || name[1] == L'X';
            decoded = static_cast<wchar_t>(std::wcstoul(name.c_str() + (hex ? 2 : 1), nullptr, hex ? 16 : 10));
        } else if (auto found = named.find(name); found != named.end()) {
            decoded = found->second;
        }
        if (decoded) {
            result += decoded;
            i = end;
        } else {
            result += text[i];
        }
    }
    return result;
}

struct Tag {
    std::wstring name;  // lower case, "/name" for an end tag
    std::map<std::wstring, std::wstring> attributes;  // names in lower case

    std::wstring Attribute(const wchar_t* key) const {
        auto found = attributes.find(key);
        return found == attributes.end() ? std::wstring() : found->second;
    }
};

class Parser {
public:
    explicit Parser(const std::wstring& html) : m_html(html) {}

    Document Run() {
        while (m_pos < m_html.size()) {
            if (m_html.compare(m_pos, 4, L"<!--") == 0)
                SkipPast(L"-->");
            else if (m_html[m_pos] == L'<' && m_pos + 1 < m_html.size() &&
                     (std::iswalpha(m_html[m_pos + 1]) || m_html[m_pos + 1] == L'/' || m_html[m_pos + 1] == L'!'))
                Handle(ReadTag());
            else
                AddText(ReadText());
        }
        EndLink();
        return std::move(m_document);
    }

private:
    void SkipPast(const wchar_t* marker) {
        const size_t end = m_html.find(marker, m_pos);
        m_pos = end == std::wstring::npos ? m_html.size() : end + std::wcslen(marker);
    }

    std::wstring ReadText() {
        const size_t end = m_html.find(L'<', m_pos + 1);
        const size_t stop = end == std::wstring::npos ? m_html.size() : end;
        std::wstring raw = m_html.substr(m_pos, stop - m_pos);
        m_pos = stop;
        return DecodeReferences(raw);
    }

    Tag ReadTag() {
        Tag tag;
        ++m_pos;  // '<'
        while (m_pos < m_html.size() && m_html[m_pos] != L'>' && !IsSpace(m_html[m_pos]))
            tag.name += static_cast<wchar_t>(std::towlower(m_html[m_pos++]));
        if (!tag.name.empty() && tag.name.back() == L'/')
            tag.name.pop_back();
        for (;;) {
            while (m_pos < m_html.size() && (IsSpace(m_html[m_pos]) || m_html[m_pos] == L'/'))
                ++m_pos;
            if (m_pos >= m_html.size() || m_html[m_pos] == L'>')
                break;
            std::wstring key;
            while (m_pos < m_html.size() && !IsSpace(m_html[m_pos]) && m_html[m_pos] != L'=' && m_html[m_pos] != L'>')
                key += static_cast<wchar_t>(std::towlower(m_html[m_pos++]));
            std::wstring value;
            if (m_pos < m_html.size() && m_html[m_pos] == L'=') {
                ++m_pos;
                value = ReadAttributeValue();
            }
            tag.attributes.emplace(key, DecodeReferences(value));
        }
        if (m_pos < m_html.size())
            ++m_pos;  // '>'
        return tag;
    }

    std::wstring ReadAttributeValue() {
        if (m_pos >= m_html.size())
            return {};
        const wchar_t quote = m_html[m_pos];
        if (quote == L'"' || quote == L'\'') {
            const size_t end = m_html.find(quote, m_pos + 1);
            const size_t stop = end == std::wstring::npos ? m_html.size() : end;
            std::wstring value = m_html.substr(m_pos + 1, stop - m_pos - 1);
            m_pos = stop == m_html.size() ? stop : stop + 1;
            return value;
        }
        std::wstring value;
        while (m_pos < m_html.size() && !IsSpace(m_html[m_pos]) && m_html[m_pos] != L'>')
            value += m_html[m_pos++];
        return value;
    }

    void Handle(const Tag& tag) {
        static const wchar_t* const breaks[] = {L"br", L"p", L"/p", L"div", L"/div", L"li", L"tr", L"/tr",
                                                L"h1", L"h2", L"h3", L"h4", L"h5", L"h6", L"/h1", L"/h2",
                                                L"/h3", L"/h4", L"/h5", L"/h6", L"hr", L"form", L"/form",
                                                L"table", L"/table"};
        const std::wstring& name = tag.name;
        if (name == L"script" || name == L"style" || name == L"title") {
            SkipPast((L"</" + name).c_str());
            SkipPast(L">");
        } else if (name == L"a") {
            EndLink();
            m_inLink = tag.attributes.count(L"href") != 0;
            m_linkTarget = tag.Attribute(L"href");
        } else if (name == L"/a") {
            EndLink();
        } else if (name == L"input") {
            if (Lower(tag.Attribute(L"type")) != L"hidden")
                Add({Element::Kind::Field, tag.Attribute(L"value"), {}});
        } else if (name == L"iframe") {
            Add({Element::Kind::Frame, tag.Attribute(L"name"), tag.Attribute(L"src")});
            SkipPast(L"</iframe");
            SkipPast(L">");
        } else if (name == L"standin-external") {
            Add({Element::Kind::External, tag.Attribute(L"name"), {}});
        } else if (name == L"meta") {
            if (Lower(tag.Attribute(L"http-equiv")) == L"refresh")
                ReadRefresh(tag.Attribute(L"content"));
        } else {
            for (const wchar_t* breaking : breaks) {
                if (name == breaking) {
                    AddBreak();
                    break;
                }
            }
        }
    }

    // content="N;url=URL" (the url part and its quotes optional)
    void ReadRefresh(const std::wstring& content) {
        m_document.refreshSeconds = static_cast<int>(std::wcstol(content.c_str(), nullptr, 10));
        const size_t at = Lower(content).find(L"url=");
        if (at == std::wstring::npos)
            return;
        std::wstring url = content.substr(at + 4);
        while (!url.empty() && (IsSpace(url.back()) || url.back() == L'\'' || url.back() == L'"'))
            url.pop_back();
        while (!url.empty() && (IsSpace(url.front()) || url.front() == L'\'' || url.front() == L'"'))
            url.erase(0, 1);
        m_document.refreshUrl = url;
    }

    // Runs of white space show as one space.
    void AddText(const std::wstring& raw) {
        std::wstring text;
        for (wchar_t c : raw) {
            if (!IsSpace(c))
                text += c;
            else if (text.empty() ? !AtLineStart() : text.back() != L' ')
                text += L' ';
        }
        if (text.empty())
            return;
        if (m_inLink) {
            m_linkText += text;
        } else if (!m_document.elements.empty() && m_document.elements.back().kind == Element::Kind::Text) {
            m_document.elements.back().text += text;
        } else {
            Add({Element::Kind::Text, text, {}});
        }
    }

    bool AtLineStart() const {
        if (m_inLink)
            return m_linkText.empty() || m_linkText.back() == L' ';
        const auto& elements = m_document.elements;
        if (elements.empty() || elements.back().kind == Element::Kind::Break)
            return true;
        const std::wstring& last = elements.back().text;
        return elements.back().kind == Element::Kind::Text && !last.empty() && last.back() == L' ';
    }

    void AddBreak() {
        EndLink();
        auto& elements = m_document.elements;
        if (!elements.empty() && elements.back().kind == Element::Kind::Text) {
            std::wstring& last = elements.back().text;
            while (!last.empty() && last.back() == L' ')
                last.pop_back();
        }
        if (!elements.empty() && elements.back().kind != Element::Kind::Break)
            Add({Element::Kind::Break, {}, {}});
    }

    void EndLink() {
        if (!m_inLink)
            return;
        m_inLink = false;
        while (!m_linkText.empty() && m_linkText.back() == L' ')
            m_linkText.pop_back();
        Add({Element::Kind::Link, m_linkText.empty() ? m_linkTarget : m_linkText, m_linkTarget});
        m_linkText.clear();
    }

    void Add(Element element) { m_document.elements.push_back(std::move(element)); }

    const std::wstring& m_html;
    size_t m_pos = 0;
    Document m_document;
    bool m_inLink = false;
    std::wstring m_linkTarget;
    std::wstring m_linkText;
};
}  // namespace

Document ParseHtml(const std::wstring& html) { return Parser(html).Run(); }

}  // namespace standin
