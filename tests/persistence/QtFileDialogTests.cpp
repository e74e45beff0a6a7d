// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "app/MainWindow.h"
#include "qt/QtEventLoop.h"
#include "qt/files/QtFileDialog.h"
#include "tests/doubles/FakeSerialPort.h"
#include "tests/doubles/MemorySettingsStore.h"
#include "tests/doubles/QueuedEventLoop.h"
#include "tests/doubles/RecordedMessageBox.h"
#include "tests/doubles/ScriptedFileDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {
const std::string filter = "All Files (*.*)|*.*|Text Files(*.txt)|*.txt";
constexpr int generousMilliseconds = 10000;

// The application must go before the process exits: Qt's own statics are gone by then.
class Application : public testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[18] = "file_dialog_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};
const auto* const application = testing::AddGlobalTestEnvironment(new Application);

// Acts on the file dialog as a user would once it is shown modally. Anything left modal after
// that, such as a question before saving, fails the test and is closed so that the test ends.
class DialogUser {
public:
    explicit DialogUser(std::function<void(QFileDialog&)> act) : act_(std::move(act)) {
        QObject::connect(&poll_, &QTimer::timeout, &poll_, [this] { look(); });
        clock_.start();
        poll_.start(10);
    }

private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!acted_ && dialog != nullptr && dialog->isVisible()) {
            acted_ = true;
            // Outside this timer's own event, which Qt does not deliver again while it runs:
            // a question shown by the act would otherwise go unseen.
            QTimer::singleShot(0, dialog, [this, dialog] { act_(*dialog); });
            return;
        }
        const bool stuck = clock_.elapsed() > generousMilliseconds;
        if (modal != nullptr && (stuck || (acted_ && dialog == nullptr))) {
            ADD_FAILURE() << "left open: " << modal->metaObject()->className() << " "
                          << modal->windowTitle().toStdString();
            closeEveryModal();
        }
    }

    static void closeEveryModal() {
        for (int i = 0; i < 5 && QApplication::activeModalWidget() != nullptr; ++i) {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QDialog*>(modal)) {
                box->reject();
            } else {
                modal->close();
            }
        }
    }

    std::function<void(QFileDialog&)> act_;
    QTimer poll_;
    QElapsedTimer clock_;
    bool acted_ = false;
};

void typeAndAccept(QFileDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
}

std::string bytes(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

struct QtFileDialogTest : testing::Test {
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        dialog.setCancelError(true);
        dialog.setFlags(FileDialog::hideReadOnly);
        dialog.setFilter(filter);
        dialog.setFilterIndex(2);
    }
    QString inFolder(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    QtFileDialog dialog;
};
} // namespace

