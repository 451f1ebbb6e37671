// The right page set's guidance: the message of a page when it becomes active, and the reminder to
// estimate again when a changed parameter page is left.
#pragma once

namespace vildo {

struct Vildo;
enum class C;

// Makes page the active one of the right set (PageControl1) and shows what belongs to the change.
void PageControl1Change(Vildo& app, C page);

}  // namespace vildo
