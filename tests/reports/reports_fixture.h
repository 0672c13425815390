#pragma once
// The five reports run as the frame runs them, in a fresh folder (the
// current directory and $TMPDIR): the dictionary set up, every message
// captured, the engine's globals at their load values, job numbers from a
// list, drafts written into the folder and "opened" by a program that does
// nothing. The folder is removed when the test passed and kept for a look
// when it failed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "demo/dictionary/dictionary.h"
#include "demo/reports/report_run.h"
#include "demo/reports/report_start.h"
#include "engine/global_data.h"
#include "engine/zorvane/zorvane_globals.h"
#include "framework/app/error_manager.h"
#include "framework/automation/draft_opener.h"
#include "framework/automation/drafts_folder.h"
#include "framework/core/clock.h"
#include "framework/core/thread_values.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/drive/window_driver.h"
#include "tests/support/message_capture.h"
#include "tests/support/page_reader.h"
#include "tests/support/report_folder.h"

class ReportsTest : public test_support::ReportFolderTest {
protected:
    void SetUp() override
    {
        ReportFolderTest::SetUp();
        ::setenv(std::string(fw::automation::draftsFolderVariable).c_str(), (m_folder / "drafts").c_str(), 1);
        ::setenv(std::string(fw::automation::draftOpenerVariable).c_str(), "true", 1);

        engine::setProfile(engine::ZorvaneProfile);
        engine::BMKG = engine::MailGlobals{};
        engine::initialiseGlobalData(fw::core::ModuleStep::Start);
        engine::BMKG.Mode = 4; // Silent save: the pages stay as copies, nothing is opened or mailed
        zorvane::recipients = zorvane::DemonstrationRecipients;
        zorvane::subject = zorvane::DemonstrationSubject;
        zorvane::pictureScale = 0;
        fw::core::setRandomForTesting([this](std::int32_t low, std::int32_t high) {
            if (low != 11 || high != 99)
                return low;
            const std::int32_t job = m_jobs.front();
            if (m_jobs.size() > 1)
                m_jobs.pop_front();
            return job;
        });

        fw::app::globalErrors().init();
        zorvane::InitDataFiles();
        zorvane::registerReportLayouts();
    }

    void TearDown() override
    {
        zorvane::setRecordObserverForTesting({});
        zorvane::KillDataFiles();
        fw::app::globalErrors().kill();
        fw::core::setRandomForTesting({});
        engine::initialiseGlobalData(fw::core::ModuleStep::End);
        engine::BMKG = engine::MailGlobals{};
        ::unsetenv(std::string(fw::automation::draftsFolderVariable).c_str());
        ::unsetenv(std::string(fw::automation::draftOpenerVariable).c_str());
        ReportFolderTest::TearDown();
    }

    // Runs a report on its own thread, as the frame's menu does, and waits
    // (with a watchdog) until it has ended. Its response, or none when the
    // watchdog went off.
    std::optional<std::uint8_t> runOnOwnThread(zorvane::ReportId report)
    {
        std::uint8_t response = 0;
        bool done = false;
        const auto thread = fw::threads::start(
            [&] {
                zorvane::reportProcedure(report)();
                response = fw::core::threadValues().response;
                done = true;
            },
            zorvane::ReportStackSize);
        if (!fw::ui::drive::waitFor([&] { return done; })) {
            ADD_FAILURE() << "the report did not end";
            return std::nullopt;
        }
        fw::threads::waitForThread(thread);
        return response;
    }

    // The page copies of job `job` that the mail hook left in the work
    // folder, in page order, read back.
    std::vector<test_support::ReadPage> pagesOfJob(int job) const
    {
        std::vector<test_support::ReadPage> pages;
        for (int page = 1;; ++page) {
            const std::filesystem::path copy = m_folder / "KR" / (std::to_string(job) + std::to_string(page) + ".wmf");
            if (!std::filesystem::exists(copy))
                break;
            pages.push_back(test_support::readPageFile(copy.string()));
        }
        return pages;
    }

    std::vector<std::string> filesIn(const std::filesystem::path& folder) const
    {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(folder, ec))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::deque<std::int32_t> m_jobs{57};
    test_support::MessageCapture capture;
};
