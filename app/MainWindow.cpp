#include "app/MainWindow.h"

#include "sentence/Samples.h"

#include <chrono>
#include <ctime>
#include <deque>
#include <sstream>

namespace {
std::vector<ComboBox::Item> portItems() {
    std::vector<ComboBox::Item> items;
    for (int number = 1; number <= 8; ++number) {
        items.push_back({"Com " + std::to_string(number), number});
    }
    return items;
}

std::vector<ComboBox::Item> rateItems() {
    std::vector<ComboBox::Item> items;
    for (int rate : {4800, 9600, 19200, 38400, 57600}) {
        items.push_back({std::to_string(rate), rate});
    }
    return items;
}

std::vector<ComboBox::Item> sampleItems() {
    std::vector<ComboBox::Item> items;
    for (const auto& sample : samples::table) {
        items.push_back({std::string(sample.name), 0});
    }
    return items;
}

std::string clockTime() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}
} // namespace

MainWindow::MainWindow(Platform platform)
    : Combo2("Com 1", portItems()), Combo3("9600", rateItems()),
      Combo1("Select Sample", sampleItems()), MSComm1(platform.serialPort),
      CommonDialog1(platform.fileDialog), settings_(platform.settings),
      messageBox_(platform.messageBox), eventLoop_(platform.eventLoop) {
    Combo1.onClick = [this] { Combo1_Click(); };
    Combo2.onClick = [this] { Combo2_Click(); };
    Combo3.onClick = [this] { Combo3_Click(); };
    Combo4.onClick = [this] { Combo4_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    Command8.onClick = [this] { Command8_Click(); };
    Command10.onClick = [this] { Command10_Click(); };
    mnufileopen.onClick = [this] { mnufileopen_Click(); };
    mnufilesave.onClick = [this] { mnufilesave_Click(); };
    mnuFileExit.onClick = [this] { mnuFileExit_Click(); };
    Timer1.onTick = [this] { Timer1_Tick(); };
    Timer2.onTick = [this] { Timer2_Tick(); };
    MSComm1.setListener(this);

    Form_Load();
}

MainWindow::~MainWindow() {
    MSComm1.setListener(nullptr);
}

void MainWindow::chop() {
    hexDigits.split(Text1.text());
}

void MainWindow::report(const std::string& problem) {
    std::deque<std::string> lines;
    std::istringstream existing(Text4.text());
    for (std::string line; std::getline(existing, line);) {
        lines.push_back(line);
    }
    lines.push_back(clockTime() + " " + problem);
    while (lines.size() > noticeLineLimit) {
        lines.pop_front();
    }
    std::string text;
    for (const auto& line : lines) {
        if (!text.empty()) {
            text += '\n';
        }
        text += line;
    }
    Text4.setText(text);
}

void MainWindow::yield() {
    eventLoop_.yield();
}

void MainWindow::close() {
    eventLoop_.endProgram();
}

void MainWindow::portEvent(std::int16_t kind) {
    MSComm1_OnComm(kind);
}
