// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "tests/soak/SoakRuns.h"

#include "tests/support/ProcessFigures.h"

#include <QCoreApplication>
#include <vector>

namespace {
// 19200 baud at ten bits a character.
constexpr int slowRadioBytesPerSecond = 1920;
// Presses paced so that the slow radio takes some of them while the others are refused.
constexpr auto slowPressPause = std::chrono::milliseconds(5);
constexpr auto generous = std::chrono::seconds(10);
constexpr std::string_view queueFull = "send queue is full";
constexpr std::string_view lost = "connection to the radio was lost";

bool isCommandOfTheSample(const std::string& text) {
    return text == SerialRig::urCommand() || text == SerialRig::utCommand();
}

bool completeSendStartsAt(const std::vector<SimulatedRadio::Command>& heard, std::size_t at) {
    return at + 1 < heard.size() && heard[at].text == SerialRig::urCommand() &&
           heard[at + 1].text == SerialRig::utCommand();
}

bool radioHasHeardAllThatWasTaken(const SerialRig& rig) {
    return rig.radio.receivedCount() == rig.port.acceptedBytes();
}
} // namespace

StallFigures stallAndResume(SerialRig& rig, int updates, std::chrono::milliseconds resendWatch) {
    StallFigures figures;
    MainWindow& window = rig.window();
    const int reportsAtStart = rig.notices.count(queueFull);
    rig.port.restartTally();

    const int slowUpdates = updates / 2;
    rig.radio.readSlowly(slowRadioBytesPerSecond);
    for (int i = 0; i < updates; ++i) {
        if (i == slowUpdates) {
            rig.radio.stopReading();
        }
        window.updateButton.press();
        ++figures.updatesPressed;
        if (i < slowUpdates) {
            runFor(slowPressPause);
        } else {
            QCoreApplication::processEvents();
        }
        if (i == slowUpdates / 5) {
            figures.residentAfterWarmUpKiB = process::residentKiB();
        }
    }

    // What the port took is still owed to the line at its rate; until that has left, the
    // resend leaves the line alone and has nothing to be refused.
    static_cast<void>(runUntil([&] { return !rig.port.isLineBusy(); }, generous));
    const std::size_t refusedBeforeWatch = rig.port.refusedWrites();
    const int reportsBeforeWatch = rig.notices.count(queueFull);
    runFor(resendWatch);
    figures.refusedByResend = rig.port.refusedWrites() - refusedBeforeWatch;
    figures.reportsDuringResend = rig.notices.count(queueFull) - reportsBeforeWatch;

    rig.radio.readSlowly(0);
    rig.radio.resumeReading();
    figures.caughtUp = runUntil([&] { return radioHasHeardAllThatWasTaken(rig); }, generous);
    const std::size_t heardBeforeResume = rig.radio.commands().size();
    window.updateButton.press();
    const bool sentAgain =
        runUntil([&] { return rig.radio.commands().size() >= heardBeforeResume + 2; }, generous);
    figures.resumed = sentAgain && completeSendStartsAt(rig.radio.commands(), heardBeforeResume);
    figures.caughtUp =
        figures.caughtUp && runUntil([&] { return radioHasHeardAllThatWasTaken(rig); }, generous);

    figures.bytesAccepted = rig.port.acceptedBytes();
    figures.bytesHeard = rig.radio.receivedCount();
    figures.refusedWrites = rig.port.refusedWrites();
    figures.largestQueue = rig.port.largestQueue();
    figures.refusalReports = rig.notices.count(queueFull) - reportsAtStart;
    const std::vector<SimulatedRadio::Command> heard = rig.radio.commands();
    figures.commandsHeard = heard.size();
    for (std::size_t at = 0; at < heard.size(); ++at) {
        if (!isCommandOfTheSample(heard[at].text)) {
            ++figures.malformedCommands;
        }
        if (completeSendStartsAt(heard, at)) {
            ++figures.sendsCompleted;
        }
    }
    figures.residentAtEndKiB = process::residentKiB();
    return figures;
}

HangUpFigures hangUpsAndReconnects(SerialRig& rig, int cycles,
                                   std::chrono::milliseconds idleWatch) {
    HangUpFigures figures;
    MainWindow& window = rig.window();
    const int lossesAtStart = rig.notices.count(lost);
    figures.descriptorsAtStart = process::openDescriptors();

    for (int cycle = 0; cycle < cycles; ++cycle) {
        ++figures.cycles;
        rig.radio.hangUp();
        if (runUntil(
                [&] {
                    return !rig.port.isOpen() && window.portLamp.fillColour() == colours::darkRed;
                },
                generous)) {
            ++figures.lossesSeen;
        }

        const double cpuBefore = process::cpuSeconds();
        const auto idleStart = std::chrono::steady_clock::now();
        runFor(idleWatch);
        figures.idleCpuSeconds += process::cpuSeconds() - cpuBefore;
        figures.idleSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - idleStart).count();

        rig.radio.reappear();
        rig.relinkRadio();
        window.connectButton.press();
        if (rig.port.isOpen() && window.portLamp.fillColour() == colours::red) {
            ++figures.reopened;
        }
        const std::size_t heardBefore = rig.radio.commands().size();
        window.updateButton.press();
        if (runUntil([&] { return rig.radio.commands().size() >= heardBefore + 2; }, generous) &&
            completeSendStartsAt(rig.radio.commands(), heardBefore)) {
            ++figures.updatesHeard;
        }
    }

    figures.descriptorsAtEnd = process::openDescriptors();
    figures.lossReports = rig.notices.count(lost) - lossesAtStart;
    return figures;
}
