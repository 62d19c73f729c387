// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "TestHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestHome::TestHome()
    : m_previous(qgetenv("DORVU_HOME"))
    , m_hadPrevious(qEnvironmentVariableIsSet("DORVU_HOME"))
{
    qputenv("DORVU_HOME", QFile::encodeName(m_dir.path()));
}

TestHome::~TestHome()
{
    if (m_hadPrevious)
        qputenv("DORVU_HOME", m_previous);
    else
        qunsetenv("DORVU_HOME");
}

QString TestHome::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

void TestHome::write(const QString &name, const QByteArray &bytes) const
{
    const QString full = file(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray TestHome::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString TestHome::moduleFolder()
{
    return QString::fromLocal8Bit(qgetenv("DORVU_BUILD_DIR")) + QStringLiteral("/gecko");
}
