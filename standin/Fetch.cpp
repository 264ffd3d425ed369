#include "Fetch.h"

#include <wininet.h>

#include <memory>

namespace standin {

namespace {
struct InternetCloser {
    void operator()(HINTERNET handle) const { ::InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetCloser>;
}  // namespace

FetchResult Fetch(const std::wstring& url) {
    FetchResult result;
    result.url = url;
    // Direct: the pages a test or the demo serves are on this machine.
    InternetHandle session(::InternetOpenW(L"StandInBrowser/1.0", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session)
        return result;
    InternetHandle request(::InternetOpenUrlW(session.get(), url.c_str(), nullptr, 0,
                                              INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI, 0));
    if (!request)
        return result;
    DWORD size = sizeof(result.status);
    DWORD index = 0;
    if (!::HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &result.status, &size,
                          &index))
        result.status = 0;
    wchar_t finalUrl[INTERNET_MAX_URL_LENGTH];
    size = sizeof(finalUrl);
    if (::InternetQueryOptionW(request.get(), INTERNET_OPTION_URL, finalUrl, &size))
        result.url = finalUrl;
    char buffer[4096];
    DWORD read = 0;
    while (::InternetReadFile(request.get(), buffer, sizeof(buffer), &read) && read)
        result.body.append(buffer, read);
    return result;
}

std::wstring CombineUrl(const std::wstring& base, const std::wstring& relative) {
    wchar_t combined[INTERNET_MAX_URL_LENGTH];
    DWORD size = INTERNET_MAX_URL_LENGTH;
    if (!::InternetCombineUrlW(base.c_str(), relative.c_str(), combined, &size, ICU_NO_ENCODE))
        return relative;
    return combined;
}

}  // namespace standin
