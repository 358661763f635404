#pragma once

#include "web/WebActionHost.h"

#include <QList>

#include <deque>

// The window as the web actions see it: answers questions and the registrar dialog from a
// script, and keeps everything it was shown.
class CScriptedHost : public CWebActionHost {
public:
    PromptAnswer Ask(const CPrompt& prompt) override
    {
        m_prompts.append(prompt);
        if (prompt.buttons == CPrompt::Buttons::Ok) {
            return PromptAnswer::Ok;
        }
        if (m_answers.empty()) {
            return PromptAnswer::No;
        }
        const PromptAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    std::optional<CRegistrarChoice> AskRegistrarURL(const CRegistrarDialogStart& start) override
    {
        m_dialogStarts.append(start);
        if (m_choices.empty()) {
            return std::nullopt;
        }
        const std::optional<CRegistrarChoice> choice = m_choices.front();
        m_choices.pop_front();
        return choice;
    }

    // Answers to the coming questions, in order; a question beyond them is answered No.
    void AnswerNext(PromptAnswer answer) { m_answers.push_back(answer); }
    // The coming registrar dialogs' outcomes, in order; nothing means Cancel, as does a dialog
    // beyond them.
    void ChooseNext(std::optional<CRegistrarChoice> choice) { m_choices.push_back(choice); }

    const QList<CPrompt>& Prompts() const { return m_prompts; }
    const QList<CRegistrarDialogStart>& DialogStarts() const { return m_dialogStarts; }

private:
    std::deque<PromptAnswer> m_answers;
    std::deque<std::optional<CRegistrarChoice>> m_choices;
    QList<CPrompt> m_prompts;
    QList<CRegistrarDialogStart> m_dialogStarts;
};
