// The notice window on the real Qt backend: what it shows, and that it
// closes on each of its events and on nothing else.

#include <functional>
#include <string>

#include <QColor>
#include <QLabel>
#include <QMainWindow>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>

#include "demo/notice/notice.h"
#include "demo/notice/notice_layout.h"
#include "frame_fixture.h"
#include "framework/ui/qt/window_view.h"

namespace {

using namespace zorvane;
using fw::ui::drive::waitFor;
namespace drive = fw::ui::drive;

class ZorvaneNotice : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        addZorvanePictures();
        fw::ui::registerLayout(noticeLayout());
        m_thread = fw::threads::start(&Popup, 0);
        m_notice = drive::waitForWindow(NoticeLabel, NoticeModuleKey);
        ASSERT_NE(m_notice, nullptr);
        ASSERT_TRUE(drive::waitUntilShown(*m_notice));
        ASSERT_TRUE(waitFor([&] { return drive::isActive(*m_notice); }));
    }
    void TearDown() override
    {
        drive::giveFocusBack();
        if (fw::threads::isAlive(m_thread))
            fw::ui::postEvent(m_thread, fw::ui::Event::CloseWindow);
        EXPECT_TRUE(waitFor([&] { return !fw::threads::isAlive(m_thread); }));
        TempFolderTest::TearDown();
    }

    QLabel* label(int control) { return qobject_cast<QLabel*>(m_notice->view().controlWidget(control)); }

    fw::threads::ThreadNumber m_thread = 0;
    fw::ui::Window* m_notice = nullptr;
};

TEST_F(ZorvaneNotice, SaysOutlookIsNeededInWhiteOnDarkBlue)
{
    struct Row {
        int control;
        const char* text;
    };
    for (const Row& row : {Row{3, "To test this demo you need"}, Row{1, "MS Outlook 97"}, Row{2, "or higher"}}) {
        QLabel* text = label(row.control);
        ASSERT_NE(text, nullptr) << row.control;
        EXPECT_EQ(text->text().toStdString(), row.text);
        EXPECT_EQ(text->font().pointSize(), 14) << row.control;
        EXPECT_EQ(text->palette().color(QPalette::WindowText), QColor(255, 255, 255)) << row.control;
    }
    // Read from the top: the heading above the two lines of the product.
    EXPECT_LT(label(3)->y(), label(1)->y());
    EXPECT_LT(label(1)->y(), label(2)->y());

    const QPalette palette = m_notice->view().widget()->palette();
    EXPECT_EQ(palette.color(QPalette::Window), QColor(0, 64, 128));
    QLabel* icon = label(4);
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull()) << "Exit2.ico is found and read";
    EXPECT_EQ(m_notice->view().widget()->cursor().shape(), Qt::BitmapCursor) << "Hand.cur over the window";
    EXPECT_EQ(m_notice->timer(), 0);
    EXPECT_TRUE(m_notice->isAlerted(fw::ui::KeyCode::MouseLeft));
    EXPECT_TRUE(m_notice->isAlerted(fw::ui::KeyCode::MouseRight));
    EXPECT_TRUE(m_notice->isAlerted(fw::ui::KeyCode::MouseLeftDouble));
}

struct ClosingRow {
    const char* name;
    std::function<void(fw::ui::Window&, fw::threads::ThreadNumber)> act;
};

void PrintTo(const ClosingRow& row, std::ostream* out) { *out << row.name; }

class ZorvaneNoticeCloses : public ZorvaneNotice, public ::testing::WithParamInterface<ClosingRow> {};

TEST_P(ZorvaneNoticeCloses, OnItsEvent)
{
    GetParam().act(*m_notice, m_thread);
    EXPECT_TRUE(waitFor([&] { return !fw::threads::isAlive(m_thread); }));
    EXPECT_EQ(drive::findWindow(NoticeLabel, NoticeModuleKey), nullptr);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Events, ZorvaneNoticeCloses,
    ::testing::Values(
        ClosingRow{"LeftClick", [](fw::ui::Window& w, auto) { drive::clickWindow(w, drive::Mouse::Left); }},
        ClosingRow{"RightClick", [](fw::ui::Window& w, auto) { drive::clickWindow(w, drive::Mouse::Right); }},
        ClosingRow{"LeftDoubleClick",
                   [](fw::ui::Window& w, auto) { drive::clickWindow(w, drive::Mouse::LeftDouble); }},
        ClosingRow{"ClickOnItsText",
                   [](fw::ui::Window& w, auto) {
                       QTest::mouseClick(w.view().controlWidget(1), Qt::LeftButton);
                   }},
        ClosingRow{"FocusLost", [](fw::ui::Window&, auto) { drive::takeFocusAway(); }},
        ClosingRow{"CloseWindowPostedToItsThread",
                   [](fw::ui::Window&, fw::threads::ThreadNumber thread) {
                       fw::ui::postEvent(thread, fw::ui::Event::CloseWindow);
                   }}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(ZorvaneNotice, StaysOpenWithoutItsEvents)
{
    struct Row {
        const char* name;
        std::function<void()> act;
    };
    const Row rows[] = {
        {"left alone", [] {}},
        {"a middle click", [&] { QTest::mouseClick(m_notice->view().widget()->centralWidget(), Qt::MiddleButton); }},
        {"a timer event", [&] { m_notice->post(fw::ui::Event::Timer); }},
        {"an accepted event", [&] { m_notice->post(fw::ui::Event::Accepted); }},
    };
    for (const Row& row : rows) {
        row.act();
        fw::threads::runReadyThreads();
        EXPECT_TRUE(fw::threads::isAlive(m_thread)) << row.name;
        EXPECT_TRUE(m_notice->isOpen()) << row.name;
    }
}

} // namespace
