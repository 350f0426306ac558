// A one-thread HTTP server on 127.0.0.1 and an ephemeral port, for the download tests: it
// serves one canned answer to every request and stops when the object goes.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

class HttpTestServer {
public:
    enum class Behaviour {
        Answer,    // status line, exact Content-Length, body
        Truncate,  // announces twice the body's length, sends the body, closes
        Silent,    // accepts the connection and never answers
        Endless,   // no Content-Length, then the body over and over until the client leaves
    };
    struct Reply {
        Behaviour behaviour = Behaviour::Answer;
        int status = 200;
        std::string body;
    };

    explicit HttpTestServer(Reply reply);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    // "http://127.0.0.1:PORT"
    std::string url() const;
    // The request target of the last request received ("" before any).
    std::string lastPath() const;
    int requestCount() const { return m_requests; }

private:
    void run();
    void serve(int client);

    Reply m_reply;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_requests{0};
    mutable std::mutex m_mutex;
    std::string m_lastPath;
    std::thread m_thread;
};