TEST_F(QtFileDialogTest, BothUsesShowTheTwoFileTypesWithTextFilesFirstAndAskNoQuestions) {
    for (const auto purpose : {QtFileDialog::Purpose::open, QtFileDialog::Purpose::save}) {
        const auto shown = dialog.makeDialog(purpose);
        const QStringList filters{"All Files (*.*) (*)", "Text Files(*.txt) (*.txt)"};
        EXPECT_EQ(shown->nameFilters(), filters);
        EXPECT_EQ(shown->selectedNameFilter(), "Text Files(*.txt)");
        auto* types = shown->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        ASSERT_EQ(types->count(), 2);
        EXPECT_EQ(types->itemText(0), "All Files (*.*)");
        EXPECT_EQ(types->itemText(1), "Text Files(*.txt)");
        EXPECT_EQ(types->currentIndex(), 1);

        EXPECT_TRUE(shown->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_TRUE(shown->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(shown->fileMode(), QFileDialog::AnyFile) << "Open takes a name not yet there";
        EXPECT_EQ(shown->acceptMode(), purpose == QtFileDialog::Purpose::save
                                           ? QFileDialog::AcceptSave
                                           : QFileDialog::AcceptOpen);
        EXPECT_TRUE(shown->defaultSuffix().isEmpty());
        EXPECT_TRUE(shown->findChildren<QCheckBox*>().isEmpty()) << "no read-only box";
    }
    EXPECT_EQ(QtFileDialog::nameFilters("Sentences|*.eq; *.TXT|Bare"),
              QStringList{"Sentences (*.eq *.TXT)"});
}

TEST_F(QtFileDialogTest, OpenAcceptsANameThatDoesNotExistAndReportsFullPathAndBareName) {
    const QString path = inFolder("new sentence.txt");
    DialogUser user([&](QFileDialog& shown) {
        EXPECT_EQ(shown.acceptMode(), QFileDialog::AcceptOpen);
        typeAndAccept(shown, path);
    });
    ASSERT_EQ(dialog.chooseOpenFile(), FileDialog::Outcome::chosen);
    EXPECT_EQ(dialog.chosenPath(), bytes(path));
    EXPECT_EQ(dialog.chosenTitle(), "new sentence.txt");
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(QtFileDialogTest, SaveTakesAnExistingFileWithoutAskingAndTheNextUseProposesIt) {
    const QString path = inFolder("kept.txt");
    QFile existing(path);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("line\r\n");
    existing.close();
    {
        DialogUser user([&](QFileDialog& shown) {
            EXPECT_EQ(shown.acceptMode(), QFileDialog::AcceptSave);
            typeAndAccept(shown, path);
        });
        ASSERT_EQ(dialog.chooseSaveFile(), FileDialog::Outcome::chosen);
    }
    EXPECT_EQ(dialog.chosenPath(), bytes(path));
    EXPECT_EQ(dialog.chosenTitle(), "kept.txt");
    EXPECT_EQ(dialog.makeDialog(QtFileDialog::Purpose::open)->selectedFiles(), QStringList{path});
}

TEST_F(QtFileDialogTest, TheFirstUseStartsInTheDocumentsFolder) {
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", folder.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", inFolder("config").toLocal8Bit());
    const QString documents = inFolder("Documents");
    const auto withoutDocuments = dialog.makeDialog(QtFileDialog::Purpose::save);
    ASSERT_TRUE(QDir().mkdir(documents));
    const auto withDocuments = dialog.makeDialog(QtFileDialog::Purpose::save);
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
    EXPECT_NE(withoutDocuments->directory(), QDir(documents));
    EXPECT_EQ(withDocuments->directory(), QDir(documents));
}

TEST_F(QtFileDialogTest, ACancelIsItsOwnOutcomeWhenAskedForAndOtherwiseAChoiceOfNoFile) {
    const QString path = inFolder("first.txt");
    {
        DialogUser user([&](QFileDialog& shown) { typeAndAccept(shown, path); });
        ASSERT_EQ(dialog.chooseOpenFile(), FileDialog::Outcome::chosen);
    }
    {
        DialogUser user([](QFileDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
        EXPECT_EQ(dialog.chooseSaveFile(), FileDialog::Outcome::cancelled);
        EXPECT_EQ(dialog.chosenPath(), bytes(path)) << "a cancel keeps the name chosen last";
    }
    dialog.setCancelError(false);
    {
        DialogUser user([](QFileDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
        EXPECT_EQ(dialog.chooseOpenFile(), FileDialog::Outcome::chosen);
        EXPECT_EQ(dialog.chosenPath(), "");
        EXPECT_EQ(dialog.chosenTitle(), "");
    }
}

namespace {
// A name typed into the dialog with one of the file types chosen, and the file chosen.
struct TypedName {
    std::string name;
    QtFileDialog::Purpose purpose;
    int filterIndex;
    QString typed;
    QString chosen;
};

void PrintTo(const TypedName& c, std::ostream* out) {
    *out << c.name;
}

struct NameTyped : QtFileDialogTest, testing::WithParamInterface<TypedName> {};
} // namespace

TEST_P(NameTyped, GetsTheTextTypesExtensionOnlyWhenSavedWithoutOne) {
    const TypedName& c = GetParam();
    dialog.setFilterIndex(c.filterIndex);
    DialogUser user([&](QFileDialog& shown) { typeAndAccept(shown, inFolder(c.typed)); });
    const bool saving = c.purpose == QtFileDialog::Purpose::save;
    ASSERT_EQ(saving ? dialog.chooseSaveFile() : dialog.chooseOpenFile(),
              FileDialog::Outcome::chosen);
    EXPECT_EQ(dialog.chosenPath(), bytes(inFolder(c.chosen)));
    EXPECT_EQ(dialog.chosenTitle(), c.chosen.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Types, NameTyped,
    testing::Values(
        TypedName{"SavedAsText", QtFileDialog::Purpose::save, 2, "contest", "contest.txt"},
        TypedName{"SavedAsTextWithItsOwnExtension", QtFileDialog::Purpose::save, 2, "contest.eq",
                  "contest.eq"},
        TypedName{"SavedAsAnyFile", QtFileDialog::Purpose::save, 1, "contest", "contest"},
        TypedName{"OpenedAsText", QtFileDialog::Purpose::open, 2, "contest", "contest"},
        TypedName{"SavedInAnyScript", QtFileDialog::Purpose::save, 2, "日本", "日本.txt"}),
    [](const testing::TestParamInfo<TypedName>& info) { return info.param.name; });

// Open yields to Qt's own event loop after every line: whatever a handler posts runs before the
// next line is read (one posted while handling may run at once), and a timer that comes due while a
// long file is read runs before it ends.
TEST(OpenInQtsEventLoop, EventsWaitingAfterALineRunBeforeTheNextAndTimersDuringTheFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath("many.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("one\r\ntwo\r\n" + QByteArray(1000000, '\r') + "last\r\n");
    file.close();

    QtEventLoop loop;
    QueuedEventLoop portEvents;
    FakeSerialPort port{portEvents};
    MemorySettingsStore settings;
    ScriptedFileDialog files;
    RecordedMessageBox messages;
    MainWindow window(Platform{port, settings, files, messages, loop});

    QObject context;
    std::vector<std::string> seenByPosted;
    const auto record = [&] { seenByPosted.push_back(window.sentenceBox.text()); };
    int linesShown = 0;
    int timerRanAfterLine = 0;
    window.sentenceBox.setObserver([&] {
        if (++linesShown == 1) {
            QMetaObject::invokeMethod(
                &context,
                [&] {
                    record();
                    QMetaObject::invokeMethod(&context, record, Qt::QueuedConnection);
                },
                Qt::QueuedConnection);
            QTimer::singleShot(1, &context, [&] { timerRanAfterLine = linesShown; });
        }
    });
    files.choose(bytes(path), "many.txt");
    window.openButton.press();

    ASSERT_EQ(seenByPosted.size(), 2u);
    EXPECT_EQ(seenByPosted[0], "one");
    EXPECT_TRUE(seenByPosted[1] == "one" || seenByPosted[1] == "two") << seenByPosted[1];
    EXPECT_GT(timerRanAfterLine, 2);
    EXPECT_LT(timerRanAfterLine, linesShown) << "the timer waited for the end of the file";
    EXPECT_EQ(window.sentenceBox.text(), "last");
}
