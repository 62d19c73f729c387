// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/Tfrm_Option.h"

#include "common/ErrorHandler.h"
#include "common/TextFile.h"
#include "settings/ColorPalette.h"
#include "settings/GeckoModuleFolder.h"
#include "settings/GeckoRegistration.h"
#include "settings/IniFile.h"
#include "settings/OptionPages.h"
#include "settings/TColorSwatch.h"
#include "settings/TOptionsTarget.h"
#include "settings/TUpDown.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTextCursor>
#include <QTimer>
#include <QTreeWidget>

namespace {

/// System colours 0x800000NN of the edit looks.
constexpr quint32 clCaptionText = 0x80000009;
constexpr quint32 clInactiveBorder = 0x8000000B;

} // namespace

Tfrm_Option::Tfrm_Option(TOptionsTarget *main, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_main(main)
{
    setObjectName(QStringLiteral("frm_Option"));
    setWindowTitle(QStringLiteral("オプション"));
    setSizeGripEnabled(true);
    CreatePages();
    resize(495, 284);
    ErrorHandler::Run([this] { FormCreate(); });
}

void Tfrm_Option::FormCreate()
{
    // 1
    m_programFolder = m_main->programFolder();
    // 2
    const IniFile ini(m_programFolder + QStringLiteral("config.ini"));
    const OptionValues v = OptionValues::Read(ini);
    ShowValues(v);
    // 3: the pages have no tabs of their own; the window keeps the button face of its style.
    // 4: a missing block list is only worth a message while blocking is on: with blocking off
    // nothing reads it, and a fresh program folder has none.
    if (QFileInfo::exists(closeUrlPath()) || v.CloseURL)
        m_popLines = PopListLines(TextFile::readLines(closeUrlPath()));
    // 5
    TreeView1->setCurrentItem(TreeView1->topLevelItem(0));
    TreeView1->expandAll();
    TreeView1->setFocus();
}

void Tfrm_Option::ShowValues(const OptionValues &v)
{
    chkMoz->setChecked(v.Mozilla);
    chkMozClick();
    // An empty "MozPath" offers the module this build or install carries, so nobody has to
    // find it.
    txtMozPath->setText(v.MozPath.isEmpty() ? GeckoModuleFolder::Proposed() : v.MozPath);
    (v.Translate ? radTrans1 : radTrans2)->setChecked(true);
    chkActive3->setChecked(v.NewWindow_Active);
    chkWin1->setChecked(v.BookMark);
    chkWin2->setChecked(v.AddressBar);
    chkPop->setChecked(v.CloseURL);

    chkTabSize->setChecked(v.fix);
    txtTabSize->setText(v.MaxSize);
    chkTabSizeClick();
    chkTabLen->setChecked(v.Len);
    txtTabLen->setText(v.MaxLen);
    chkTabLenClick();
    cmbTabType->setCurrentIndex(v.TabType >= 0 && v.TabType < cmbTabType->count() ? v.TabType : -1);
    ChColor1->setColor(v.ActivateChColor);
    BGColor1->setColor(v.ActivateBGColor);
    ChColor2->setColor(v.DeActivateChColor);
    BGColor2->setColor(v.DeActivateBGColor);
    RefreshPanels();

    m_startupType = v.Type;
    const int choice = OptionPages::choiceOfType(v.Type);
    if (choice >= 0)
        m_startupButtons[choice]->setChecked(true); // runs its handler
    txtStartPath->setText(v.Path);
    chkJava->setChecked(v.security.Java);
    chkScript->setChecked(v.security.Script);
    chkActiveX->setChecked(v.security.ActiveX);
    chkImege->setChecked(v.security.Image);
    chkBGM->setChecked(v.security.BGM);
    chkVideo->setChecked(v.security.Video);
}

OptionValues Tfrm_Option::values() const
{
    OptionValues v;
    v.Mozilla = m_mozilla != 0;
    v.MozPath = txtMozPath->text();
    v.Translate = radTrans1->isChecked();
    v.BookMark = chkWin1->isChecked();
    v.AddressBar = chkWin2->isChecked();
    v.NewWindow_Active = chkActive3->isChecked();
    v.CloseURL = chkPop->isChecked();
    v.fix = chkTabSize->isChecked();
    v.MaxSize = txtTabSize->text();
    v.Len = chkTabLen->isChecked();
    v.MaxLen = txtTabLen->text();
    // A text typed into the box that is none of its items is index -1.
    v.TabType = cmbTabType->findText(cmbTabType->currentText(), Qt::MatchExactly);
    v.ActivateChColor = ChColor1->color();
    v.ActivateBGColor = BGColor1->color();
    v.DeActivateChColor = ChColor2->color();
    v.DeActivateBGColor = BGColor2->color();
    v.Type = m_startupType;
    v.Path = txtStartPath->text();
    v.security.Java = chkJava->isChecked();
    v.security.Script = chkScript->isChecked();
    v.security.ActiveX = chkActiveX->isChecked();
    v.security.Image = chkImege->isChecked();
    v.security.BGM = chkBGM->isChecked();
    v.security.Video = chkVideo->isChecked();
    return v;
}

void Tfrm_Option::TreeView1Change(QTreeWidgetItem *node)
{
    OptionValues::Page page;
    if (!node || !OptionPages::pageOfNode(node->text(0), &page))
        return;
    PageCTL->setCurrentWidget(TabSheet[page]);
    m_visited[page] = 1;
    if (page == OptionValues::Advert)
        FillPopList();
}

void Tfrm_Option::FillPopList()
{
    if (m_popFill != PopFill::None)
        return;
    m_popFill = PopFill::Filling;
    m_popText = m_popLines.text();
    m_popFilled = 0;
    PopList->setReadOnly(true);
    PopList->document()->setUndoRedoEnabled(false);
    FillPopListStep();
}

void Tfrm_Option::FillPopListStep()
{
    constexpr qsizetype kSlice = 128 * 1024;
    const qsizetype size = qMin(kSlice, m_popText.size() - m_popFilled);
    QTextCursor end(PopList->document());
    end.movePosition(QTextCursor::End);
    end.insertText(m_popText.mid(m_popFilled, size));
    m_popFilled += size;
    if (m_popFilled < m_popText.size()) {
        QTimer::singleShot(0, this, [this] { FillPopListStep(); });
        return;
    }
    m_popText.clear();
    m_popFill = PopFill::Done;
    PopList->document()->setUndoRedoEnabled(true);
    PopList->setReadOnly(false);
    PopList->moveCursor(QTextCursor::Start);
}

void Tfrm_Option::chkMozClick()
{
    const bool ticked = chkMoz->isChecked();
    m_mozilla = ticked ? 1 : 0;
    setEditEnabled(txtMozPath, ticked);
    BitBtn1->setEnabled(ticked);
    btnSetMZ->setEnabled(ticked);
    // At once, and Cancel does not take it back.
    m_main->setGeckoEnabled(ticked);
}

void Tfrm_Option::chkTabSizeClick()
{
    setEditEnabled(txtTabSize, chkTabSize->isChecked());
    UpDown1->setEnabled(chkTabSize->isChecked());
}

void Tfrm_Option::chkTabLenClick()
{
    setEditEnabled(txtTabLen, chkTabLen->isChecked());
    UpDown2->setEnabled(chkTabLen->isChecked());
}

void Tfrm_Option::ColorClick(TColorSwatch *swatch)
{
    ColorDialog1->setCurrentColor(m_pickedColor);
    if (ColorDialog1->exec() != QDialog::Accepted)
        return;
    m_pickedColor = ColorDialog1->selectedColor();
    swatch->setColor(ColorPalette::fromQColor(m_pickedColor));
    RefreshPanels();
}

void Tfrm_Option::RefreshPanels()
{
    auto paint = [](QLabel *panel, TColorSwatch *text, TColorSwatch *background) {
        QPalette p = panel->palette();
        p.setColor(QPalette::WindowText, ColorPalette::toQColor(text->color()));
        p.setColor(QPalette::Window, ColorPalette::toQColor(background->color()));
        panel->setPalette(p);
    };
    paint(ColorPanel1, ChColor1, BGColor1);
    paint(ColorPanel2, ChColor2, BGColor2);
}

void Tfrm_Option::radStartupClick(int choice)
{
    const OptionPages::StartupChoice &c = OptionPages::StartupChoices[choice];
    m_startupType = c.type;
    setEditEnabled(txtStartPath, c.pathEnabled);
    BitBtn2->setEnabled(c.browseEnabled);
}

void Tfrm_Option::BitBtn1Click()
{
    QString folder;
    if (m_main->browseForFolder(this, QStringLiteral("Mozillaのあるフォルダを選択してください。"),
                                &folder))
        txtMozPath->setText(folder);
}

void Tfrm_Option::BitBtn2Click()
{
    OpenDialog1->setDirectory(m_programFolder + QStringLiteral("WebList"));
    if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty())
        return;
    txtStartPath->setText(QFileInfo(OpenDialog1->selectedFiles().constFirst()).absoluteFilePath());
}

