#pragma once

#include <QUrl>

#include <functional>

// Opens web pages and local files in the user's browser: through the desktop, and when that
// fails, through the command line of the desktop's default HTML handler.
class CBrowserLauncher {
public:
    using Opener = std::function<bool(const QUrl& target)>;

    // True when a browser was started for the target.
    static bool Open(const QUrl& target);
    // Replaces how targets are opened, so that tests record them and no browser starts. An empty
    // function brings back the desktop. Returns the opener it replaces.
    static Opener SetOpener(Opener opener);

private:
    static bool OpenOnDesktop(const QUrl& target);
    static Opener& CurrentOpener();
};
