#include "cmdmailer/program/frame_procedure.h"

#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cmdmailer/goods_report/bound_names.h"
#include "cmdmailer/goods_report/goods_report.h"
#include "cmdmailer/program/builder_binding.h"
#include "cmdmailer/program/call_expression.h"
#include "cmdmailer/program/vextrel_modules.h"
#include "engine/global_data.h"
#include "engine/html/build_outcome.h"
#include "engine/html/html_builder.h"
#include "framework/core/command_line.h"
#include "framework/core/text.h"
#include "framework/core/thread_values.h"
#include "framework/ui/message_box.h"
#include "framework/ui/window.h"

namespace vextrel {

namespace {

int lastExitStatus = ExitNotBuilt;

// The frame procedure's working values and its two routines.
class AppFrame {
public:
    void run();

private:
    void StartupRoutine();
    void FrameReturn();
    void reportEvaluation(const fw::core::Expected<std::string>& evaluation);

    CommandLineText m_commandLine;
    fw::core::Text<32> m_evaluationResult;
    std::int32_t m_frameResponse = 0;
    std::unique_ptr<fw::ui::Window> m_window;
    fw::expr::Evaluator::Scope m_savedNames;

    // What the calls of the builder came to, for the exit status.
    int m_builderCalls = 0;
    bool m_builderFailed = false;
    // The length of a command line that did not fit its text and lost more
    // than blanks; 0 when nothing of it was lost.
    std::size_t m_cutLength = 0;
};

void AppFrame::run()
{
    auto window = fw::ui::Window::create(FrameLabel, FrameModuleKey);
    if (window)
        m_window = std::move(*window);
    else
        std::cerr << window.error().text() << '\n'; // never opened, so the run goes on without it

    m_savedNames = boundNames().saveScope();
    // The request is taken into the frame, which has no use for it.
    fw::core::threadValues().request = 0;
    fw::core::threadValues().response = 0;
    m_frameResponse = 2;

    StartupRoutine();
}

void AppFrame::StartupRoutine()
{
    engine::BMKG.Mode = engine::modeByte(engine::MailMode::SilentEmail);
    GoodsReport();

    const fw::core::CommandLine& commandLine = fw::core::commandLine();
    const std::string firstWord = commandLine.word(1);
    if (fw::core::isBlank(firstWord)) {
        fw::ui::message("EXE must be called with secret|command line parameters!!!", "Sorry :-(",
                        fw::ui::Icon::Question, fw::ui::Button::Ok);
        lastExitStatus = ExitNotBuilt;
        return; // straight out of the frame procedure, without its return step
    }

    m_commandLine = commandLine.text();
    if (const std::string& whole = commandLine.text();
        whole.size() > CommandLineWidth && !fw::core::isBlank(std::string_view(whole).substr(CommandLineWidth)))
        m_cutLength = whole.size();
    engine::BMKG.JobNumber = fw::core::toByte(fw::core::toNumber(firstWord));
    engine::BMKG.Mode = fw::core::toByte(fw::core::toNumber(commandLine.word(2)));

    boundNames().bindProcedure(BuilderName, BuilderParameterCount, [this](std::vector<std::string> arguments) {
        const std::int32_t result = BuilderBinding(std::move(arguments));
        ++m_builderCalls;
        // Every file of the call that was not made is said, naming it: the
        // RTF document and its named copies count as much as the body file.
        const engine::BuildOutcome& outcome = engine::lastBuild();
        for (const engine::BuildFailure& failure : outcome.failures)
            std::cerr << "vextrel: " << failure.text() << '\n';
        if (result != engine::HTMLResult::Written || !outcome.complete())
            m_builderFailed = true;
        return result;
    });

    blankLeadingNumbers(m_commandLine);
    m_commandLine = callExpression(m_commandLine);

    const fw::core::Expected<std::string> evaluation = boundNames().evaluate(m_commandLine.clippedView());
    m_evaluationResult = evaluation.value_or("");
    reportEvaluation(evaluation);

    FrameReturn();
}

void AppFrame::reportEvaluation(const fw::core::Expected<std::string>& evaluation)
{
    // A command line longer than its text was cut, and what was evaluated is
    // not what was given: said first, as the reason for what follows.
    if (m_cutLength > 0) {
        std::cerr << "vextrel: the command line is " << m_cutLength << " characters long; only its first "
                  << CommandLineWidth << " were read\n";
        lastExitStatus = ExitNotBuilt;
    }
    if (!evaluation) {
        std::cerr << "vextrel: " << evaluation.error().text() << '\n';
        lastExitStatus = ExitNotBuilt;
    } else if (m_builderCalls == 0) {
        std::cerr << "vextrel: the command line calls no " << BuilderName << "\n";
        lastExitStatus = ExitNotBuilt;
    } else if (m_cutLength == 0) {
        lastExitStatus = m_builderFailed ? ExitNotBuilt : ExitBuilt;
    }
}

void AppFrame::FrameReturn()
{
    if (m_window && m_window->isOpen())
        m_window->close();
    fw::core::threadValues().response = static_cast<std::uint8_t>(m_frameResponse == 0 ? 2 : m_frameResponse);
    boundNames().restoreScope(m_savedNames);
}

} // namespace

void VextrelMain() { AppFrameProcedure(); }

void AppFrameProcedure()
{
    lastExitStatus = ExitNotBuilt;
    AppFrame frame;
    frame.run();
}

int exitStatus() { return lastExitStatus; }

} // namespace vextrel
