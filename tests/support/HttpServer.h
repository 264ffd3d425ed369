#pragma once
// A small HTTP server on a loopback port of its own, answering from a table
// of pages on a thread of its own, and recording the paths it was asked for.
#include <winsock2.h>
#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class HttpServer {
public:
    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Serves `body` (UTF-8 HTML) with `status` at `path` ("/a/b?c=d").
    void Serve(const std::string& path, const std::string& body, int status = 200);
    // "http://127.0.0.1:PORT" + path
    std::wstring Url(const std::string& path) const;
    // The paths asked for so far, oldest first.
    std::vector<std::string> Requests() const;
    size_t RequestCount(const std::string& path) const;

private:
    void Run();
    void Answer(SOCKET peer);

    struct Response {
        int status;
        std::string body;
    };
    SOCKET m_socket = INVALID_SOCKET;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::map<std::string, Response> m_pages;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};
