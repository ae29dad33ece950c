#include "app/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace vantrel {

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate\n");

QString GuardFolder(const QString& folder) {
    if (!folder.isEmpty())
        return folder;
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return runtime;
}

}  // namespace

SingleInstance::SingleInstance(const QString& folder, const QString& name)
    : lockPath_(QDir(GuardFolder(folder)).filePath(name + QStringLiteral(".lock"))),
      socketPath_(QDir(GuardFolder(folder)).filePath(name + QStringLiteral(".sock"))),
      lock_(lockPath_) {
    // The lock stands for the whole run: it is never old enough to be taken
    // over, only a lock whose process is gone counts as stale.
    lock_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("activate"))
                    emit activationRequested();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

SingleInstance::~SingleInstance() {
    if (server_.isListening())
        server_.close();
    if (lock_.isLocked())
        lock_.unlock();
}

bool SingleInstance::AskRunningCopy(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Acquire() {
    QDir().mkpath(QFileInfo(lockPath_).absolutePath());
    // A copy that listens is running, even when its lock file was removed.
    if (AskRunningCopy(500))
        return false;
    if (!lock_.tryLock(0)) {
        // Another copy holds the lock but may not listen yet (two starts in
        // quick succession): give it a moment to answer, then end anyway.
        QDeadlineTimer deadline(3000);
        while (!deadline.hasExpired()) {
            if (AskRunningCopy(200))
                break;
            QThread::msleep(50);
        }
        return false;
    }
    // The socket of a copy that crashed may still be there.
    QLocalServer::removeServer(socketPath_);
    server_.listen(socketPath_);
    return true;
}

}  // namespace vantrel
