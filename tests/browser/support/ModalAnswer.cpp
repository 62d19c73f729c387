// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

void ModalAnswer::next(const std::function<void(QWidget *)> &act)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

void ModalAnswer::press(const QString &caption, QString *seen)
{
    next([caption, seen](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return;
        if (seen)
            *seen = box->windowTitle() + QLatin1Char('|') + box->text();
        const QList<QAbstractButton *> buttons = box->buttons();
        for (QAbstractButton *button : buttons) {
            if (button->text() == caption) {
                button->click();
                return;
            }
        }
        box->reject();
    });
}

void ModalAnswer::choose(const QString &path, QString *seen)
{
    next([path, seen](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            return;
        if (seen)
            *seen = dialog->objectName();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed into the name box, as the user does: the dialog's file list may still be
        // loading, and selectFile would find nothing in it. A file still selected in the list
        // from the last time would win over the typed name.
        const QList<QAbstractItemView *> views = dialog->findChildren<QAbstractItemView *>();
        for (QAbstractItemView *view : views)
            view->clearSelection();
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        else
            dialog->selectFile(path);
        // What the dialog's own "open"/"save" button does.
        QMetaObject::invokeMethod(dialog, "accept");
    });
}
