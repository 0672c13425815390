// The application frame on the real Qt backend: its start state, its menu,
// the mode option with its explanation and the RTF folder entry, the
// numeric entry on the same byte, and what each menu item runs where.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <QFileSystemWatcher>
#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "tests/support/fake_program.h"

namespace {

using namespace zorvane;
using engine::BMKG;
using fw::ui::drive::waitFor;
namespace drive = fw::ui::drive;
namespace C = zorvane::FrameControl;

const std::string modeText[] = {
    "Report will be printed",
    "Outlook Email preview will be generated",
    "You will see nothing. Email will be sent with Outlook silently",
    "No emailing. You will see RTF file in your default Windows RTF editor (WordPad or Word) and will be able to "
    "save it as RTF, DOC, or HTML",
    "You will see nothing. RTF will be created in directory and with the name you specify from respective "
    "template setting",
};

TEST_F(ZorvaneFrame, StartsInEmailPreviewWithTheModeOneTextAndTheRtfFolderHidden)
{
    ASSERT_TRUE(settle());
    EXPECT_EQ(frame().title(), "Brevmark Hesk Template Demo by Korrin");
    EXPECT_EQ(BMKG.Mode, 1);
    EXPECT_TRUE(isChecked(C::EmailPreviewRadio));
    for (int radio : {C::SaveRadio, C::SilentSaveRadio, C::SilentEmailRadio, C::PrintRadio})
        EXPECT_FALSE(isChecked(radio)) << radio;
    EXPECT_EQ(text(C::ModeEntry), "1");
    EXPECT_EQ(text(C::Explanation), modeText[1]);
    EXPECT_TRUE(frame().isVisible(C::Explanation));
    EXPECT_FALSE(frame().isVisible(C::RTFpathLabel));
    EXPECT_FALSE(frame().isVisible(C::RTFpathEntry));
    EXPECT_TRUE(frame().isVisible(C::Picture));
    EXPECT_EQ(BMKG.PageWidth, 8000);
    EXPECT_EQ(BMKG.PageHeight, 12440);
    EXPECT_TRUE(BMKG.RTFpath.isBlank());
}

TEST_F(ZorvaneFrame, MenuBarShowsEveryItemWithItsStatusMessage)
{
    struct Row {
        int item;
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {C::EmailReportFrom, "EMAIL REPORT FROM:", ""},
        {C::TarvenMenu, "*Tarven", ""},
        {C::Classes, "Classes (*.doc attachments NEW)", "Print in record order"},
        {C::Students, "Students", "Print ordered by by Last Name"},
        {C::Teachers, "Teachers", "Print ordered by by Last Name"},
        {C::Customers, "Customers", "Print ordered by the CUS:ByName key"},
        {C::CustomersEmbed, "Customers (embed template used)", ""},
        {C::NoReportMenu, "*No Report", ""},
        {C::EmailOne, "Email 1", ""},
        {C::EmailTwo, "Email 2", ""},
        {C::BulkEmailMenu, "*Bulk Email", ""},
        {C::TeachersToFirstFive, "Teachers to first 5 Customers", ""},
        {C::ClassesToFirstFive, "Classes to first 5 Customers", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(text(row.item), row.text) << row.item;
        EXPECT_EQ(drive::statusMessage(frame(), row.item), row.message) << row.item;
        EXPECT_TRUE(frame().isVisible(row.item)) << row.item;
    }
    for (auto [radio, caption] : {std::pair{C::SaveRadio, "Save"},
                                  {C::SilentSaveRadio, "Silent save"},
                                  {C::SilentEmailRadio, "Silent email"},
                                  {C::EmailPreviewRadio, "Email Preview"},
                                  {C::PrintRadio, "Print"}})
        EXPECT_EQ(text(radio), caption) << radio;
    EXPECT_EQ(text(C::RTFpathLabel), "BMKG:RTFpath");
}

struct RadioRow {
    const char* name;
    int radio;
    std::uint8_t mode;
    bool rtfFolderShown;
};

void PrintTo(const RadioRow& row, std::ostream* out) { *out << row.name; }

class ZorvaneFrameRadio : public ZorvaneFrame, public ::testing::WithParamInterface<RadioRow> {};

TEST_P(ZorvaneFrameRadio, ChoosingARadioSetsTheModeItsTextAndTheRtfFolderEntry)
{
    const RadioRow& row = GetParam();
    drive::clickRadio(frame(), row.radio);
    ASSERT_TRUE(waitFor([&] { return text(C::Explanation) == modeText[row.mode]; })) << text(C::Explanation);
    EXPECT_EQ(BMKG.Mode, row.mode);
    EXPECT_EQ(text(C::ModeEntry), std::to_string(row.mode));
    EXPECT_EQ(frame().isVisible(C::RTFpathLabel), row.rtfFolderShown);
    EXPECT_EQ(frame().isVisible(C::RTFpathEntry), row.rtfFolderShown);
}

INSTANTIATE_TEST_SUITE_P(Modes, ZorvaneFrameRadio,
                         ::testing::Values(RadioRow{"Print", C::PrintRadio, 0, false},
                                           RadioRow{"EmailPreview", C::EmailPreviewRadio, 1, false},
                                           RadioRow{"SilentEmail", C::SilentEmailRadio, 2, false},
                                           RadioRow{"Save", C::SaveRadio, 3, false},
                                           RadioRow{"SilentSave", C::SilentSaveRadio, 4, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZorvaneFrame, SilentSaveShowsTheRtfFolderAndPrintHidesItAgain)
{
    drive::clickRadio(frame(), C::SilentSaveRadio);
    ASSERT_TRUE(waitFor([&] { return frame().isVisible(C::RTFpathEntry); }));
    EXPECT_TRUE(frame().isVisible(C::RTFpathLabel));
    EXPECT_EQ(text(C::Explanation), modeText[4]);

    drive::typeInto(frame(), C::RTFpathEntry, "C:\\Reports\\Out");
    ASSERT_TRUE(waitFor([] { return BMKG.RTFpath.clipped() == "C:\\Reports\\Out"; }));

    drive::clickRadio(frame(), C::PrintRadio);
    ASSERT_TRUE(waitFor([&] { return !frame().isVisible(C::RTFpathEntry); }));
    EXPECT_FALSE(frame().isVisible(C::RTFpathLabel));
    EXPECT_EQ(text(C::Explanation), "Report will be printed");
    EXPECT_EQ(BMKG.Mode, 0);
    EXPECT_EQ(BMKG.RTFpath.clipped(), "C:\\Reports\\Out") << "hiding the entry keeps the folder";
}

TEST_F(ZorvaneFrame, TypingFourChangesTheModeOnlyUntilARadioIsChosen)
{
    drive::typeInto(frame(), C::ModeEntry, "4");
    ASSERT_TRUE(waitFor([] { return BMKG.Mode == 4; }));
    ASSERT_TRUE(settle());
    EXPECT_EQ(text(C::Explanation), modeText[1]);
    EXPECT_FALSE(frame().isVisible(C::RTFpathLabel));
    EXPECT_FALSE(frame().isVisible(C::RTFpathEntry));

    drive::clickRadio(frame(), C::SilentSaveRadio);
    ASSERT_TRUE(waitFor([&] { return text(C::Explanation) == modeText[4]; }));
    EXPECT_TRUE(frame().isVisible(C::RTFpathLabel));
    EXPECT_TRUE(frame().isVisible(C::RTFpathEntry));
}

TEST_F(ZorvaneFrame, NumericEntryKeepsTheLowByteOfALargerNumber)
{
    struct Row {
        const char* typed;
        std::uint8_t mode;
        const char* shown;
    };
    for (const Row& row : {Row{"2", 2, "2"}, Row{"255", 255, "255"}, Row{"300", 44, "44"}, Row{"0", 0, "0"}}) {
        drive::typeInto(frame(), C::ModeEntry, row.typed);
        ASSERT_TRUE(settle());
        EXPECT_EQ(BMKG.Mode, row.mode) << row.typed;
        EXPECT_EQ(text(C::ModeEntry), row.shown) << row.typed;
        EXPECT_EQ(text(C::Explanation), modeText[1]) << row.typed;
    }
}

TEST_F(ZorvaneFrame, AModeWithoutATextLeavesTheExplanationAsItWas)
{
    drive::clickRadio(frame(), C::SaveRadio);
    ASSERT_TRUE(waitFor([&] { return text(C::Explanation) == modeText[3]; }));
    drive::typeInto(frame(), C::ModeEntry, "7");
    ASSERT_TRUE(settle());
    // The option accepted while it stands at no radio's value.
    frame().post(fw::ui::Event::Accepted, C::ModeOption);
    ASSERT_TRUE(settle());
    EXPECT_EQ(BMKG.Mode, 7);
    EXPECT_EQ(text(C::Explanation), modeText[3]);
    EXPECT_FALSE(frame().isVisible(C::RTFpathEntry));
}

struct ActionRow {
    const char* name;
    int item;
    const char* procedure;
    bool ownThread;
};

void PrintTo(const ActionRow& row, std::ostream* out) { *out << row.name; }

class ZorvaneFrameMenuAction : public ZorvaneFrame, public ::testing::WithParamInterface<ActionRow> {};

TEST_P(ZorvaneFrameMenuAction, RunsItsProcedureOnTheRightThread)
{
    const ActionRow& row = GetParam();
    drive::chooseMenuItem(frame(), row.item);
    ASSERT_TRUE(waitFor([&] { return !calls.empty(); }));
    ASSERT_TRUE(settle());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, row.procedure);
    if (row.ownThread)
        EXPECT_NE(calls[0].thread, m_frameThread);
    else
        EXPECT_EQ(calls[0].thread, m_frameThread);
}

INSTANTIATE_TEST_SUITE_P(
    Menu, ZorvaneFrameMenuAction,
    ::testing::Values(ActionRow{"Classes", C::Classes, "TarvenClasses", true},
                      ActionRow{"Students", C::Students, "TarvenStudents", true},
                      ActionRow{"Teachers", C::Teachers, "TarvenTeachers", true},
                      ActionRow{"Customers", C::Customers, "TarvenCustomers", true},
                      ActionRow{"CustomersEmbed", C::CustomersEmbed, "TarvenCustomersEmbed", false},
                      ActionRow{"EmailOne", C::EmailOne, "EmailOne", false},
                      ActionRow{"EmailTwo", C::EmailTwo, "EmailTwo", false},
                      ActionRow{"TeachersToFirstFive", C::TeachersToFirstFive, "BulkEmail(1,0)", false},
                      ActionRow{"ClassesToFirstFive", C::ClassesToFirstFive, "BulkEmail(0,1)", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZorvaneFrame, TwoQuickCustomersRunAtOnceWhileTheFrameStaysUsable)
{
    holding = {"TarvenCustomers"};
    drive::chooseMenuItem(frame(), C::Customers);
    drive::chooseMenuItem(frame(), C::Customers);
    ASSERT_TRUE(waitFor([&] { return running == 2; }));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_NE(calls[0].thread, calls[1].thread);

    drive::clickRadio(frame(), C::SilentSaveRadio);
    EXPECT_TRUE(waitFor([&] { return frame().isVisible(C::RTFpathEntry); })) << "the frame answers meanwhile";
    EXPECT_EQ(running, 2);

    release = true;
    EXPECT_TRUE(waitFor([&] { return running == 0; }));
    EXPECT_TRUE(
        waitFor([&] { return !fw::threads::isAlive(calls[0].thread) && !fw::threads::isAlive(calls[1].thread); }));
}

TEST_F(ZorvaneFrame, EmailOneKeepsTheFrameBusyUntilItReturns)
{
    holding = {"EmailOne"};
    drive::chooseMenuItem(frame(), C::EmailOne);
    ASSERT_TRUE(waitFor([&] { return running == 1; }));
    drive::clickRadio(frame(), C::SilentSaveRadio);
    // The click is queued behind the mail: the frame cannot take it yet.
    fw::threads::runReadyThreads();
    EXPECT_EQ(text(C::Explanation), modeText[1]);
    EXPECT_FALSE(frame().isVisible(C::RTFpathEntry));

    release = true;
    EXPECT_TRUE(waitFor([&] { return text(C::Explanation) == modeText[4]; }));
    EXPECT_TRUE(frame().isVisible(C::RTFpathEntry));
}

TEST_F(ZorvaneFrame, EmailReportFromOpensTheMakersPageAndStartsNoReport)
{
    // A stand-in for the desktop's opener that notes what it was given.
    const std::filesystem::path opened = at("opened.txt");
    std::optional<test_support::FakeProgram> xdgOpen;
    xdgOpen.emplace(at("bin"), "xdg-open",
                    "printf '%s' \"$1\" > '" + opened.string() + ".part' && mv '" + opened.string() + ".part' '" +
                        opened.string() + "'");

    // The opener is another process: the folder's watcher wakes the event
    // loop when its note arrives.
    QFileSystemWatcher watcher({QString::fromStdString(m_folder.string())});
    drive::chooseMenuItem(frame(), C::EmailReportFrom);
    const bool seen = waitFor([&] { return std::filesystem::exists(opened); });
    xdgOpen.reset();
    ASSERT_TRUE(seen);
    EXPECT_EQ(contents(opened), "https://www.example.com/report-mail");
    ASSERT_TRUE(settle());
    EXPECT_TRUE(calls.empty());
}

TEST_F(ZorvaneFrame, FirstWindowLevelAcceptedEventClosesTheNoticeAndLeavesTheFrame)
{
    fw::ui::Window* notice = drive::waitForWindow(NoticeLabel, NoticeModuleKey);
    ASSERT_NE(notice, nullptr);
    const fw::threads::ThreadNumber noticeThread = notice->thread();
    ASSERT_NE(noticeThread, m_frameThread);
    ASSERT_TRUE(settle());
    ASSERT_TRUE(fw::threads::isAlive(noticeThread)) << "the frame's own events leave the notice alone";

    frame().post(fw::ui::Event::Accepted, 0);
    EXPECT_TRUE(waitFor([&] { return !fw::threads::isAlive(noticeThread); }));
    EXPECT_TRUE(frame().isOpen());
    EXPECT_TRUE(settle()) << "the frame goes on";
}

} // namespace
