// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/Tfrm_MZOption.h"

#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "common/TextFile.h"
#include "settings/ColorPalette.h"
#include "settings/GeckoProfile.h"
#include "settings/OptionGroups.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr quint32 kCaptionText = 0x80000009; // clCaptionText
constexpr quint32 kBtnFace = 0x8000000F;     // clBtnFace

QLabel *unsupported(QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("このエンジンでは使えません"), parent);
    label->setEnabled(false);
    return label;
}

} // namespace

Tfrm_MZOption::Tfrm_MZOption(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frm_MZOption"));
    setWindowTitle(QStringLiteral("Mozillaオプション"));
    setFixedSize(456, 314);

    auto *features = new QGroupBox(this);
    auto *featureGrid = new QGridLayout(features);
    chkImage = new QCheckBox(QStringLiteral("画像を表示する"), features);
    chkCookie = new QCheckBox(QStringLiteral("クッキーを受け入れる"), features);
    chkJava = new QCheckBox(QStringLiteral("Javaを有効にする"), features);
    // Kept in prefs.js as it was, but this engine has no Java to switch.
    chkJava->setEnabled(false);
    chkScript = new QCheckBox(QStringLiteral("Scriptを有効にする"), features);
    featureGrid->addWidget(chkImage, 0, 0);
    featureGrid->addWidget(chkCookie, 0, 1);
    featureGrid->addWidget(chkScript, 0, 2);
    featureGrid->addWidget(chkJava, 1, 0);
    featureGrid->addWidget(unsupported(features), 1, 1, 1, 2);

    auto *proxies = new QGroupBox(QStringLiteral("プロキシ設定"), this);
    auto *proxyGrid = new QGridLayout(proxies);
    chkProxy = new QCheckBox(QStringLiteral("Proxyを使用する"), proxies);
    proxyGrid->addWidget(chkProxy, 0, 0, 1, 4);
    const auto addRow = [&](int row, const QString &label, QLineEdit *&host, QLineEdit *&port) {
        host = new QLineEdit(proxies);
        port = new QLineEdit(proxies);
        port->setFixedWidth(64);
        proxyGrid->addWidget(new QLabel(label, proxies), row, 0);
        proxyGrid->addWidget(host, row, 1);
        proxyGrid->addWidget(port, row, 3);
    };
    addRow(1, QStringLiteral("HTTP プロキシ："), txtHTTP, txtHTTP_port);
    proxyGrid->addWidget(new QLabel(QStringLiteral("ポート番号："), proxies), 1, 2);
    addRow(2, QStringLiteral("FTP プロキシ："), txtFTP, txtFTP_port);
    addRow(3, QStringLiteral("SSL プロキシ："), txtSSL, txtSSL_port);
    addRow(4, QStringLiteral("Gopher プロキシ："), txtGopher, txtGopher_port);
    proxyGrid->addWidget(unsupported(proxies), 5, 1, 1, 3); // under the Gopher row

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button1->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(features);
    layout->addWidget(proxies);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &Tfrm_MZOption::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tfrm_MZOption::Button2Click);
    connect(chkProxy, &QCheckBox::clicked, this, &Tfrm_MZOption::chkProxyClick);
    chkProxyClick();
}

void Tfrm_MZOption::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tfrm_MZOption::FormShow()
{
    const QString base = GeckoProfile::BaseFolder(OptionGroups::ReadGecko().MozPath);
    const QString name = GeckoProfile::ProfileFolderName(base);
    m_path = base + name + QStringLiteral("/prefs.js");
    m_folder = name == QLatin1String("..") ? QString() : base + name;
    m_lines.clear();
    ErrorHandler::Run([this] {
        QByteArray bytes;
        if (!TextFile::readBytes(m_path, &bytes))
            throw DorvuError(QStringLiteral("ファイル %1 は開けません").arg(m_path));
        m_lines = TextFile::splitByteLines(bytes);
        GeckoPrefs::Values read = values();
        GeckoPrefs::ReadPrefs(m_lines, read);
        setValues(read);
    });
    chkProxyClick();
}

void Tfrm_MZOption::Button1Click()
{
    ErrorHandler::Run([this] {
        const QList<QByteArray> lines = GeckoPrefs::BuildPrefs(m_lines, values());
        // Without a profile folder the path points next to it: write nothing there.
        const QString cannotCreate = QStringLiteral("ファイル %1 を作成できません").arg(m_path);
        if (m_folder.isEmpty() || !QFileInfo(m_folder).isDir())
            throw DorvuError(cannotCreate);
        try {
            TextFile::writeBytes(m_path, GeckoPrefs::JoinLines(lines));
        } catch (const DorvuError &) {
            throw DorvuError(cannotCreate);
        }
        m_lines = lines;
        hide();
        QApplication::beep();
        QMessageBox::information(parentWidget(), QStringLiteral("Dorvu"),
                                 QStringLiteral("変更した設定は、再起動後に反映されます"));
    });
}

void Tfrm_MZOption::Button2Click()
{
    hide();
}

void Tfrm_MZOption::chkProxyClick()
{
    const bool on = chkProxy->isChecked();
    for (QLineEdit *edit : proxyEdits()) {
        edit->setReadOnly(!on);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, ColorPalette::toQColor(on ? kCaptionText : kBtnFace));
        edit->setPalette(palette);
    }
}

QList<QLineEdit *> Tfrm_MZOption::proxyEdits() const
{
    return {txtHTTP, txtHTTP_port, txtFTP,    txtFTP_port,
            txtSSL,  txtSSL_port,  txtGopher, txtGopher_port};
}

GeckoPrefs::Values Tfrm_MZOption::values() const
{
    GeckoPrefs::Values v;
    v.Image = chkImage->isChecked();
    v.Cookie = chkCookie->isChecked();
    v.Java = chkJava->isChecked();
    v.Script = chkScript->isChecked();
    v.Proxy = chkProxy->isChecked();
    v.HTTP = txtHTTP->text();
    v.HTTP_port = txtHTTP_port->text();
    v.FTP = txtFTP->text();
    v.FTP_port = txtFTP_port->text();
    v.SSL = txtSSL->text();
    v.SSL_port = txtSSL_port->text();
    v.Gopher = txtGopher->text();
    v.Gopher_port = txtGopher_port->text();
    return v;
}

void Tfrm_MZOption::setValues(const GeckoPrefs::Values &v)
{
    chkImage->setChecked(v.Image);
    chkCookie->setChecked(v.Cookie);
    chkJava->setChecked(v.Java);
    chkScript->setChecked(v.Script);
    chkProxy->setChecked(v.Proxy);
    txtHTTP->setText(v.HTTP);
    txtHTTP_port->setText(v.HTTP_port);
    txtFTP->setText(v.FTP);
    txtFTP_port->setText(v.FTP_port);
    txtSSL->setText(v.SSL);
    txtSSL_port->setText(v.SSL_port);
    txtGopher->setText(v.Gopher);
    txtGopher_port->setText(v.Gopher_port);
}
