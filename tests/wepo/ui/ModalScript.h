// Driving modal dialogs in tests: a script runs on the dialog once it shows.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

namespace test {

// Runs script on the modal dialog once it shows; a dialog still open after 5 s is cancelled.
inline void WhenShown(std::function<void(QDialog*)> script) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, script, started] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog && started->elapsed() < 5000) return;
        timer->stop();
        timer->deleteLater();
        if (!dialog) return;
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog);
        script(dialog);
        if (started->elapsed() > 5000) dialog->reject();
    });
    timer->start();
}

// Answers the next message box with button; records its text.
inline void AnswerMessage(QMessageBox::StandardButton button, QString* text = nullptr) {
    WhenShown([button, text](QDialog* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        ASSERT_NE(box, nullptr);
        if (text) *text = box->text();
        box->button(button)->click();
    });
}

}  // namespace test
