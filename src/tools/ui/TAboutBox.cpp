// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/TAboutBox.h"

#include "common/ErrorHandler.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "tools/ProductInfo.h"
#include "tools/TOtVersInfo.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(274, 180);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *image = new QLabel(panel);
    image->setObjectName(QStringLiteral("ProgramIcon"));
    image->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    auto label = [panel](const char *name, const QString &text) {
        auto *l = new QLabel(text, panel);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    ProductName = label("ProductName", ProductInfo::name());
    QFont bold = ProductName->font();
    bold.setBold(true);
    ProductName->setFont(bold);
    Version = label("Version", QStringLiteral("Version：") + ProductInfo::version());
    Label2 = label("Label2", QStringLiteral("Chromium (Qt WebEngine)"));
    Label3 = label("Label3", QString());
    Label4 = label("Label4", QStringLiteral("mozctl.so"));
    Label5 = label("Label5", QString());
    for (QLabel *versionLine : {Label3, Label5})
        versionLine->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(1);
    grid->addWidget(image, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(ProductName, 0, 1);
    grid->addWidget(Version, 1, 1);
    grid->addWidget(Label2, 2, 1);
    grid->addWidget(Label3, 3, 1);
    grid->addWidget(Label4, 4, 1);
    grid->addWidget(Label5, 5, 1);
    grid->setColumnStretch(1, 1);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(panel, 1);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    ErrorHandler::Run([this] { FormCreate(); });
}

void TAboutBox::FormCreate()
{
    Label3->setText(QStringLiteral("不明"));
    Label5->setText(QStringLiteral("不明"));
    const QString mozPath =
        SettingsKeys::read(IniFile::config(), SettingsKeys::Option_Main::MozPath);
    Label3->setText(QStringLiteral("Version：") + QString::fromLatin1(qWebEngineChromiumVersion()));
    // An empty MozPath looks at the root folder, as the path is simply joined.
    const QString module = mozPath + QStringLiteral("/mozctl.so");
    if (QFileInfo::exists(module)) {
        TOtVersInfo info;
        info.FileName = module;
        Label5->setText(QStringLiteral("Version：") + info.query(TOtVersInfo::FileVersion));
    } else {
        Label5->setText(QStringLiteral("未導入"));
    }
}
