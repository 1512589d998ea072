// NcTextViewContext: queued calls.
#include "text/NcTextViewContext.h"

#include <QCoreApplication>
#include <QMetaObject>

void QueueInOwner(const NcTextViewContext& ctx, std::function<void()> fn) {
    QObject* owner = ctx.Owner ? ctx.Owner : QCoreApplication::instance();
    QMetaObject::invokeMethod(owner, std::move(fn), Qt::QueuedConnection);
}
