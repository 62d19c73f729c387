// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>
#include <QTemporaryDir>

/// A fresh program folder for one test: points DORVU_HOME at a temporary folder for its
/// lifetime and restores the previous value afterwards.
class TestHome
{
public:
    TestHome();
    ~TestHome();

    bool isValid() const { return m_dir.isValid(); }
    /// The folder with a trailing "/".
    QString path() const;
    QString file(const QString &name) const { return path() + name; }
    /// Writes \a bytes to \a name inside the folder (creating sub-folders).
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

    /// The folder of the WebKit module the build made (DORVU_BUILD_DIR/gecko).
    static QString moduleFolder();

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};
