#include "names/ConstructNamesDialog.h"

#include "NamesTestFixture.h"

#include "core/ComboHistory.h"
#include "core/Settings.h"
#include "names/ByteTextEdit.h"
#include "names/NameCommands.h"
#include "names/WordLists.h"

#include "support/CaseName.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWhatsThis>

namespace {

// What the dialog gets before OK; words are typed into the boxes.
struct ConstructValues {
    QString keyword;
    QString beginningWords;
    QString endWords;
    bool useDash = false;
    bool noStartAppend = false;
    bool noEndAppend = false;
    bool noBothAppend = false;
    QStringList tlds{QStringLiteral("COM")};
};

class ConstructNamesDialogTest : public NamesTestFixture {
protected:
    static void Fill(CConstructNamesDialog& dialog, const ConstructValues& values)
    {
        Control<QComboBox>(dialog, "keyword").setEditText(values.keyword);
        Control<QPlainTextEdit>(dialog, "beginningWords").setPlainText(values.beginningWords);
        Control<QPlainTextEdit>(dialog, "endWords").setPlainText(values.endWords);
        Control<QCheckBox>(dialog, "useDash").setChecked(values.useDash);
        Control<QCheckBox>(dialog, "noStartAppend").setChecked(values.noStartAppend);
        Control<QCheckBox>(dialog, "noEndAppend").setChecked(values.noEndAppend);
        Control<QCheckBox>(dialog, "noBothAppend").setChecked(values.noBothAppend);
        Tick(Control<QListWidget>(dialog, "tldList"), values.tlds);
    }

    void Construct(const ConstructValues& values)
    {
        OnNextModal<CConstructNamesDialog>([values](CConstructNamesDialog& dialog) {
            Fill(dialog, values);
            Control<QPushButton>(dialog, "okButton").click();
        });
        RunConstructNamesCommand(nullptr, doc);
    }

    // Opens the dialog, lets `look` read it, and cancels.
    void Inspect(const std::function<void(CConstructNamesDialog&)>& look)
    {
        OnNextModal<CConstructNamesDialog>([look](CConstructNamesDialog& dialog) {
            look(dialog);
            Control<QPushButton>(dialog, "cancelButton").click();
        });
        RunConstructNamesCommand(nullptr, doc);
    }

    static QByteArray Words(CConstructNamesDialog& dialog, const char* box)
    {
        return Control<CByteTextEdit>(dialog, box).Bytes();
    }

