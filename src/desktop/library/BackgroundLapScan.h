#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "library/LapFinderScan.h"

// The Lap Finder's scan on a thread of its own, so the windows stay live. Everything it finds
// arrives as signals on the window's thread. At an unreadable file the scan waits until the window
// has shown its messages (messagesShown) or the scan is cancelled.
class BackgroundLapScan : public QObject {
    Q_OBJECT

public:
    explicit BackgroundLapScan(LapFinderRequest request, QObject* parent = nullptr);
    // Cancels and waits for the thread.
    ~BackgroundLapScan() override;

    void start();
    // Ends the scan within the file it reads; a scan waiting on messages stops waiting, and no
    // unreadableFile follows, even one sent before.
    void cancel();
    void messagesShown();

Q_SIGNALS:
    void progressed(int filesDone, int fileCount);
    void lapsFound(const std::vector<FoundLap>& laps);
    void unreadableFile(const std::vector<ScanMessage>& messages);
    void finished(bool completed);

private:
    class Sink;
    // Runs `emitter` on the window's thread (dropped if this object is gone by then).
    template <typename Emitter>
    void post(Emitter emitter);

    LapFinderRequest request_;
    std::thread worker_;
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::condition_variable answered_;
    bool waiting_ = false;
};
