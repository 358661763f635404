#pragma once

#include <QString>

#include <utility>

// A message box that a web action asks the window to show: its text and its buttons.
struct CPrompt {
    enum class Buttons { Ok, YesNo };

    static CPrompt Message(QString text) { return {std::move(text), Buttons::Ok}; }
    static CPrompt Question(QString text) { return {std::move(text), Buttons::YesNo}; }

    // The text as a message box shows it: its CR LF line ends as plain line breaks.
    QString DisplayText() const
    {
        QString display = text;
        return display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }

    friend bool operator==(const CPrompt&, const CPrompt&) = default;

    QString text;
    Buttons buttons = Buttons::Ok;
};

// The button that closed a prompt. Closing a question without choosing counts as No.
enum class PromptAnswer { Ok, Yes, No };
