// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BookMarkDescribe.h"
#include "HomeTest.h"
#include "bookmarks/BookMarkFile.h"
#include "bookmarks/BookMarkTree.h"
#include "bookmarks/TBMEditTree.h"
#include "bookmarks/Tfrm_BMEdit.h"
#include "common/ErrorHandler.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

// News(Site A, Site B, Sub(Deep)), Top, Other(O)
const QByteArray Sample = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<bookmark>\r\n"
                          "<directory><name>News</name>\r\n"
                          "<file><name>Site A</name>\r\n<url>http://a/</url>\r\n</file>\r\n"
                          "<file><name>Site B</name>\r\n<url>http://b/</url>\r\n</file>\r\n"
                          "<directory><name>Sub</name>\r\n"
                          "<file><name>Deep</name>\r\n<url>http://d/</url>\r\n</file>\r\n"
                          "</directory>\r\n</directory>\r\n"
                          "<file><name>Top</name>\r\n<url>http://t/</url>\r\n</file>\r\n"
                          "<directory><name>Other</name>\r\n"
                          "<file><name>O</name>\r\n<url>http://o/</url>\r\n</file>\r\n"
                          "</directory>\r\n</bookmark>\r\n";
const QString SampleTree =
    QStringLiteral("News/(Site A=http://a/,Site B=http://b/,Sub/(Deep=http://d/)),Top=http://t/,"
                   "Other/(O=http://o/)");

} // namespace

class tst_Tfrm_BMEdit : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void captionsAndLoad();
    void addIntoEmptyFolderLeavesNoPlaceholder();
    void addBeforeEntryAndDefaults();
    void makeFolderWithNothingSelectedEditsItAtTheTop();
    void itemsFromTheFileRenameInPlace();
    void subFolderOnlyInFolders();
    void editAsksForEntriesOnly();
    void deleteTakesTheSubtree();
    void moveUpAndDownBeepAtTheEnds();
    void dragRefusals();
    void dropPlacesTheWholeSubtree_data();
    void dropPlacesTheWholeSubtree();
    void cancelRestoresTheFile();
    void okWritesAndRefreshes();
    void failedSaveKeepsTheDialogOpen();
    void fileTooDeepIsNotOverwritten();

private:
    QTreeWidgetItem *at(const QString &path) const;
    QString tree() const { return describe(BookMarkTree::nodes(m_edit->TreeView1)); }
    void choose(const QString &path) { m_edit->TreeView1->setCurrentItem(at(path)); }

    std::unique_ptr<Tfrm_BMEdit> m_edit;
    int m_beeps = 0;
    QStringList m_informs;
    QStringList m_inputs;
    QString m_answer;
    int m_saved = 0;
    QStringList m_errors;
};

void tst_Tfrm_BMEdit::initHome()
{
    m_home->write(QStringLiteral("BookMark.xml"), Sample);
    m_beeps = 0;
    m_informs.clear();
    m_inputs.clear();
    m_errors.clear();
    m_saved = 0;
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
    m_edit = std::make_unique<Tfrm_BMEdit>();
    Tfrm_BMEdit::Prompts prompts;
    prompts.beep = [this] {
        ++m_beeps;
    };
    prompts.inform = [this](QWidget *, const QString &text) {
        m_informs.append(text);
    };
    prompts.input = [this](QWidget *, const QString &caption, const QString &prompt,
                           const QString &text) {
        m_inputs.append(caption + QLatin1Char('|') + prompt + QLatin1Char('|') + text);
        return m_answer.isNull() ? text : m_answer;
    };
    m_edit->setPrompts(prompts);
    m_edit->setAfterSave([this] { ++m_saved; });
    m_answer = QString();
}

void tst_Tfrm_BMEdit::cleanupHome()
{
    m_edit.reset();
    ErrorHandler::setSink({});
    QCOMPARE(m_errors, QStringList());
}

QTreeWidgetItem *tst_Tfrm_BMEdit::at(const QString &path) const
{
    QTreeWidgetItem *item = nullptr;
    for (const QString &step : path.split(QLatin1Char('/'))) {
        const int i = step.toInt();
        item = item ? item->child(i) : m_edit->TreeView1->topLevelItem(i);
    }
    return item;
}

