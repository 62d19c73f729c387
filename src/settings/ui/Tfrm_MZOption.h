// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "settings/GeckoPrefs.h"

#include <QByteArray>
#include <QDialog>
#include <QList>

class QCheckBox;
class QLineEdit;
class QPushButton;

/// The WebKit engine's preferences ("Mozillaオプション"): edits prefs.js of the engine's
/// profile. Made once at start-up, hidden; afterwards only shown and hidden. Every showing
/// reads the file again; OK rewrites it, and the engine takes it at its next start.
class Tfrm_MZOption : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_MZOption(QWidget *parent = nullptr);

    /// The preference file found at the last showing.
    QString prefsPath() const { return m_path; }

    QCheckBox *chkImage = nullptr;
    QCheckBox *chkCookie = nullptr;
    QCheckBox *chkJava = nullptr;
    QCheckBox *chkScript = nullptr;
    QCheckBox *chkProxy = nullptr;
    QLineEdit *txtHTTP = nullptr;
    QLineEdit *txtHTTP_port = nullptr;
    QLineEdit *txtFTP = nullptr;
    QLineEdit *txtFTP_port = nullptr;
    QLineEdit *txtSSL = nullptr;
    QLineEdit *txtSSL_port = nullptr;
    QLineEdit *txtGopher = nullptr;
    QLineEdit *txtGopher_port = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

    void FormShow();
    void Button1Click();
    void Button2Click();
    void chkProxyClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    GeckoPrefs::Values values() const;
    void setValues(const GeckoPrefs::Values &values);
    QList<QLineEdit *> proxyEdits() const;

    QString m_path;
    /// The profile folder the path names; empty when there is none.
    QString m_folder;
    QList<QByteArray> m_lines;
};
