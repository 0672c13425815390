#include "framework/app/error_manager.h"

#include "framework/app/message_presenter.h"
#include "framework/core/text.h"
#include "framework/data/error_text.h"

namespace fw::app {

namespace {

void replaceAll(std::string& s, std::string_view from, std::string_view to)
{
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

} // namespace

void ErrorManager::init()
{
    m_procedures.clear();
    m_fieldName.clear();
    m_active = true;
}

void ErrorManager::kill()
{
    m_procedures.clear();
    m_fieldName.clear();
    m_active = false;
}

void ErrorManager::setProcedureName(std::string_view name)
{
    m_procedures[fw::threads::currentThread()].emplace_back(fw::core::clip(name));
}

void ErrorManager::restoreProcedureName()
{
    const auto names = m_procedures.find(fw::threads::currentThread());
    if (names == m_procedures.end())
        return;
    names->second.pop_back();
    if (names->second.empty())
        m_procedures.erase(names); // a thread that has ended leaves nothing behind
}

std::string ErrorManager::procedureName() const { return procedureName(fw::threads::currentThread()); }

std::string ErrorManager::procedureName(fw::threads::ThreadNumber thread) const
{
    const auto names = m_procedures.find(thread);
    return names == m_procedures.end() ? std::string() : names->second.back();
}

void ErrorManager::setFieldName(std::string_view name) { m_fieldName = std::string(fw::core::clip(name)); }

std::string ErrorManager::messageText(Msg id, std::string_view fileName, const fw::core::Error* error,
                                      std::string_view argument) const
{
    std::string text(messageEntry(id).text);
    replaceAll(text, "%ErrorText", error ? fw::data::errorText(error->code) : std::string());
    replaceAll(text, "%ErrorCode", error ? fw::core::toText(error->code) : std::string());
    replaceAll(text, "%Detail",
               error && !error->message.empty() ? std::string("|").append(error->text()) : std::string());
    replaceAll(text, "%Field", m_fieldName);
    replaceAll(text, "%File", fw::core::clip(fileName));
    replaceAll(text, "%Message", fw::core::clip(argument));
    // A message raised for a procedure says which one, so that a user can
    // tell the report that failed from the others running at the same time.
    if (const std::string procedure = procedureName(); !procedure.empty())
        text += "||Procedure: " + procedure;
    return text;
}

Level ErrorManager::show(Msg id, std::string_view fileName, const fw::core::Error* error, std::string_view argument)
{
    const MessageEntry& entry = messageEntry(id);
    MessageRequest request{messageText(id, fileName, error, argument), std::string(entry.caption), entry.icon,
                           entry.buttons, 0};
    const bool question = (entry.buttons & fw::ui::Button::Yes) != 0;
    request.defaultButton = question ? fw::ui::Button::Yes : fw::ui::Button::Ok;
    m_fieldName.clear();
    const unsigned answer = presentMessage(request);
    if (question && answer == fw::ui::Button::Yes)
        return Level::Benign;
    return entry.level;
}

Level ErrorManager::throwMessage(Msg id, std::string_view argument) { return show(id, {}, nullptr, argument); }

Level ErrorManager::throwFileMessage(Msg id, std::string_view fileName, const fw::core::Error& error,
                                     std::string_view argument)
{
    return show(id, fileName, &error, argument);
}

ErrorManager& globalErrors()
{
    static ErrorManager manager;
    return manager;
}

} // namespace fw::app
