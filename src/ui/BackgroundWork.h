#pragma once

#include <QFutureWatcher>
#include <QLabel>
#include <QObject>
#include <QProgressBar>
#include <QPromise>
#include <QString>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "core/CurrentException.h"
#include "ui/WorkerPool.h"

// What work running in a worker sees of the window that started it: whether
// it should stop, and where its progress goes.
class WorkControl {
  public:
    struct Flags {
        std::atomic<bool> stop{false};     // 中止, a newer run, or the window closing
        std::atomic<bool> discard{false};  // nobody will see the outcome
    };
    WorkControl(std::shared_ptr<const Flags> flags, std::function<void(int)> setRange,
                std::function<void(int, const QString&)> report)
        : flags_(std::move(flags)), setRange_(std::move(setRange)), report_(std::move(report)) {}

    // The work should end soon, with what it did so far.
    bool StopAsked() const { return flags_->stop; }
    // The outcome will be thrown away: the work may skip what only it needs.
    bool Discarded() const { return flags_->discard; }
    // Progress runs from 0 to maximum; each report moves it, with a text or not.
    void SetRange(int maximum) const { setRange_(maximum); }
    void Report(int value, const QString& text = {}) const { report_(value, text); }

  private:
    std::shared_ptr<const Flags> flags_;
    std::function<void(int)> setRange_;
    std::function<void(int, const QString&)> report_;
};

// What one run of work hands back: its value, or the message for the user
// when it failed.
template <typename T>
struct WorkOutcome {
    std::optional<T> value;
    QString message;
};

// Long work a window runs off the user-interface thread: the work gets only
// copies of what it reads (and the WorkControl), runs on the program's own
// pool, and always ends with one outcome, which the window receives on its
// own thread.  Starting a run while one goes on stops the older one and drops
// its outcome.  Owned by the window, as a member.
template <typename T>
class BackgroundWork {
  public:
    using Work = std::function<T(const WorkControl&)>;
    using Ended = std::function<void(WorkOutcome<T>)>;

    BackgroundWork(QObject* owner, Ended ended)
        : ended_(std::move(ended)), watcher_(new QFutureWatcher<WorkOutcome<T>>(owner)) {
        QObject::connect(watcher_, &QFutureWatcherBase::finished, owner, [this] { Finish(); });
    }
    // A run still going on is told to stop; it holds only its own copies.
    ~BackgroundWork() {
        Stop();
        watcher_->disconnect();
    }
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Each run's progress moves the bar (and its text the label).
    void ShowProgressIn(QProgressBar* bar, QLabel* text = nullptr) {
        QObject::connect(watcher_, &QFutureWatcherBase::progressRangeChanged, bar,
                         &QProgressBar::setRange);
        QObject::connect(watcher_, &QFutureWatcherBase::progressValueChanged, bar,
                         &QProgressBar::setValue);
        if (text) {
            QObject::connect(watcher_, &QFutureWatcherBase::progressTextChanged, text,
                             &QLabel::setText);
        }
    }

    void Start(Work work) {
        Abandon();
        flags_ = std::make_shared<WorkControl::Flags>();
        running_ = true;
        // Watching the new run, the watcher no longer hears the older one.
        watcher_->setFuture(QtConcurrent::run(
            &WorkerPool(),
            [work = std::move(work), flags = flags_](QPromise<WorkOutcome<T>>& promise) {
                const WorkControl control(
                    flags, [&promise](int maximum) { promise.setProgressRange(0, maximum); },
                    [&promise](int value, const QString& text) {
                        if (text.isEmpty()) {
                            promise.setProgressValue(value);
                        } else {
                            promise.setProgressValueAndText(value, text);
                        }
                    });
                WorkOutcome<T> outcome;
                try {
                    outcome.value = work(control);
                } catch (...) {
                    outcome.message = QString::fromStdString(MessageOfCurrentException());
                }
                promise.addResult(std::move(outcome));
            }));
    }

    bool Running() const { return running_; }
    // Asks the run to stop; it still ends with its outcome.
    void Stop() {
        if (flags_) flags_->stop = true;
    }
    // Waits for the run, if any, and hands its outcome over now.
    void Wait() {
        if (!running_) return;
        watcher_->waitForFinished();
        Finish();
    }
    // Stops the run, if any, and drops its outcome at once; the worker ends
    // on its own.
    void Abandon() {
        Stop();
        running_ = false;
    }
    // Stops the run, if any, waits until its worker has returned and drops
    // its outcome.
    void Discard() {
        if (!running_) return;
        flags_->discard = true;
        Abandon();
        watcher_->waitForFinished();
    }

  private:
    void Finish() {
        if (!running_) return;
        running_ = false;
        const QFuture<WorkOutcome<T>> future = watcher_->future();
        ended_(future.resultCount() > 0 ? future.result() : WorkOutcome<T>{});
    }

    Ended ended_;
    QFutureWatcher<WorkOutcome<T>>* watcher_;
    std::shared_ptr<WorkControl::Flags> flags_;
    bool running_ = false;
};
