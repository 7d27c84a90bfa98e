#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <functional>

#include "desktop/app/MainWindowDialogs.h"

// The main window's dialogs answered by a script: each answer is a function a test sets. Until it
// does, every dialog is cancelled, questions are answered No, messages and windows go unseen.
class ScriptedDialogs : public MainWindowDialogs {
public:
    std::function<std::optional<LapChoice>(const ReplayHeader&, const DriverTable&)> lap = [](auto&, auto&) {
        return std::optional<LapChoice>();
    };
    std::function<void(const QString& text, MessageKind kind)> message = [](const QString&, MessageKind) {};
    std::function<void(QDialog& window)> window = [](QDialog&) {};
    std::function<std::optional<QString>(const QString& proposed)> bitmapPath = [](const QString&) {
        return std::optional<QString>();
    };
    std::function<std::optional<int>(const QStringList& labels)> reportFile = [](const QStringList&) {
        return std::optional<int>();
    };
    std::function<bool(const QString& question)> yesNo = [](const QString&) { return false; };
    std::function<std::optional<std::filesystem::path>(const QString& title)> replayFile =
        [](const QString&) { return std::optional<std::filesystem::path>(); };

    // Windows of type `Window` are given to `look` while they are open; any other window fails the test.
    template <typename Window>
    void onWindow(std::function<void(Window&)> look) {
        window = [look = std::move(look)](QDialog& shown) {
            auto* typed = dynamic_cast<Window*>(&shown);
            if (!typed) {
                ADD_FAILURE() << "unexpected window " << shown.metaObject()->className();
                return;
            }
            look(*typed);
        };
    }

    std::optional<LapChoice> chooseLap(const ReplayHeader& header, const DriverTable& drivers) override {
        return lap(header, drivers);
    }
    void showMessage(const QString& text, MessageKind kind) override { message(text, kind); }
    void runWindow(QDialog& shown) override { window(shown); }
    std::optional<QString> chooseBitmapPath(const QString& proposed) override { return bitmapPath(proposed); }
    std::optional<int> chooseReportFile(const QStringList& labels) override { return reportFile(labels); }
    bool askYesNo(const QString& question) override { return yesNo(question); }
    std::optional<std::filesystem::path> chooseReplayFile(const QString& title, const QString&,
                                                          const std::filesystem::path&) override {
        return replayFile(title);
    }
};
