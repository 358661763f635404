#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What a start of the program was asked to do by its command line: open the window, with a
// document or without, or print a document's list and end ("--print FILE", the desktop's print
// action for .zul files).
struct CStartRequest {
    enum class Action { Open, Print };

    Action action = Action::Open;
    // The document named, absolute or as typed; empty when none.
    QString file;

    // `arguments` starts with the program's name, as QCoreApplication::arguments() gives it. A
    // line the program does not understand gives nothing and the reason in `error`.
    static std::optional<CStartRequest> Parse(const QStringList& arguments, QString* error);
};
