// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/cli/CommandLine.h"

#include "cli/Arguments.h"
#include "cli/HelpTexts.h"
#include "cli/PortChoice.h"
#include "cli/SendRun.h"
#include "cli/SentenceRead.h"
#include "qt/ProgramFolder.h"
#include "qt/QtEventLoop.h"
#include "qt/cli/RigctldsAsked.h"
#include "qt/serial/PortDevice.h"
#include "qt/serial/QtSerialPort.h"
#include "qt/settings/SystemSettingsStore.h"
#include "qt/timers/TimerDriver.h"
#include "system/Utf8Console.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <iostream>

using namespace command_line;

namespace {
int told(const Outcome& outcome) {
    if (outcome.status == ExitStatus::success) {
        std::cout << outcome.words << '\n';
    } else {
        std::cerr << "sonavel: " << outcome.words << '\n';
    }
    if (outcome.status == ExitStatus::usage) {
        std::cerr << usageText();
    }
    return static_cast<int>(outcome.status);
}

// Qt is handed no arguments of ours to read.
int argumentCount = 1;
char programName[] = "sonavel";
char* programArguments[] = {programName, nullptr};

// What --port takes on standard output, one port a line; what cannot be used on standard
// error, with why. A rigctld is listed only where it answers.
int listThePorts() {
    QCoreApplication application(argumentCount, programArguments);
    QtEventLoop eventLoop;
    eventLoop.endOnSystemRequests();
    const QString folder = programFolderPath("ports");
    PortList ports = listPorts(folder);
    askRigctlds(ports);
    for (const QString& port : ports.usable) {
        std::cout << port.toStdString() << '\n';
    }
    std::cout.flush();
    for (const QString& unusable : ports.unusable) {
        std::cerr << "sonavel: " << unusable.toStdString() << '\n';
    }
    if (ports.usable.isEmpty()) {
        return told({ExitStatus::failure, noPortAdvice() + "."});
    }
    return static_cast<int>(ExitStatus::success);
}

int send(const Request& request) {
    // Read before the port is touched: a sentence that cannot go leaves the radio alone.
    const SentenceRead read = readSentence(request.source);
    if (!read.sentence) {
        return told(read.problem);
    }
    QCoreApplication application(argumentCount, programArguments);
    QtSerialPort port(Audience::script);
    if (request.way) {
        port.setNamedWay(*request.way);
    }
    QtEventLoop eventLoop;
    eventLoop.releaseAtEnd([&port] { port.release(); });
    eventLoop.endOnSystemRequests();

    SystemSettingsReader settings;
    const PortChoice choice = choosePort(port, request, settings);
    if (choice.problem) {
        return told(*choice.problem);
    }

    SendRun run(port);
    const TimerDriver resend(run.resendTimer);
    const TimerDriver lineWatch(run.lineWatchTimer);
    const TimerDriver answer(run.answerTimer);
    run.onEnd = [](const Outcome& outcome) { QCoreApplication::exit(told(outcome)); };
    // Started from the event loop, whose exit() would be lost before it runs.
    QMetaObject::invokeMethod(
        &application,
        [&] {
            run.start(*read.sentence, request.autoSeconds, choice.origin, request.rate.has_value());
        },
        Qt::QueuedConnection);
    return QCoreApplication::exec();
}
} // namespace

int runCommandLine(const std::vector<std::string>& arguments) {
    const Utf8Console console;
    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.request) {
        return told({ExitStatus::usage, parsed.usageError});
    }
    switch (parsed.request->action) {
    case Request::Action::help:
        std::cout << helpText();
        return static_cast<int>(ExitStatus::success);
    case Request::Action::version:
        std::cout << versionText();
        return static_cast<int>(ExitStatus::success);
    case Request::Action::listPorts:
        return listThePorts();
    case Request::Action::send:
        break;
    }
    return send(*parsed.request);
}
