#include "app/MainWindow.h"
#include "radio/SentenceGuard.h"

void MainWindow::Command6_Click() {
    sendProblem_.clear();
    radioReplies_.startAfresh();
    // Said here, not in update(), so that the resend stays quiet while the port is closed.
    if (!MSComm1.isOpen()) {
        report("Nothing was sent: the port is closed. Press Connect, then Update.");
    }
    (void)update();
}

bool MainWindow::update() {
    txSentence = hexDigits.join();
    if (!MSComm1.isOpen()) {
        return true;
    }
    yield();
    // Whatever an Update run inside the yield left in txSentence is what goes out.
    if (const auto unsafe = unsafeSentenceProblem(txSentence)) {
        reportSendProblem(*unsafe);
        return false;
    }
    if (const Result written = MSComm1.write("UR" + txSentence + ";"); !written) {
        reportSendProblem("The sentence could not be sent: " + written.reason());
        return false;
    }
    if (const Result written = MSComm1.write("UT" + txSentence + ";"); !written) {
        reportSendProblem("The sentence was sent only in part (UR without UT): " +
                          written.reason());
        return false;
    }
    Text1.setText(txSentence);
    if (Check1.isTicked()) {
        Timer1.setEnabled(true);
    }
    return true;
}

void MainWindow::reportSendProblem(const std::string& problem) {
    if (sendProblem_.isNew(problem)) {
        report(problem);
    }
}

// A failed Update ends the tick before it touches the timer, so the next tick tries again.
// So does a line still busy with the last sentence: at a slow rate a sentence takes longer
// than a tick to leave, and queuing more behind it would only grow a backlog that the radio
// hears later and later.
void MainWindow::Timer1_Tick() {
    yield();
    if (MSComm1.isLineBusy()) {
        return;
    }
    if (!update()) {
        return;
    }
    Timer1.setEnabled(Check1.isTicked());
}
