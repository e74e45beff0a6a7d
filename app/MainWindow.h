#pragma once

#include "app/controls/Captioned.h"
#include "app/controls/CheckBox.h"
#include "app/controls/ComboBox.h"
#include "app/controls/CommandButton.h"
#include "app/controls/Shape.h"
#include "app/controls/TextBox.h"
#include "app/controls/Timer.h"
#include "platform/EventLoop.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/SerialPort.h"
#include "platform/SettingsStore.h"
#include "radio/RadioReplies.h"
#include "radio/RepeatedProblem.h"
#include "sentence/HexDigits.h"
#include "store/FileSlots.h"

#include <array>
#include <cstdint>
#include <string>

// What the window needs from the platform it runs on.
struct Platform {
    SerialPort& serialPort;
    SettingsStore& settings;
    FileDialog& fileDialog;
    MessageBox& messageBox;
    EventLoop& eventLoop;
};

// The one window: every control under its own name, the window-level values, and one handler
// per control event. Each subsystem defines the handlers it owns in its own folder.
class MainWindow : private SerialPortListener {
public:
    static constexpr int noticeLineLimit = 50;

    // Creating the window runs start-up.
    explicit MainWindow(Platform platform);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Form Form1{"TS-2000 Sonavel  v1.1  (By Kestrum)"};

    Frame Frame4{"Port Settings"};
    Shape Shape8{colours::darkRed};
    CommandButton Command2{"Connect", colours::activeBorder};
    ComboBox Combo2;
    ComboBox Combo3;

    Frame Frame5{"WARNING"};
    TextBox Text4{TextBox::Typing::readOnly};

    Frame Frame3{"Command Viewer"};
    ComboBox Combo1;
    TextBox Text1{TextBox::Typing::readOnly};
    TextBox Text3{TextBox::Typing::readOnly, "01020304050607080910111213141516"};
    CommandButton Command1{"E&xit"};

    Frame Frame7{"File"};
    CommandButton Command8{"Open"};
    CommandButton Command10{"Save"};

    Frame Frame2{"Send Command to Radio"};
    Shape Shape1{colours::darkGreen};
    CommandButton Command6{"Update"};
    CheckBox Check1{"Auto", CheckBox::ticked};

    Frame Frame1{"Edit Line"};
    ComboBox Combo4;
    std::array<TextBox, HexDigits::lineLength> Text2{
        TextBox{TextBox::Typing::allowed}, TextBox{TextBox::Typing::allowed},
        TextBox{TextBox::Typing::allowed}, TextBox{TextBox::Typing::allowed},
        TextBox{TextBox::Typing::allowed}, TextBox{TextBox::Typing::allowed},
        TextBox{TextBox::Typing::allowed}, TextBox{TextBox::Typing::allowed}};
    CommandButton Command3{"Accept Changes"};

    Timer Timer1{500};
    Timer Timer2{100};

    Menu mnufile{"&File"};
    MenuItem mnufileopen{"&Open"};
    MenuItem mnufilesave{"&Save"};
    MenuItem mnuFileExit{"E&xit"};

    SerialPort& MSComm1;
    FileDialog& CommonDialog1;

    HexDigits hexDigits;
    std::int16_t lineStart = 0;
    std::string txSentence;
    std::string rxBuffer;

    // Splits the sentence box into the digit store.
    void chop();
    // Tells the user what went wrong, in the notice box, without a dialog.
    void report(const std::string& problem);

private:
    void yield();
    void close();

    void portEvent(std::int16_t kind) override;
    void portLost(const std::string& reason) override;

    // app/StartUp.cpp
    void Form_Load();
    void Command1_Click();
    void mnuFileExit_Click();

    // sentence/SampleChoice.cpp
    void Combo1_Click();
    // sentence/LineEditor.cpp
    void Combo4_Click();
    void Command3_Click();

    // radio/PortControl.cpp
    void Combo2_Click();
    void Combo3_Click();
    void Command2_Click();
    void MSComm1_OnComm(std::int16_t kind);
    void Timer2_Tick();
    // radio/Transmission.cpp
    void Command6_Click();
    void Timer1_Tick();
    // The Update action; false when a step failed and ended it.
    bool update();
    void reportSendProblem(const std::string& problem);

    // store/SentenceFiles.cpp
    void Command8_Click();
    void Command10_Click();
    void mnufileopen_Click();
    void mnufilesave_Click();

    FileSlots fileSlots_;
    RepeatedProblem sendProblem_;
    RadioReplies radioReplies_;

    SettingsStore& settings_;
    MessageBox& messageBox_;
    EventLoop& eventLoop_;
};
