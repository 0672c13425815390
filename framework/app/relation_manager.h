#pragma once
// The relation manager: one per data file, over its file manager. It opens
// and closes a file together with its related files, passes quick-scan
// reading on to them, and keeps the relations when a record is changed or
// deleted: a related record follows the change (cascade), loses its link
// (clear), or stops the change (restrict).
//
// With transactions on, a change and everything it carries over to related
// files is one transaction on every file concerned; when one step fails,
// all of them are rolled back and the record buffers are as they were.
// The files concerned must be open (open() opens the related files too).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/app/file_manager.h"

namespace fw::app {

enum class Transactions : std::uint8_t { No, Yes };
enum class RelationMode : std::uint8_t { None = 0, Clear = 1, Restrict = 2, Cascade = 3 };
enum class QuickScan : std::uint8_t { Off, On };
enum class Propagate : std::uint8_t { No, Yes };

class RelationManager {
public:
    RelationManager() = default;
    virtual ~RelationManager() = default;
    RelationManager(const RelationManager&) = delete;
    RelationManager& operator=(const RelationManager&) = delete;

    void init(FileManager& files, Transactions transactions);
    FileManager& files() const { return *m_files; }

    // A relation to the records of `related` found through `relatedKey`,
    // with what happens to them when a record of this file changes or goes.
    void addRelation(RelationManager& related, RelationMode update, RelationMode remove,
                     const fw::data::Key& relatedKey);
    // A linking field pair of the relation added last (field names).
    void addRelationLink(std::string_view ownField, std::string_view relatedField);
    // A plain look-up of a related file: opened and closed with this one.
    void addRelation(RelationManager& related);

    [[nodiscard]] int open();
    void close(); // cannot fail, as a file manager's close cannot
    void setQuickScan(QuickScan on, Propagate propagate);

    // Add the buffer as a record (field checks first).
    [[nodiscard]] int insert();
    // Rewrite the current record from the buffer, with the relation rules.
    [[nodiscard]] int update();
    // Delete the current record, with the relation rules.
    [[nodiscard]] int deleteRecord();

    virtual void kill();

private:
    // Field names as given; resolved when a change is carried over, since the
    // related manager may be set up only after this relation is declared.
    struct LinkNames {
        std::string own;
        std::string related;
    };
    struct Link {
        std::size_t own;
        std::size_t related;
    };
    struct Relation {
        RelationManager* related;
        RelationMode update = RelationMode::None;
        RelationMode remove = RelationMode::None;
        const fw::data::Key* key = nullptr;
        std::vector<LinkNames> linkNames;
    };
    std::vector<Link> linksOf(const Relation& relation) const;

    void collectFiles(std::vector<fw::data::DataFile*>& files);
    // Carry a change of this file's record from `before` to `after` (packed
    // images) over to the related files; 0 when done.
    [[nodiscard]] int carryUpdate(const std::vector<char>& before, const std::vector<char>& after);
    [[nodiscard]] int carryDelete(const std::vector<char>& before);
    // Position `relation`'s file on the records linked to `image`.
    [[nodiscard]] fw::core::Expected<void> findLinked(const Relation& relation, const std::vector<char>& image);
    // Hands each record of `relation`'s file linked to `image` to `onChild`
    // with that file positioned on it, or refuses the first with `restricted`
    // when `mode` is Restrict; `findFailed` reports a failed positioning.
    // 0 when every record was handled.
    [[nodiscard]] int forEachLinkedChild(Relation& relation, const std::vector<char>& image, RelationMode mode,
                                         Msg findFailed, Msg restricted, const std::function<int()>& onChild);
    // Sets the linked fields of the current record of `relation`'s file to
    // this record's values in `after`, or blanks them when `after` is null,
    // carries that on to its own relations and writes it; 0 when done.
    [[nodiscard]] int rewriteLinkedChild(Relation& relation, const std::vector<Link>& links,
                                         const std::vector<char>* after);
    [[nodiscard]] int framed(int (RelationManager::*step)());
    [[nodiscard]] int updateStep();
    [[nodiscard]] int deleteStep();

    FileManager* m_files = nullptr;
    Transactions m_transactions = Transactions::No;
    std::vector<Relation> m_relations;
    bool m_busy = false; // guards the walk over relations that lead back here
};

} // namespace fw::app
