#include "names/ConstructNamesDialog.h"

#include "core/ByteText.h"
#include "core/ComboHistory.h"
#include "core/NameTokens.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "names/ByteTextEdit.h"
#include "names/TLDCheckList.h"
#include "names/TextFileImport.h"
#include "names/WaitCursor.h"
#include "names/WordLists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {

// Where the help pop-up's top centre goes, from the dialog's top-left corner.
constexpr QPoint kHelpOffset(150, 100);

QString HelpText()
{
    return QStringLiteral("To create domain names based on keywords first decide\n"
                          "on the base (or main) word. This word will always occur in the\n"
                          "domain name.\n"
                          "\n"
                          "Names are created by padding additional keywords on either\n"
                          "side of the base word.\n"
                          "\n"
                          "For example if the main word is 'software' we can create\n"
                          "names like freesoftware, softwareweb, esoftware, softwarenet,\n"
                          "freesoftwareweb, etc. by padding keywords like free, web, e,\n"
                          "net etc to the word software.\n"
                          "\n"
                          "The dialog panel allows you enter the main keyword, the set\n"
                          "of words that can be padded on either side and options that\n"
                          "specify how to pad the keywords.");
}

QString KeywordsSection()
{
    return QLatin1String(Setting::KeywordsHistory);
}

QStringList Items(const QComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i) {
        items.append(box.itemText(i));
    }
    return items;
}

} // namespace

CConstructNamesDialog::CConstructNamesDialog(CTLDList& tlds, QWidget* parent)
    : QDialog(parent)
    , m_keyword(new QComboBox(this))
    , m_webType(new QComboBox(this))
    , m_beginningWords(new CByteTextEdit(this))
    , m_endWords(new CByteTextEdit(this))
    , m_useDash(AddOption(QStringLiteral("It is OK to use \"-\" (dash) between padded words."),
                          "useDash", GetSetting(Setting::UseDash) != 0))
    , m_noStartAppend(AddOption(QStringLiteral("Don't pad words at the beginning."),
                                "noStartAppend", GetSetting(Setting::NoStartAppend) != 0))
    , m_noEndAppend(AddOption(QStringLiteral("Don't pad words at the end."), "noEndAppend",
                              GetSetting(Setting::NoEndAppend) != 0))
    , m_noBothAppend(
          AddOption(QStringLiteral("Pad words either at the beginning or at the end (not both)."),
                    "noBothAppend", GetSetting(Setting::NoBothAppend) != 0))
    , m_tlds(new CTLDCheckList(tlds, this))
{
    setWindowTitle(QStringLiteral("Construct Domain Names"));

    m_keyword->setObjectName(QStringLiteral("keyword"));
    m_keyword->setEditable(true);
    m_keyword->setInsertPolicy(QComboBox::NoInsert);
    // What the user types is the keyword; completing it from the history would change it.
    m_keyword->setCompleter(nullptr);
    m_keyword->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_keyword->setMinimumContentsLength(24);
    m_keyword->addItems(LoadComboHistory(KeywordsSection()));
    if (m_keyword->count() > 0) {
        m_keyword->setCurrentIndex(0);
    }

    m_webType->setObjectName(QStringLiteral("webType"));
    m_webType->addItems(WebTypes::Names());
    const int webType = GetSetting(Setting::WebType);
    m_webType->setCurrentIndex(WebTypes::IsValid(webType) ? webType : 0);
    LoadWordsForWebType();

    m_beginningWords->setObjectName(QStringLiteral("beginningWords"));
    m_endWords->setObjectName(QStringLiteral("endWords"));
    auto* importBeginning = new QPushButton(QStringLiteral("Import words from a file..."), this);
    importBeginning->setObjectName(QStringLiteral("importBeginningWords"));
    auto* importEnd = new QPushButton(QStringLiteral("Import words from a file..."), this);
    importEnd->setObjectName(QStringLiteral("importEndWords"));
    m_tlds->setObjectName(QStringLiteral("tldList"));
    auto* helpButton = new QPushButton(QStringLiteral("&Help"), this);
    helpButton->setObjectName(QStringLiteral("helpButton"));
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);

    auto* keywordFrame = new QGroupBox(QStringLiteral("Type in the main keyword here:"), this);
    auto* keywordLayout = new QGridLayout(keywordFrame);
    keywordLayout->addWidget(m_keyword, 0, 0, 1, 2);
    keywordLayout->addWidget(new QLabel(QStringLiteral("Type of website"), keywordFrame), 1, 0);
    keywordLayout->addWidget(m_webType, 1, 1);
    keywordLayout->setColumnStretch(1, 1);

    auto* wordsFrame =
        new QGroupBox(QStringLiteral("Words that may be padded (you may type in the boxes)"), this);
    auto* wordsLayout = new QGridLayout(wordsFrame);
    wordsLayout->addWidget(new QLabel(QStringLiteral("at the beginning"), wordsFrame), 0, 0);
    wordsLayout->addWidget(new QLabel(QStringLiteral("at the end"), wordsFrame), 0, 1);
    wordsLayout->addWidget(m_beginningWords, 1, 0);
    wordsLayout->addWidget(m_endWords, 1, 1);
    wordsLayout->addWidget(importBeginning, 2, 0);
    wordsLayout->addWidget(importEnd, 2, 1);
    int row = 3;
    for (QCheckBox* option : {m_useDash, m_noStartAppend, m_noEndAppend, m_noBothAppend}) {
        wordsLayout->addWidget(option, row++, 0, 1, 2);
    }
    wordsLayout->setRowStretch(1, 1);

    auto* valuesColumn = new QVBoxLayout;
    valuesColumn->addWidget(keywordFrame);
    valuesColumn->addWidget(wordsFrame, 1);

    auto* tldColumn = new QVBoxLayout;
    tldColumn->addWidget(new QLabel(QStringLiteral("TLDs"), this));
    tldColumn->addWidget(m_tlds, 1);
    tldColumn->addSpacing(6);
    tldColumn->addWidget(helpButton);
    tldColumn->addWidget(cancelButton);
    tldColumn->addWidget(okButton);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(valuesColumn, 1);
    layout->addLayout(tldColumn);

    QWidget* previous = m_keyword;
    for (QWidget* next : std::initializer_list<QWidget*>{
             m_webType, m_beginningWords, importBeginning, m_endWords, importEnd, m_useDash,
             m_noStartAppend, m_noEndAppend, m_noBothAppend, m_tlds, helpButton, cancelButton,
             okButton}) {
        setTabOrder(previous, next);
        previous = next;
    }
    m_keyword->setFocus();

    connect(m_webType, &QComboBox::currentIndexChanged, this,
            &CConstructNamesDialog::LoadWordsForWebType);
    connect(importBeginning, &QPushButton::clicked, this,
            [this] { ImportWords(m_beginningWords); });
    connect(importEnd, &QPushButton::clicked, this, [this] { ImportWords(m_endWords); });
    connect(helpButton, &QPushButton::clicked, this, &CConstructNamesDialog::ShowHelp);
    connect(cancelButton, &QPushButton::clicked, this, &CConstructNamesDialog::reject);
    connect(okButton, &QPushButton::clicked, this, &CConstructNamesDialog::accept);
}

