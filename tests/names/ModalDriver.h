#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Drives the modal dialogs that the commands open: `act` runs on the next modal dialog of type
// D once its exec() has started, and must close it. A dialog left open is a failure and is
// closed, so a faulty test cannot hang.
template <class D>
void OnNextModal(std::function<void(D&)> act)
{
    auto* timer = new QTimer(qApp);
    timer->setObjectName(QStringLiteral("modalWatch"));
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, act = std::move(act)] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the test left " << dialog->metaObject()->className() << " open";
            dialog->reject();
        }
    });
    timer->start();
}

// Drops the watches whose dialog never came, so that they cannot act on a later test's dialog.
inline void CancelModalWatches()
{
    for (QTimer* timer : qApp->findChildren<QTimer*>(QStringLiteral("modalWatch"))) {
        delete timer;
    }
}

// A control of a dialog by its object name; a missing control ends the test program.
template <class W>
W& Control(QWidget& dialog, const char* name)
{
    W* control = dialog.findChild<W*>(QLatin1String(name));
    if (!control) {
        qFatal("%s has no control named %s", dialog.metaObject()->className(), name);
    }
    return *control;
}
