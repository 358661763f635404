#include "shell/OptionsDialog.h"

#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/LookupScheduler.h"
#include "shell/AutostartEntry.h"
#include "view/IntegerSpinEdit.h"
#include "view/UserPrompt.h"

#include "support/CaseName.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace std::chrono_literals;

namespace {

const QString kEnterAnInteger = QStringLiteral("Please enter an integer.");
const QString kRunOnStartup = QStringLiteral("&Run on startup ");
const QString kCheckDnsFirst = QStringLiteral("Check DN&S first");
const QString kDnsServerHint =
    QStringLiteral("Please enter the DNS server as an address with an optional port, such as "
                   "192.0.2.53 or [2001:db8::53]:5353, or leave it empty to ask the system's "
                   "resolvers.");
constexpr int kAbsent = -12345;

// Acts on the dialog of type T once the command under test has opened it modally.
template <typename T>
void WhenShown(std::function<void(T&)> action)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(*dialog);
        }
    });
    timer->start();
}

CIntegerSpinEdit* Edit(QWidget& dialog, const char* name)
{
    return dialog.findChild<CIntegerSpinEdit*>(QLatin1String(name));
}

QLineEdit* DnsServerEdit(QWidget& dialog)
{
    return dialog.findChild<QLineEdit*>(QStringLiteral("dnsServer"));
}

QCheckBox* CheckBox(QWidget& dialog, const QString& text)
{
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (box->text() == text) {
            return box;
        }
    }
    return nullptr;
}

void SetText(QWidget& dialog, const char* name, const char* text)
{
    CIntegerSpinEdit* edit = Edit(dialog, name);
    ASSERT_NE(edit, nullptr) << name;
    edit->findChild<QLineEdit*>()->setText(QString::fromUtf8(text));
}

void ClickButton(QWidget& dialog, QDialogButtonBox::StandardButton which)
{
    dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

int Stored(const CIntSetting& setting)
{
    return GetSettingInt(QLatin1String(setting.section), QLatin1String(setting.key), kAbsent);
}

class OptionsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTestEnvironment::Instance().Reset();
        CUserPrompt::Reset();
        CUserPrompt::SetAutomatic(true);
        RemoveAutostartFolder();
        tlds.ClearTLDList();
        tlds.FillDefaults();
        scheduler = std::make_unique<CLookupScheduler>(doc);
        scheduler->SetInterval(1h);
    }

    void TearDown() override
    {
        scheduler.reset();
        RemoveAutostartFolder();
    }

    static void RemoveAutostartFolder()
    {
        const QString folder =
            CTestEnvironment::Instance().ConfigFolder() + QStringLiteral("/autostart");
        QDir(folder).removeRecursively();
        QFile::remove(folder);
    }

    CTLDList tlds;

    CDomainDoc doc{tlds, AnalyseStoredAnswer};
    std::unique_ptr<CLookupScheduler> scheduler;
};

TEST_F(OptionsDialogTest, ShowsTheDefaultsOnAMachineWithoutSettings)
{
    COptionsDialog dialog;
    EXPECT_EQ(Edit(dialog, "maxConnections")->text(), QStringLiteral("5"));
    EXPECT_EQ(Edit(dialog, "connectionInterval")->text(), QStringLiteral("2"));
    EXPECT_EQ(Edit(dialog, "connectTimeout")->text(), QStringLiteral("20"));
    EXPECT_EQ(Edit(dialog, "readTimeout")->text(), QStringLiteral("30"));
    EXPECT_EQ(Edit(dialog, "lookupTimeout")->text(), QStringLiteral("60"));
    EXPECT_EQ(Edit(dialog, "printLines")->text(), QStringLiteral("30"));
    EXPECT_EQ(Edit(dialog, "maxEntries")->text(), QStringLiteral("3000"));
    EXPECT_FALSE(CheckBox(dialog, QStringLiteral("Minimize to &tray at start"))->isChecked());
    EXPECT_FALSE(CheckBox(dialog, kRunOnStartup)->isChecked());
    EXPECT_TRUE(CheckBox(dialog, QStringLiteral("Cleanup &whois result text."))->isChecked());
}

