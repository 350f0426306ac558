#include "http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Waits up to 50 ms for `fd` to become readable; lets the loops notice a stop request.
bool readable(int fd)
{
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, 50) > 0;
}

void sendAll(int fd, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

}  // namespace

HttpTestServer::HttpTestServer(Reply reply) : m_reply(std::move(reply))
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(m_listener, 8);
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
}

HttpTestServer::~HttpTestServer()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listener);
}

std::string HttpTestServer::url() const
{
    return "http://127.0.0.1:" + std::to_string(m_port);
}

std::string HttpTestServer::lastPath() const
{
    std::lock_guard lock(m_mutex);
    return m_lastPath;
}

void HttpTestServer::run()
{
    while (!m_stop) {
        if (!readable(m_listener)) continue;
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0) continue;
        serve(client);
        ::close(client);
    }
}

void HttpTestServer::serve(int client)
{
    std::string request;
    char buffer[4096];
    while (!m_stop && request.find("\r\n\r\n") == std::string::npos) {
        if (!readable(client)) continue;
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) return;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    if (m_stop) return;
    ++m_requests;
    {
        const auto start = request.find(' ');
        const auto end = request.find(' ', start + 1);
        std::lock_guard lock(m_mutex);
        m_lastPath = start == std::string::npos ? "" : request.substr(start + 1, end - start - 1);
    }
    if (m_reply.behaviour == Behaviour::Silent) {
        while (!m_stop)
            readable(client);
        return;
    }
    if (m_reply.behaviour == Behaviour::Endless) {
        sendAll(client, "HTTP/1.1 200 Test\r\nConnection: close\r\n\r\n");
        const std::string chunk(64 * 1024, 'x');
        while (!m_stop && ::send(client, chunk.data(), chunk.size(), MSG_NOSIGNAL) > 0) {}
        return;
    }
    const std::size_t announced =
        m_reply.behaviour == Behaviour::Truncate ? m_reply.body.size() * 2 : m_reply.body.size();
    sendAll(client, "HTTP/1.1 " + std::to_string(m_reply.status) + " Test\r\nContent-Length: " +
                        std::to_string(announced) + "\r\nConnection: close\r\n\r\n" + m_reply.body);
}
