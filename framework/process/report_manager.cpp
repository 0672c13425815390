#include "framework/process/report_manager.h"

#include "framework/preview/previewer.h"
#include "framework/process/process.h"
#include "framework/report/report.h"
#include "framework/ui/window.h"

namespace fw::process {

ReportManager::ReportManager(ui::Window& window) : ui::WindowManager(window) {}

ReportManager::~ReportManager() = default;

std::uint8_t ReportManager::init()
{
    if (const std::uint8_t level = ui::WindowManager::init())
        return level;
    m_closing = false;
    m_ended = false;
    m_displayed = false;
    m_failure.reset();
    return 0;
}

std::uint8_t ReportManager::kill()
{
    if (const std::uint8_t level = ui::WindowManager::kill())
        return level;
    // A loop that ended without a close event (a failed init, a window
    // closed under it) still ends its run: pages are dropped, never shown.
    endRun();
    if (m_process)
        m_process->kill();
    return 0;
}

void ReportManager::addItem(Process& process) { m_process = &process; }

void ReportManager::addItem(report::Report& report)
{
    m_report = &report;
    if (m_previewer)
        m_report->setPageQueue(&m_previewer->pageQueue());
    // A report that cannot be opened now keeps the fault in failure(); the
    // run's first timer event tries again and cancels the run if it fails.
    (void)openReport();
}

void ReportManager::addItem(preview::Previewer& previewer)
{
    m_previewer = &previewer;
    if (m_report)
        m_report->setPageQueue(&m_previewer->pageQueue());
}

bool ReportManager::openReport()
{
    if (auto opened = m_report->open(); !opened) {
        m_failure = opened.error();
        return false;
    }
    return true;
}

std::uint8_t ReportManager::takeAccepted()
{
    if (const std::uint8_t level = ui::WindowManager::takeAccepted())
        return level;
    // The base has answered Cancel with the response and a close event;
    // timer events queued before that close must not read any further.
    if (response == ui::Response::Cancelled && !m_closing) {
        m_closing = true;
        if (m_process)
            m_process->stop();
        window().setTimer(0);
    }
    return 0;
}

std::uint8_t ReportManager::takeWindowEvent()
{
    if (const std::uint8_t level = ui::WindowManager::takeWindowEvent())
        return level;
    switch (window().event()) {
    case ui::Event::OpenWindow:
        if (window().timer() == 0)
            window().setTimer(DefaultTimer);
        break;
    case ui::Event::Timer: {
        if (m_closing || m_ended || !m_process)
            break;
        std::optional<std::uint8_t> ended;
        if (m_report && !m_report->isOpen() && !openReport()) {
            m_process->stop();
            ended = ui::Response::Cancelled;
        } else {
            ended = m_process->takeBatch();
        }
        if (ended) {
            response = *ended;
            m_closing = true;
            window().setTimer(0);
            window().post(ui::Event::CloseWindow);
        }
        break;
    }
    case ui::Event::CloseWindow:
        endRun();
        break;
    default:
        break;
    }
    return 0;
}

void ReportManager::endRun()
{
    if (m_ended)
        return;
    m_ended = true;
    m_closing = true;
    if (m_process && !m_process->hasEnded())
        m_process->stop();
    if (m_process && m_process->failure() && !m_failure)
        m_failure = m_process->failure();
    window().setTimer(0);
    window().setHidden(ui::Hidden::Yes);
    if (response != ui::Response::Completed)
        response = ui::Response::Cancelled;

    if (response == ui::Response::Completed && m_report) {
        if (auto ended = m_report->endPage(); !ended) {
            m_failure = ended.error();
            response = ui::Response::Cancelled;
        } else if (m_previewer) {
            m_displayed = true;
            report::PageQueue& pages = m_previewer->pageQueue();
            if (m_previewer->display(pages) != 0)
                if (auto printed = m_previewer->print(pages); !printed)
                    m_failure = printed.error();
        }
    }
    if (m_previewer)
        m_previewer->pageQueue().free();
    if (m_report)
        m_report->close();
}

} // namespace fw::process
