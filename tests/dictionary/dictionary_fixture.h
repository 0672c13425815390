#pragma once
// The dictionary set up in a fresh folder, with every message captured.

#include "demo/dictionary/dictionary.h"
#include "framework/app/error_manager.h"
#include "tests/support/message_capture.h"
#include "tests/support/temp_folder.h"

class DictionaryTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        fw::app::globalErrors().init();
        zorvane::InitDataFiles();
    }
    void TearDown() override
    {
        zorvane::KillDataFiles();
        fw::app::globalErrors().kill();
        TempFolderTest::TearDown();
    }

    test_support::MessageCapture m_capture;
};
