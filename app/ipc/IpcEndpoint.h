// Where a running instance listens for outside drivers and second instances: its socket in the
// user's runtime folder, and the instance mark that names the first instance's socket.
#pragma once

#include <QString>

// The user's runtime folder ($XDG_RUNTIME_DIR, else Qt's private per-user fallback under the
// temporary folder), which only the user can enter. Empty when there is none.
QString IpcRuntimeFolder();

// The socket of instance n: "<runtime folder>/ZeVizeza DDE Service<n>.<user>".
QString DdeSocketPath(int instanceNumber);

// The instance mark: a file "<runtime folder>/Morvalen.instance" holding the first instance's
// socket path and process id, a line each. Written atomically at the end of its start-up,
// removed at its exit.
QString InstanceMarkPath();
bool WriteInstanceMark(const QString& socketPath);
// The socket path the mark names; empty when there is no mark. pid receives the process id
// (0 when the mark has none).
QString ReadInstanceMark(qint64* pid = nullptr);
// Removes the mark when it still names socketPath (a later first instance may own it now).
void RemoveInstanceMark(const QString& socketPath);
