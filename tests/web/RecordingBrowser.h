#pragma once

#include "web/BrowserLauncher.h"

#include <QList>
#include <QUrl>

#include <functional>

// Stands in for the browser while it lives: records every target it is asked to open and
// answers as told, so no test starts a browser.
class CRecordingBrowser {
public:
    using Outcome = std::function<bool(const QUrl& target)>;

    explicit CRecordingBrowser(Outcome outcome = [](const QUrl&) { return true; })
        : m_previous(CBrowserLauncher::SetOpener([this, outcome](const QUrl& target) {
            m_opened.append(target);
            return outcome(target);
        }))
    {}
    ~CRecordingBrowser() { CBrowserLauncher::SetOpener(m_previous); }
    CRecordingBrowser(const CRecordingBrowser&) = delete;
    CRecordingBrowser& operator=(const CRecordingBrowser&) = delete;

    const QList<QUrl>& Opened() const { return m_opened; }

private:
    QList<QUrl> m_opened;
    CBrowserLauncher::Opener m_previous;
};