void CConstructNamesDialog::accept()
{
    m_tlds->SaveTicks();
    const CWaitCursor wait;
    const QByteArray beginningWords = m_beginningWords->Bytes();
    const QByteArray endWords = m_endWords->Bytes();
    m_names.emplace(ByteText::Encode(m_keyword->currentText()), beginningWords, endWords, Options(),
                    m_tlds->SavedTLDs());
    StoreOptions();
    SaveComboHistory(Items(*m_keyword), m_keyword->currentText(), KeywordsSection());
    // A word file that cannot be written is skipped: the names are made all the same.
    const int webType = m_webType->currentIndex();
    SaveWordList(webType, WordSide::Beginning, beginningWords);
    SaveWordList(webType, WordSide::End, endWords);
    QDialog::accept();
}

QCheckBox* CConstructNamesDialog::AddOption(const QString& text, const char* objectName,
                                            bool checked)
{
    auto* option = new QCheckBox(text, this);
    option->setObjectName(QLatin1String(objectName));
    option->setChecked(checked);
    return option;
}

void CConstructNamesDialog::LoadWordsForWebType()
{
    const int webType = m_webType->currentIndex();
    m_beginningWords->SetBytes(WordsForWebType(webType, WordSide::Beginning));
    m_endWords->SetBytes(WordsForWebType(webType, WordSide::End));
}

void CConstructNamesDialog::ImportWords(CByteTextEdit* box)
{
    const QString path = TextFileImport::ChooseTextFile(this);
    if (path.isEmpty()) {
        return;
    }
    const CWaitCursor wait;
    if (std::optional<QByteArray> words = LoadWordList(path)) {
        box->SetBytes(std::move(*words));
    }
}

void CConstructNamesDialog::ShowHelp()
{
    // Kept to the text's own line breaks: plain pop-up text would be wrapped again, narrowly.
    QWhatsThis::showText(frameGeometry().topLeft() + kHelpOffset,
                         Qt::convertFromPlainText(HelpText(), Qt::WhiteSpacePre));
}

CPaddingOptions CConstructNamesDialog::Options() const
{
    CPaddingOptions options;
    options.useDash = m_useDash->isChecked();
    options.noStartAppend = m_noStartAppend->isChecked();
    options.noEndAppend = m_noEndAppend->isChecked();
    options.noBothAppend = m_noBothAppend->isChecked();
    return options;
}

void CConstructNamesDialog::StoreOptions() const
{
    SetSetting(Setting::WebType, m_webType->currentIndex());
    SetSetting(Setting::UseDash, m_useDash->isChecked() ? 1 : 0);
    SetSetting(Setting::NoEndAppend, m_noEndAppend->isChecked() ? 1 : 0);
    SetSetting(Setting::NoStartAppend, m_noStartAppend->isChecked() ? 1 : 0);
    SetSetting(Setting::NoBothAppend, m_noBothAppend->isChecked() ? 1 : 0);
}
