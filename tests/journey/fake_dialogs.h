// A stand-in for the game's dialogs: answers come from scripts, and everything shown is kept.
#pragma once

#include <QDialog>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "journey/dialogs.h"

class TFakeDialogs final : public TDialogs {
  public:
    // Scripted answers, taken in order; when a script runs dry the safe answer is given.
    std::deque<std::optional<QString>> Inputs;  // nothing = Cancel
    std::deque<TAnswer> Answers;
    std::deque<std::optional<QColor>> Colors;
    // Called with each modal dialog before it "closes"; returns the dialog's result.
    std::function<int(QDialog&)> OnModal;

    std::vector<QString> Messages;
    std::vector<QString> Questions;
    std::vector<QString> Prompts;
    std::vector<QDialog*> ModalDialogs;

    void ShowMessage(const QString& text) override { Messages.push_back(text); }
    TAnswer Ask(const QString& text, bool withCancel) override {
        Questions.push_back(text);
        if (Answers.empty()) return withCancel ? TAnswer::Cancel : TAnswer::No;
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::optional<QString> InputText(const QString&, const QString& prompt,
                                     const QString&) override {
        Prompts.push_back(prompt);
        if (Inputs.empty()) throw std::runtime_error("input box asked once too often");
        const std::optional<QString> input = Inputs.front();
        Inputs.pop_front();
        return input;
    }
    std::optional<QColor> ChooseColor(const QColor&) override {
        if (Colors.empty()) return std::nullopt;
        const std::optional<QColor> color = Colors.front();
        Colors.pop_front();
        return color;
    }
    int RunModal(QDialog& dialog) override {
        ModalDialogs.push_back(&dialog);
        return OnModal ? OnModal(dialog) : QDialog::Rejected;
    }
};
