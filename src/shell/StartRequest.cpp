#include "shell/StartRequest.h"

#include <QCommandLineParser>

std::optional<CStartRequest> CStartRequest::Parse(const QStringList& arguments, QString* error)
{
    QCommandLineParser parser;
    const QCommandLineOption print(QStringLiteral("print"),
                                   QStringLiteral("Print the document's list and exit."));
    parser.addOption(print);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .zul document."));
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    CStartRequest request;
    const QStringList files = parser.positionalArguments();
    request.file = files.value(0);
    if (!parser.isSet(print)) {
        return request;
    }
    if (request.file.isEmpty()) {
        *error = QStringLiteral("--print needs the document to print.");
        return std::nullopt;
    }
    request.action = Action::Print;
    return request;
}