void tst_Tfrm_BMEdit::captionsAndLoad()
{
    QCOMPARE(m_edit->windowTitle(), QStringLiteral("ブックマークの編集"));
    QStringList captions;
    for (QPushButton *b : {m_edit->btnAdd, m_edit->btnDel, m_edit->btnEdit, m_edit->btnMD,
                           m_edit->btnSubMD, m_edit->btnImport, m_edit->btnOK, m_edit->btnCancel})
        captions.append(b->text());
    QCOMPARE(captions,
             QStringList({QStringLiteral("追   加"), QStringLiteral("削　  除"),
                          QStringLiteral("編　集"), QStringLiteral("フォルダの作成"),
                          QStringLiteral("サブフォルダ作成"), QStringLiteral("インポート"),
                          QStringLiteral("O   K"), QStringLiteral("キャンセル")}));
    QCOMPARE(tree(), SampleTree);
    QCOMPARE(m_edit->currentNode(), nullptr);
}

void tst_Tfrm_BMEdit::addIntoEmptyFolderLeavesNoPlaceholder()
{
    choose(QStringLiteral("1"));
    m_edit->btnMDClick(); // a new, empty folder above "Top"
    choose(QStringLiteral("1"));
    m_edit->txtName->setText(QStringLiteral("新"));
    m_edit->txtURL->setText(QStringLiteral("http://n/"));
    m_edit->btnAdd->click();
    QCOMPARE(tree(),
             QStringLiteral("News/(Site A=http://a/,Site B=http://b/,Sub/(Deep=http://d/)),"
                            "新しいフォルダ/(新=http://n/),Top=http://t/,Other/(O=http://o/)"));
    // Into a folder that has children: first child.
    choose(QStringLiteral("0/2"));
    m_edit->btnAdd->click();
    QCOMPARE(at(QStringLiteral("0/2"))->childCount(), 2);
    QCOMPARE(at(QStringLiteral("0/2/0"))->text(0), QStringLiteral("新"));
    QVERIFY(!tree().contains(QLatin1String("123")));
}

void tst_Tfrm_BMEdit::addBeforeEntryAndDefaults()
{
    m_edit->txtName->setText(QStringLiteral("X"));
    m_edit->txtURL->setText(QString());
    // Nothing chosen: the last node of the top level, the folder "Other", takes X first.
    m_edit->btnAddClick();
    QCOMPARE(m_edit->currentNode(), at(QStringLiteral("2")));
    // An entry chosen: X goes just above it.
    choose(QStringLiteral("0/1"));
    m_edit->btnAddClick();
    QCOMPARE(tree(),
             QStringLiteral("News/(Site A=http://a/,X=,Site B=http://b/,Sub/(Deep=http://d/)),"
                            "Top=http://t/,Other/(X=,O=http://o/)"));
}

void tst_Tfrm_BMEdit::makeFolderWithNothingSelectedEditsItAtTheTop()
{
    m_edit->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_edit.get()));
    m_edit->btnMDClick();
    QCOMPARE(at(QStringLiteral("0"))->text(0), QStringLiteral("新しいフォルダ"));
    QVERIFY(BookMarkTree::isFolder(at(QStringLiteral("0"))));
    // The label is open for editing; typing renames it.
    QTRY_VERIFY(m_edit->TreeView1->findChild<QLineEdit *>());
    auto *editor = m_edit->TreeView1->findChild<QLineEdit *>();
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Work"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(at(QStringLiteral("0"))->text(0), QStringLiteral("Work"));
}

void tst_Tfrm_BMEdit::itemsFromTheFileRenameInPlace()
{
    m_edit->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_edit.get()));
    for (const QString &path : {QStringLiteral("0/0"), QStringLiteral("0/2/0")}) {
        choose(path);
        QTest::keyClick(m_edit->TreeView1, Qt::Key_F2);
        QTRY_VERIFY(m_edit->TreeView1->findChild<QLineEdit *>());
        auto *editor = m_edit->TreeView1->findChild<QLineEdit *>();
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Renamed"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(at(path)->text(0), QStringLiteral("Renamed"));
    }
}

