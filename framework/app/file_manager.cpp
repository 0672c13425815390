#include "framework/app/file_manager.h"

#include "framework/core/error_codes.h"
#include "framework/core/text.h"

namespace fw::app {

namespace Code = fw::core::ErrorCode;

void FileManager::init(fw::data::DataFile& file, ErrorManager& errors)
{
    m_file = &file;
    m_errors = &errors;
    m_name = file.label();
    m_keys.clear();
    m_useCount = 0;
}

void FileManager::addKey(const fw::data::Key& key, std::string_view description, AutoNumber autoNumber)
{
    m_keys.push_back(RegisteredKey{&key, std::string(description), autoNumber});
}

std::string FileManager::keyDescription(const fw::data::Key& key) const
{
    for (const RegisteredKey& k : m_keys)
        if (k.key == &key)
            return k.description;
    return key.name();
}

int FileManager::report(Msg id, const fw::core::Error& error, std::string_view argument)
{
    m_lastError = error;
    return static_cast<int>(m_errors->throwFileMessage(id, m_name, error, argument));
}

fw::core::Expected<void> FileManager::openWithRecovery()
{
    auto opened = m_file->open(m_access);
    if (!opened && opened.error().code == Code::FileNotFound && m_create == CreateWhenMissing::Yes) {
        if (auto created = m_file->create(); !created) {
            m_creationFailed = true;
            return created;
        }
        opened = m_file->open(m_access);
    }
    if (!opened && (opened.error().code == Code::AccessDenied || opened.error().code == Code::FileLocked)) {
        m_file->sendCommand("Recover=" + fw::core::toText(m_lockRecover));
        opened = m_file->open(m_access);
    }
    return opened;
}

int FileManager::open()
{
    if (!m_file)
        return static_cast<int>(Level::Program);
    if (m_useCount > 0) {
        ++m_useCount;
        return 0;
    }
    m_creationFailed = false;
    auto opened = openWithRecovery();
    if (!opened && m_creationFailed)
        return report(Msg::CreateFailed, opened.error());
    if (!opened && opened.error().code == Code::KeyNeedsRebuild) {
        if (m_errors->throwFileMessage(Msg::RebuildKey, m_name, opened.error()) != Level::Benign) {
            m_lastError = opened.error();
            return static_cast<int>(Level::Cancel);
        }
        if (auto rebuilt = m_file->rebuildKeys(); !rebuilt)
            return report(Msg::RebuildFailed, rebuilt.error());
        opened = m_file->open(m_access);
    }
    if (!opened)
        return report(Msg::OpenFailed, opened.error());
    m_useCount = 1;
    return 0;
}

void FileManager::close()
{
    if (m_useCount == 0)
        return;
    if (--m_useCount == 0)
        m_file->close();
}

int FileManager::tryFetch(const fw::data::Key& key)
{
    auto r = m_file->fetch(key);
    if (r)
        return 0;
    m_lastError = r.error();
    return r.error().code;
}

int FileManager::fetch(const fw::data::Key& key)
{
    auto r = m_file->fetch(key);
    if (r)
        return 0;
    return report(Msg::RetrievalFailed, r.error());
}

int FileManager::tryNext()
{
    auto r = m_file->next();
    if (r)
        return 0;
    m_lastError = r.error();
    return r.error().code;
}

int FileManager::next()
{
    auto r = m_file->next();
    if (r)
        return 0;
    if (r.error().code == Code::NoFurtherRecord) {
        m_lastError = r.error();
        return static_cast<int>(Level::Notify);
    }
    return report(Msg::RetrievalFailed, r.error());
}

int FileManager::validateField(std::size_t) { return 0; }

int FileManager::validateFields()
{
    for (std::size_t n = 1; n <= m_file->fieldCount(); ++n)
        if (int r = validateField(n))
            return r;
    return 0;
}

int FileManager::writeFailure(Msg id, const fw::core::Error& error)
{
    if (error.code == Code::DuplicateKey) {
        // Name the key by its registered description.
        std::string description;
        for (const RegisteredKey& k : m_keys)
            if (error.message.ends_with("key " + k.key->name()))
                description = k.description;
        return report(Msg::DuplicateKey, error, description);
    }
    return report(id, error);
}

int FileManager::insert()
{
    if (int r = validateFields())
        return r;
    auto r = m_file->add();
    return r ? 0 : writeFailure(Msg::AddFailed, r.error());
}

int FileManager::update()
{
    if (int r = validateFields())
        return r;
    auto r = m_file->change();
    return r ? 0 : writeFailure(Msg::PutFailed, r.error());
}

int FileManager::deleteRecord()
{
    auto r = m_file->remove();
    return r ? 0 : report(Msg::DeleteFailed, r.error());
}

void FileManager::kill()
{
    if (m_file && m_useCount > 0)
        m_file->close();
    m_useCount = 0;
    m_keys.clear();
}

} // namespace fw::app
