#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QSemaphore>
#include <QTest>
#include <QWidget>
#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/Errors.h"
#include "core/GlobalBas.h"
#include "ui/BackgroundWork.h"
#include "ui/ChildHost.h"

namespace {

// A window's work: the outcomes it was handed, in order.
struct Owner {
    QWidget window;
    std::vector<WorkOutcome<int>> outcomes;
    BackgroundWork<int> work{&window, [this](WorkOutcome<int> o) { outcomes.push_back(o); }};
};

TEST(BackgroundWork, EachRunEndsWithOneOutcomeAValueOrTheMessage) {
    Owner owner;
    QProgressBar bar;
    QLabel text;
    owner.work.ShowProgressIn(&bar, &text);
    owner.work.Start([](const WorkControl& control) {
        control.SetRange(4);
        control.Report(3, QStringLiteral("三つ目"));
        return 42;
    });
    EXPECT_TRUE(owner.work.Running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !owner.outcomes.empty(); }, 10000));
    EXPECT_FALSE(owner.work.Running());
    EXPECT_EQ(owner.outcomes[0].value, 42);
    QTRY_COMPARE(bar.maximum(), 4);
    QTRY_COMPARE(text.text(), QStringLiteral("三つ目"));

    owner.work.Start([](const WorkControl&) -> int { throw UserError("読めません。"); });
    owner.work.Wait();
    ASSERT_EQ(owner.outcomes.size(), 2u);
    EXPECT_FALSE(owner.outcomes[1].value);
    EXPECT_EQ(owner.outcomes[1].message, QStringLiteral("読めません。"));
    QTest::qWait(50);
    EXPECT_EQ(owner.outcomes.size(), 2u);  // handed over once, not again by the watcher
}

TEST(BackgroundWork, AStoppedRunStillEndsANewerRunDropsTheOlderAndDiscardWaits) {
    Owner owner;
    auto gate = std::make_shared<QSemaphore>();
    const auto waitThenCount = [gate](const WorkControl& control) {
        gate->acquire();
        return control.StopAsked() ? -1 : 1;
    };
    owner.work.Start(waitThenCount);
    owner.work.Stop();
    gate->release();
    owner.work.Wait();
    ASSERT_EQ(owner.outcomes.size(), 1u);
    EXPECT_EQ(owner.outcomes[0].value, -1);  // it saw the stop and ended with what it did

    // A second run started over a first: only the second's outcome arrives.
    owner.work.Start(waitThenCount);
    owner.work.Start([](const WorkControl&) { return 2; });
    gate->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return owner.outcomes.size() == 2; }, 10000));
    EXPECT_EQ(owner.outcomes[1].value, 2);

    // Discarded: the worker is asked to skip what only the outcome needs,
    // has returned when Discard does, and hands nothing over.
    std::atomic<bool> sawDiscard{false};
    owner.work.Start([&, gate](const WorkControl& control) {
        gate->acquire();
        sawDiscard = control.Discarded();
        return 3;
    });
    std::thread opener([gate] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        gate->release();
    });
    owner.work.Discard();
    opener.join();
    EXPECT_TRUE(sawDiscard);
    EXPECT_FALSE(owner.work.Running());
    QTest::qWait(50);
    EXPECT_EQ(owner.outcomes.size(), 2u);
}

// A host tells the windows that listen, as long as they live.
TEST(ChildHostChanges, ListenersAreToldUntilTheyAreGone) {
    struct Host : ChildHost {
        GlobalBas* snapshot = nullptr;
        const GlobalBas& Snapshot() const override { return *snapshot; }
        void SetPropEnd(bool) override {}
        const ReflectOptions& PredictionOptions() const override { return options; }
        void Changed() { NotifyChanges(); }
        ReflectOptions options;
    } host;
    int told = 0;
    auto first = std::make_unique<QWidget>();
    QWidget second;
    host.ListenForChanges(first.get(), [&] { told += 1; });
    host.ListenForChanges(&second, [&] { told += 10; });
    host.Changed();
    EXPECT_EQ(told, 11);
    first.reset();
    host.Changed();
    EXPECT_EQ(told, 21);
}

}  // namespace
