// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// The large soak of the serial link against the simulated radio.
//
//   bench_soak [updates] [hang-ups]
//
// updates: Updates pressed, half to a radio reading at 19200 baud and half to one that has
// stopped, before it reads again; 10000 unless given. hang-ups: times the radio hangs up and
// comes back, with Connect pressed after each; 100 unless given.

#include "tests/soak/SoakRuns.h"
#include "tests/support/ProcessFigures.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {
int countFrom(int argc, char** argv, int at, int fallback) {
    if (argc <= at) {
        return fallback;
    }
    const int count = std::atoi(argv[at]);
    if (count < 1) {
        std::fprintf(stderr, "bench_soak: give the counts as whole numbers of 1 or more\n");
        std::exit(EXIT_FAILURE);
    }
    return count;
}

const char* yesNo(bool value) {
    return value ? "yes" : "no";
}
} // namespace

int main(int argc, char** argv) {
    const int updates = countFrom(argc, argv, 1, 10000);
    const int hangUps = countFrom(argc, argv, 2, 100);
    QCoreApplication app(argc, argv);

    SerialRig rig;
    if (!rig.connected()) {
        std::fprintf(stderr, "bench_soak: the program could not connect to the simulated radio\n");
        return EXIT_FAILURE;
    }
    const int descriptorsAtStart = process::openDescriptors();

    const StallFigures stall = stallAndResume(rig, updates);
    std::printf("stall: %d Updates, half to a radio reading 1920 bytes/s, half to a stopped "
                "one, then 3 s of resend alone, then the radio reads again\n",
                stall.updatesPressed);
    std::printf("  sends completed:          %zu (UR and UT heard whole; %zu commands, %zu "
                "malformed)\n",
                stall.sendsCompleted, stall.commandsHeard, stall.malformedCommands);
    std::printf("  refused writes:           %zu refused by the port, %d reported in the box\n",
                stall.refusedWrites, stall.refusalReports);
    std::printf("  resend alone, stalled:    %zu refused, %d reported\n", stall.refusedByResend,
                stall.reportsDuringResend);
    std::printf("  send queue at its fullest: %lld bytes at least (limit %zu)\n",
                stall.largestQueue, SerialPort::sendQueueSize);
    std::printf("  caught up after resume:   %s (%zu bytes taken, %zu heard); sending resumed: "
                "%s\n",
                yesNo(stall.caughtUp), stall.bytesAccepted, stall.bytesHeard, yesNo(stall.resumed));
    // The simulated radio keeps every byte and command it heard, which the program does not.
    const std::size_t radioRecordKiB =
        (stall.bytesHeard * sizeof(SimulatedRadio::Byte) +
         stall.commandsHeard * (sizeof(SimulatedRadio::Command) + SerialRig::urCommand().size())) /
        1024;
    std::printf("  resident memory:          %ld KiB after warm-up, %ld KiB at the end (the "
                "simulated radio's record of what it heard: about %zu KiB)\n",
                stall.residentAfterWarmUpKiB, stall.residentAtEndKiB, radioRecordKiB);

    const HangUpFigures hangUp = hangUpsAndReconnects(rig, hangUps);
    std::printf("hang-ups: %d, Connect pressed after each\n", hangUp.cycles);
    std::printf("  losses seen / reported:   %d / %d\n", hangUp.lossesSeen, hangUp.lossReports);
    std::printf("  reopened / Update heard:  %d / %d\n", hangUp.reopened, hangUp.updatesHeard);
    std::printf("  idle with the port lost:  %.3f s of CPU in %.3f s\n", hangUp.idleCpuSeconds,
                hangUp.idleSeconds);
    std::printf("  open descriptors:         %d before the hang-ups, %d after\n",
                hangUp.descriptorsAtStart, hangUp.descriptorsAtEnd);

    std::printf("whole run: open descriptors %d at start, %d at end; peak memory %ld KiB\n",
                descriptorsAtStart, process::openDescriptors(), process::peakResidentKiB());
    return EXIT_SUCCESS;
}
