#pragma once
// Conversions for log lines: UTF-8 text and result codes.
#include <windows.h>
#include <string>

namespace standin {

std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& bytes);
// S_OK and S_FALSE read as 0 and 1, failures as 0x8xxxxxxx.
std::string HrText(HRESULT hr);
std::string Hex(const void* data, size_t size);

}  // namespace standin
