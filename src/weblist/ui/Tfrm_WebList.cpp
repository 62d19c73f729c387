// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "weblist/Tfrm_WebList.h"

#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "common/WebListFile.h"
#include "weblist/WebListMenuRules.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList &listFilters()
{
    static const QStringList filters{QStringLiteral("WebListFile(*.wlf)"),
                                     QStringLiteral("その他(*.*)")};
    return filters;
}

QFileDialog *makeDialog(QWidget *parent, const QString &name, QFileDialog::AcceptMode mode)
{
    auto *dialog = new QFileDialog(parent);
    dialog->setObjectName(name);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog->setNameFilters(listFilters());
    return dialog;
}

} // namespace

Tfrm_WebList::Tfrm_WebList(const QString &programFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
    , m_folder(WebListMenuRules::folder(programFolder))
{
    setObjectName(QStringLiteral("frm_WebList"));
    setWindowTitle(QStringLiteral("WebListの編集"));
    setModal(false);
    setFixedSize(403, 216);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    auto *nameRow = new QHBoxLayout;
    nameRow->setSpacing(2);
    nameRow->addWidget(new QLabel(QStringLiteral("名前："), this));
    lblName = new QLabel(this);
    lblName->setObjectName(QStringLiteral("lblName"));
    nameRow->addWidget(lblName, 1);
    grid->addLayout(nameRow, 0, 0, 1, 2);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    // Long lines wrap on screen only; the text holds the line breaks typed or loaded.
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    grid->addWidget(Memo1, 1, 0);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    auto button = [this, buttons](const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setFixedWidth(90);
        buttons->addWidget(b);
        return b;
    };
    btnLoad = button(QStringLiteral("btnLoad"), QStringLiteral("読み込み"));
    btnSave = button(QStringLiteral("btnSave"), QStringLiteral("上書き保存"));
    btnSaveAs = button(QStringLiteral("btnSaveAs"), QStringLiteral("別名で保存"));
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 1);

    OpenDialog1 = makeDialog(this, QStringLiteral("OpenDialog1"), QFileDialog::AcceptOpen);
    SaveDialog1 = makeDialog(this, QStringLiteral("SaveDialog1"), QFileDialog::AcceptSave);
    // Saved as typed: no extension is added and an existing file is replaced without asking.
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
    SaveDialog1->setDefaultSuffix(QString());

    ErrorHandler::Connect(btnLoad, &QPushButton::clicked, this, &Tfrm_WebList::btnLoadClick);
    ErrorHandler::Connect(btnSave, &QPushButton::clicked, this, &Tfrm_WebList::btnSaveClick);
    ErrorHandler::Connect(btnSaveAs, &QPushButton::clicked, this, &Tfrm_WebList::btnSaveAsClick);
    ErrorHandler::Connect(btnClose, &QPushButton::clicked, this, &Tfrm_WebList::btnCloseClick);
    FormCreate();
}

void Tfrm_WebList::FormCreate()
{
    lblName->clear();
}

QString Tfrm_WebList::runDialog(QFileDialog *dialog)
{
    // Lists live in the list folder, made for the first list saved; a folder that cannot be
    // made leaves the dialog where it last was.
    if (dialog == SaveDialog1)
        QDir().mkpath(m_folder);
    if (QFileInfo(m_folder).isDir())
        dialog->setDirectory(m_folder);
    if (dialog == SaveDialog1)
        dialog->selectFile(QStringLiteral("*.wlf"));
    if (dialog->exec() != QDialog::Accepted)
        return QString();
    return dialog->selectedFiles().value(0);
}

void Tfrm_WebList::setCurrentFile(const QString &path)
{
    m_currentFile = path;
    lblName->setText(QFileInfo(path).fileName());
}

void Tfrm_WebList::btnLoadClick()
{
    const QString path = runDialog(OpenDialog1);
    if (path.isEmpty())
        return;
    ReplaceText(path);
    setCurrentFile(path);
}

void Tfrm_WebList::btnSaveAsClick()
{
    const QString path = runDialog(SaveDialog1);
    if (path.isEmpty())
        return;
    SaveText(path);
    setCurrentFile(path);
}

void Tfrm_WebList::btnSaveClick()
{
    if (m_currentFile.isEmpty())
        btnSaveAsClick();
    else
        SaveText(m_currentFile);
}

void Tfrm_WebList::btnCloseClick()
{
    Q_EMIT closedByButton();
    hide();
}

void Tfrm_WebList::ShowEditor()
{
    showNormal();
    raise();
    activateWindow();
}

void Tfrm_WebList::ReplaceText(const QString &path)
{
    bool complete = true;
    const QByteArray bytes = WebListFile::readText(path, MemoLimit, &complete);
    if (!complete)
        throw DorvuError(QStringLiteral("文字列の大きさが メモ の制限を越えました"));
    m_text = WebListText(bytes);
    Memo1->setPlainText(m_text.text());
    m_text.setShown(Memo1->toPlainText());
}

void Tfrm_WebList::SaveText(const QString &path)
{
    WebListFile::writeText(path, m_text.encode(Memo1->toPlainText()));
}
