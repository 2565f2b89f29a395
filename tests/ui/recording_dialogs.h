#pragma once
// The dialogs seam for the tests: every call is recorded, and the answers are the test's.

#include <deque>
#include <functional>
#include <vector>

#include "ui/user_dialogs.h"

namespace velorine::ui::testing {

struct DialogCall {
    enum Kind { Message, Question, OpenFile, SaveFile, Colour, Url, Program, ProgramFor } kind;
    MessageIcon icon = MessageIcon::None;
    QString title;
    QString text;           // OpenFile, SaveFile: the initial name; Colour: the preset's name; ProgramFor: the type
    QStringList arguments;  // Program: its arguments; Url: the address; OpenFile, SaveFile: the filters
};

class RecordingDialogs final : public UserDialogs {
public:
    std::vector<DialogCall> calls;
    std::deque<bool> answers;          // to the questions, in order; No once they run out
    std::deque<QString> chosenFiles;   // the answers of the file choosers, in order; cancel once they run out
    std::deque<QColor> chosenColours;  // the answers of the colour chooser; cancel (the preset) once they run out
    bool browserFound = true;
    QStringList typesWithAProgram;  // the MIME types the desktop has a default program for
    bool programStarts = true;
    std::function<void()> whenProgramStarts;  // runs at the moment the new instance would start

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
        calls.push_back({DialogCall::OpenFile, MessageIcon::None, request.title, request.initialName, request.filters});
        return nextOf(chosenFiles, QString());
    }
    QString chooseFileToSave(const FileRequest& request) override {
        calls.push_back({DialogCall::SaveFile, MessageIcon::None, request.title, request.initialName, request.filters});
        return nextOf(chosenFiles, QString());
    }
    QColor chooseColour(const QColor& preset) override {
        calls.push_back({DialogCall::Colour, MessageIcon::None, {}, preset.name(), {}});
        return nextOf(chosenColours, preset);
    }
    bool openUrl(const QUrl& address) override {
        calls.push_back({DialogCall::Url, MessageIcon::None, {}, {}, {address.toString()}});
        return browserFound;
    }
    bool hasProgramFor(const QString& mimeType) override {
        calls.push_back({DialogCall::ProgramFor, MessageIcon::None, {}, mimeType, {}});
        return typesWithAProgram.contains(mimeType);
    }
    bool startProgram(const QStringList& arguments) override {
        calls.push_back({DialogCall::Program, MessageIcon::None, {}, {}, arguments});
        if (whenProgramStarts) whenProgramStarts();
        return programStarts;
    }

    // The calls of one kind, in order.
    std::vector<DialogCall> callsOf(DialogCall::Kind kind) const {
        std::vector<DialogCall> found;
        for (const auto& call : calls)
            if (call.kind == kind) found.push_back(call);
        return found;
    }

    // The messages shown, as "title|text".
    QStringList messages() const {
        QStringList shown;
        for (const auto& call : calls)
            if (call.kind == DialogCall::Message) shown << call.title + QLatin1Char('|') + call.text;
        return shown;
    }

private:
    template <class Answer>
    static Answer nextOf(std::deque<Answer>& answers, const Answer& otherwise) {
        if (answers.empty()) return otherwise;
        Answer next = answers.front();
        answers.pop_front();
        return next;
    }
};

}  // namespace velorine::ui::testing
