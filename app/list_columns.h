// Lists whose columns fill their width: every column gets the room its texts
// need while the window has it, and the last one takes what is left; only a
// window too narrow for all of them makes texts shorter (paths lose their
// middle, so that drive and file name stay in sight). A column the user
// widened or narrowed keeps that width for as long as the list lives.
#pragma once

class QDialog;
class QListWidget;
class QTreeWidget;

namespace vantrel {

// Makes the columns of `list` resizable and fitted as above; they are fitted
// again whenever the list's size or its rows change.
void FitColumns(QTreeWidget* list);
// A one-column list of paths: shortened in the middle, the whole text in the
// row's tooltip.
void ShowPaths(QListWidget* list);
// Makes `dialog` at least as wide as its title needs, so that the title bar
// never cuts it.
void KeepTitleWhole(QDialog* dialog);

}  // namespace vantrel
