#include "demo/notice/notice_layout.h"

#include <string>

namespace zorvane {

using namespace fw::ui;

namespace {

WindowLayout makeNoticeLayout()
{
    // The texts take the window's face and colour at a larger size.
    const Font large{.points = 14};
    WindowLayout w;
    w.label = std::string(NoticeLabel);
    w.moduleKey = std::string(NoticeModuleKey);
    w.kind = WindowKind::Plain;
    w.width = 204;
    w.height = 123;
    w.font = {.name = "MS Sans Serif", .points = 8, .weight = 400, .color = rgb(255, 255, 255)};
    w.background = rgb(0, 64, 128);
    w.cursor = "Hand.cur";
    // clang-format off
    w.controls = {
        {.number = 1, .kind = ControlKind::Text, .text = "MS Outlook 97", .rect = {35, 63, 135, 18}, .font = large},
        {.number = 2, .kind = ControlKind::Text, .text = "or higher", .rect = {35, 78, 135, 18}, .font = large},
        {.number = 3, .kind = ControlKind::Text, .text = "To test this demo you need", .rect = {20, 18, 175, 18},
         .font = large},
        {.number = 4, .kind = ControlKind::Image, .text = "Exit2.ico", .rect = {8, 15, 0, 0}},
    };
    // clang-format on
    return w;
}

} // namespace

const WindowLayout& noticeLayout()
{
    static const WindowLayout layout = makeNoticeLayout();
    return layout;
}

} // namespace zorvane