void tst_Tfrm_BMEdit::subFolderOnlyInFolders()
{
    choose(QStringLiteral("1"));
    m_edit->btnSubMDClick();
    QCOMPARE(tree(), SampleTree);
    choose(QStringLiteral("0/2"));
    m_edit->M1->trigger();
    QCOMPARE(at(QStringLiteral("0/2/0"))->text(0), QStringLiteral("新しいフォルダ"));
    QCOMPARE(at(QStringLiteral("0/2"))->childCount(), 2);
}

void tst_Tfrm_BMEdit::editAsksForEntriesOnly()
{
    choose(QStringLiteral("0"));
    m_edit->btnEditClick();
    QCOMPARE(m_inputs, QStringList());
    choose(QStringLiteral("0/1"));
    m_edit->popEdit->trigger(); // cancelled: the default comes back
    m_answer = QStringLiteral("http://new/");
    m_edit->btnEditClick();
    QCOMPARE(m_inputs, QStringList({QStringLiteral("編集|Site B|http://b/"),
                                    QStringLiteral("編集|Site B|http://b/")}));
    QCOMPARE(BookMarkTree::url(at(QStringLiteral("0/1"))), QStringLiteral("http://new/"));
    QCOMPARE(at(QStringLiteral("0/1"))->text(0), QStringLiteral("Site B"));
}

void tst_Tfrm_BMEdit::deleteTakesTheSubtree()
{
    m_edit->btnDelClick(); // nothing chosen: nothing deleted
    QCOMPARE(tree(), SampleTree);
    choose(QStringLiteral("0"));
    m_edit->popDel->trigger();
    QCOMPARE(tree(), QStringLiteral("Top=http://t/,Other/(O=http://o/)"));
    // Each deletion makes a neighbour current; on an empty tree Delete does nothing.
    for (int i = 0; i < 4; ++i)
        m_edit->btnDelClick();
    QCOMPARE(tree(), QString());
}

void tst_Tfrm_BMEdit::moveUpAndDownBeepAtTheEnds()
{
    choose(QStringLiteral("0/0"));
    m_edit->popMoveUpClick();
    choose(QStringLiteral("0/2"));
    m_edit->popMoveDownClick();
    QCOMPARE(m_beeps, 2);
    QCOMPARE(tree(), SampleTree);
    m_edit->popMoveUp->trigger(); // Sub above Site B
    m_edit->popMoveUp->trigger(); // and above Site A
    QCOMPARE(m_edit->TreeView1->currentItem(), at(QStringLiteral("0/0")));
    choose(QStringLiteral("0"));
    m_edit->popMoveDown->trigger();
    QCOMPARE(tree(), QStringLiteral("Top=http://t/,News/(Sub/(Deep=http://d/),Site A=http://a/,"
                                    "Site B=http://b/),Other/(O=http://o/)"));
    QCOMPARE(m_beeps, 2);
}

void tst_Tfrm_BMEdit::dragRefusals()
{
    choose(QStringLiteral("0"));
    m_edit->TreeView1DragDrop(at(QStringLiteral("0")));
    m_edit->TreeView1DragDrop(at(QStringLiteral("0/2/0")));
    QCOMPARE(m_informs, QStringList({QStringLiteral("同じ所に移動はできません。"),
                                     QStringLiteral("この移動はできません。")}));
    QCOMPARE(tree(), SampleTree);
}

void tst_Tfrm_BMEdit::dropPlacesTheWholeSubtree_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("result");
    QTest::newRow("folder onto a folder: its last child, subtree in order")
        << QStringLiteral("0") << QStringLiteral("2")
        << QStringLiteral("Top=http://t/,Other/(O=http://o/,News/(Site A=http://a/,"
                          "Site B=http://b/,Sub/(Deep=http://d/)))");
    QTest::newRow("folder onto the last entry of a level: end of that level")
        << QStringLiteral("0/2") << QStringLiteral("2/0")
        << QStringLiteral("News/(Site A=http://a/,Site B=http://b/),Top=http://t/,"
                          "Other/(O=http://o/,Sub/(Deep=http://d/))");
    QTest::newRow("entry onto an entry: just after it")
        << QStringLiteral("1") << QStringLiteral("0/0")
        << QStringLiteral("News/(Site A=http://a/,Top=http://t/,Site B=http://b/,"
                          "Sub/(Deep=http://d/)),Other/(O=http://o/)");
    QTest::newRow("entry onto a folder: its last child")
        << QStringLiteral("1") << QStringLiteral("0/2")
        << QStringLiteral("News/(Site A=http://a/,Site B=http://b/,Sub/(Deep=http://d/,"
                          "Top=http://t/)),Other/(O=http://o/)");
    QTest::newRow("on empty space: end of the top level")
        << QStringLiteral("0/2") << QString()
        << QStringLiteral("News/(Site A=http://a/,Site B=http://b/),Top=http://t/,"
                          "Other/(O=http://o/),Sub/(Deep=http://d/)");
}