TEST_F(OptionsDialogTest, ShowsTheStoredValues)
{
    SetSetting(Setting::MaxConnections, 12);
    SetSetting(Setting::ConnectionInterval, 9);
    SetSetting(Setting::ReadTimeout, 45);
    SetSetting(Setting::LookupTimeout, 90);
    SetSetting(Setting::MaxEntries, 64000);
    SetSetting(Setting::MinimizeToTray, 1);
    SetSetting(Setting::StripOutput, 0);
    COptionsDialog dialog;
    EXPECT_EQ(Edit(dialog, "maxConnections")->text(), QStringLiteral("12"));
    EXPECT_EQ(Edit(dialog, "connectionInterval")->text(), QStringLiteral("9"));
    EXPECT_EQ(Edit(dialog, "readTimeout")->text(), QStringLiteral("45"));
    EXPECT_EQ(Edit(dialog, "lookupTimeout")->text(), QStringLiteral("90"));
    EXPECT_EQ(Edit(dialog, "maxEntries")->text(), QStringLiteral("64000"));
    EXPECT_TRUE(CheckBox(dialog, QStringLiteral("Minimize to &tray at start"))->isChecked());
    EXPECT_FALSE(CheckBox(dialog, QStringLiteral("Cleanup &whois result text."))->isChecked());
}

TEST_F(OptionsDialogTest, CarriesTheTextsOfItsControls)
{
    COptionsDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Options"));
    QStringList titles;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        titles.append(group->title());
    }
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Communication"),
                                   QStringLiteral("&Print lines per page "),
                                   QStringLiteral("Max allowable &entries in the domain list:")}));
    const auto labelOf = [&dialog](const char* name) {
        QWidget* edit = Edit(dialog, name);
        const auto* form = qobject_cast<QFormLayout*>(edit->parentWidget()->layout());
        const auto* label = qobject_cast<QLabel*>(form->labelForField(edit));
        return label ? label->text() : QString();
    };
    EXPECT_EQ(labelOf("maxConnections"), QStringLiteral("&Max simultaneous connections"));
    EXPECT_EQ(labelOf("connectionInterval"), QStringLiteral("&Connection Interval (seconds)"));
    EXPECT_EQ(labelOf("connectTimeout"), QStringLiteral("Co&nnect Timeout (seconds)"));
    EXPECT_EQ(labelOf("readTimeout"), QStringLiteral("Rea&d Timeout (seconds)"));
    EXPECT_EQ(labelOf("lookupTimeout"), QStringLiteral("&Lookup Timeout (seconds)"));
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        labels.append(label->text());
    }
    EXPECT_TRUE(
        labels.contains(QStringLiteral("Please set this to a reasonable limit, may be 3000.")));
    EXPECT_NE(CheckBox(dialog, kRunOnStartup), nullptr);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
}

TEST_F(OptionsDialogTest, TabOrderFollowsTheGroupsDownTheDialog)
{
    COptionsDialog dialog;
    dialog.show();
    QStringList order;
    QWidget* widget = &dialog;
    do {
        widget = widget->nextInFocusChain();
        QString name;
        for (QWidget* w = widget; w && w != &dialog && name.isEmpty(); w = w->parentWidget()) {
            if (qobject_cast<CIntegerSpinEdit*>(w)) {
                name = w->objectName();
            } else if (const auto* box = qobject_cast<QCheckBox*>(w)) {
                name = box->text();
            } else if (qobject_cast<QLineEdit*>(w) == DnsServerEdit(dialog)) {
                name = w->objectName();
            }
        }
        if (!name.isEmpty() && (widget->focusPolicy() & Qt::TabFocus) &&
            (order.isEmpty() || order.constLast() != name)) {
            order.append(name);
        }
    } while (widget != &dialog);
    EXPECT_EQ(
        order,
        (QStringList{QStringLiteral("maxConnections"), QStringLiteral("connectionInterval"),
                     QStringLiteral("connectTimeout"), QStringLiteral("readTimeout"),
                     QStringLiteral("lookupTimeout"), QStringLiteral("&Use RDAP when WHOIS fails"),
                     QStringLiteral("&Back off when a server asks to slow down"),
                     QStringLiteral("longestBackOff"), kCheckDnsFirst, QStringLiteral("dnsServer"),
                     QStringLiteral("printLines"), QStringLiteral("maxEntries"),
                     QStringLiteral("Minimize to &tray at start"), kRunOnStartup,
                     QStringLiteral("Cleanup &whois result text."),
                     QStringLiteral("Notify when lookups &finish"),
                     QStringLiteral("Notify when a name comes back &available")}));
}

