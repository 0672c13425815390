#include "framework/app/message_table.h"

#include <array>

namespace fw::app {

namespace {

using fw::ui::Icon;
using fw::ui::Button::No;
using fw::ui::Button::Ok;
using fw::ui::Button::Yes;

constexpr std::array<MessageEntry, 12> kTable{{
    {Msg::OpenFailed, Level::Notify, Icon::Exclamation, Ok, "File Open Error",
     "Error: (%ErrorText) attempting to open the %File file.%Detail"},
    {Msg::CreateFailed, Level::Notify, Icon::Exclamation, Ok, "File Creation Error",
     "Error: (%ErrorText) attempting to create the %File file.%Detail"},
    {Msg::RebuildKey, Level::Cancel, Icon::Question, Yes | No, "Key Needs Rebuilding",
     "The keys of the %File file are damaged.|Rebuild them now?"},
    {Msg::RebuildFailed, Level::Notify, Icon::Exclamation, Ok, "Key Rebuild Error",
     "Error: (%ErrorText) attempting to rebuild the keys of the %File file.%Detail"},
    {Msg::RetrievalFailed, Level::Notify, Icon::Exclamation, Ok, "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.%Detail"},
    {Msg::AddFailed, Level::Notify, Icon::Exclamation, Ok, "Record Insert Error",
     "Error: (%ErrorText) attempting to add a record to the %File file.%Detail"},
    {Msg::DuplicateKey, Level::Notify, Icon::Exclamation, Ok, "Duplicate Key Error",
     "The record would duplicate the key %Message of the %File file."},
    {Msg::PutFailed, Level::Notify, Icon::Exclamation, Ok, "Record Update Error",
     "Error: (%ErrorText) attempting to change a record of the %File file.%Detail"},
    {Msg::DeleteFailed, Level::Notify, Icon::Exclamation, Ok, "Record Delete Error",
     "Error: (%ErrorText) attempting to delete a record of the %File file.%Detail"},
    {Msg::RestrictUpdate, Level::Notify, Icon::Exclamation, Ok, "Referential Integrity Update Error",
     "This %File record cannot be changed: records of the %Message file refer to it."},
    {Msg::RestrictDelete, Level::Notify, Icon::Exclamation, Ok, "Referential Integrity Delete Error",
     "This %File record cannot be deleted: records of the %Message file refer to it."},
    {Msg::FieldNotInFile, Level::Notify, Icon::Exclamation, Ok, "Field contents error",
     "The value of %Field must be found in the %Message file."},
}};

} // namespace

std::span<const MessageEntry> messageTable() { return kTable; }

const MessageEntry& messageEntry(Msg id)
{
    for (const MessageEntry& e : kTable)
        if (e.id == id)
            return e;
    return kTable.front();
}

} // namespace fw::app
