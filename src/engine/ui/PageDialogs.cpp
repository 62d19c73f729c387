// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/PageDialogs.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QLayout>
#include <QList>
#include <QMessageBox>

namespace {

bool g_refused = false;
QList<QPointer<QDialog>> &openBoxes()
{
    static QList<QPointer<QDialog>> boxes;
    return boxes;
}

} // namespace

PageDialogs::PageDialogs(QWidget *owner)
    : m_owner(owner)
{}

QString PageDialogs::suppressCaption()
{
    return QStringLiteral("このページのダイアログをこれ以上表示しない");
}

PageDialogs::Answer PageDialogs::ask(Kind kind, const QString &origin, const QString &message,
                                     const QString &defaultText)
{
    // Held here, so that the count survives this object going while the box is open.
    const std::shared_ptr<State> state = m_state;
    if (g_refused || state->suppressed)
        return Answer();
    ++state->shown;

    QPointer<QDialog> box;
    QPointer<QCheckBox> suppress;
    if (kind == Prompt) {
        auto *input = new QInputDialog(m_owner);
        input->setLabelText(message);
        input->setTextValue(defaultText);
        box = input;
    } else {
        auto *messageBox = new QMessageBox(m_owner);
        messageBox->setIcon(kind == Alert ? QMessageBox::Information : QMessageBox::Question);
        messageBox->setText(message);
        messageBox->setStandardButtons(kind == Alert ? QMessageBox::Ok
                                                     : QMessageBox::Ok | QMessageBox::Cancel);
        if (state->shown > 1) {
            suppress = new QCheckBox(suppressCaption(), messageBox);
            messageBox->setCheckBox(suppress);
        }
        box = messageBox;
    }
    if (kind == Prompt && state->shown > 1) {
        // The input dialog has no place for a check box of its own: it goes under the text.
        suppress = new QCheckBox(suppressCaption(), box);
        if (auto *layout = box->layout())
            layout->addWidget(suppress);
    }
    // As other browsers title them: whose page speaks.
    box->setWindowTitle(origin.isEmpty() ? QStringLiteral("Dorvu")
                                         : QStringLiteral("%1 の内容").arg(origin));
    box->setWindowModality(Qt::WindowModal);
    openBoxes().append(box);
    const int result = box->exec();
    openBoxes().removeAll(box);

    Answer answer;
    if (box) {
        answer.accepted =
            result == QDialog::Accepted || (kind != Prompt && result == QMessageBox::Ok);
        if (kind == Prompt && answer.accepted)
            answer.text = static_cast<QInputDialog *>(box.data())->textValue();
        if (suppress && suppress->isChecked())
            state->suppressed = true;
        delete box.data();
    }
    if (g_refused)
        answer = Answer();
    return answer;
}

void PageDialogs::newDocument()
{
    *m_state = State();
}

void PageDialogs::refuseAll()
{
    g_refused = true;
    for (const QPointer<QDialog> &box : openBoxes()) {
        if (box)
            box->reject();
    }
}