TEST_F(OptionsDialogTest, ArrowsStepWithinTheirRanges)
{
    COptionsDialog dialog;
    dialog.show();
    struct Step {
        const char* name;
        const char* from;
        Qt::Key key;
        const char* to;
    };
    const Step steps[] = {
        {"maxConnections", "40", Qt::Key_Up, "40"},
        {"maxConnections", "1", Qt::Key_Down, "1"},
        {"maxConnections", "99", Qt::Key_Down, "40"},
        {"maxConnections", "7", Qt::Key_Up, "8"},
        {"connectionInterval", "2", Qt::Key_Down, "2"},
        {"connectionInterval", "60", Qt::Key_Up, "60"},
        {"printLines", "60", Qt::Key_Up, "60"},
        {"printLines", "1", Qt::Key_Down, "1"},
        {"maxEntries", "1000", Qt::Key_Down, "1000"},
        {"maxEntries", "64000", Qt::Key_Up, "64000"},
        {"maxEntries", "3000", Qt::Key_Up, "3001"},
        {"readTimeout", "300", Qt::Key_Up, "300"},
        {"lookupTimeout", "300", Qt::Key_Up, "300"},
        {"lookupTimeout", "1", Qt::Key_Down, "1"},
        {"connectTimeout", "1", Qt::Key_Down, "1"},
        {"connectTimeout", "abc", Qt::Key_Up, "2"},
    };
    for (const Step& step : steps) {
        CIntegerSpinEdit* edit = Edit(dialog, step.name);
        edit->findChild<QLineEdit*>()->setText(QLatin1String(step.from));
        QTest::keyClick(edit, step.key);
        EXPECT_EQ(edit->text(), QLatin1String(step.to)) << step.name << " from " << step.from;
    }
}

struct ConfirmCase {
    const char* behaviour;
    const char* connections;
    const char* interval;
    int storedConnections;
    int storedInterval;
    int runningConnections;
    std::chrono::milliseconds tick;
};

class OptionsConfirmed : public OptionsDialogTest,
                         public testing::WithParamInterface<ConfirmCase> {};

