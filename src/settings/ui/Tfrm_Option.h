// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "settings/OptionValues.h"
#include "settings/PopListLines.h"

#include <QColor>
#include <QDialog>

class QCheckBox;
class QColorDialog;
class QComboBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TColorSwatch;
class TOptionsTarget;
class TUpDown;

/// The options dialog "オプション": a tree of pages on the left, the page on the right, OK and
/// Cancel. Its creation reads every setting and applies the Gecko setting to the main window
/// at once; OK writes the pages that were shown, applies the tab settings and the switch ticks,
/// and saves CloseURL.txt. Several may be open at once, each with its own copy of the settings.
class Tfrm_Option : public QDialog
{
    Q_OBJECT

public:
    /// \a main is changed at once by the Gecko box and by OK.
    explicit Tfrm_Option(TOptionsTarget *main, QWidget *parent = nullptr);

    QTreeWidget *TreeView1 = nullptr;
    QStackedWidget *PageCTL = nullptr;
    QWidget *TabSheet[OptionValues::PageCount] = {};
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    // 全般
    QCheckBox *chkMoz = nullptr;
    QLineEdit *txtMozPath = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *btnSetMZ = nullptr;
    QRadioButton *radTrans1 = nullptr;
    QRadioButton *radTrans2 = nullptr;
    // ウィンドウ
    QCheckBox *chkWin1 = nullptr;
    QCheckBox *chkWin2 = nullptr;
    QCheckBox *chkActive3 = nullptr;
    // 広告抑止
    QCheckBox *chkPop = nullptr;
    QPlainTextEdit *PopList = nullptr;
    // タブ
    QCheckBox *chkTabSize = nullptr;
    QLineEdit *txtTabSize = nullptr;
    TUpDown *UpDown1 = nullptr;
    QCheckBox *chkTabLen = nullptr;
    QLineEdit *txtTabLen = nullptr;
    TUpDown *UpDown2 = nullptr;
    QComboBox *cmbTabType = nullptr;
    QLabel *ColorPanel1 = nullptr;
    QLabel *ColorPanel2 = nullptr;
    TColorSwatch *ChColor1 = nullptr;
    TColorSwatch *BGColor1 = nullptr;
    TColorSwatch *ChColor2 = nullptr;
    TColorSwatch *BGColor2 = nullptr;
    QColorDialog *ColorDialog1 = nullptr;
    // スタートアップ
    QRadioButton *radNone = nullptr;
    QRadioButton *radLastWin = nullptr;
    QRadioButton *radURL = nullptr;
    QRadioButton *radWebList = nullptr;
    QLineEdit *txtStartPath = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QFileDialog *OpenDialog1 = nullptr;
    // セキュリティ
    QCheckBox *chkJava = nullptr;
    QCheckBox *chkScript = nullptr;
    QCheckBox *chkActiveX = nullptr;
    QCheckBox *chkImege = nullptr;
    QCheckBox *chkBGM = nullptr;
    QCheckBox *chkVideo = nullptr;

    void FormCreate();
    void TreeView1Change(QTreeWidgetItem *node);
    void chkMozClick();
    void chkTabSizeClick();
    void chkTabLenClick();
    /// Opens the colour picker for \a swatch and refreshes the preview of its row.
    void ColorClick(TColorSwatch *swatch);
    /// A start-up button was ticked: \a choice indexes OptionPages::StartupChoices.
    void radStartupClick(int choice);
    void BitBtn1Click();
    void BitBtn2Click();
    void btnSetMZClick();
    void Button1Click();
    void Button2Click();

    /// The visited marks, one per page.
    const OptionValues::Visited &visited() const { return m_visited; }
    /// The start-up type OK writes.
    int startupType() const { return m_startupType; }
    /// The settings as the controls show them now.
    OptionValues values() const;
    /// True once PopList holds the whole block list and can be edited.
    bool popListReady() const { return m_popFill == PopFill::Done; }

private:
    void CreatePages();
    QWidget *CreateGeneralPage();
    QWidget *CreateWindowPage();
    QWidget *CreateAdvertPage();
    QWidget *CreateTabPage();
    QWidget *CreateStartUpPage();
    QWidget *CreateSecurityPage();
    void ShowValues(const OptionValues &v);
    void RefreshPanels();
    /// The look of an edit that is enabled or not.
    static void setEditEnabled(QLineEdit *edit, bool enabled);
    QString closeUrlPath() const;
    /// PopList is filled when its page is first shown, a slice per turn of the event loop, so
    /// a long list keeps the dialog responsive; it is read-only until it is complete.
    void FillPopList();
    void FillPopListStep();

    TOptionsTarget *m_main;
    QString m_programFolder;
    OptionValues::Visited m_visited{};
    int m_mozilla = 0;
    int m_startupType = 0;
    QRadioButton *m_startupButtons[4] = {};
    PopListLines m_popLines;
    enum class PopFill { None, Filling, Done };
    PopFill m_popFill = PopFill::None;
    QString m_popText;
    qsizetype m_popFilled = 0;
    /// The colour picker opens with the colour last picked in it.
    QColor m_pickedColor = Qt::black;
};
