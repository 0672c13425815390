#pragma once
// What the mail hook and mail tests share: a fresh current directory, the
// globals at their load values, a fixed job number, a recording mail
// program, a fake xdg-open that reports what it was given, and a small
// two-page report printed into a hooked previewer as the report manager
// does it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "demo/hooks/hook_previewer.h"
#include "engine/global_data.h"
#include "engine/shell/shell_open.h"
#include "engine/zorvane/zorvane_globals.h"
#include "framework/automation/failure_report.h"
#include "framework/automation/recording_object.h"
#include "framework/core/binding.h"
#include "framework/core/clock.h"
#include "framework/fs/path.h"
#include "framework/report/report.h"
#include "tests/support/fake_program.h"
#include "tests/support/temp_folder.h"

namespace hooktest {

using Lines = std::vector<std::string>;

// One detail band of 400 in an area of 800: two bands a page.
inline constexpr fw::report::Control detailControls[] = {
    {.kind = fw::report::ControlKind::Field, .x = 52, .y = 31, .width = 2900, .field = 1, .picture = "s20"},
};
inline constexpr fw::report::Band bands[] = {
    {.kind = fw::report::BandKind::Detail, .width = 6000, .height = 400, .controls = detailControls},
};
inline constexpr fw::report::ReportLayout twoPerPage{
    .paper = fw::report::PaperA4,
    .font = {.name = "Arial", .size = 10, .style = fw::report::Normal, .charSet = 0},
    .detailArea = {1000, 1000, 6000, 800},
    .bands = bands,
};

// What a report run leaves for a test to look at.
struct PrintedRun {
    std::uint8_t displayResult = 0;
    std::vector<std::string> pageBytes; // each page file as the report wrote it
};

class HookTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        engine::setProfile(engine::ZorvaneProfile);
        engine::BMKG = engine::MailGlobals{};
        engine::initialiseGlobalData(fw::core::ModuleStep::Start);
        engine::initialiseGlobalData(fw::core::ModuleStep::End);
        zorvane::recipients = zorvane::DemonstrationRecipients;
        zorvane::subject = zorvane::DemonstrationSubject;
        zorvane::pictureScale = 0;
        m_jobs = {57};
        // Job numbers come from the list; any other draw (the RTF writer's
        // picture tag) gets the low end of its range.
        fw::core::setRandomForTesting([this](std::int32_t low, std::int32_t high) {
            if (low != 11 || high != 99)
                return low;
            m_drawn.push_back({low, high});
            const std::int32_t job = m_jobs.front();
            if (m_jobs.size() > 1)
                m_jobs.pop_front();
            return job;
        });
        fw::automation::setFailureSinkForTesting([this](const std::string& line) { m_failures.push_back(line); });
        engine::setShellOpenTimerDrain([this] { ++m_shellOpens; });
        m_outlook = std::make_unique<fw::automation::RecordingRegistration>("Outlook.Application");

        // The fake xdg-open writes its argument and a newline into a FIFO.
        m_shell.emplace(at("shell"));
        ASSERT_TRUE(m_shell->isOpen());
        m_xdgOpen.emplace(at("bin"), "xdg-open", "printf '%s\\n' \"$1\" > \"" + at("shell").string() + "\"");
    }

    void TearDown() override
    {
        m_xdgOpen.reset();
        m_shell.reset();
        m_outlook.reset();
        engine::setShellOpenTimerDrain({});
        fw::automation::setFailureSinkForTesting({});
        fw::core::setRandomForTesting({});
        engine::initialiseGlobalData(fw::core::ModuleStep::End);
        engine::BMKG = engine::MailGlobals{};
        TempFolderTest::TearDown();
    }

    const Lines& mailLines() const { return m_outlook->lines(); }

    // The current directory as the system writes it: as the OS gives it,
    // with the attachment name appended.
    static std::string cwd() { return fw::fs::currentDirectory(); }
    // The same with every "/" turned into "\", as a wildcard search writes it.
    static std::string cwdBackslashed() { return test_support::backslashed(cwd()); }

    // What the fake xdg-open was handed next; fails instead of hanging.
    std::string nextShellOpen() { return m_shell->nextLine("the fake xdg-open"); }

    // Prints `names` (two a page) into a report whose previewer is hooked
    // with `settings`, and ends the run as the report manager does: the
    // previewer's display with the page queue, then the queue freed and the
    // report closed.
    static PrintedRun printReport(const zorvane::MailSettings& settings, const std::vector<std::string>& names,
                                  zorvane::HookPreviewer* previewer = nullptr)
    {
        PrintedRun run;
        zorvane::HookPreviewer own(settings);
        zorvane::HookPreviewer& p = previewer ? *previewer : own;
        fw::core::Text<20> name;
        auto report = fw::report::Report::create(twoPerPage, {fw::core::Binding::of(name)});
        EXPECT_TRUE(report.has_value());
        if (!report)
            return run;
        (*report)->setPageQueue(&p.pageQueue());
        EXPECT_TRUE((*report)->open().has_value());
        for (const std::string& n : names) {
            name = n;
            EXPECT_TRUE((*report)->printDetail().has_value());
        }
        EXPECT_TRUE((*report)->endPage().has_value());
        run.displayResult = p.display(p.pageQueue());
        for (const fw::report::PageEntry& entry : p.pageQueue())
            run.pageBytes.push_back(contents(fw::fs::resolve(entry.PRINTPREVIEWIMAGE.clippedView())));
        p.pageQueue().free();
        (*report)->close();
        return run;
    }

    static std::vector<std::string> filesIn(const std::filesystem::path& folder)
    {
        return test_support::fileNames(folder);
    }

    static Lines oaq()
    {
        Lines lines;
        for (const engine::OAQRecord& r : engine::OAQ)
            lines.push_back(r.FILENAME.clipped());
        return lines;
    }
    static Lines obq()
    {
        Lines lines;
        for (const engine::OBQRecord& r : engine::OBQ)
            lines.push_back(r.LINE.clipped());
        return lines;
    }

    std::deque<std::int32_t> m_jobs;
    std::vector<std::pair<std::int32_t, std::int32_t>> m_drawn;
    Lines m_failures;
    int m_shellOpens = 0;
    std::unique_ptr<fw::automation::RecordingRegistration> m_outlook;
    std::optional<test_support::LineRecorder> m_shell;
    std::optional<test_support::FakeProgram> m_xdgOpen;
};

// The HTML body a run writes, as SendEmail reads it back: every line
// clipped and joined with nothing between.
inline std::string htmlBody(const std::string& background, const std::string& font, const Lines& lines)
{
    // clang-format off
    std::string body = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)"
                       R"(<HTML><HEAD>)"
                       R"(<META content="text/html; charset=iso-8859-1" http-equiv=Content-Type>)"
                       R"(<META content="MSHTML 5.00.2614.3500" name=GENERATOR></HEAD>)"
                       "<BODY bgColor=#" + background + "><DIV>";
    // clang-format on
    if (!lines.empty()) {
        body += font;
        for (const std::string& line : lines)
            body += line + "<br>";
        body += "</FONT>";
    }
    return body + "</DIV></BODY></HTML>";
}

} // namespace hooktest
