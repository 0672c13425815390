#pragma once
// The frame running on a thread of its own, with the frame's menu wired to
// recording procedures, in a fresh temporary folder. Thread 1 (the test)
// drives it as a person would.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "demo/frame/frame.h"
#include "demo/frame/frame_layout.h"
#include "demo/frame/frame_procedures.h"
#include "demo/notice/notice_layout.h"
#include "engine/global_data.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/drive/window_driver.h"
#include "framework/ui/layout.h"
#include "framework/ui/window.h"
#include "tests/support/temp_folder.h"

// The pictures the layouts name, drawn by the build.
void addZorvanePictures();

// One call of a menu procedure: what ran, and on which thread.
struct ProcedureCall {
    std::string name;
    fw::threads::ThreadNumber thread = 0;
};

class ZorvaneFrame : public test_support::TempFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;

    fw::ui::Window& frame() { return *m_frame; }
    // Every event handed to the frame before this call has been handled
    // once it returns true: it chooses a menu item whose recording procedure
    // only counts, and waits until it has.
    bool settle();
    bool isChecked(int radio);
    std::string text(int control) { return m_frame->text(control); }

    std::vector<ProcedureCall> calls;
    // A procedure that is told to hold waits (on its own thread's wait) until
    // `release` is set.
    std::vector<std::string> holding; // names of procedures that hold
    bool release = false;
    int running = 0;

    fw::threads::ThreadNumber m_frameThread = 0;
    fw::ui::Window* m_frame = nullptr;

private:
    int m_settled = 0;
    bool m_settling = false;
};
