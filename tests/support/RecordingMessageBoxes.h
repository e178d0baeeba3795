#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "ui/MessageBoxes.h"

namespace quintrel {

/// Message boxes for tests: records every box instead of showing it, and answers
/// questions from a script (OK when the script is empty).
class RecordingMessageBoxes : public MessageBoxes {
  public:
    enum class Kind { Critical, Exclamation, Information, Question };
    struct Shown {
        Kind kind;
        QString title;
        QString text;
        QWidget* parent;
    };

    void Critical(const QString& title, const QString& text, QWidget* parent = nullptr) override {
        shown.push_back({Kind::Critical, title, text, parent});
    }

    void Exclamation(const QString& title, const QString& text,
                     QWidget* parent = nullptr) override {
        shown.push_back({Kind::Exclamation, title, text, parent});
    }

    void Information(const QString& title, const QString& text,
                     QWidget* parent = nullptr) override {
        shown.push_back({Kind::Information, title, text, parent});
    }

    bool Question(const QString& title, const QString& text, QWidget* parent = nullptr) override {
        shown.push_back({Kind::Question, title, text, parent});
        if (answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Shown> shown;  ///< every box, in order
    std::deque<bool> answers;  ///< answers to Question, true = OK, used from the front
};

}  // namespace quintrel
