// NcTextViewContext: queued calls and modal runs.
#include "text/NcTextViewContext.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMetaObject>

void QueueInOwner(const NcTextViewContext& ctx, std::function<void()> fn) {
    QObject* owner = ctx.Owner ? ctx.Owner : QCoreApplication::instance();
    QMetaObject::invokeMethod(owner, std::move(fn), Qt::QueuedConnection);
}

int RunModalDialog(const NcTextViewContext& ctx, QDialog& dialog) {
    if (ctx.RunModal) return ctx.RunModal(dialog);
    return dialog.exec();
}
