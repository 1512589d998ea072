// The socket paths of running instances and the instance mark.
#include "app/ipc/IpcEndpoint.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "app/core/DdeCommands.h"
#include "platform/Paths.h"

namespace {

// The size of a mark is a path; anything bigger is not one.
constexpr qint64 kMarkCap = 4096;

QString UserName() {
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(::geteuid());
}

}  // namespace

QString IpcRuntimeFolder() {
    // Qt checks that the folder belongs to the user and is closed to others, and makes its
    // private fallback when the variable is unset.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString DdeSocketPath(int instanceNumber) {
    const QString folder = IpcRuntimeFolder();
    if (folder.isEmpty()) return {};
    return folder + "/" + QString::fromStdString(DdeServiceName(instanceNumber)) + "." + UserName();
}

QString InstanceMarkPath() {
    const QString folder = IpcRuntimeFolder();
    return folder.isEmpty() ? QString() : folder + "/Morvalen.instance";
}

bool WriteInstanceMark(const QString& socketPath) {
    const QString mark = InstanceMarkPath();
    if (mark.isEmpty()) return false;
    return platform::WriteFileAtomic(
        mark.toStdString(), socketPath.toStdString() + "\n" + std::to_string(::getpid()) + "\n");
}

QString ReadInstanceMark(qint64* pid) {
    if (pid) *pid = 0;
    QFile f(InstanceMarkPath());
    if (f.fileName().isEmpty() || !f.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromUtf8(f.read(kMarkCap));
    if (pid) *pid = text.section('\n', 1, 1).trimmed().toLongLong();
    return text.section('\n', 0, 0).trimmed();
}

void RemoveInstanceMark(const QString& socketPath) {
    if (!socketPath.isEmpty() && ReadInstanceMark() == socketPath)
        QFile::remove(InstanceMarkPath());
}
