#include "frame_fixture.h"

#include <algorithm>

#include <QAbstractButton>

#include "framework/ui/qt/window_view.h"

void addZorvanePictures()
{
    static const bool added = [] {
        fw::ui::addResourceFolder(ZORVANE_RESOURCE_DIR);
        return true;
    }();
    (void)added;
}

void ZorvaneFrame::SetUp()
{
    TempFolderTest::SetUp();
    addZorvanePictures();
    fw::ui::registerLayout(zorvane::frameLayout());
    fw::ui::registerLayout(zorvane::noticeLayout());
    engine::BMKG = engine::MailGlobals{};

    auto record = [this](std::string name) {
        return [this, name] {
            calls.push_back({name, fw::threads::currentThread()});
            if (std::find(holding.begin(), holding.end(), name) == holding.end())
                return;
            ++running;
            fw::threads::waitUntil([this] { return release; });
            --running;
        };
    };
    zorvane::setFrameProcedures({
        .TarvenClasses = record("TarvenClasses"),
        .TarvenStudents = record("TarvenStudents"),
        .TarvenTeachers = record("TarvenTeachers"),
        .TarvenCustomers = record("TarvenCustomers"),
        .TarvenCustomersEmbed = record("TarvenCustomersEmbed"),
        // "Email 1" also serves settle(): it counts its calls there.
        .EmailOne =
            [this, record] {
                if (m_settling) {
                    ++m_settled;
                    return;
                }
                record("EmailOne")();
            },
        .EmailTwo = record("EmailTwo"),
        .BulkEmail =
            [this](std::uint8_t teachers, std::uint8_t classes) {
                calls.push_back({"BulkEmail(" + std::to_string(teachers) + "," + std::to_string(classes) + ")",
                                 fw::threads::currentThread()});
            },
    });

    m_frameThread = fw::threads::start([] { zorvane::Main(); });
    m_frame = fw::ui::drive::waitForWindow(zorvane::FrameLabel, zorvane::FrameModuleKey);
    ASSERT_NE(m_frame, nullptr);
    ASSERT_TRUE(fw::ui::drive::waitUntilShown(*m_frame));
}

void ZorvaneFrame::TearDown()
{
    release = true;
    if (m_frame != nullptr && fw::threads::isAlive(m_frameThread)) {
        m_frame->post(fw::ui::Event::CloseWindow);
        EXPECT_TRUE(fw::ui::drive::waitFor([this] { return !fw::threads::isAlive(m_frameThread); }));
    }
    // The notice, when nothing closed it.
    if (fw::ui::Window* notice = fw::ui::drive::findWindow(zorvane::NoticeLabel, zorvane::NoticeModuleKey))
        notice->post(fw::ui::Event::CloseWindow);
    EXPECT_TRUE(fw::ui::drive::waitFor([] { return fw::ui::openWindows().empty(); }));
    EXPECT_TRUE(fw::ui::drive::waitFor([] { return fw::threads::aliveThreads().size() == 1; }));
    zorvane::setFrameProcedures({});
    TempFolderTest::TearDown();
}

bool ZorvaneFrame::settle()
{
    const int before = m_settled;
    m_settling = true;
    m_frame->post(fw::ui::Event::Accepted, zorvane::FrameControl::EmailOne);
    const bool done = fw::ui::drive::waitFor([&] { return m_settled > before; });
    m_settling = false;
    return done;
}

bool ZorvaneFrame::isChecked(int radio)
{
    auto* button = qobject_cast<QAbstractButton*>(m_frame->view().controlWidget(radio));
    return button != nullptr && button->isChecked();
}
