#include "support/HttpServer.h"

#include <algorithm>

HttpServer::HttpServer() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    m_socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    int length = sizeof(address);
    ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    ::listen(m_socket, 16);
    m_thread = std::thread([this] { Run(); });
}

HttpServer::~HttpServer() {
    // Closing the listening socket ends the accept loop.
    ::closesocket(m_socket);
    m_thread.join();
    ::WSACleanup();
}

void HttpServer::Serve(const std::string& path, const std::string& body, int status) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pages[path] = {status, body};
}

std::wstring HttpServer::Url(const std::string& path) const {
    return L"http://127.0.0.1:" + std::to_wstring(m_port) + std::wstring(path.begin(), path.end());
}

std::vector<std::string> HttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

size_t HttpServer::RequestCount(const std::string& path) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<size_t>(std::count(m_requests.begin(), m_requests.end(), path));
}

void HttpServer::Run() {
    for (;;) {
        SOCKET peer = ::accept(m_socket, nullptr, nullptr);
        if (peer == INVALID_SOCKET)
            return;
        Answer(peer);
        ::closesocket(peer);
    }
}

void HttpServer::Answer(SOCKET peer) {
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const int received = ::recv(peer, buffer, sizeof(buffer), 0);
        if (received <= 0)
            return;
        request.append(buffer, static_cast<size_t>(received));
    }
    // "GET /path HTTP/1.1"
    const size_t start = request.find(' ') + 1;
    const std::string path = request.substr(start, request.find(' ', start) - start);
    Response response{404, "<p>Not found</p>"};
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(path);
        if (auto found = m_pages.find(path); found != m_pages.end())
            response = found->second;
    }
    const std::string answer = "HTTP/1.1 " + std::to_string(response.status) +
                               (response.status == 200 ? " OK" : " Error") +
                               "\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
                               "Connection: close\r\nContent-Length: " +
                               std::to_string(response.body.size()) + "\r\n\r\n" + response.body;
    ::send(peer, answer.data(), static_cast<int>(answer.size()), 0);
    ::shutdown(peer, SD_SEND);
}