TEST_P(OptionsConfirmed, StoresAsTypedAndLimitsTheRunningScheduler)
{
    const ConfirmCase& c = GetParam();
    WhenShown<COptionsDialog>([&c](COptionsDialog& dialog) {
        SetText(dialog, "maxConnections", c.connections);
        SetText(dialog, "connectionInterval", c.interval);
        ClickButton(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(RunOptionsCommand(nullptr, *scheduler));
    EXPECT_EQ(Stored(Setting::MaxConnections), c.storedConnections);
    EXPECT_EQ(Stored(Setting::ConnectionInterval), c.storedInterval);
    EXPECT_EQ(scheduler->GetMaxConnections(), c.runningConnections);
    EXPECT_EQ(scheduler->GetInterval(), c.tick);
    EXPECT_TRUE(CUserPrompt::ShownTexts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    OptionsDialog, OptionsConfirmed,
    testing::Values(
        ConfirmCase{"no connections run as one", "0", "2", 0, 2, 1, 2000ms},
        ConfirmCase{"negative connections run as one", "-3", "2", -3, 2, 1, 2000ms},
        ConfirmCase{"ninety-nine connections run as forty", "99", "2", 99, 2, 40, 2000ms},
        ConfirmCase{"forty connections run as forty", "40", "2", 40, 2, 40, 2000ms},
        ConfirmCase{"interval of one second ticks every two", "5", "1", 5, 1, 5, 2000ms},
        ConfirmCase{"interval of zero ticks every two", "5", "0", 5, 0, 5, 2000ms},
        ConfirmCase{"interval of five seconds ticks every five", "5", "5", 5, 5, 5, 5000ms},
        ConfirmCase{"spaces around a number are accepted", " 7 ", " 3", 7, 3, 7, 3000ms}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(OptionsDialogTest, ConfirmingStoresEveryOptionAndAppliesListLimitAndCleanup)
{
    WhenShown<COptionsDialog>([](COptionsDialog& dialog) {
        SetText(dialog, "printLines", "45");
        SetText(dialog, "maxEntries", "500");
        SetText(dialog, "connectTimeout", "7");
        SetText(dialog, "readTimeout", "400");
        SetText(dialog, "lookupTimeout", "75");
        CheckBox(dialog, QStringLiteral("Minimize to &tray at start"))->click();
        CheckBox(dialog, QStringLiteral("Cleanup &whois result text."))->click();
        CheckBox(dialog, QStringLiteral("Notify when lookups &finish"))->click();
        CheckBox(dialog, QStringLiteral("Notify when a name comes back &available"))->click();
        CheckBox(dialog, QStringLiteral("&Use RDAP when WHOIS fails"))->click();
        ClickButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(RunOptionsCommand(nullptr, *scheduler));
    EXPECT_EQ(Stored(Setting::UseRdapFallback), 0);
    EXPECT_EQ(Stored(Setting::PrintLines), 45);
    EXPECT_EQ(Stored(Setting::MaxEntries), 500) << "a limit below the arrows' range is kept";
    EXPECT_EQ(Stored(Setting::ConnectTimeout), 7);
    EXPECT_EQ(Stored(Setting::ReadTimeout), 400);
    EXPECT_EQ(Stored(Setting::LookupTimeout), 75);
    EXPECT_EQ(Stored(Setting::MinimizeToTray), 1);
    EXPECT_EQ(Stored(Setting::StripOutput), 0);
    EXPECT_EQ(Stored(Setting::NotifyLookupsFinished), 0);
    EXPECT_EQ(Stored(Setting::NotifyNameAvailable), 1);
    EXPECT_EQ(Stored(Setting::RunAtStartup), 0);
    EXPECT_EQ(Stored(Setting::MaxConnections), 5);
    EXPECT_EQ(Stored(Setting::ConnectionInterval), 2);
    EXPECT_EQ(doc.GetMaxEntries(), 500);
    EXPECT_EQ(scheduler->GetStripOutput(), Strip::No);
}

TEST_F(OptionsDialogTest, DnsChoiceIsStoredAndTakenByTheScheduler)
{
    {
        COptionsDialog dialog;
        ASSERT_FALSE(CheckBox(dialog, kCheckDnsFirst)->isChecked()) << "as stored";
        EXPECT_FALSE(DnsServerEdit(dialog)->isEnabled()) << "no server to edit while off";
        CheckBox(dialog, kCheckDnsFirst)->click();
        EXPECT_TRUE(DnsServerEdit(dialog)->isEnabled());
    }
    WhenShown<COptionsDialog>([](COptionsDialog& dialog) {
        CheckBox(dialog, kCheckDnsFirst)->click();
        DnsServerEdit(dialog)->setText(QStringLiteral(" [2001:db8::53]:5353 "));
        ClickButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(RunOptionsCommand(nullptr, *scheduler));
    EXPECT_EQ(Stored(Setting::CheckDnsFirst), 1);
    EXPECT_EQ(GetSetting(Setting::DnsServer), QStringLiteral("[2001:db8::53]:5353"));
    EXPECT_TRUE(scheduler->GetDnsFirst().enabled);
    EXPECT_EQ(scheduler->GetDnsFirst().servers, QByteArray("[2001:db8::53]:5353"));

    WhenShown<COptionsDialog>([](COptionsDialog& dialog) {
        CheckBox(dialog, kCheckDnsFirst)->click();
        ClickButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(RunOptionsCommand(nullptr, *scheduler));
    EXPECT_EQ(Stored(Setting::CheckDnsFirst), 0);
    EXPECT_FALSE(scheduler->GetDnsFirst().enabled);
}

TEST_F(OptionsDialogTest, DnsServerThatIsNoAddressIsRefusedWhileDnsFirstIsOn)
{
    COptionsDialog dialog;
    dialog.show();
    CheckBox(dialog, kCheckDnsFirst)->click();
    DnsServerEdit(dialog)->setText(QStringLiteral("resolver.example"));
    ClickButton(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{kDnsServerHint});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), DnsServerEdit(dialog));
    EXPECT_EQ(Stored(Setting::MaxEntries), kAbsent) << "nothing written";

    CheckBox(dialog, kCheckDnsFirst)->click();
    ClickButton(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << "an unused server is kept as typed";
    EXPECT_EQ(GetSetting(Setting::DnsServer), QStringLiteral("resolver.example"));
}

TEST_F(OptionsDialogTest, NewListLimitGovernsTheDocumentAtOnce)
{
    WhenShown<COptionsDialog>([](COptionsDialog& dialog) {
        SetText(dialog, "maxEntries", "2");
        ClickButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(RunOptionsCommand(nullptr, *scheduler));
    EXPECT_TRUE(doc.AdmitName("first.com"));
    EXPECT_TRUE(doc.AdmitName("second.com"));
    EXPECT_FALSE(doc.AdmitName("third.com"));
}

TEST_F(OptionsDialogTest, OkWritesTheOptionsInItsFixedOrder)
{
    std::vector<std::string> keys;
    for (const auto& [setting, value] : COptionsValues{}.InWriteOrder()) {
        keys.emplace_back(setting.key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{
                        "Max Entries", "Max Connections", "Print Lines", "Connection Interval",
                        "Connect Timeout", "Read Timeout", "Lookup Timeout",
                        "Back Off When Throttled", "Longest Back-off", "Minimize to Tray",
                        "Run at Win startup", "Strip Output", "Notify Lookups Finished",
                        "Notify Name Available", "Use RDAP when WHOIS fails", "Check DNS First"}));
}

TEST_F(OptionsDialogTest, CancelWritesAndAppliesNothing)
{
    scheduler->SetMaxConnections(3);
    WhenShown<COptionsDialog>([](COptionsDialog& dialog) {
        SetText(dialog, "maxConnections", "20");
        SetText(dialog, "maxEntries", "5000");
        ClickButton(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(RunOptionsCommand(nullptr, *scheduler));
    EXPECT_EQ(Stored(Setting::MaxConnections), kAbsent);
    EXPECT_EQ(Stored(Setting::MaxEntries), kAbsent);
    EXPECT_EQ(scheduler->GetMaxConnections(), 3);
    EXPECT_EQ(scheduler->GetInterval(), 1h);
    EXPECT_EQ(doc.GetMaxEntries(), CDomainDoc::kDefaultMaxEntries);
}

struct RefusalCase {
    const char* behaviour;
    const char* edit;
    const char* text;
};

class OptionsRefused : public OptionsDialogTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(OptionsRefused, KeepTheDialogOpenWithTheFocusOnTheBoxAndWriteNothing)
{
    COptionsDialog dialog;
    dialog.show();
    SetText(dialog, GetParam().edit, GetParam().text);
    ClickButton(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{kEnterAnInteger});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    CIntegerSpinEdit* edit = Edit(dialog, GetParam().edit);
    QWidget* focus = dialog.focusWidget();
    EXPECT_TRUE(focus == edit || edit->isAncestorOf(focus));
    for (const CIntSetting& setting :
         {Setting::MaxEntries, Setting::MaxConnections, Setting::PrintLines,
          Setting::ConnectionInterval, Setting::ConnectTimeout, Setting::ReadTimeout,
          Setting::LookupTimeout, Setting::MinimizeToTray, Setting::RunAtStartup,
          Setting::StripOutput}) {
        EXPECT_EQ(Stored(setting), kAbsent) << setting.key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    OptionsDialog, OptionsRefused,
    testing::Values(RefusalCase{"letters for the connections", "maxConnections", "many"},
                    RefusalCase{"empty interval", "connectionInterval", ""},
                    RefusalCase{"letters after the connect timeout", "connectTimeout", "20s"},
                    RefusalCase{"space inside the read timeout", "readTimeout", "3 0"},
                    RefusalCase{"decimal lookup timeout", "lookupTimeout", "1.5"},
                    RefusalCase{"decimal print lines", "printLines", "30.5"},
                    RefusalCase{"thousands separator in the list limit", "maxEntries", "3,000"},
                    RefusalCase{"number beyond thirty-two bits", "maxEntries", "4294967296"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(OptionsDialogTest, RunOnStartupCheckedThenCancelledKeepsTheEntry)
{
    COptionsDialog dialog;
    dialog.show();
    CheckBox(dialog, kRunOnStartup)->click();
    EXPECT_TRUE(QFile::exists(AutostartEntry::FilePath())) << "made at once, before OK";
    EXPECT_EQ(Stored(Setting::RunAtStartup), 1);
    dialog.reject();
    QFile entry(AutostartEntry::FilePath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_EQ(entry.readAll(), AutostartEntry::Contents(QCoreApplication::applicationFilePath()));
    EXPECT_EQ(Stored(Setting::RunAtStartup), 1);
    EXPECT_TRUE(CUserPrompt::ShownTexts().isEmpty());
}

TEST_F(OptionsDialogTest, RunOnStartupUncheckedThenCancelledLeavesNoEntry)
{
    SetSetting(Setting::RunAtStartup, 1);
    ASSERT_TRUE(AutostartEntry::Create(QCoreApplication::applicationFilePath()).Ok());
    COptionsDialog dialog;
    dialog.show();
    QCheckBox* box = CheckBox(dialog, kRunOnStartup);
    ASSERT_TRUE(box->isChecked());
    box->click();
    EXPECT_FALSE(QFile::exists(AutostartEntry::FilePath()));
    EXPECT_EQ(Stored(Setting::RunAtStartup), 0);
    dialog.reject();
    EXPECT_FALSE(QFile::exists(AutostartEntry::FilePath()));
    EXPECT_EQ(Stored(Setting::RunAtStartup), 0);
}

TEST_F(OptionsDialogTest, UncheckingWithoutAnEntryShowsNothing)
{
    SetSetting(Setting::RunAtStartup, 1);
    COptionsDialog dialog;
    dialog.show();
    CheckBox(dialog, kRunOnStartup)->click();
    EXPECT_TRUE(CUserPrompt::ShownTexts().isEmpty());
    EXPECT_FALSE(QFile::exists(AutostartEntry::FilePath()));
    EXPECT_EQ(Stored(Setting::RunAtStartup), 0);
}

TEST_F(OptionsDialogTest, EntryThatCannotBeWrittenIsReportedAndTheSettingStaysChecked)
{
    QFile blocker(CTestEnvironment::Instance().ConfigFolder() + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    COptionsDialog dialog;
    dialog.show();
    CheckBox(dialog, kRunOnStartup)->click();
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{QStringLiteral("Error creating Shortcut")});
    EXPECT_EQ(Stored(Setting::RunAtStartup), 1);
    EXPECT_TRUE(CheckBox(dialog, kRunOnStartup)->isChecked());
}

TEST_F(OptionsDialogTest, RunOnStartupWithANonIntegerBoxChangesNothing)
{
    COptionsDialog dialog;
    dialog.show();
    SetText(dialog, "printLines", "lots");
    CheckBox(dialog, kRunOnStartup)->click();
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{kEnterAnInteger});
    EXPECT_FALSE(QFile::exists(AutostartEntry::FilePath()));
    EXPECT_EQ(Stored(Setting::RunAtStartup), kAbsent);
    EXPECT_FALSE(CheckBox(dialog, kRunOnStartup)->isChecked()) << "the box tells the truth";
}

TEST_F(OptionsDialogTest, OkAfterCheckingRunOnStartupKeepsEntryAndSetting)
{
    WhenShown<COptionsDialog>([](COptionsDialog& dialog) {
        CheckBox(dialog, kRunOnStartup)->click();
        ClickButton(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(RunOptionsCommand(nullptr, *scheduler));
    EXPECT_TRUE(QFile::exists(AutostartEntry::FilePath()));
    EXPECT_EQ(Stored(Setting::RunAtStartup), 1);
}

} // namespace
