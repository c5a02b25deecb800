#include "platform/Transfer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // The network stack finishes aborted requests in a thread of its own,
    // through queued calls; ending the process before they ran leaves Qt's
    // objects behind and the leak check would blame the tests. Close the
    // transfer object while events still run and let them settle briefly.
    delete &Transfer::shared();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
