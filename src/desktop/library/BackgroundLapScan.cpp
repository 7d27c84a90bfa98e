#include "desktop/library/BackgroundLapScan.h"

class BackgroundLapScan::Sink : public LapFinderSink {
public:
    explicit Sink(BackgroundLapScan& scan) : scan_(scan) {}

    bool progress(std::size_t filesDone, std::size_t fileCount) override {
        scan_.post([done = static_cast<int>(filesDone), count = static_cast<int>(fileCount)](
                       BackgroundLapScan& s) { Q_EMIT s.progressed(done, count); });
        return !scan_.cancelled_;
    }
    void found(std::vector<FoundLap> laps) override {
        scan_.post([laps = std::move(laps)](BackgroundLapScan& s) { Q_EMIT s.lapsFound(laps); });
    }
    bool unreadable(const std::vector<ScanMessage>& messages) override {
        std::unique_lock lock(scan_.mutex_);
        scan_.waiting_ = true;
        // Checked again on arrival: a box must not open for a scan cancelled meanwhile.
        scan_.post([messages](BackgroundLapScan& s) {
            if (!s.cancelled_) Q_EMIT s.unreadableFile(messages);
        });
        scan_.answered_.wait(lock, [this] { return !scan_.waiting_ || scan_.cancelled_; });
        return !scan_.cancelled_;
    }
    bool stopRequested() const override { return scan_.cancelled_; }

private:
    BackgroundLapScan& scan_;
};

BackgroundLapScan::BackgroundLapScan(LapFinderRequest request, QObject* parent)
    : QObject(parent), request_(std::move(request)) {}

BackgroundLapScan::~BackgroundLapScan() {
    cancel();
    if (worker_.joinable()) worker_.join();
}

template <typename Emitter>
void BackgroundLapScan::post(Emitter emitter) {
    QMetaObject::invokeMethod(
        this, [this, emitter = std::move(emitter)] { emitter(*this); }, Qt::QueuedConnection);
}

void BackgroundLapScan::start() {
    worker_ = std::thread([this] {
        Sink sink(*this);
        const bool completed = scanLaps(request_, sink);
        post([completed](BackgroundLapScan& s) { Q_EMIT s.finished(completed); });
    });
}

void BackgroundLapScan::cancel() {
    const std::lock_guard lock(mutex_);
    cancelled_ = true;
    answered_.notify_all();
}

void BackgroundLapScan::messagesShown() {
    const std::lock_guard lock(mutex_);
    waiting_ = false;
    answered_.notify_all();
}
