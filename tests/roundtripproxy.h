#ifndef ROUNDTRIPPROXY_H
#define ROUNDTRIPPROXY_H

#include <QString>

#include <atomic>
#include <chrono>
#include <thread>

// Stands between the store and the throw-away PostgreSQL server as a network would: accepts
// on 127.0.0.1 only, forwards each connection to the server's Unix socket, holds every byte
// for a fixed delay in each direction, and counts round trips (a burst from the client that
// follows an answer from the server, or opens the connection). It runs on its own thread,
// which stops with the object or, at the latest, after its lifetime.
class RoundTripProxy
{
public:
    // socketPath: the server's socket file (DIR/.s.PGSQL.5432).
    RoundTripProxy(const QString &socketPath, std::chrono::milliseconds delayEachWay,
                   std::chrono::seconds lifetime = std::chrono::seconds(600));
    ~RoundTripProxy();
    RoundTripProxy(const RoundTripProxy &) = delete;
    RoundTripProxy &operator=(const RoundTripProxy &) = delete;

    bool isListening() const { return m_port != 0; }
    int port() const { return m_port; }
    // A libpq connection string like connectionString, but through this proxy.
    QString through(const QString &connectionString) const;

    int roundTrips() const { return m_roundTrips.load(); }
    void resetCount() { m_roundTrips = 0; }

private:
    void run();

    QString m_socketPath;
    std::chrono::milliseconds m_delay;
    std::chrono::steady_clock::time_point m_deadline;
    int m_listener = -1;
    int m_port = 0;
    int m_wake[2] = {-1, -1};
    std::atomic<int> m_roundTrips{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

#endif // ROUNDTRIPPROXY_H
