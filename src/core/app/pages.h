// The page sets' active pages, and the right set's guidance: the message of a page when it becomes
// active, and the reminder to estimate again when a changed parameter page is left.
#pragma once

namespace vildo {

struct Vildo;
enum class C;

// A user's choice of a page. Only the user's choice runs these: a page that becomes active because the
// current one was hidden says nothing.
// Makes page the active one of the right set (PageControl1) and shows what belongs to the change.
void PageControl1Change(Vildo& app, C page);
// Makes page the active one of the left set (PageControl2).
void PageControl2Change(Vildo& app, C page);

// After a mode change: a set whose active page was hidden shows its start page ("Mål och Regler",
// "Jaga") without any guidance.
void keepActivePagesVisible(Vildo& app);

}  // namespace vildo
