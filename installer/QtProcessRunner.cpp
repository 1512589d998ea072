// Starting programs with QProcess.
#include "installer/QtProcessRunner.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QProcess>
#include <QUrl>

namespace installer {

namespace {

QStringList ToList(const std::vector<std::string>& args) {
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    return list;
}

}  // namespace

bool QtProcessRunner::RunAndWait(const std::string& program, const std::vector<std::string>& args,
                                 const std::string& folder) {
    QProcess p;
    p.setProgram(QString::fromStdString(program));
    p.setArguments(ToList(args));
    if (!folder.empty()) p.setWorkingDirectory(QString::fromStdString(folder));
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    bool failed = false;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&p, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            failed = true;
            loop.quit();
        }
    });
    p.start();
    if (!failed && p.state() != QProcess::NotRunning) loop.exec(QEventLoop::ExcludeUserInputEvents);
    return !failed;
}

bool QtProcessRunner::OpenDocument(const std::string& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file)));
}

bool QtProcessRunner::StartDetached(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const std::string& folder) {
    // The program outlives the caller: it must not write into the caller's output, which may
    // be a pipe that closes when the caller ends (a write would then kill it).
    QProcess p;
    p.setProgram(QString::fromStdString(program));
    p.setArguments(ToList(args));
    p.setWorkingDirectory(QString::fromStdString(folder));
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    return p.startDetached();
}

}  // namespace installer
