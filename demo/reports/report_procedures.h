#pragma once
// The demonstration's five report procedures. Each prints one data file,
// page by page, behind its progress window and ends in its mail hook. They
// take no arguments and leave their outcome in the running thread's global
// response: 1 when every record was printed and the pages went to the
// previewer, 2 when the run was cancelled, found no record or failed.
//
// The frame starts the four plain reports on threads of their own and calls
// the embed variant on its own thread; the bulk mail calls the Teachers and
// Classes reports directly.

namespace zorvane {

void TarvenCustomers();
void TarvenStudents();
void TarvenTeachers();
void TarvenClasses();
void TarvenCustomersEmbed();

} // namespace zorvane
