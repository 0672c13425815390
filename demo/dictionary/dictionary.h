#pragma once
// The demonstration's data dictionary: one file manager and one relation
// manager per data file, reached through the global references below, which
// are set while their managers exist (InitDataFiles to KillDataFiles).
//
// Settings: CUSTOMER ("Customer") must exist; STUDENTS, TEACHERS and CLASSES
// ("Students", "Teachers", "Classes") are created empty when missing; every
// file waits up to 10 seconds for a lock. A teacher has many classes
// (TEA:NUMBER with CLA:TEACHERNUMBER through CLA:KEYTEACHERNUMBER): a changed
// teacher number is carried over to the classes, a teacher with classes
// cannot be deleted; the classes look their teacher up. CLASSES checks that
// CLA:TEACHERNUMBER names an existing teacher.

#include "demo/dictionary/records.h"
#include "framework/app/file_manager.h"
#include "framework/app/relation_manager.h"

namespace zorvane {

extern fw::app::FileManager* Access_CUSTOMER;
extern fw::app::FileManager* Access_STUDENTS;
extern fw::app::FileManager* Access_TEACHERS;
extern fw::app::FileManager* Access_CLASSES;

extern fw::app::RelationManager* Relate_CUSTOMER;
extern fw::app::RelationManager* Relate_STUDENTS;
extern fw::app::RelationManager* Relate_TEACHERS;
extern fw::app::RelationManager* Relate_CLASSES;

// Builds the managers over the program's error manager (fw::app::globalErrors()).
void InitDataFiles();
// Releases them, CUSTOMER, STUDENTS, TEACHERS, CLASSES in that order.
void KillDataFiles();

} // namespace zorvane