    static void WriteWordFile(const QString& name, const QByteArray& bytes)
    {
        ASSERT_TRUE(DataFolder::Ensure());
        QFile file(DataFolder::FilePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
};

struct GenerationCase {
    const char* behaviour;
    ConstructValues values;
    QByteArrayList expected;
};

class ConstructedNames : public ConstructNamesDialogTest,
                         public testing::WithParamInterface<GenerationCase> {};

TEST_P(ConstructedNames, EnterTheListInThePartsOrderAndRebuildOnce)
{
    QSignalSpy updates(&doc, &CDomainDoc::ListReset);
    Construct(GetParam().values);
    EXPECT_EQ(Names(), GetParam().expected);
    EXPECT_EQ(updates.count(), 1);
}

ConstructValues Values(const char* keyword, const char* beginning, const char* end, bool useDash,
                       bool noBothAppend, QStringList tlds = {QStringLiteral("COM")})
{
    ConstructValues values;
    values.keyword = QLatin1String(keyword);
    values.beginningWords = QLatin1String(beginning);
    values.endWords = QLatin1String(end);
    values.useDash = useDash;
    values.noBothAppend = noBothAppend;
    values.tlds = std::move(tlds);
    return values;
}

INSTANTIATE_TEST_SUITE_P(
    ConstructNames, ConstructedNames,
    testing::Values(
        GenerationCase{
            "software padded with free and web",
            Values("software", "free", "web", false, false),
            {"software.COM", "freesoftware.COM", "softwareweb.COM", "freesoftwareweb.COM"}},
        GenerationCase{"software padded with dashes",
                       Values("software", "free", "web", true, false),
                       {"software.COM", "freesoftware.COM", "free-software.COM", "softwareweb.COM",
                        "software-web.COM", "freesoftwareweb.COM", "freesoftware-web.COM",
                        "free-softwareweb.COM", "free-software-web.COM"}},
        GenerationCase{"one side only by default",
                       Values("software", "free", "web", false, true),
                       {"software.COM", "freesoftware.COM", "softwareweb.COM"}},
        GenerationCase{"empty keyword joins the words alone",
                       Values("", "free", "web", false, false),
                       {"free.COM", "web.COM", "freeweb.COM"}},
        GenerationCase{"word equal to the keyword in other case is skipped",
                       Values("software", "SOFTWARE\nfree", "SoftWare", false, false),
                       {"software.COM", "freesoftware.COM"}},
        GenerationCase{"soft.ware becomes software and is skipped",
                       Values("software", "soft.ware", "web", false, false),
                       {"software.COM", "softwareweb.COM"}},
        GenerationCase{"keyword typed with its TLD enters bare",
                       Values(" alpha.net ", "", "", false, true, {}),
                       {"alpha.net"}},
        GenerationCase{"without ticks a bare keyword enters nothing",
                       Values("software", "free", "web", false, false, {}),
                       {}},
        GenerationCase{"each stem takes the ticked TLDs in table order",
                       Values("software", "free", "", false, true,
                              {QStringLiteral("ORG"), QStringLiteral("COM")}),
                       {"software.COM", "software.ORG", "freesoftware.COM", "freesoftware.ORG"}}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(ConstructNamesDialogTest, AdmittedCountMatchesTheFormula)
{
    const int p = 5 * 2;
    const int s = 7 * 2;
    const int t = 3;
    ConstructValues values =
        Values("key", "a b c d e", "q r s t u v w", true, false,
               {QStringLiteral("COM"), QStringLiteral("NET"), QStringLiteral("ORG")});
    Construct(values);
    // Every generated name is valid and distinct except the bare keyword.
    EXPECT_EQ(doc.GetCount(), t * (1 + p + s + p * s));
}

TEST_F(ConstructNamesDialogTest, AdmissionStopsAtTheListLimit)
{
    doc.SetMaxEntries(4);
    Construct(Values("software", "free good", "web net", false, false));
    EXPECT_EQ(Names(), (QByteArrayList{"software.COM", "freesoftware.COM", "goodsoftware.COM",
                                       "softwareweb.COM"}));
}

TEST_F(ConstructNamesDialogTest, OpensWithTheDefaults)
{
    Inspect([](CConstructNamesDialog& dialog) {
        EXPECT_TRUE(Control<QComboBox>(dialog, "keyword").currentText().isEmpty());
        auto& webType = Control<QComboBox>(dialog, "webType");
        EXPECT_EQ(webType.count(), 6);
        EXPECT_EQ(webType.currentText(), QStringLiteral("All"));
        EXPECT_EQ(webType.itemText(5), QStringLiteral("Custom"));
        EXPECT_EQ(Words(dialog, "beginningWords"),
                  "free\r\ngood\r\n4\r\nnet\r\nmicro\r\ndesk\r\nbusy\r\n");
        EXPECT_TRUE(Words(dialog, "endWords").startsWith("e\r\nweb\r\nnet\r\n"));
        EXPECT_FALSE(Control<QCheckBox>(dialog, "useDash").isChecked());
        EXPECT_FALSE(Control<QCheckBox>(dialog, "noStartAppend").isChecked());
        EXPECT_FALSE(Control<QCheckBox>(dialog, "noEndAppend").isChecked());
        EXPECT_TRUE(Control<QCheckBox>(dialog, "noBothAppend").isChecked());
        EXPECT_EQ(Ticked(Control<QListWidget>(dialog, "tldList")),
                  QStringList{QStringLiteral(" COM")});
    });
}

TEST_F(ConstructNamesDialogTest, OpensWithTheStoredOptionsAndWebType)
{
    SetSetting(Setting::WebType, 3);
    SetSetting(Setting::UseDash, 1);
    SetSetting(Setting::NoStartAppend, 1);
    SetSetting(Setting::NoEndAppend, 1);
    SetSetting(Setting::NoBothAppend, 0);
    Inspect([](CConstructNamesDialog& dialog) {
        EXPECT_EQ(Control<QComboBox>(dialog, "webType").currentText(), QStringLiteral("Fun"));
        EXPECT_EQ(Words(dialog, "beginningWords"), "good\r\nnice\r\nfast\r\n");
        EXPECT_TRUE(Control<QCheckBox>(dialog, "useDash").isChecked());
        EXPECT_TRUE(Control<QCheckBox>(dialog, "noStartAppend").isChecked());
        EXPECT_TRUE(Control<QCheckBox>(dialog, "noEndAppend").isChecked());
        EXPECT_FALSE(Control<QCheckBox>(dialog, "noBothAppend").isChecked());
    });
}

TEST_F(ConstructNamesDialogTest, StoredWebTypeOutOfRangeOpensAll)
{
    SetSetting(Setting::WebType, 9);
    Inspect([](CConstructNamesDialog& dialog) {
        EXPECT_EQ(Control<QComboBox>(dialog, "webType").currentIndex(), 0);
    });
}

TEST_F(ConstructNamesDialogTest, WordFilesWinOverTheBuiltInWordsAndAnEmptyFileStaysEmpty)
{
    ASSERT_TRUE(DataFolder::Ensure());
    QFile beginning(DataFolder::FilePath(QStringLiteral("zul1.1")));
    ASSERT_TRUE(beginning.open(QIODevice::WriteOnly));
    beginning.write("alpha;beta gamma");
    beginning.close();
    QFile end(DataFolder::FilePath(QStringLiteral("zul1.2")));
    ASSERT_TRUE(end.open(QIODevice::WriteOnly));
    end.close();
    SetSetting(Setting::WebType, 1);
    Inspect([](CConstructNamesDialog& dialog) {
        EXPECT_EQ(Words(dialog, "beginningWords"), "alpha\r\nbeta\r\ngamma\r\n");
        EXPECT_TRUE(Words(dialog, "endWords").isEmpty());
    });
}

TEST_F(ConstructNamesDialogTest, PickingAnotherWebTypeDiscardsTheEdits)
{
    Inspect([](CConstructNamesDialog& dialog) {
        auto& beginning = Control<QPlainTextEdit>(dialog, "beginningWords");
        auto& webType = Control<QComboBox>(dialog, "webType");
        beginning.setPlainText(QStringLiteral("edited"));
        webType.setFocus();
        QTest::keyClick(&webType, Qt::Key_Down);
        EXPECT_EQ(webType.currentText(), QStringLiteral("Business"));
        EXPECT_EQ(Words(dialog, "beginningWords"),
                  "4\r\nbiggest\r\nbiz\r\nbusy\r\nbuy\r\ne\r\ngood\r\nlargest\r\nmicro\r\n");
        beginning.setPlainText(QStringLiteral("edited again"));
        QTest::keyClick(&webType, Qt::Key_Up);
        EXPECT_EQ(Words(dialog, "beginningWords"),
                  "free\r\ngood\r\n4\r\nnet\r\nmicro\r\ndesk\r\nbusy\r\n");
    });
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul.1")), QByteArray("<missing>"));
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul1.1")), QByteArray("<missing>"));
}

TEST_F(ConstructNamesDialogTest, OkStoresOptionsHistoryAndTheWordFilesOfTheChosenType)
{
    OnNextModal<CConstructNamesDialog>([](CConstructNamesDialog& dialog) {
        ConstructValues values =
            Values("software", "free", "web", true, false, {QStringLiteral("NET")});
        values.noEndAppend = true;
        Control<QComboBox>(dialog, "webType").setCurrentIndex(4);
        Fill(dialog, values);
        Control<QPushButton>(dialog, "okButton").click();
    });
    RunConstructNamesCommand(nullptr, doc);
    EXPECT_EQ(GetSetting(Setting::WebType), 4);
    EXPECT_EQ(GetSetting(Setting::UseDash), 1);
    EXPECT_EQ(GetSetting(Setting::NoStartAppend), 0);
    EXPECT_EQ(GetSetting(Setting::NoEndAppend), 1);
    EXPECT_EQ(GetSetting(Setting::NoBothAppend), 0);
    EXPECT_EQ(LoadComboHistory(QLatin1String(Setting::KeywordsHistory)),
              QStringList{QStringLiteral("software")});
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul4.1")), QByteArray("free"));
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul4.2")), QByteArray("web"));
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul.1")), QByteArray("<missing>"));
    EXPECT_EQ(FlaggedTLDs(), QByteArrayList{"NET"});
    EXPECT_EQ(Names(), (QByteArrayList{"software.NET", "freesoftware.NET", "free-software.NET"}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ConstructNamesDialogTest, UneditedWordFileIsWrittenBackByteForByte)
{
    ASSERT_TRUE(DataFolder::Ensure());
    const QByteArray latin1 = "caf\xe9\r\nna\xefve\r\n";
    QFile file(DataFolder::FilePath(QStringLiteral("zul.1")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(latin1);
    file.close();
    OnNextModal<CConstructNamesDialog>([](CConstructNamesDialog& dialog) {
        Control<QComboBox>(dialog, "keyword").setEditText(QStringLiteral("k"));
        Control<QPushButton>(dialog, "okButton").click();
    });
    RunConstructNamesCommand(nullptr, doc);
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul.1")), latin1);
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul.2")), WordsForWebType(0, WordSide::End));
}

struct WordEditCase {
    const char* behaviour;
    std::function<void(QPlainTextEdit&)> edit;
    QByteArray written;
};

class EditedWordFile : public ConstructNamesDialogTest,
                       public testing::WithParamInterface<WordEditCase> {};

TEST_P(EditedWordFile, IsWrittenBackAsTheBoxHoldsIt)
{
    WriteWordFile(QStringLiteral("zul.1"), "caf\xe9\r\nna\xefve\r\n");
    OnNextModal<CConstructNamesDialog>([](CConstructNamesDialog& dialog) {
        Control<QComboBox>(dialog, "keyword").setEditText(QStringLiteral("k"));
        auto& box = Control<QPlainTextEdit>(dialog, "beginningWords");
        box.setFocus();
        GetParam().edit(box);
        Control<QPushButton>(dialog, "okButton").click();
    });
    RunConstructNamesCommand(nullptr, doc);
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul.1")), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    ConstructNames, EditedWordFile,
    testing::Values(WordEditCase{"typed text becomes UTF-8 with CR LF",
                                 [](QPlainTextEdit& box) { QTest::keyClick(&box, Qt::Key_X); },
                                 "xcaf\xc3\xa9\r\nna\xc3\xafve\r\n"},
                    WordEditCase{"an edit undone leaves the bytes as they were",
                                 [](QPlainTextEdit& box) {
                                     QTest::keyClick(&box, Qt::Key_X);
                                     QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
                                 },
                                 "caf\xe9\r\nna\xefve\r\n"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(ConstructNamesDialogTest, AWebTypePickedWhileTheWordsStillShowReplacesThem)
{
    QByteArray manyWords;
    for (int i = 0; i < 300000; ++i) {
        manyWords += "w" + QByteArray::number(i) + "\r\n";
    }
    WriteWordFile(QStringLiteral("zul.1"), manyWords);
    bool stillShowing = false;
    QString shown;
    QByteArray words;
    Inspect([&](CConstructNamesDialog& dialog) {
        auto& box = Control<CByteTextEdit>(dialog, "beginningWords");
        stillShowing = !box.HasShownAll();
        Control<QComboBox>(dialog, "webType").setCurrentIndex(1);
        EXPECT_TRUE(QTest::qWaitFor([&box] { return box.HasShownAll(); }, 20000));
        shown = box.toPlainText();
        words = box.Bytes();
    });
    const QByteArray business = WordsForWebType(1, WordSide::Beginning);
    EXPECT_TRUE(stillShowing);
    EXPECT_EQ(shown,
              QString::fromLatin1(business).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(words, business);
}

// 2,000 beginning words and 1,000 end words of 32 characters make names too long to enter when
// they pad the keyword together: two million names on both sides are refused before the last
// beginning word, a short one, pads it with each end word.
ConstructValues LongRun()
{
    QStringList beginning;
    for (int i = 0; i < 2000; ++i) {
        beginning.append(QStringLiteral("p%1").arg(i, 31, 10, QLatin1Char('0')));
    }
    beginning.append(QStringLiteral("z"));
    QStringList end;
    for (int i = 0; i < 1000; ++i) {
        end.append(QStringLiteral("s%1").arg(i, 31, 10, QLatin1Char('0')));
    }
    ConstructValues values;
    values.keyword = QStringLiteral("k");
    values.beginningWords = beginning.join(QLatin1Char(' '));
    values.endWords = end.join(QLatin1Char(' '));
    return values;
}

constexpr int kNamesBeforeTheLastRow = 1 + 2001 + 1000;

TEST_F(ConstructNamesDialogTest, ALongRunGoesOnToTheEndOfTheSequence)
{
    doc.SetMaxEntries(65535);
    Construct(LongRun());
    ASSERT_EQ(doc.GetCount(), kNamesBeforeTheLastRow + 1000);
    EXPECT_EQ(Names().back(), "zks" + QByteArray(28, '0') + "999.COM");
}

TEST_F(ConstructNamesDialogTest, ALongRunShowsItsProgressAndCancelKeepsTheNamesAdmittedSoFar)
{
    doc.SetMaxEntries(65535);
    bool progressShown = false;
    OnNextModal<CConstructNamesDialog>([](CConstructNamesDialog& dialog) {
        Fill(dialog, LongRun());
        Control<QPushButton>(dialog, "okButton").click();
    });
    OnNextModal<QProgressDialog>([&progressShown](QProgressDialog& progress) {
        progressShown = true;
        progress.findChild<QPushButton*>()->click();
    });
    RunConstructNamesCommand(nullptr, doc);
    EXPECT_TRUE(progressShown);
    ASSERT_EQ(doc.GetCount(), kNamesBeforeTheLastRow);
    EXPECT_EQ(Names().back(), "ks" + QByteArray(28, '0') + "999.COM");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ConstructNamesDialogTest, CancelWritesNothing)
{
    OnNextModal<CConstructNamesDialog>([](CConstructNamesDialog& dialog) {
        Control<QComboBox>(dialog, "webType").setCurrentIndex(2);
        Fill(dialog, Values("software", "free", "web", true, false, {QStringLiteral("NET")}));
        Control<QPushButton>(dialog, "cancelButton").click();
    });
    RunConstructNamesCommand(nullptr, doc);
    EXPECT_EQ(doc.GetCount(), 0);
    for (const CIntSetting& setting : {Setting::WebType, Setting::UseDash, Setting::NoStartAppend,
                                       Setting::NoEndAppend, Setting::NoBothAppend}) {
        EXPECT_EQ(GetSettingInt(QLatin1String(setting.section), QLatin1String(setting.key), -7), -7)
            << setting.key;
    }
    EXPECT_TRUE(LoadComboHistory(QLatin1String(Setting::KeywordsHistory)).isEmpty());
    EXPECT_FALSE(QFile::exists(DataFolder::FilePath(QStringLiteral("zul2.1"))));
    EXPECT_FALSE(QFile::exists(DataFolder::FilePath(QStringLiteral("zul2.2"))));
    EXPECT_FALSE(QFile::exists(DataFolder::FilePath(QStringLiteral("zul.tld"))));
    EXPECT_EQ(FlaggedTLDs(), QByteArrayList{"COM"});
}

TEST_F(ConstructNamesDialogTest, HistoryKeepsTheNewestFirstOncePerTextAndAtMost21)
{
    for (int i = 1; i <= 22; ++i) {
        Construct(Values(qPrintable(QStringLiteral("key%1").arg(i)), "", "", false, true));
    }
    Construct(Values("KEY5", "", "", false, true));
    QStringList items;
    QString keyword;
    Inspect([&](CConstructNamesDialog& dialog) {
        auto& box = Control<QComboBox>(dialog, "keyword");
        for (int i = 0; i < box.count(); ++i) {
            items.append(box.itemText(i));
        }
        keyword = box.currentText();
    });
    ASSERT_EQ(items.size(), 21);
    EXPECT_EQ(items[0], QStringLiteral("KEY5"));
    EXPECT_EQ(items[1], QStringLiteral("key22"));
    EXPECT_EQ(items[20], QStringLiteral("key2"));
    EXPECT_FALSE(items.contains(QStringLiteral("key5")));
    EXPECT_FALSE(items.contains(QStringLiteral("key1")));
    EXPECT_EQ(keyword, QStringLiteral("KEY5"));
}

struct WordImportCase {
    const char* behaviour;
    const char* button;
    const char* box;
    QByteArray file;
    QByteArray expected;
};

class WordImport : public ConstructNamesDialogTest,
                   public testing::WithParamInterface<WordImportCase> {};

TEST_P(WordImport, ReplacesTheBoxWithTheNormalisedWords)
{
    const WordImportCase& c = GetParam();
    CUserPrompt::SetNextFileName(WriteFile(QStringLiteral("words.txt"), c.file));
    QByteArray shown;
    QByteArray other;
    Inspect([&](CConstructNamesDialog& dialog) {
        Control<QPushButton>(dialog, c.button).click();
        shown = Words(dialog, c.box);
        other = Words(dialog, qstrcmp(c.box, "endWords") == 0 ? "beginningWords" : "endWords");
    });
    EXPECT_EQ(shown, c.expected);
    EXPECT_EQ(other, WordsForWebType(0, qstrcmp(c.box, "endWords") == 0 ? WordSide::Beginning
                                                                        : WordSide::End));
    EXPECT_FALSE(GetSetting(Setting::OpenPathTXT).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    ConstructNames, WordImport,
    testing::Values(WordImportCase{"beginning words one per line", "importBeginningWords",
                                   "beginningWords", "a;b c", "a\r\nb\r\nc\r\n"},
                    WordImportCase{"end words one per line", "importEndWords", "endWords",
                                   "e-mail,#1", "e\r\nmail\r\n#1\r\n"},
                    WordImportCase{"punctuation only empties the box", "importEndWords", "endWords",
                                   "...;;--", ""}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(ConstructNamesDialogTest, UnreadableWordImportChangesNothing)
{
    CUserPrompt::SetNextFileName(WriteFile(QStringLiteral("x.txt"), "x") + QStringLiteral(".gone"));
    QByteArray shown;
    Inspect([&](CConstructNamesDialog& dialog) {
        Control<QPushButton>(dialog, "importBeginningWords").click();
        shown = Words(dialog, "beginningWords");
    });
    EXPECT_EQ(shown, WordsForWebType(0, WordSide::Beginning));
}

TEST_F(ConstructNamesDialogTest, HelpShowsAPopUpWithItsTopCentreBelowTheDialogsCorner)
{
    QRect popup;
    QPoint anchor;
    Inspect([&](CConstructNamesDialog& dialog) {
        dialog.move(300, 150);
        Control<QPushButton>(dialog, "helpButton").click();
        anchor = dialog.frameGeometry().topLeft() + QPoint(150, 100);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->inherits("QWhatsThat")) {
                popup = widget->geometry();
            }
        }
        QWhatsThis::hideText();
    });
    ASSERT_FALSE(popup.isNull()) << "no help pop-up showed";
    EXPECT_NEAR(popup.center().x(), anchor.x(), 6);
    EXPECT_NEAR(popup.top(), anchor.y(), 6);
    EXPECT_GT(popup.height(), 100) << "the whole help text shows";
}

} // namespace
