// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/Captioned.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/CommandButton.h"
#include "controls/Lamp.h"
#include "controls/NoticeBox.h"
#include "controls/TextBox.h"
#include "controls/Timer.h"
#include "parts/LineEditor.h"
#include "parts/PortControl.h"
#include "parts/SampleChoice.h"
#include "parts/Sentence.h"
#include "parts/SentenceFiles.h"
#include "parts/Transmission.h"
#include "platform/EventLoop.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/SerialPort.h"
#include "platform/SettingsStore.h"

// What the window needs from the platform it runs on.
struct Platform {
    SerialPort& serialPort;
    SettingsStore& settings;
    FileDialog& fileDialog;
    MessageBox& messageBox;
    EventLoop& eventLoop;
};

// The one window: its controls, each under the name of what it is, and the parts that own the
// features, each handed only the controls and services it needs. The window wires each control's
// event to its part and runs start-up.
class MainWindow : private SerialPortListener {
public:
    // Creating the window runs start-up.
    explicit MainWindow(Platform platform);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Form form{"TS-2000 Sonavel  v1.1  (By Kestrum)"};

    Frame portFrame{"Port Settings"};
    Lamp portLamp{"Port lamp", {colours::red, "open"}, {colours::darkRed, "closed"}};
    CommandButton connectButton{"Connect"};
    ComboBox portSelector;
    ComboBox rateSelector;

    Frame noticeFrame{"WARNING"};
    NoticeBox noticeBox;

    Frame sentenceFrame{"Command Viewer"};
    ComboBox sampleSelector;
    TextBox sentenceBox{TextBox::Typing::readOnly};
    TextBox lineNumbers{TextBox::Typing::readOnly, "01020304050607080910111213141516"};
    CommandButton exitButton{"E&xit"};

    Frame fileFrame{"File"};
    CommandButton openButton{"Open"};
    CommandButton saveButton{"Save"};

    Frame sendFrame{"Send Command to Radio"};
    Lamp sendLamp{"Send lamp", {colours::green, "sent"}, {colours::darkGreen, "idle"}};
    CommandButton updateButton{"Update"};
    CheckBox autoResend{"Auto", CheckBox::ticked};

    Frame lineEditFrame{"Edit Line"};
    ComboBox lineSelector;
    LineEditor::Cells digitCells{
        TextBox{TextBox::Typing::allowed}, TextBox{TextBox::Typing::allowed},
        TextBox{TextBox::Typing::allowed}, TextBox{TextBox::Typing::allowed},
        TextBox{TextBox::Typing::allowed}, TextBox{TextBox::Typing::allowed},
        TextBox{TextBox::Typing::allowed}, TextBox{TextBox::Typing::allowed}};
    CommandButton acceptButton{"Accept Changes"};

    Timer resendTimer{500};
    Timer sendLampTimer{100};

    Menu fileMenu{"&File"};
    MenuItem openMenuItem{"&Open"};
    MenuItem saveMenuItem{"&Save"};
    MenuItem exitMenuItem{"E&xit"};

    // The digits that Update sends, split from the sentence box and changed by the line editor.
    HexDigits digitStore;

    const Transmission& transmission() const { return transmission_; }
    const LineEditor& lineEditor() const { return lineEditor_; }

private:
    void startUp();
    void sendQueueDrained() override;
    void inputWaiting() override;
    void portLost(const std::string& reason) override;
    void portOpened() override;
    void openFailed(const std::string& reason) override;
    void sendFailed(const SendFailure& failure) override;

    SerialPort& serialPort_;
    SettingsStore& settings_;
    MessageBox& messageBox_;
    EventLoop& eventLoop_;

    Sentence sentence_;
    PortControl port_;
    Transmission transmission_;
    SampleChoice samples_;
    LineEditor lineEditor_;
    SentenceFiles files_;
};
