#include "roundtripproxy.h"

#include "connectioninfo.h"

#include <QByteArray>

#include <deque>
#include <memory>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Bytes read from one side, each chunk due at the other side after the delay.
struct Pending {
    Clock::time_point due;
    QByteArray bytes;
};

struct Link {
    int client = -1;
    int server = -1;
    std::deque<Pending> toServer;
    std::deque<Pending> toClient;
    bool serverSpoke = true; // so that the first burst of a connection counts too
    bool closed = false;

    ~Link()
    {
        if (client >= 0)
            ::close(client);
        if (server >= 0)
            ::close(server);
    }
};

int connectUnix(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path.toLocal8Bit();
    if (fd < 0 || size_t(name.size()) >= sizeof(address.sun_path)) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    memcpy(address.sun_path, name.constData(), size_t(name.size()));
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Writes what is due; false when the other side is gone.
bool flush(int fd, std::deque<Pending> &queue, Clock::time_point now)
{
    while (!queue.empty() && queue.front().due <= now) {
        QByteArray &bytes = queue.front().bytes;
        const ssize_t written = ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL);
        if (written < 0)
            return false;
        bytes.remove(0, int(written));
        if (!bytes.isEmpty())
            return true; // the rest when the socket takes it
        queue.pop_front();
    }
    return true;
}

} // namespace

RoundTripProxy::RoundTripProxy(const QString &socketPath, std::chrono::milliseconds delayEachWay,
                               std::chrono::seconds lifetime)
    : m_socketPath(socketPath)
    , m_delay(delayEachWay)
    , m_deadline(Clock::now() + lifetime)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0
        || ::listen(m_listener, 16) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0
        || ::pipe(m_wake) != 0)
        return;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
}

RoundTripProxy::~RoundTripProxy()
{
    m_stop = true;
    if (m_wake[1] >= 0)
        (void)::write(m_wake[1], "x", 1);
    if (m_thread.joinable())
        m_thread.join();
    for (int fd : {m_listener, m_wake[0], m_wake[1]}) {
        if (fd >= 0)
            ::close(fd);
    }
}

QString RoundTripProxy::through(const QString &connectionString) const
{
    ConnectionInfo info;
    info.parse(connectionString);
    info.set(QStringLiteral("host"), QStringLiteral("127.0.0.1"));
    info.set(QStringLiteral("port"), QString::number(m_port));
    // A clinic's server would offer TLS; the server behind this proxy listens locally only.
    info.set(QStringLiteral("sslmode"), QStringLiteral("disable"));
    info.set(QStringLiteral("gssencmode"), QStringLiteral("disable"));
    return info.toString();
}

void RoundTripProxy::run()
{
    std::vector<std::unique_ptr<Link>> links;
    char buffer[65536];
    while (!m_stop && Clock::now() < m_deadline) {
        std::vector<pollfd> watched = {{m_listener, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        Clock::time_point next = m_deadline;
        for (const auto &link : links) {
            watched.push_back({link->client, POLLIN, 0});
            watched.push_back({link->server, POLLIN, 0});
            for (const auto *queue : {&link->toServer, &link->toClient}) {
                if (!queue->empty() && queue->front().due < next)
                    next = queue->front().due;
            }
        }
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now());
        ::poll(watched.data(), nfds_t(watched.size()), int(std::max<long long>(0, wait.count())));
        const Clock::time_point now = Clock::now();
        // A link accepted below was not polled this turn: it has no entry in watched yet.
        const size_t polled = links.size();
        if (watched[0].revents & POLLIN) {
            const int client = ::accept(m_listener, nullptr, nullptr);
            const int server = client >= 0 ? connectUnix(m_socketPath) : -1;
            if (server >= 0) {
                auto link = std::make_unique<Link>();
                link->client = client;
                link->server = server;
                links.push_back(std::move(link));
            } else if (client >= 0) {
                ::close(client);
            }
        }
        for (size_t i = 0; i < polled; ++i) {
            Link &link = *links[i];
            const pollfd &fromClient = watched[2 + 2 * i];
            const pollfd &fromServer = watched[3 + 2 * i];
            if (fromClient.revents & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t got = ::recv(link.client, buffer, sizeof(buffer), 0);
                if (got <= 0) {
                    link.closed = true;
                } else {
                    if (link.serverSpoke)
                        ++m_roundTrips;
                    link.serverSpoke = false;
                    link.toServer.push_back({now + m_delay, QByteArray(buffer, int(got))});
                }
            }
            if (fromServer.revents & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t got = ::recv(link.server, buffer, sizeof(buffer), 0);
                if (got <= 0) {
                    link.closed = true;
                } else {
                    link.serverSpoke = true;
                    link.toClient.push_back({now + m_delay, QByteArray(buffer, int(got))});
                }
            }
            if (!flush(link.server, link.toServer, now) || !flush(link.client, link.toClient, now))
                link.closed = true;
        }
        // A link whose side went away closes once what it still carries is delivered.
        for (auto it = links.begin(); it != links.end();) {
            Link &link = **it;
            if (link.closed && (link.toClient.empty() || now > link.toClient.back().due))
                it = links.erase(it);
            else
                ++it;
        }
    }
}
