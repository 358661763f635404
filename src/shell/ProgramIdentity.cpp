#include "shell/ProgramIdentity.h"

#include "core/DataFolder.h"
#include "shell/ProgramIcons.h"

#include <QGuiApplication>

void ApplyProgramIdentity()
{
    DataFolder::InitApplicationIdentity();
    QGuiApplication::setDesktopFileName(QStringLiteral("quillon"));
    QGuiApplication::setWindowIcon(ProgramIcons::ProgramIcon());
}
