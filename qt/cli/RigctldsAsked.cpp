// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/cli/RigctldsAsked.h"

#include "qt/serial/RigctldLink.h"
#include "radio/PortLabel.h"

#include <QEventLoop>
#include <functional>
#include <memory>
#include <optional>
#include <set>

namespace {
// One rigctld asked, and what it said.
class Asked : private SerialPortListener {
public:
    Asked(const PortList::Rigctld& rigctld, std::function<void()> answered)
        : answered_(std::move(answered)) {
        link_.open(rigctld.entry, rigctld.number, LineSettings{});
    }

    // "rigctld at localhost:4532, Kenwood TS-2000", when it answered.
    std::string description;
    // Why it did not, when it did not.
    std::optional<std::string> failure;

private:
    void portOpened() override {
        description = link_.description();
        link_.close();
        answered_();
    }
    void openFailed(const std::string& reason) override {
        failure = reason;
        answered_();
    }
    void sendQueueDrained() override {}
    void inputWaiting() override {}
    void portLost(const std::string&) override {}
    void sendFailed(const SendFailure&) override {}

    std::function<void()> answered_;
    RigctldLink link_{*this};
};
} // namespace

void askRigctlds(PortList& ports) {
    if (ports.rigctlds.empty()) {
        return;
    }
    QEventLoop waiting;
    std::size_t unanswered = ports.rigctlds.size();
    std::vector<std::unique_ptr<Asked>> asked;
    for (const PortList::Rigctld& rigctld : ports.rigctlds) {
        asked.push_back(std::make_unique<Asked>(rigctld, [&] {
            if (--unanswered == 0) {
                waiting.quit();
            }
        }));
    }
    waiting.exec();

    std::set<qsizetype> silent;
    for (std::size_t at = 0; at < asked.size(); ++at) {
        const PortList::Rigctld& rigctld = ports.rigctlds[at];
        if (asked[at]->failure) {
            silent.insert(rigctld.place);
            ports.unusable << QString::fromStdString(*asked[at]->failure);
        } else {
            ports.usable[rigctld.place] =
                QString::fromStdString(portLabel(rigctld.number) + " is " + asked[at]->description);
        }
    }
    for (auto place = silent.rbegin(); place != silent.rend(); ++place) {
        ports.usable.removeAt(*place);
    }
    ports.rigctlds.clear();
}
