// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "tests/soak/SoakRuns.h"
#include "tests/support/TestApplication.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {
constexpr int updates = 1000;
constexpr int hangUps = 20;
// Generous: the soak must catch growth per Update or a spinning loop, not allocator noise. The
// address sanitizer's allocator holds freed blocks and its own records resident, several times
// what the program keeps; its leak checker watches for real leaks there.
#ifdef __SANITIZE_ADDRESS__
constexpr long residentGrowthBoundKiB = 64 * 1024;
#else
constexpr long residentGrowthBoundKiB = 8 * 1024;
#endif
constexpr double idleShareBound = 0.25;

class SerialSoak : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.connected()) << "the radio is not on Com 3"; }

    QApplication& app = application();
    SerialRig rig;
};
} // namespace

TEST_F(SerialSoak, AStalledRadioFillsNoMoreThanTheSendQueueIsToldOnceAndCatchesUpWhole) {
    const StallFigures figures = stallAndResume(rig, updates);

    EXPECT_GT(figures.refusedWrites, 0u) << "the radio never held the program up";
    EXPECT_LE(figures.largestQueue, static_cast<long long>(SerialPort::sendQueueSize));

    EXPECT_GE(figures.refusalReports, 1);
    // Never more than one notice for a refused write.
    EXPECT_LE(figures.refusalReports, static_cast<int>(figures.refusedWrites));
    EXPECT_GE(figures.refusedByResend, 4u) << "the resend stopped trying";
    // The last press has told of the full queue already, unless that press failed only at its
    // second command, which is told apart from the first.
    EXPECT_LE(figures.reportsDuringResend, 1);

    EXPECT_TRUE(figures.caughtUp);
    EXPECT_EQ(figures.bytesHeard, figures.bytesAccepted);
    EXPECT_EQ(figures.malformedCommands, 0u);
    EXPECT_TRUE(figures.resumed);
    EXPECT_LE(figures.residentAtEndKiB - figures.residentAfterWarmUpKiB, residentGrowthBoundKiB);
}

TEST_F(SerialSoak, EveryHangUpIsToldOnceAndConnectReopensWithoutLeakOrSpin) {
    const HangUpFigures figures = hangUpsAndReconnects(rig, hangUps);

    EXPECT_EQ(figures.lossesSeen, hangUps);
    EXPECT_EQ(figures.lossReports, hangUps);
    EXPECT_EQ(figures.reopened, hangUps);
    EXPECT_EQ(figures.updatesHeard, hangUps);
    EXPECT_EQ(figures.descriptorsAtEnd, figures.descriptorsAtStart);
    EXPECT_LT(figures.idleCpuSeconds, idleShareBound * figures.idleSeconds)
        << figures.idleCpuSeconds << " s of CPU in " << figures.idleSeconds
        << " s with the port lost";
}
