#include "framework/process/wired_report_manager.h"

#include <utility>

#include "framework/process/process.h"
#include "framework/ui/window.h"

namespace fw::process {

WiredReportManager::WiredReportManager(ui::Window& window, ReportParts parts)
    : ReportManager(window), m_parts(std::move(parts))
{
}

std::uint8_t WiredReportManager::init()
{
    if (const std::uint8_t level = ReportManager::init())
        return level;
    if (const std::uint8_t level = setUp())
        return level;
    if (!m_parts.relation)
        return 1;

    window().open();
    opened = true;
    m_parts.process.init(m_parts.view, *m_parts.relation, window(), m_parts.percentControl, m_parts.progress,
                         m_parts.step, m_parts.keyField, 0);

    addItem(m_parts.cancelControl, ui::Action::Cancel);
    addItem(m_parts.process);
    addItem(m_parts.report);
    addItem(m_parts.previewer);
    return 0;
}

} // namespace fw::process
