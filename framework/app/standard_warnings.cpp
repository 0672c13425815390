#include "framework/app/standard_warnings.h"

#include "framework/app/message_presenter.h"
#include "framework/data/error_text.h"

namespace fw::app {

std::string recordRetrievalText(const fw::core::Error& error, std::string_view fileDisplayName)
{
    return "Error: (" + fw::data::errorText(error.code) + ") attempting to access a " + "record from the " +
           std::string(fileDisplayName) + " file.  Returning to " + "previous window.";
}

void recordRetrievalWarning(const fw::core::Error& error, std::string_view fileDisplayName)
{
    presentMessage(MessageRequest{recordRetrievalText(error, fileDisplayName), "Record Retrieval Error",
                                  fw::ui::Icon::Exclamation, fw::ui::Button::Ok, fw::ui::Button::Ok});
}

std::string viewOpenText(const fw::core::Error& error)
{
    return "Error: (" + fw::data::errorText(error.code) + ") attempting to open the " +
           "current VIEW. Filter and Range Limits ignored.";
}

void viewOpenWarning(const fw::core::Error& error)
{
    presentMessage(MessageRequest{viewOpenText(error), "View Open Error", fw::ui::Icon::Exclamation, fw::ui::Button::Ok,
                                  fw::ui::Button::Ok});
}

} // namespace fw::app
