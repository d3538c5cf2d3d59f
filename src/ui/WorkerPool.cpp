#include "ui/WorkerPool.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

QThreadPool& WorkerPool() {
    // Owned by the application, which waits for its threads as it ends; a
    // later application (as in tests) gets a pool of its own.
    static QPointer<QThreadPool> pool;
    if (!pool) pool = new QThreadPool(QCoreApplication::instance());
    return *pool;
}
