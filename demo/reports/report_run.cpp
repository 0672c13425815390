#include "demo/reports/report_run.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "demo/hooks/hook_previewer.h"
#include "demo/reports/report_layouts.h"
#include "framework/app/error_manager.h"
#include "framework/app/relation_manager.h"
#include "framework/core/module_init.h"
#include "framework/core/thread_values.h"
#include "framework/data/view.h"
#include "framework/process/process.h"
#include "framework/process/text_step.h"
#include "framework/process/wired_report_manager.h"
#include "framework/report/layout_registry.h"
#include "framework/report/report.h"
#include "framework/ui/window.h"

namespace zorvane {

std::uint8_t NavigationRequest = 0;

namespace {

RecordObserver& recordObserver()
{
    static RecordObserver observer;
    return observer;
}

using fw::core::threadValues;
namespace Response = fw::ui::Response;

// The progress step options of every keyed report: letters and digits, case
// ignored, over the first three characters of the key (text_step.h).
constexpr int StepCharacters = fw::process::StepCharacters::Letters | fw::process::StepCharacters::Digits;
constexpr int StepSignificant = 3;

// What one run owns besides its objects: the progress value, its own record
// buffer, and the flag that it opened the file.
struct RunData {
    std::uint8_t progress = 0;
    std::unique_ptr<RunRecord> record;
    bool fileOpened = false;
    std::optional<fw::core::Error> printFailure;
};

std::optional<fw::core::Binding> boundField(const RunRecord& record, std::string_view name)
{
    for (const fw::data::FieldBinding& field : record.fields())
        if (field.name == name)
            return field.binding;
    return std::nullopt;
}

// Per record: the framework's own step, then the detail band from the run's
// buffer. A band that cannot be printed ends the run, so that a response of
// 1 always means every record is on a page.
class RunProcess final : public fw::process::Process {
public:
    RunProcess(fw::report::Report& report, RunData& data, std::string_view procedure)
        : m_report(report), m_data(data), m_procedure(procedure)
    {
    }

    std::uint8_t takeRecord() override
    {
        const std::uint8_t level = Process::takeRecord();
        if (auto printed = m_report.printDetail(); !printed) {
            m_data.printFailure = printed.error();
            return 1;
        }
        if (recordObserver())
            recordObserver()(m_procedure, recordsRead());
        return level;
    }

private:
    fw::report::Report& m_report;
    RunData& m_data;
    std::string_view m_procedure;
};

class RunManager final : public fw::process::WiredReportManager {
public:
    RunManager(fw::ui::Window& window, const ReportDefinition& definition, RunData& data,
               fw::process::ReportParts parts)
        : WiredReportManager(window, std::move(parts)), m_definition(definition), m_data(data)
    {
    }

    [[nodiscard]] std::uint8_t init() override
    {
        fw::app::globalErrors().setProcedureName(m_definition.procedureName);
        m_namedProcedure = true;
        request = threadValues().request;
        if (const std::uint8_t level = WiredReportManager::init())
            return level;
        window().setText(ProgressControl::UserText, "");
        relation()->setQuickScan(fw::app::QuickScan::On, fw::app::Propagate::Yes);
        previewer()->setZoom(fw::preview::Zoom::Allowed);
        setAlerts();
        return 0;
    }

    [[nodiscard]] std::uint8_t kill() override
    {
        if (const std::uint8_t level = WiredReportManager::kill())
            return level;
        if (m_data.fileOpened && relation())
            relation()->close();
        m_data.fileOpened = false;
        if (m_namedProcedure)
            fw::app::globalErrors().restoreProcedureName();
        m_namedProcedure = false;
        return 0;
    }

private:
    // Before the window opens: the run reports through the program's error
    // manager and opens its file.
    [[nodiscard]] std::uint8_t setUp() override
    {
        window().setFirstField(1);
        setErrors(fw::app::globalErrors());
        setNavigationRequest(NavigationRequest);
        threadValues().request = 0;
        threadValues().response = 0;

        if (!relation()) // the dictionary is not set up: nothing can be read
            return 1;
        (void)relation()->open(); // a failure is shown by the file manager; the view then finds the file closed
        m_data.fileOpened = true;
        return 0;
    }

    const ReportDefinition& m_definition;
    RunData& m_data;
    bool m_namedProcedure = false;
};

} // namespace

void runReport(const ReportDefinition& definition)
{
    registerReportLayouts();
    threadValues().response = Response::Cancelled;

    RunData data;
    data.record = definition.makeRecord();
    definition.file->clearRecord(data.record->data());

    auto window = fw::ui::Window::create(ProgressWindowLabel, definition.moduleKey,
                                         {fw::core::Binding::of(data.progress)});
    if (!window)
        return;

    std::vector<fw::core::Binding> fields;
    for (std::string_view name : definition.fields)
        if (auto field = boundField(*data.record, name))
            fields.push_back(*field);
    auto report = fw::report::Report::create(ReportLabel, definition.moduleKey, std::move(fields));
    if (!report)
        return;

    fw::data::View view(*definition.file);
    const fw::data::Key* key = definition.order.empty() ? nullptr : definition.file->keyNamed(definition.order);
    if (key)
        view.setOrder(*key);
    else
        view.setRecordOrder();
    RunProcess process(**report, data, definition.procedureName);
    process.setRecordBuffer(data.record->data());
    fw::process::TextStep step;
    const bool keyed = !definition.stepField.empty();
    if (keyed)
        step.init(StepCharacters, StepSignificant);
    HookPreviewer previewer(reportMailSettings(definition.mail));
    {
        RunManager manager(**window, definition, data,
                           {.view = view,
                            .relation = *definition.relation,
                            .process = process,
                            .report = **report,
                            .previewer = previewer,
                            .progress = data.progress,
                            .percentControl = ProgressControl::PercentText,
                            .cancelControl = ProgressControl::Cancel,
                            .step = keyed ? &step : nullptr,
                            .keyField = keyed ? boundField(*data.record, definition.stepField) : std::nullopt});
        threadValues().response = manager.run();
    }
    (*window)->close();
    view.close();
}

void setRecordObserverForTesting(RecordObserver observer) { recordObserver() = std::move(observer); }

void registerReportLayouts()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    for (const ReportDefinition& definition : reportDefinitions()) {
        fw::ui::registerLayout(progressWindowLayout(definition.moduleKey));
        fw::report::registerReportLayout(ReportLabel, definition.moduleKey, *definition.layout);
    }
}

void registerReportModules()
{
    fw::core::registerModuleInitialiser(fw::core::ProgramModulePriority, [](fw::core::ModuleStep step) {
        if (step == fw::core::ModuleStep::Start)
            registerReportLayouts();
    });
}

} // namespace zorvane
