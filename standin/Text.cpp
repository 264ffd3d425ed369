#include "Text.h"

#include <cstdio>

namespace standin {

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(length, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

std::wstring FromUtf8(const std::string& bytes) {
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
    std::wstring result(length, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, result.data(), length);
    return result;
}

std::string HrText(HRESULT hr) {
    if (hr >= 0)
        return std::to_string(hr);
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

std::string Hex(const void* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string result;
    result.reserve(size * 2);
    for (const BYTE* p = static_cast<const BYTE*>(data); size--; ++p) {
        result += digits[*p >> 4];
        result += digits[*p & 15];
    }
    return result;
}

}  // namespace standin
