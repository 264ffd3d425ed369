#pragma once
// What the stand-in understands of a page.
#include <string>
#include <vector>

namespace standin {

struct Element {
    enum class Kind { Text, Break, Link, Field, Frame, External };
    Kind kind;
    std::wstring text;    // Text, Link: what shows; Field: its value; Frame, External: the name
    std::wstring target;  // Link: href; Frame: src
};

struct Document {
    std::vector<Element> elements;
    int refreshSeconds = -1;  // <meta http-equiv="refresh">, -1 when there is none
    std::wstring refreshUrl;
};

Document ParseHtml(const std::wstring& html);

}  // namespace standin