void tst_Tfrm_BMEdit::dropPlacesTheWholeSubtree()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, result);
    choose(source);
    m_edit->TreeView1DragDrop(target.isEmpty() ? nullptr : at(target));
    QCOMPARE(tree(), result);
    QCOMPARE(m_informs, QStringList());
}

void tst_Tfrm_BMEdit::cancelRestoresTheFile()
{
    choose(QStringLiteral("0"));
    m_edit->btnDelClick();
    m_edit->btnMDClick();
    m_edit->btnAddClick();
    QVERIFY(tree() != SampleTree);
    m_edit->show();
    m_edit->btnCancel->click();
    QCOMPARE(tree(), SampleTree);
    QVERIFY(!m_edit->isVisible());
    QCOMPARE(m_saved, 0);
    QCOMPARE(m_home->read(QStringLiteral("BookMark.xml")), Sample);
}

void tst_Tfrm_BMEdit::okWritesAndRefreshes()
{
    choose(QStringLiteral("0/2"));
    m_edit->TreeView1DragDrop(nullptr);
    m_edit->show();
    m_edit->btnOK->click();
    QCOMPARE(m_saved, 1);
    QVERIFY(!m_edit->isVisible());
    QCOMPARE(describe(BookMarkFile::load(BookMarkFile::path())),
             QStringLiteral("News/(Site A=http://a/,Site B=http://b/),Top=http://t/,"
                            "Other/(O=http://o/),Sub/(Deep=http://d/)"));
    // The tree stays as it stands.
    QCOMPARE(describe(BookMarkFile::load(BookMarkFile::path())), tree());
    m_edit->TreeView1->clear();
    m_edit->btnOKClick();
    QCOMPARE(m_home->read(QStringLiteral("BookMark.xml")),
             QByteArray("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<bookmark>\r\n"
                        "</bookmark>\r\n"));
}

void tst_Tfrm_BMEdit::failedSaveKeepsTheDialogOpen()
{
    // A folder where the file should be: the rename over it fails.
    QFile::remove(m_home->file(QStringLiteral("BookMark.xml")));
    QVERIFY(QDir(m_home->path()).mkpath(QStringLiteral("BookMark.xml/x")));
    m_edit->show();
    m_edit->btnOK->click();
    QCOMPARE(m_errors.size(), 1);
    QVERIFY(m_errors.first().contains(QLatin1String("BookMark.xml")));
    m_errors.clear();
    QVERIFY(m_edit->isVisible());
    QCOMPARE(m_saved, 0);
    QCOMPARE(tree(), SampleTree);
}

void tst_Tfrm_BMEdit::fileTooDeepIsNotOverwritten()
{
    QByteArray nested;
    for (int i = 0; i < 100000; ++i)
        nested += "<directory>\r\n<name>d</name>\r\n";
    m_home->write(QStringLiteral("BookMark.xml"), nested);
    m_edit->btnCancel->click(); // reads the file again
    QCOMPARE(m_edit->TreeView1->topLevelItemCount(), 0);
    m_edit->show();
    m_edit->btnOK->click();
    QCOMPARE(m_errors.size(), 1);
    m_errors.clear();
    QCOMPARE(m_home->read(QStringLiteral("BookMark.xml")), nested);
    QCOMPARE(m_saved, 0);
}

QTEST_MAIN(tst_Tfrm_BMEdit)
#include "tst_Tfrm_BMEdit.moc"
