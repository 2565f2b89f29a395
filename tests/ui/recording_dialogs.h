#pragma once
// The dialogs seam for the tests: every call is recorded, and the answers are the test's.

#include <deque>
#include <vector>

#include "ui/user_dialogs.h"

namespace velorine::ui::testing {

struct DialogCall {
    enum Kind { Message, Question, OpenFile, SaveFile, Colour, Url, Program } kind;
    MessageIcon icon = MessageIcon::None;
    QString title;
    QString text;
    QStringList arguments;  // Program: its arguments; Url: the address
};

class RecordingDialogs final : public UserDialogs {
public:
    std::vector<DialogCall> calls;
    std::deque<bool> answers;  // to the questions, in order; No once they run out
    bool browserFound = true;
    bool programStarts = true;

    void showMessage(MessageIcon icon, const QString& title, const QString& text) override {
        calls.push_back({DialogCall::Message, icon, title, text, {}});
    }
    bool askYesNo(const QString& title, const QString& text) override {
        calls.push_back({DialogCall::Question, MessageIcon::Question, title, text, {}});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString chooseFileToOpen(const FileRequest& request) override {
        calls.push_back({DialogCall::OpenFile, MessageIcon::None, request.title, {}, request.filters});
        return {};
    }
    QString chooseFileToSave(const FileRequest& request) override {
        calls.push_back({DialogCall::SaveFile, MessageIcon::None, request.title, {}, request.filters});
        return {};
    }
    QColor chooseColour(const QColor& preset) override {
        calls.push_back({DialogCall::Colour, MessageIcon::None, {}, preset.name(), {}});
        return preset;
    }
    bool openUrl(const QUrl& address) override {
        calls.push_back({DialogCall::Url, MessageIcon::None, {}, {}, {address.toString()}});
        return browserFound;
    }
    bool startProgram(const QStringList& arguments) override {
        calls.push_back({DialogCall::Program, MessageIcon::None, {}, {}, arguments});
        return programStarts;
    }

    // The messages shown, as "title|text".
    QStringList messages() const {
        QStringList shown;
        for (const auto& call : calls)
            if (call.kind == DialogCall::Message) shown << call.title + QLatin1Char('|') + call.text;
        return shown;
    }
};

}  // namespace velorine::ui::testing
