#pragma once

// Tests that need a sound server or speech-dispatcher of their own run in a child process
// of the same test binary (a disabled test, run on purpose): Qt looks for those services
// once per process, and they are found through the environment.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace lexo::testing {

inline constexpr char kChildFolderVariable[] = "LEXO_TEST_CHILD_DIR";

// The folder the parent handed over; empty when the disabled test was started by hand.
inline std::filesystem::path childFolder() {
    return std::filesystem::path(qEnvironmentVariable(kChildFolderVariable).toStdString());
}

// The parent's environment with the child folder, offscreen windows, and sanitizer options
// the sound and speech libraries need.
inline QProcessEnvironment childEnvironment(const std::filesystem::path& folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildFolderVariable), QString::fromStdString(folder.string()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Under AddressSanitizer: the sound and speech libraries are built without frame
    // pointers, so only the slow unwinder traces their allocations back to the suppressed
    // libraries; and checking every strstr() makes libspeechd's reading of its thousands of
    // voices take minutes.
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               (asan.isEmpty() ? QString() : asan + QLatin1Char(':')) +
                   QStringLiteral("fast_unwind_on_malloc=0:intercept_strstr=0"));
    // GStreamer's sound sink keeps its sound server connection to the end.
    QStringList leakOptions = env.value(QStringLiteral("LSAN_OPTIONS")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    std::string rules;
    for (auto option = leakOptions.begin(); option != leakOptions.end();) {
        if (!option->startsWith(QLatin1String("suppressions="))) {
            ++option;
            continue;
        }
        QFile given(option->mid(13));
        if (given.open(QIODevice::ReadOnly)) rules += given.readAll().toStdString() + "\n";
        option = leakOptions.erase(option);
    }
    rules += "leak:libpulse.so\nleak:libgstpulseaudio.so\n";
    writeBytes(folder / "lsan.supp", rules);
    leakOptions.push_back(QString::fromStdString("suppressions=" + (folder / "lsan.supp").string()));
    env.insert(QStringLiteral("LSAN_OPTIONS"), leakOptions.join(QLatin1Char(':')));
    return env;
}

// Runs one disabled test of this binary in a child with the given environment. Fails on a
// failing child and skips when the child skipped.
inline void runInChild(const QString& test, const QProcessEnvironment& env, int timeoutMs) {
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + test, QStringLiteral("--gtest_also_run_disabled_tests")});
    ASSERT_TRUE(child.waitForStarted(5000));
    if (!child.waitForFinished(timeoutMs)) {
        child.kill();
        child.waitForFinished(5000);
        FAIL() << "the child did not finish in " << timeoutMs << " ms:\n" << child.readAll().toStdString();
    }
    const std::string output = child.readAll().toStdString();
    ASSERT_EQ(child.exitStatus(), QProcess::NormalExit) << output;
    ASSERT_EQ(child.exitCode(), 0) << output;
    if (output.find("[  SKIPPED ] 1 test") != std::string::npos) GTEST_SKIP() << output;
    ASSERT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << "the child ran no test:\n" << output;
}

// A daemon's parent may never collect it, so a finished one can linger as a zombie.
inline bool processAlive(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')');
    return end >= 0 && end + 2 < line.size() && line[end + 2] != 'Z';
}

// Ends a daemon that wrote its process id into `pidFile`, and waits until it is gone.
inline void endDaemon(const std::filesystem::path& pidFile) {
    QFile file(QString::fromStdString(pidFile.string()));
    if (!file.open(QIODevice::ReadOnly)) return;
    const pid_t pid = file.readAll().trimmed().toInt();
    if (pid <= 1) return;
    ::kill(pid, SIGTERM);
    QElapsedTimer waited;
    waited.start();
    while (processAlive(pid) && waited.elapsed() < 2000) QTest::qWait(20);
    if (processAlive(pid)) ::kill(pid, SIGKILL);
}

// A PulseAudio of the test's own, with a null sink and a sine-tone source, living in
// `folder` (its runtime folder and home); `env` is pointed at it. Ended however the test ends.
class PrivatePulseAudio {
public:
    PrivatePulseAudio(QProcessEnvironment& env, const std::filesystem::path& folder, const QString& sineSource)
        : pidFile_(folder / "pulse" / "pid") {
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(folder.string()));
        env.insert(QStringLiteral("HOME"), QString::fromStdString(folder.string()));
        env.remove(QStringLiteral("PULSE_SERVER"));
        QProcess daemon;
        daemon.setProcessEnvironment(env);
        daemon.setProcessChannelMode(QProcess::MergedChannels);
        daemon.start(QStringLiteral("pulseaudio"),
                     {QStringLiteral("-D"), QStringLiteral("-n"), QStringLiteral("--exit-idle-time=-1"),
                      QStringLiteral("--load=module-native-protocol-unix"), QStringLiteral("--load=module-null-sink"),
                      (QStringLiteral("--load=module-sine-source ") + sineSource).trimmed()});
        if (!daemon.waitForStarted(5000)) {
            failure_ = "pulseaudio cannot be started";
            return;
        }
        if (!daemon.waitForFinished(10000) || daemon.exitCode() != 0) {
            failure_ = "pulseaudio did not start: " + daemon.readAll().toStdString();
            return;
        }
        const std::filesystem::path socket = folder / "pulse" / "native";
        QElapsedTimer waited;
        waited.start();
        while (!std::filesystem::exists(socket) && waited.elapsed() < 5000) QTest::qWait(20);
        if (!std::filesystem::exists(socket)) {
            failure_ = "pulseaudio made no socket";
            return;
        }
        env.insert(QStringLiteral("PULSE_SERVER"), QString::fromStdString("unix:" + socket.string()));
    }
    ~PrivatePulseAudio() { endDaemon(pidFile_); }
    PrivatePulseAudio(const PrivatePulseAudio&) = delete;
    PrivatePulseAudio& operator=(const PrivatePulseAudio&) = delete;

    bool running() const { return failure_.empty(); }
    const std::string& failure() const { return failure_; }

private:
    std::filesystem::path pidFile_;
    std::string failure_;
};

}  // namespace lexo::testing
