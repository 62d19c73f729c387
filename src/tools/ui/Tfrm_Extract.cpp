// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/Tfrm_Extract.h"

#include "common/DialogFolder.h"
#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "common/TextFile.h"

#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>

Tfrm_Extract::Tfrm_Extract(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frm_Extract"));
    setWindowTitle(QStringLiteral("linkの抽出"));
    setFixedSize(435, 268);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(0, 0, 433, 225);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Button1 = new QPushButton(QStringLiteral("保存"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(264, 234, 75, 25);
    Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(348, 234, 75, 25);
    connect(Button1, &QPushButton::clicked, this,
            [this] { ErrorHandler::Run([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, &Tfrm_Extract::Button2Click);

    SaveDialog1 = [this] {
        const QString path = QFileDialog::getSaveFileName(this, QString(), DialogFolder::start());
        DialogFolder::remember(path);
        return path;
    };
}

QStringList Tfrm_Extract::lines() const
{
    QStringList result = Memo1->toPlainText().split(QLatin1Char('\n'));
    if (result.last().isEmpty())
        result.removeLast();
    return result;
}

void Tfrm_Extract::setLines(const QStringList &lines)
{
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

void Tfrm_Extract::saveTo(const QString &path) const
{
    try {
        TextFile::writeLines(path, lines());
    } catch (const DorvuError &) {
        throw DorvuError(QStringLiteral("ファイル %1 を作成できません").arg(path));
    }
}

void Tfrm_Extract::Button1Click()
{
    const QString path = SaveDialog1();
    if (!path.isEmpty())
        saveTo(path);
}

void Tfrm_Extract::Button2Click()
{
    hide();
}
