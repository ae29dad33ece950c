// One copy per user: the guard in one process, and the program started twice.
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/single_instance.h"
#include "app/support/wizard_fixture.h"

using namespace vantrel;

class SingleInstanceTest : public QObject {
    Q_OBJECT

  private slots:
    void secondGuardAsksTheFirstToComeForward() {
        QTemporaryDir dir;
        auto first = std::make_unique<SingleInstance>(dir.path());
        QVERIFY(first->Acquire());
        QSignalSpy activation(first.get(), &SingleInstance::activationRequested);

        SingleInstance second(dir.path());
        QVERIFY(!second.Acquire());
        QVERIFY(activation.wait(2000));

        // Once the first copy is gone, a new one may run.
        first.reset();
        SingleInstance third(dir.path());
        QVERIFY(third.Acquire());
    }

    void aListeningCopyWithoutItsLockStillCounts() {
        // A running copy whose lock file was removed still answers on its
        // socket: a new start brings it forward and ends.
        QTemporaryDir dir;
        SingleInstance probe(dir.path());
        QLocalServer running;
        QVERIFY(running.listen(probe.SocketPath()));
        QVERIFY(!probe.Acquire());
        QVERIFY(running.waitForNewConnection(2000));
        QLocalSocket* socket = running.nextPendingConnection();
        QVERIFY(socket);
        QTRY_VERIFY(socket->bytesAvailable() > 0 || socket->waitForReadyRead(100));
        QVERIFY(socket->readAll().contains("activate"));
    }

    void startingTheProgramTwiceLeavesOneCopy() {
        QTemporaryDir dir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        env.insert(QStringLiteral("VANTREL_MACHINE_REG"),
                   dir.filePath(QStringLiteral("machine.reg")));
        env.insert(QStringLiteral("VANTREL_USER_REG"), dir.filePath(QStringLiteral("user.reg")));

        QProcess first, second;
        for (QProcess* p : {&first, &second}) {
            p->setProcessEnvironment(env);
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        }
        // In quick succession: the second may find the first before it listens.
        first.start(QStringLiteral(VANTREL_PROGRAM), QStringList());
        second.start(QStringLiteral(VANTREL_PROGRAM), QStringList());
        QVERIFY(first.waitForStarted());
        QVERIFY(second.waitForStarted());

        // Exactly one of the two ends, quietly and at once.
        QElapsedTimer timer;
        timer.start();
        while (first.state() == QProcess::Running && second.state() == QProcess::Running &&
               timer.elapsed() < 10000)
            QTest::qWait(50);
        const bool firstEnded = first.state() != QProcess::Running;
        QProcess& ended = firstEnded ? first : second;
        QProcess& running = firstEnded ? second : first;
        QVERIFY(ended.state() != QProcess::Running);
        QCOMPARE(ended.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ended.exitCode(), 0);
        QTest::qWait(500);
        QCOMPARE(running.state(), QProcess::Running);

        // A third start also ends and leaves the running copy alone.
        QProcess third;
        third.setProcessEnvironment(env);
        third.start(QStringLiteral(VANTREL_PROGRAM), QStringList());
        QVERIFY(third.waitForFinished(10000));
        QCOMPARE(third.exitCode(), 0);
        QCOMPARE(running.state(), QProcess::Running);

        running.terminate();
        if (!running.waitForFinished(5000)) {
            running.kill();
            running.waitForFinished(5000);
        }
    }
};

VANTREL_WIZARD_TEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
