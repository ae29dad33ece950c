// One running copy per user: a lock file held for the life of the program
// and a local socket on which the running copy listens. A second start that
// finds either asks the running copy to come to the front and ends quietly.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace vantrel {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // `folder` holds "<name>.lock" and the socket "<name>.sock"; empty means
    // the user's runtime folder.
    explicit SingleInstance(const QString& folder = QString(),
                            const QString& name = QStringLiteral("vantrel"));
    ~SingleInstance() override;

    // True when this process is the only copy: it now holds the lock and
    // listens. False when another copy runs; that copy has been asked (when
    // it could be reached) to bring its window to the front.
    bool Acquire();

    QString LockPath() const { return lockPath_; }
    QString SocketPath() const { return socketPath_; }

  signals:
    // Another start asked this copy to come to the front.
    void activationRequested();

  private:
    bool AskRunningCopy(int timeoutMs);

    QString lockPath_;
    QString socketPath_;
    QLockFile lock_;
    QLocalServer server_;
};

}  // namespace vantrel
