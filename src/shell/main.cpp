#include "core/DataFolder.h"
#include "lookup/HttpTransfer.h"
#include "shell/DesktopIntegration.h"
#include "shell/ProgramIcons.h"
#include "shell/QuillonApp.h"
#include "shell/SingleInstance.h"

#include <QApplication>

namespace {

// The document named on the command line, if any.
QString DocumentArgument(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            return argument;
        }
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    const CHttpLibrary http;
    QApplication application(argc, argv);
    DataFolder::InitApplicationIdentity();
    QApplication::setApplicationDisplayName(QStringLiteral("Quillon"));
    QApplication::setWindowIcon(ProgramIcons::ProgramIcon());

    const QString file = DocumentArgument(QApplication::arguments().mid(1));
    CSingleInstance instance;
    if (!file.isEmpty() && instance.HandOver(file)) {
        return 0;
    }
    instance.Listen();
    CDesktopIntegration(QApplication::applicationFilePath()).Register();

    CQuillonApp quillon;
    QObject::connect(&instance, &CSingleInstance::FileReceived, &quillon,
                     &CQuillonApp::OpenHandedOver);
    quillon.Start(file);
    return QApplication::exec();
}
