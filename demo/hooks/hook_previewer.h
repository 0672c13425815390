#pragma once
// The previewer of a zorvane report, with its display replaced by the
// report's mail hook. The report manager calls display() with the page
// queue at the end of a completed run; in mode Print the previewer's own
// display runs (the base operation: the preview window, or whatever the
// base has been given with setDisplayOperation()) and its answer decides
// whether the pages are printed. In every other mode the mail hook runs
// over the previewer's page queue and nothing is previewed or printed.

#include <cstdint>

#include "demo/hooks/mail_settings.h"
#include "framework/preview/previewer.h"

namespace zorvane {

class HookPreviewer : public fw::preview::Previewer {
public:
    // `settings` outlives the previewer (the rows of reportMailSettings do).
    explicit HookPreviewer(const MailSettings& settings);

    [[nodiscard]] std::uint8_t display(const fw::report::PageQueue& pages) override;

    const MailSettings& settings() const { return m_settings; }

private:
    const MailSettings& m_settings;
};

} // namespace zorvane
