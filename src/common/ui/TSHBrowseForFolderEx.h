// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>
#include <QFlags>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QWidget;

/// Dialog flags. Each adds its browse flag (in brackets) to the dialog's flag set.
enum TSHBrowseOption {
    sboDontGoBelowDomain = 0x1, ///< (2) do not go below the domain
    sboReturnFSAncestors = 0x2, ///< (8) only file-system ancestors can be chosen
    sboReturnOnlyFSDirs = 0x4,  ///< (1) only file-system folders can be chosen
    /// (4) a status line; it always shows the selected path, after the event had its say
    sboStatusTextAndShowPath = 0x8,
    sboStatusText = 0x10, ///< (4) a status line
};
Q_DECLARE_FLAGS(TSHBrowseOptions, TSHBrowseOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSHBrowseOptions)

/// The folder selected when the dialog opens; same order as TRootFolder.
enum TSelectFolder {
    sfDesktop,
    sfManual, ///< SelectFolderName; the desktop when that path is unusable
    sfDrives,
    sfDesktopDir,
    sfFavorites,
    sfPrograms,
    sfRecent,
    sfSendTo,
    sfStartMenu,
    sfStartup,
    sfTemplates,
};

/// The root of the folder tree.
enum TRootFolder {
    rfDesktop,
    rfManual, ///< RootFolderName; the desktop when that path is unusable
    rfDrives,
    rfDesktopDir,
    rfFavorites,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfTemplates,
};

/// Where the dialog is placed when it opens.
enum TShowStyle {
    ssNone,         ///< where the window system puts it
    ssCenterScreen, ///< centred across the work area, one third down
    ssClient,       ///< at the owner form's client-area origin
};

class TSHBrowseForFolderEx;

/// Called on every selection change. \a Path is the selection's file-system path (empty for a
/// place without one). \a ShowText (initially empty) becomes the status line; \a OKButtonState
/// (initially 0) leaves OK alone (0), enables it (1) or disables it (2).
using TSHBrowseEvent =
    std::function<void(TSHBrowseForFolderEx *Sender, QWidget *Wnd, const QString &Path,
                       QString &ShowText, int &OKButtonState)>;

/// The folder picker: a modal folder tree with the caption above it, a status line, OK and
/// Cancel. The properties are set before Execute and kept between uses; the application's
/// windows are blocked while the dialog is up.
class TSHBrowseForFolderEx : public QObject
{
    Q_OBJECT

public:
    /// \a owner is the form the dialog belongs to (placement ssClient, foreground afterwards).
    explicit TSHBrowseForFolderEx(QWidget *owner = nullptr);
    ~TSHBrowseForFolderEx() override;

    QString Caption;
    TSHBrowseOptions Options = sboReturnOnlyFSDirs;
    TSelectFolder SelectFolder = sfDrives;
    QString SelectFolderName;
    TRootFolder RootFolder = rfDesktop;
    QString RootFolderName;
    TShowStyle ShowStyle = ssClient;
    TSHBrowseEvent OnSelectionChanged;

    /// Shows the dialog. True when the user chose an item (FolderName is then its path, or
    /// empty for a place without one); false when cancelled or the dialog could not be set up.
    bool Execute();

    /// The file-system path of the last choice; empty after a cancel or for a virtual place.
    const QString &FolderName() const { return m_folderName; }
    /// The display name of the last choice.
    const QString &DisplayName() const { return m_displayName; }

    /// The browse flags of \a options, OR-ed in declaration order; the scan stops at
    /// sboStatusTextAndShowPath, which sets \a showPath.
    static unsigned browseFlags(TSHBrowseOptions options, bool *showPath);
    /// The top-left corner for ssCenterScreen: half the spare width across, a third of the
    /// spare height down, from \a screenOrigin.
    static QPoint centerScreenPosition(const QPoint &screenOrigin, const QRect &workArea,
                                       const QSize &dialog);

    /// The dialog while Execute runs, else null.
    QDialog *dialog() const { return m_dialog; }

Q_SIGNALS:
    /// The dialog is set up and placed, just before it is shown.
    void Initialized(QDialog *dialog);

private:
    static bool isUnder(const QString &path, const QString &root);
    void place(QDialog *dialog) const;

    QWidget *m_owner;
    QPointer<QDialog> m_dialog;
    QString m_folderName;
    QString m_displayName;
};
