#include "framework/app/relation_manager.h"

#include <algorithm>
#include <cstring>

#include "framework/core/error_codes.h"

namespace fw::app {

namespace Code = fw::core::ErrorCode;
using fw::data::DataFile;
using fw::data::FieldSpec;
using fw::data::FieldType;

namespace {

// Where field `number` starts in a packed record image.
std::size_t packedOffset(const DataFile& file, std::size_t number)
{
    std::size_t at = 0;
    for (std::size_t n = 1; n < number; ++n)
        at += file.field(n).width;
    return at;
}

std::string_view fieldBytes(const DataFile& file, const std::vector<char>& image, std::size_t number)
{
    return {image.data() + packedOffset(file, number), file.field(number).width};
}

// Puts a field value (bytes of the source field) into the target field of a
// record buffer: a long as it is, a text cut or padded to the target width.
void putField(const DataFile& file, std::size_t number, std::string_view value)
{
    const FieldSpec& f = file.field(number);
    char* at = static_cast<char*>(file.buffer()) + f.offset;
    if (f.type == FieldType::Long) {
        std::memset(at, 0, f.width);
        std::memcpy(at, value.data(), std::min(value.size(), f.width));
        return;
    }
    const std::size_t n = std::min(value.size(), f.width);
    std::memcpy(at, value.data(), n);
    std::memset(at + n, ' ', f.width - n);
}

void clearField(const DataFile& file, std::size_t number)
{
    const FieldSpec& f = file.field(number);
    std::memset(static_cast<char*>(file.buffer()) + f.offset, f.type == FieldType::Text ? ' ' : 0, f.width);
}

} // namespace

void RelationManager::init(FileManager& files, Transactions transactions)
{
    m_files = &files;
    m_transactions = transactions;
    m_relations.clear();
}

void RelationManager::addRelation(RelationManager& related, RelationMode update, RelationMode remove,
                                  const fw::data::Key& relatedKey)
{
    m_relations.push_back(Relation{&related, update, remove, &relatedKey, {}});
}

void RelationManager::addRelationLink(std::string_view ownField, std::string_view relatedField)
{
    if (m_relations.empty())
        return;
    m_relations.back().linkNames.push_back(LinkNames{std::string(ownField), std::string(relatedField)});
}

std::vector<RelationManager::Link> RelationManager::linksOf(const Relation& relation) const
{
    std::vector<Link> links;
    if (!relation.related->m_files)
        return links;
    const DataFile& own = m_files->file();
    const DataFile& related = relation.related->files().file();
    for (const LinkNames& names : relation.linkNames) {
        const std::size_t o = own.fieldNumber(names.own);
        const std::size_t r = related.fieldNumber(names.related);
        if (o && r && own.field(o).type == related.field(r).type)
            links.push_back(Link{o, r});
    }
    return links;
}

void RelationManager::addRelation(RelationManager& related)
{
    m_relations.push_back(Relation{&related, RelationMode::None, RelationMode::None, nullptr, {}});
}

int RelationManager::open()
{
    if (m_busy)
        return 0;
    m_busy = true;
    int result = m_files->open();
    // A related file that cannot be opened has said so in its own file
    // manager's message; the result is this file's.
    for (Relation& r : m_relations)
        (void)r.related->open();
    m_busy = false;
    return result;
}

void RelationManager::close()
{
    if (m_busy)
        return;
    m_busy = true;
    for (Relation& r : m_relations)
        r.related->close();
    m_files->close();
    m_busy = false;
}

void RelationManager::setQuickScan(QuickScan on, Propagate propagate)
{
    if (m_busy)
        return;
    m_busy = true;
    m_files->file().sendCommand(on == QuickScan::On ? "QUICKSCAN=on" : "QUICKSCAN=off");
    if (propagate == Propagate::Yes)
        for (Relation& r : m_relations)
            r.related->setQuickScan(on, propagate);
    m_busy = false;
}

int RelationManager::insert() { return m_files->insert(); }

void RelationManager::collectFiles(std::vector<DataFile*>& files)
{
    DataFile* own = &m_files->file();
    if (std::find(files.begin(), files.end(), own) != files.end())
        return;
    files.push_back(own);
    for (Relation& r : m_relations)
        if (r.key && (r.update != RelationMode::None || r.remove != RelationMode::None))
            r.related->collectFiles(files);
}

fw::core::Expected<void> RelationManager::findLinked(const Relation& relation, const std::vector<char>& image)
{
    DataFile& related = relation.related->files().file();
    std::vector<std::size_t> numbers;
    for (const Link& l : linksOf(relation)) {
        putField(related, l.related, fieldBytes(m_files->file(), image, l.own));
        numbers.push_back(l.related);
    }
    return related.setKeyOrderMatching(*relation.key, numbers);
}

int RelationManager::forEachLinkedChild(Relation& relation, const std::vector<char>& image, RelationMode mode,
                                        Msg findFailed, Msg restricted, const std::function<int()>& onChild)
{
    FileManager& childFiles = relation.related->files();
    DataFile& child = childFiles.file();
    if (auto found = findLinked(relation, image); !found)
        return static_cast<int>(m_files->errors().throwFileMessage(findFailed, childFiles.name(), found.error()));
    for (;;) {
        auto next = child.next();
        if (!next && next.error().code == Code::NoFurtherRecord)
            return 0;
        if (!next)
            return static_cast<int>(
                m_files->errors().throwFileMessage(Msg::RetrievalFailed, childFiles.name(), next.error()));
        if (mode == RelationMode::Restrict)
            return static_cast<int>(
                m_files->errors().throwFileMessage(restricted, m_files->name(), fw::core::Error{}, childFiles.name()));
        if (int result = onChild())
            return result;
    }
}

int RelationManager::rewriteLinkedChild(Relation& relation, const std::vector<Link>& links,
                                        const std::vector<char>* after)
{
    FileManager& childFiles = relation.related->files();
    DataFile& child = childFiles.file();
    const std::vector<char> childBefore = child.currentImage();
    for (const Link& l : links) {
        if (after)
            putField(child, l.related, fieldBytes(m_files->file(), *after, l.own));
        else
            clearField(child, l.related);
    }
    if (int result = relation.related->carryUpdate(childBefore, child.pack(child.buffer())))
        return result;
    if (auto changed = child.change(); !changed)
        return static_cast<int>(m_files->errors().throwFileMessage(Msg::PutFailed, childFiles.name(), changed.error()));
    return 0;
}

int RelationManager::carryUpdate(const std::vector<char>& before, const std::vector<char>& after)
{
    const DataFile& own = m_files->file();
    for (Relation& r : m_relations) {
        const std::vector<Link> links = linksOf(r);
        if (!r.key || links.empty() || r.update == RelationMode::None)
            continue;
        bool changed = false;
        for (const Link& l : links)
            changed = changed || fieldBytes(own, before, l.own) != fieldBytes(own, after, l.own);
        if (!changed)
            continue;
        const std::vector<char>* newValues = r.update == RelationMode::Cascade ? &after : nullptr;
        if (int result = forEachLinkedChild(r, before, r.update, Msg::PutFailed, Msg::RestrictUpdate,
                                            [&] { return rewriteLinkedChild(r, links, newValues); }))
            return result;
    }
    return 0;
}

int RelationManager::carryDelete(const std::vector<char>& before)
{
    for (Relation& r : m_relations) {
        const std::vector<Link> links = linksOf(r);
        if (!r.key || links.empty() || r.remove == RelationMode::None)
            continue;
        DataFile& child = r.related->files().file();
        const auto removeChild = [&] {
            if (r.remove == RelationMode::Clear)
                return rewriteLinkedChild(r, links, nullptr);
            if (int result = r.related->carryDelete(child.currentImage()))
                return result;
            if (auto removed = child.remove(); !removed)
                return static_cast<int>(
                    m_files->errors().throwFileMessage(Msg::DeleteFailed, r.related->files().name(), removed.error()));
            return 0;
        };
        if (int result = forEachLinkedChild(r, before, r.remove, Msg::DeleteFailed, Msg::RestrictDelete, removeChild))
            return result;
    }
    return 0;
}

int RelationManager::updateStep()
{
    DataFile& own = m_files->file();
    if (int r = carryUpdate(own.currentImage(), own.pack(own.buffer())))
        return r;
    if (auto changed = own.change(); !changed) {
        if (changed.error().code == Code::DuplicateKey)
            return static_cast<int>(m_files->errors().throwFileMessage(Msg::DuplicateKey, m_files->name(),
                                                                       changed.error(), changed.error().message));
        return static_cast<int>(m_files->errors().throwFileMessage(Msg::PutFailed, m_files->name(), changed.error()));
    }
    return 0;
}

int RelationManager::deleteStep()
{
    DataFile& own = m_files->file();
    if (int r = carryDelete(own.currentImage()))
        return r;
    if (auto removed = own.remove(); !removed)
        return static_cast<int>(
            m_files->errors().throwFileMessage(Msg::DeleteFailed, m_files->name(), removed.error()));
    return 0;
}

int RelationManager::framed(int (RelationManager::*step)())
{
    DataFile& own = m_files->file();
    if (!own.hasCurrentRecord()) {
        const fw::core::Error none{"data file", own.label() + ": there is no current record", Code::RecordNotFound};
        return static_cast<int>(m_files->errors().throwFileMessage(
            step == &RelationManager::updateStep ? Msg::PutFailed : Msg::DeleteFailed, m_files->name(), none));
    }
    std::vector<DataFile*> files;
    collectFiles(files);
    // Every buffer and reading position as it was, to put back when the
    // change does not go through; the related files' also when it does, since
    // carrying a change over reads their records into their buffers.
    std::vector<DataFile::State> states;
    for (DataFile* f : files)
        states.push_back(f->saveState());
    auto restore = [&](bool includingOwn) {
        for (std::size_t i = includingOwn ? 0 : 1; i < files.size(); ++i)
            files[i]->restoreState(states[i]);
    };

    std::vector<DataFile*> begun;
    if (m_transactions == Transactions::Yes) {
        for (DataFile* f : files) {
            auto started = f->beginTransaction();
            if (!started) {
                for (DataFile* b : begun)
                    b->rollback();
                return static_cast<int>(m_files->errors().throwFileMessage(
                    step == &RelationManager::updateStep ? Msg::PutFailed : Msg::DeleteFailed, m_files->name(),
                    started.error()));
            }
            begun.push_back(f);
        }
    }
    m_busy = true;
    const int result = (this->*step)();
    m_busy = false;
    if (result != 0) {
        for (DataFile* b : begun)
            b->rollback();
        restore(true);
        return result;
    }
    for (std::size_t i = 0; i < begun.size(); ++i) {
        auto committed = begun[i]->commit();
        if (!committed) {
            // The files committed before this one keep their part: the file
            // that failed and those after it are rolled back.
            for (std::size_t j = i + 1; j < begun.size(); ++j)
                begun[j]->rollback();
            restore(true);
            return static_cast<int>(m_files->errors().throwFileMessage(
                step == &RelationManager::updateStep ? Msg::PutFailed : Msg::DeleteFailed, m_files->name(),
                committed.error()));
        }
    }
    // The own file keeps its new state (its current record is the changed one).
    const DataFile::State ownNow = own.saveState();
    restore(false);
    own.restoreState(ownNow);
    return 0;
}

int RelationManager::update()
{
    if (int r = m_files->validateFields())
        return r;
    return framed(&RelationManager::updateStep);
}

int RelationManager::deleteRecord() { return framed(&RelationManager::deleteStep); }

void RelationManager::kill() { m_relations.clear(); }

} // namespace fw::app
