#include "lookup/HttpTransfer.h"
#include "shell/DesktopIntegration.h"
#include "shell/PrintRequest.h"
#include "shell/ProgramIdentity.h"
#include "shell/QuillonApp.h"
#include "shell/SingleInstance.h"
#include "shell/StartRequest.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    const CHttpLibrary http;
    QApplication application(argc, argv);
    ApplyProgramIdentity();

    QString error;
    const std::optional<CStartRequest> request =
        CStartRequest::Parse(QApplication::arguments(), &error);
    if (!request) {
        std::fprintf(stderr, "quillon: %s\n", qPrintable(error));
        return 2;
    }
    // A print request is carried out here and now, whether or not a window runs: handed over,
    // the running instance would open the document instead of printing it.
    if (request->action == CStartRequest::Action::Print) {
        return RunPrintRequest(request->file);
    }
    CSingleInstance instance;
    if (!request->file.isEmpty() && instance.HandOver(request->file)) {
        return 0;
    }
    instance.Listen();
    CDesktopIntegration(QApplication::applicationFilePath()).Register();

    CQuillonApp quillon;
    QObject::connect(&instance, &CSingleInstance::FileReceived, &quillon,
                     &CQuillonApp::OpenHandedOver);
    quillon.Start(request->file);
    return QApplication::exec();
}
