#include "names/NewListWizard.h"

#include "NamesTestFixture.h"

#include "names/AddNamesDialog.h"
#include "names/ConstructNamesDialog.h"
#include "names/NameCommands.h"

#include "support/CaseName.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class NewListWizardTest : public NamesTestFixture {
protected:
    // True when some modal dialog shows within the time; it is closed at once.
    static bool ModalShowsWithin(int milliseconds)
    {
        const bool shown =
            QTest::qWaitFor([] { return QApplication::activeModalWidget(); }, milliseconds);
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
        return shown;
    }
};

TEST_F(NewListWizardTest, IsEnabledOnlyWhileTheListIsEmpty)
{
    EXPECT_TRUE(CanRunNewListWizard(doc));
    ASSERT_TRUE(doc.AdmitName("alpha.com"));
    EXPECT_FALSE(CanRunNewListWizard(doc));
    ASSERT_TRUE(doc.RemoveName("alpha.com"));
    EXPECT_TRUE(CanRunNewListWizard(doc));
}

TEST_F(NewListWizardTest, DoesNothingOnAListWithEntries)
{
    ASSERT_TRUE(doc.AdmitName("alpha.com"));
    RunNewListWizard(nullptr, doc);
    EXPECT_FALSE(ModalShowsWithin(200));
}

TEST_F(NewListWizardTest, OpensWithTheFirstChoiceAndTheProgramIcon)
{
    bool firstChosen = false;
    bool secondChosen = true;
    int icons = 0;
    OnNextModal<CNewListWizard>([&](CNewListWizard& wizard) {
        firstChosen = Control<QRadioButton>(wizard, "addNamesChoice").isChecked();
        secondChosen = Control<QRadioButton>(wizard, "constructNamesChoice").isChecked();
        for (const QLabel* label : wizard.findChildren<QLabel*>()) {
            icons += label->pixmap().isNull() ? 0 : 1;
        }
        Control<QPushButton>(wizard, "cancelButton").click();
    });
    RunNewListWizard(nullptr, doc);
    EXPECT_TRUE(firstChosen);
    EXPECT_FALSE(secondChosen);
    EXPECT_EQ(icons, 2);
}

TEST_F(NewListWizardTest, ClickingAChoicesTextPicksIt)
{
    bool picked = false;
    OnNextModal<CNewListWizard>([&](CNewListWizard& wizard) {
        auto& construct = Control<QRadioButton>(wizard, "constructNamesChoice");
        for (QLabel* label : wizard.findChildren<QLabel*>()) {
            if (label->buddy() == &construct) {
                QTest::mouseClick(label, Qt::LeftButton);
            }
        }
        picked = construct.isChecked();
        Control<QPushButton>(wizard, "cancelButton").click();
    });
    RunNewListWizard(nullptr, doc);
    EXPECT_TRUE(picked);
}

struct WizardChoiceCase {
    const char* behaviour;
    const char* choice;
    bool construct;
};

class WizardChoice : public NewListWizardTest,
                     public testing::WithParamInterface<WizardChoiceCase> {};

TEST_P(WizardChoice, StartsItsCommandAfterTheWizardHasClosed)
{
    OnNextModal<CNewListWizard>([](CNewListWizard& wizard) {
        Control<QRadioButton>(wizard, GetParam().choice).click();
        Control<QPushButton>(wizard, "okButton").click();
    });
    bool wizardGone = false;
    bool commandRan = false;
    const auto closeCommand = [&](QDialog& dialog) {
        const QWidgetList windows = QApplication::topLevelWidgets();
        wizardGone = std::none_of(windows.begin(), windows.end(),
                                  [](QWidget* w) { return w->inherits("CNewListWizard"); });
        commandRan = true;
        dialog.reject();
    };
    if (GetParam().construct) {
        OnNextModal<CConstructNamesDialog>(closeCommand);
    } else {
        OnNextModal<CAddNamesDialog>(closeCommand);
    }
    RunNewListWizard(nullptr, doc);
    EXPECT_FALSE(commandRan) << "the command must wait until the wizard has closed";
    EXPECT_TRUE(QTest::qWaitFor([&] { return commandRan; }, 5000));
    EXPECT_TRUE(wizardGone);
}

INSTANTIATE_TEST_SUITE_P(NewListWizard, WizardChoice,
                         testing::Values(WizardChoiceCase{"typing or importing opens Domain Names",
                                                          "addNamesChoice", false},
                                         WizardChoiceCase{"keywords open Construct Domain Names",
                                                          "constructNamesChoice", true}),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(NewListWizardTest, CancelStartsNothing)
{
    OnNextModal<CNewListWizard>([](CNewListWizard& wizard) {
        Control<QRadioButton>(wizard, "constructNamesChoice").click();
        Control<QPushButton>(wizard, "cancelButton").click();
    });
    RunNewListWizard(nullptr, doc);
    EXPECT_FALSE(ModalShowsWithin(200));
}

} // namespace
