// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/TFindBar.h"

#include "common/ErrorHandler.h"
#include "engine/TEngineBrowser.h"
#include "engine/TMozillaBrowser.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

QToolButton *makeButton(const QString &name, const QString &caption, const QString &spoken)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(caption);
    button->setAccessibleName(spoken);
    button->setToolTip(spoken);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TFindBar::TFindBar(std::function<TEngineBrowser *()> activeEngine, QWidget *parent)
    : QWidget(parent)
    , m_activeEngine(std::move(activeEngine))
{
    setObjectName(QStringLiteral("FindBar"));
    auto *label = new QLabel(QStringLiteral("ページ内検索"));
    label->setContentsMargins(4, 0, 4, 0);
    txtFind = new QLineEdit;
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setMaximumWidth(260);
    txtFind->setAccessibleName(label->text());
    label->setBuddy(txtFind);
    btnFindPrev = makeButton(QStringLiteral("btnFindPrev"), QStringLiteral("▲"),
                             QStringLiteral("前を検索 (Shift+F3)"));
    btnFindNext = makeButton(QStringLiteral("btnFindNext"), QStringLiteral("▼"),
                             QStringLiteral("次を検索 (F3)"));
    lblFindCount = new QLabel;
    lblFindCount->setObjectName(QStringLiteral("lblFindCount"));
    lblFindCount->setContentsMargins(6, 0, 6, 0);
    btnFindClose = makeButton(QStringLiteral("btnFindClose"), QStringLiteral("×"),
                              QStringLiteral("検索バーを閉じる (Esc)"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(2);
    layout->addWidget(label);
    layout->addWidget(txtFind);
    layout->addWidget(btnFindPrev);
    layout->addWidget(btnFindNext);
    layout->addWidget(lblFindCount);
    layout->addStretch(1);
    layout->addWidget(btnFindClose);
    hide();

    txtFind->installEventFilter(this);
    ErrorHandler::Connect(txtFind, &QLineEdit::textEdited, this, [this] { find(false); });
    ErrorHandler::Connect(btnFindNext, &QToolButton::clicked, this, &TFindBar::FindNext);
    ErrorHandler::Connect(btnFindPrev, &QToolButton::clicked, this, &TFindBar::FindPrevious);
    ErrorHandler::Connect(btnFindClose, &QToolButton::clicked, this, &TFindBar::Close);
}

void TFindBar::Open()
{
    show();
    txtFind->setFocus(Qt::ShortcutFocusReason);
    txtFind->selectAll();
    if (!txtFind->text().isEmpty())
        find(false);
}

void TFindBar::FindNext()
{
    if (isHidden() || txtFind->text().isEmpty())
        Open();
    else
        find(false);
}

void TFindBar::FindPrevious()
{
    if (isHidden() || txtFind->text().isEmpty())
        Open();
    else
        find(true);
}

void TFindBar::Close()
{
    hide();
    lblFindCount->clear();
    if (m_searched)
        m_searched->FindText(QString(), false, {});
    if (TEngineBrowser *engine = m_activeEngine()) {
        // A WebKit page takes the keyboard through its own X window.
        if (auto *webkit = qobject_cast<TMozillaBrowser *>(engine))
            webkit->focusPage();
        else
            engine->setFocus(Qt::OtherFocusReason);
    }
}

void TFindBar::find(bool backwards)
{
    TEngineBrowser *engine = m_activeEngine();
    if (m_searched && m_searched != engine)
        m_searched->FindText(QString(), false, {});
    m_searched = engine;
    const QString text = txtFind->text();
    if (!engine) {
        showCount(text, 0);
        return;
    }
    engine->FindText(text, backwards, [this, text, bar = QPointer<TFindBar>(this)](int matches) {
        if (bar && txtFind->text() == text) {
            showCount(text, matches);
            Q_EMIT counted(matches);
        }
    });
}

void TFindBar::showCount(const QString &text, int matches)
{
    if (text.isEmpty())
        lblFindCount->clear();
    else if (matches == 0)
        lblFindCount->setText(QStringLiteral("見つかりません"));
    else
        lblFindCount->setText(QStringLiteral("%1 件").arg(matches));
}

bool TFindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtFind &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter || key->key() == Qt::Key_Escape) {
            // Esc belongs to the bar here, not to a window shortcut (full screen).
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                ErrorHandler::Run([&] {
                    if (!enter)
                        Close();
                    else if (key->modifiers() & Qt::ShiftModifier)
                        find(true);
                    else
                        find(false);
                });
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
