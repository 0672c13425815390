#pragma once
// A fresh folder (the current directory and $TMPDIR for the test, so data
// files and report pages land in it) with a small PEOPLE file, its file and
// relation managers, and a progress window. Messages are captured. The
// folder is removed when the test passed and kept for a look when it failed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/app/error_manager.h"
#include "framework/app/file_manager.h"
#include "framework/app/relation_manager.h"
#include "framework/data/data_file.h"
#include "framework/ui/layout.h"
#include "framework/ui/window.h"
#include "tests/support/message_capture.h"
#include "tests/support/people_file.h"
#include "tests/support/report_folder.h"

// A clock that moves only when a test moves it.
struct FakeClock {
    std::chrono::steady_clock::time_point now{};
    void advance(std::chrono::milliseconds by) { now += by; }
};

inline fw::ui::WindowLayout testProgressLayout(int timer)
{
    using namespace fw::ui;
    WindowLayout w;
    w.label = "P1$PROGRESSWINDOW";
    w.moduleKey = "processtest$progress";
    w.title = "Report Progress...";
    w.width = 142;
    w.height = 59;
    w.timer = timer;
    w.controls = {
        {.number = 1, .kind = ControlKind::ProgressBar, .rect = {15, 15, 111, 12}, .use = 1},
        {.number = 2, .kind = ControlKind::Text, .rect = {0, 3, 141, 10}},
        {.number = 3, .kind = ControlKind::Text, .rect = {0, 30, 141, 10}},
        {.number = 4, .kind = ControlKind::Button, .text = "Cancel", .rect = {45, 42, 50, 15}},
    };
    return w;
}

// People named by a letter and a number, so that name order is their order.
inline std::vector<test_support::Person> people(int count)
{
    std::vector<test_support::Person> rows;
    for (int i = 0; i < count; ++i) {
        char name[12];
        std::snprintf(name, sizeof name, "P%03d", i + 1);
        rows.push_back({i + 1, name, "ABC", 72687 + i});
    }
    return rows;
}

class ProcessFixture : public test_support::ReportFolderTest {
protected:
    void SetUp() override
    {
        ReportFolderTest::SetUp();
        fw::app::globalErrors().init();
    }

    void TearDown() override
    {
        relation.reset();
        files.reset();
        file.reset();
        fw::app::globalErrors().kill();
        ReportFolderTest::TearDown();
    }

    // PEOPLE with `rows`, left open, under managers named "People".
    void makePeople(const std::vector<test_support::Person>& rows)
    {
        file = std::make_unique<fw::data::DataFile>(test_support::peopleLayout(), &buffer);
        test_support::createPeople(*file, buffer, rows);
        buffer = test_support::PersonRecord{};
        files = std::make_unique<fw::app::FileManager>();
        files->init(*file, fw::app::globalErrors());
        files->setName("People");
        relation = std::make_unique<fw::app::RelationManager>();
        relation->init(*files, fw::app::Transactions::No);
    }

    std::unique_ptr<fw::ui::Window> makeWindow(int timer = 1)
    {
        auto created = fw::ui::Window::create(testProgressLayout(timer), {fw::core::Binding::of(progress)});
        EXPECT_TRUE(created.has_value()) << (created ? "" : created.error().text());
        return created ? std::move(*created) : nullptr;
    }

    test_support::MessageCapture capture;
    test_support::PersonRecord buffer;
    std::unique_ptr<fw::data::DataFile> file;
    std::unique_ptr<fw::app::FileManager> files;
    std::unique_ptr<fw::app::RelationManager> relation;
    std::uint8_t progress = 0;
};