void Tfrm_Option::btnSetMZClick()
{
    GeckoRegistration::Run(this, txtMozPath->text());
}

void Tfrm_Option::Button1Click()
{
    // 1: a tab size or count that is no integer stops here; the main window and the block
    // list stay as they were and the dialog stays open.
    IniFile ini(m_programFolder + QStringLiteral("config.ini"));
    values().Write(ini, m_visited);
    // 2, 3: from the file, as saved.
    const OptionGroups::Tab tab = OptionGroups::ReadTab(ini);
    m_main->applyTabStrip(tab.fix == 1 ? tab.MaxSize : -1, tab.TabType);
    m_main->setSwitchTicks(OptionGroups::ReadSecurity(ini));
    // 4, whether or not page 広告抑止 was shown; a list not (yet) shown whole is as read.
    TextFile::writeLines(closeUrlPath(), popListReady()
                                             ? m_popLines.linesFor(PopList->toPlainText())
                                             : m_popLines.lines());
    // 5
    close();
}

void Tfrm_Option::Button2Click()
{
    close();
}

void Tfrm_Option::setEditEnabled(QLineEdit *edit, bool enabled)
{
    edit->setEnabled(enabled);
    QPalette p = edit->palette();
    const QColor look = ColorPalette::toQColor(enabled ? clCaptionText : clInactiveBorder);
    p.setColor(QPalette::Active, QPalette::Base, look);
    p.setColor(QPalette::Inactive, QPalette::Base, look);
    p.setColor(QPalette::Disabled, QPalette::Base, look);
    edit->setPalette(p);
}

QString Tfrm_Option::closeUrlPath() const
{
    return m_programFolder + QStringLiteral("CloseURL.txt");
}
