#pragma once
// Getting a page over HTTP, as the control's engine would.
#include <windows.h>

#include <string>

namespace standin {

struct FetchResult {
    DWORD status = 0;      // the HTTP status; 0 when there was no answer
    std::wstring url;      // where the page came from, after redirects
    std::string body;
};

FetchResult Fetch(const std::wstring& url);
// `relative` read against the address of the page it is on.
std::wstring CombineUrl(const std::wstring& base, const std::wstring& relative);

}  // namespace standin
